#include "platform/port/random_faults.h"

#include <cstdlib>
#include <iterator>
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
// A sound call fails throughout, so the game plays on without its sound.
constexpr const char* soundOperations[] = {"SoundCreate",
                                           "SoundGetCaps",
                                           "SoundSetCooperativeLevel",
                                           "SoundCreatePrimaryBuffer",
                                           "SoundCreateSecondaryBuffer",
                                           "SoundDuplicateSoundBuffer",
                                           "SoundSetFormat",
                                           "SoundLock",
                                           "SoundUnlock",
                                           "SoundPlay",
                                           "SoundStop",
                                           "SoundSetPan"};

struct Picker {
    std::uint32_t state;
    DWORD Next(DWORD bound)
    {
        state = state * 1103515245u + 12345u;
        return (state >> 8) % bound;
    }
};

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
        const DWORD call = pick.Next(std::size(soundOperations));
        FailOperation(soundOperations[call], DSERR_GENERIC, ALWAYS);
        armed += "sound call " + std::to_string(call) + " always; ";
    }
    if (pick.Next(4) == 0) {
        const DWORD writesBeforeFailure = pick.Next(300);
        const DWORD failingWrites = 1 + pick.Next(3);
        FailOperation("WriteFile", ERROR_DISK_FULL, failingWrites, writesBeforeFailure);
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
