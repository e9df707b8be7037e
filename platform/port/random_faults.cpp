#include "platform/port/random_faults.h"

#include <cstdlib>
#include <string>

#include "platform/ddraw.h"
#include "platform/dsound.h"
#include "platform/fault.h"
#include "platform/kernel.h"
#include "platform/notice.h"

namespace platform {
namespace {

// Called many times a frame, so their failures come anywhere in a run.
constexpr const char* frequentOperations[] = {"BltFast", "Blt",   "Lock",
                                              "Unlock",  "GetDC", "ReleaseDC"};
// Called a few times a run, mostly while a screen loads.
constexpr const char* occasionalOperations[] = {
    "CreateSurface",  "CreatePalette",       "SetColorKey",      "SetPalette",
    "GetSurfaceDesc", "GetAttachedSurface",  "FlipToGDISurface", "GetCaps",
    "SetDisplayMode", "SetCooperativeLevel", "DirectDrawCreate"};
constexpr DWORD soundCalls = static_cast<DWORD>(SoundCall::SetPan) + 1;

struct Picker {
    std::uint32_t state;
    DWORD Next(DWORD bound)
    {
        state = state * 1103515245u + 12345u;
        return (state >> 8) % bound;
    }
};

DWORD writesBeforeFailure = 0;
DWORD failingWrites = 0;

bool FailChosenWrites(DWORD)
{
    if (writesBeforeFailure > 0) {
        --writesBeforeFailure;
        return false;
    }
    if (failingWrites == 0) return false;
    --failingWrites;
    return true;
}

template <std::size_t N>
std::string ArmOne(Picker& pick, const char* const (&operations)[N], DWORD reach)
{
    const char* operation = operations[pick.Next(N)];
    const DWORD skip = pick.Next(reach);
    const DWORD times = 1 + pick.Next(3);
    FailOperation(operation, E_FAIL, times, skip);
    return std::string(operation) + " after " + std::to_string(skip) + " calls, "
           + std::to_string(times) + " times; ";
}

} // namespace

void ArmRandomFaults(std::uint32_t seed)
{
    Picker pick {seed};
    std::string armed;
    for (DWORD i = pick.Next(3); i > 0; --i) armed += ArmOne(pick, frequentOperations, 4000);
    if (pick.Next(3) == 0) armed += ArmOne(pick, occasionalOperations, 12);
    if (pick.Next(4) == 0) {
        const DWORD call = pick.Next(soundCalls);
        SetSoundFault(static_cast<SoundCall>(call), DSERR_GENERIC);
        armed += "sound call " + std::to_string(call) + " always; ";
    }
    if (pick.Next(4) == 0) {
        writesBeforeFailure = pick.Next(300);
        failingWrites = 1 + pick.Next(3);
        SetWriteFaultHook(FailChosenWrites);
        armed += "file writes after " + std::to_string(writesBeforeFailure) + ", "
                 + std::to_string(failingWrites) + " times; ";
    }
    Notice("Faults armed (seed " + std::to_string(seed)
           + "): " + (armed.empty() ? std::string("none") : armed) + "\r\n");
}

void ArmFaultsFromEnvironment()
{
    const char* seed = std::getenv("KG_FAULTS");
    if (seed != nullptr && seed[0] != '\0')
        ArmRandomFaults(static_cast<std::uint32_t>(std::strtoul(seed, nullptr, 10)));
}

} // namespace platform
