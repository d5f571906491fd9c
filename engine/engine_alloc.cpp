#include "engine_alloc.h"
#include "engine_alloc_hook.h"

EngineAllocHook engineAllocHook;

void* EngineAlloc(DWORD size)
{
    return engineAllocHook ? engineAllocHook(size) : HeapAlloc(GetProcessHeap(), 0, size);
}

void EngineFree(void* block)
{
    if (block)
        HeapFree(GetProcessHeap(), 0, block);
}
