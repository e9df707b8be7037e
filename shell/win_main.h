#pragma once
// The program's whole life: start-up, the screens in their fixed order, shutdown.

#include "platform/user.h"

int WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand);
