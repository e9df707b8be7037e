#pragma once
// Inside the platform layer: everything that differs between a desktop and a page. `desktop/`
// and `browser/` each implement every function here; the build links one of the two, and
// nothing else asks which.

#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>
#include <string>

#include "platform/windef.h"

struct SDL_Window;

namespace platform {

struct WindowOptions;
class PresentTarget;

// The clock that counts from the machine's start. A page knows no boot time: its wall clock
// is as far past any screen's start.
clockid_t BootClockId();
// Sleeps `ms`; in the browser the page goes on meanwhile.
void SleepFor(DWORD ms);
// Gives the processor away until an input event comes or `ms` pass; true when one came. In
// the browser control goes back to the page, whose input ends the wait early.
bool WaitForEvent(DWORD ms);

// True when the page owns the window: the canvas keeps the screen's own size while the page
// scales it and offers full screen.
bool PageOwnsWindow();
// What the video system is told before it starts.
void PrepareVideo();
// The game takes typed text from now on, or no longer: a phone's keyboard comes up.
void ShowTextEntry(bool open);

// Starts watching the connection to the display under the window. When it goes away the
// program closes, as on a close request, instead of being ended on the spot with the Killer
// List unsaved.
void WatchDisplayConnection(SDL_Window* window);
// True once that connection was lost: the window and the video system must then be left as
// they are, since taking them down would wait for answers that never come.
bool DisplayLost();

// Chooses the way the picture reaches this window, and says which and why in the game's log;
// null when none works.
std::unique_ptr<PresentTarget> MakePresentTarget(SDL_Window* window, const WindowOptions& options);

// ALSA prints its own errors on standard error while SDL probes it: before SDL first opens
// its audio, the errors are kept from then on.
void KeepAlsaErrors();
// The errors kept since, into the log and the debugger output (--verbose). On the program's
// thread: the library may report from SDL's threads.
void TellAlsaErrors();

struct FontFile {
    std::string path;
    int faceIndex = 0;
    std::string family;
};

// The font file that serves a family name and weight; never nothing while any face is there,
// since the closest one is always offered.
std::optional<FontFile> MatchFontFile(const char* family, int weight);

// What was written must outlast the program: on a desktop the kernel keeps it; in the browser
// the page's lasting storage is told of every change to the player's folders as it is made:
// `size` bytes written at `offset` of a file (none when it was emptied), a file renamed, or
// removed (renamed to nothing).
void FileWritten(const std::string& path, std::uint64_t offset, std::uint64_t size);
void FileRenamed(const std::string& from, const std::string& to);

// Print Screen saved the picture at `path`. A desktop player finds it in the screenshots
// folder; a page's player cannot reach the browser's storage, so the page offers it as a
// download instead.
void ScreenshotSaved(const std::string& path);

} // namespace platform
