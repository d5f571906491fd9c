// The seam through which a test makes one of the engine's allocations fail,
// or cancels at its moment; setup.exe leaves it empty.
#ifndef VELORIN_ENGINE_ENGINE_ALLOC_HOOK_H
#define VELORIN_ENGINE_ENGINE_ALLOC_HOOK_H

#include <windows.h>

// When set, EngineAlloc hands every request to it and returns what it gives.
typedef void* (*EngineAllocHook)(DWORD size);
extern EngineAllocHook engineAllocHook;

#endif
