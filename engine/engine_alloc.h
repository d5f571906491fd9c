// The engine's work buffers come from here, and from nowhere else, so that a
// test can make an allocation fail through the hook (engine_alloc_hook.h).
#ifndef VELORIN_ENGINE_ENGINE_ALLOC_H
#define VELORIN_ENGINE_ENGINE_ALLOC_H

#include <windows.h>

// Returns a block of size bytes from the process heap (or the hook), or NULL.
void* EngineAlloc(DWORD size);
// Releases a block from EngineAlloc; NULL is ignored.
void EngineFree(void* block);

#endif
