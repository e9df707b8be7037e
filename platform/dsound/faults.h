#pragma once
// The result a test has chosen for an operation; S_OK when none.

#include "platform/dsound.h"

namespace platform::dsound {

HRESULT InjectedFault(SoundCall call);
bool EmulatedDriver();

} // namespace platform::dsound
