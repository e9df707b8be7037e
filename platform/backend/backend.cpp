// Starting and stopping the backends, and the close request they share.

#include "platform/backend/backend_interface.h"

#include <csignal>
#include <ctime>

#include "platform/backend.h"
#include "platform/backend/headless/headless.h"
#include "platform/backend/headless/output_files.h"
#include "platform/backend/sdl/sdl_backend.h"
#include "platform/dsound.h"
#include "platform/host.h"
#include "platform/port/random_faults.h"

namespace platform {
namespace {

// Until a backend starts (and in unit tests and tools): the machine's clock and no input.
class DetachedBackend : public Backend {
public:
    DWORD Now() override { return BootClock(); }
    Happened Pump() override { return {}; }
};

DetachedBackend detached;
std::unique_ptr<Backend> running;

volatile std::sig_atomic_t stopSignalled = 0;
bool closeRequested = false;
// Taken at each pump, so that every reader between two pumps sees the same answer.
bool closing = false;
DWORD pumpTime = 0;

void OnStopSignal(int) { stopSignalled = 1; }

} // namespace

Backend& CurrentBackend() { return running ? *running : detached; }

Happened PumpBackend()
{
    Backend& backend = CurrentBackend();
    Happened happened = backend.Pump();
    backend.Show();
    pumpTime = backend.Now();
    AdvanceSound(pumpTime);
    closeRequested = closeRequested || happened.close;
    closing = closeRequested || stopSignalled != 0;
    happened.close = closing;
    return happened;
}

DWORD BootClock()
{
    timespec now {};
    clock_gettime(BootClockId(), &now);
    const auto ms = static_cast<unsigned long long>(now.tv_sec) * 1000ULL
                    + static_cast<unsigned long long>(now.tv_nsec) / 1000000ULL;
    return static_cast<DWORD>(ms);
}

bool StartBackend(const BackendOptions& options, std::string& error)
{
    closeRequested = false;
    closing = false;
    if (options.headless && !CheckOutputFiles(options, error)) return false;
    ArmFaultsFromEnvironment();
    // Headless, the mix follows the virtual clock into nowhere or into a WAV file.
    if (!options.headless) SetSoundOutput(SoundOutput::Device);
    else if (options.wavPath.empty()) SetSoundOutput(SoundOutput::None);
    else SetSoundOutput(SoundOutput::WavFile, options.wavPath.c_str());
    running =
        options.headless ? MakeHeadlessBackend(options, error) : MakeSdlBackend(options, error);
    if (!running) return false;
    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
    return true;
}

void StopBackend() { running.reset(); }

bool ClosingLive() { return closing; }

DWORD PumpTime() { return pumpTime; }

void RequestClose() { closeRequested = true; }

} // namespace platform
