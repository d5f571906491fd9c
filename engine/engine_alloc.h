// The engine's work buffers come from here, and from nowhere else, so that a
// test program can replace this one file and make an allocation fail.
#ifndef VELORIN_ENGINE_ENGINE_ALLOC_H
#define VELORIN_ENGINE_ENGINE_ALLOC_H

#include <windows.h>

// Returns a block of size bytes from the process heap, or NULL.
void* EngineAlloc(DWORD size);
// Releases a block from EngineAlloc; NULL is ignored.
void EngineFree(void* block);

#endif
