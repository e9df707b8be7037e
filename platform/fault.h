#pragma once
// Fault injection for tests: any platform operation, by its name, can be made to fail with a
// chosen result code, so that every failure path of the game is exercised. Surfaces name their
// operations as the platform does ("Lock"), sound calls with "Sound" before them ("SoundLock"),
// and the file writes as "WriteFile", which fails as a full disk does whatever its code.

#include "platform/windef.h"

namespace platform {

// `times` for a failure that lasts until the failures are cleared.
inline constexpr DWORD ALWAYS = 0xFFFFFFFF;

// The calls of operation (e.g. "Lock") after the next `skip` ones fail with code, `times` times.
void FailOperation(const char* operation, HRESULT code, DWORD times = 1, DWORD skip = 0);
// The calls of operation whose size (the bytes a write is given) `fails` picks fail with code,
// until the failures are cleared.
void FailOperationWhen(const char* operation, HRESULT code, bool (*fails)(DWORD size));
void ClearFailures();

// For the platform's own operations: the code an armed failure gives this call, else 0.
HRESULT InjectedFailure(const char* operation, DWORD size = 0);

} // namespace platform
