#include "platform/dsound/faults.h"

#include <array>

namespace platform {

namespace {

constexpr std::size_t CALL_COUNT = static_cast<std::size_t>(SoundCall::SetPan) + 1;
std::array<HRESULT, CALL_COUNT> faults {};
bool emulatedDriver = false;

} // namespace

void SetSoundFault(SoundCall call, HRESULT code) { faults[static_cast<std::size_t>(call)] = code; }

void ClearSoundFaults()
{
    faults.fill(S_OK);
    emulatedDriver = false;
}

void SetEmulatedSoundDriver(bool emulated) { emulatedDriver = emulated; }

namespace dsound {

HRESULT InjectedFault(SoundCall call) { return faults[static_cast<std::size_t>(call)]; }
bool EmulatedDriver() { return emulatedDriver; }

} // namespace dsound

} // namespace platform
