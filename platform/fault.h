#pragma once
// Fault injection for tests: any platform operation, by its name, can be made to fail with a
// chosen result code, so that every failure path of the game is exercised.

#include "platform/windef.h"

namespace platform {

// The calls of operation (e.g. "Lock") after the next `skip` ones fail with code, `times` times.
void FailOperation(const char* operation, HRESULT code, DWORD times = 1, DWORD skip = 0);
void ClearFailures();

// For the platform's own operations: the code an armed failure gives this call, else 0.
HRESULT InjectedFailure(const char* operation);

} // namespace platform
