#pragma once
// Everything the program and the page share by name, in one list. The build makes the page's
// side of it, page_names.js, from the `PAGE_` constants below (one a line), and the Asyncify
// lists from the names of the waits; the page's tests check the functions against the built
// program, so that a name changed on one side breaks the build or a test, not the page.

#include "platform/replay/seam.h"
#include "platform/screen.h"

// What the program calls on the page (browser/library.js).
extern "C" {
// The one import the program waits in: it gives control back to the page for at most `ms`.
void kg_wait_for_page_input(unsigned ms);
// Puts a rectangle of the RGBA `frame` (`frameWidth` x `frameHeight`) on the canvas.
void kg_put_pixels(const unsigned* frame, int frameWidth, int frameHeight, int x, int y, int width,
                   int height);
// A dialog takes typed text from now on (1), or no longer (0).
void kg_text_entry(int open);
// The player's folders changed: `size` bytes written at `offset` of the file at `path` (none
// when it was emptied), or the file at `from` renamed to `to` (removed when `to` is empty).
// The page's lasting storage is brought up to date.
void kg_file_written(const char* path, double offset, double size);
void kg_file_renamed(const char* from, const char* to);
// Print Screen saved a picture at `path`: the page offers it as a download.
void kg_screenshot_saved(const char* path);
}

// What the page calls in the program (browser/page_input.cpp); the page adds the underscore.
extern "C" {
void kg_press_key(int keycode);
void kg_close();
void kg_type_text(const char* utf8);
}

namespace platform::page {

// The program's call on the way to every wait that gives control to the page: Asyncify must
// be able to unwind through it. Taken here by address, so that renaming it breaks the build.
inline constexpr auto* waitCaller = &journal::AnswerWait;
inline constexpr char PAGE_WAIT_CALLER[] = "AnswerWait";
inline constexpr char PAGE_WAIT_IMPORT[] = "kg_wait_for_page_input";

// The folders of the program's file system the page reads and fills.
inline constexpr char PAGE_DATA_FOLDER[] = "/data";
inline constexpr char PAGE_FONT_FOLDER[] = "/fonts/";
inline constexpr char PAGE_HOME[] = "/home/web_user";
inline constexpr char PAGE_LAST_RUN[] = "/home/web_user/.local/state/killglimbot/last-run.kgr";

// The page's callbacks on the module, called by the program's JavaScript side.
inline constexpr char PAGE_ON_TEXT_ENTRY[] = "onTextEntry";
inline constexpr char PAGE_ON_STORAGE_FAILED[] = "onStorageFailed";
inline constexpr char PAGE_ON_FILES_KEPT[] = "onFilesKept";
inline constexpr char PAGE_ON_SCREENSHOT[] = "onScreenshot";
inline constexpr char PAGE_ON_PICTURE_PUT[] = "onPicturePut";

inline constexpr int PAGE_SCREEN_WIDTH = 640;
inline constexpr int PAGE_SCREEN_HEIGHT = 480;
static_assert(PAGE_SCREEN_WIDTH == SCREEN_WIDTH && PAGE_SCREEN_HEIGHT == SCREEN_HEIGHT);

} // namespace platform::page
