// The Killer List: "killer.dat" read through the record file reader into the table, then the
// table drawn as the list screen draws it.

#include "fuzz/fuzz_input.h"
#include "graphics/display_device.h"
#include "graphics/shared_surfaces.h"
#include "graphics/surfaces.h"
#include "shell/game_font_setup.h"
#include "shell/killer_list_screen.h"

namespace {

bool Start()
{
    fuzz::EnterScratchFolder();
    if (DirectDrawCreate(nullptr, &directDraw, nullptr) != DD_OK) return false;
    screenSurface = CreateSystemSurface(640, 480);
    CreateGameFonts();
    return screenSurface != nullptr;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool ready = Start();
    if (!ready) return 0;
    fuzz::WriteInput("killer.dat", data, size);
    KillerEntry table[KILLER_COUNT] = {};
    LoadKillerTable(table);
    DrawKillerTable(table);
    return 0;
}
