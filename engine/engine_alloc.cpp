#include "engine_alloc.h"

void* EngineAlloc(DWORD size)
{
    return HeapAlloc(GetProcessHeap(), 0, size);
}

void EngineFree(void* block)
{
    if (block)
        HeapFree(GetProcessHeap(), 0, block);
}
