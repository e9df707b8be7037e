#include "shell/win_main.h"

#include "support/debug_log.h"
#include "support/error_catalogue.h"

int WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    StartDebug();
    LoadErrorCatalogue();
    EndDebug();
    return 0;
}
