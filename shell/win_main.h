#pragma once
// The program's whole life: start-up, the screens in their fixed order, shutdown.

#include "platform/user.h"

// 1 when c occurs in the text, byte for byte; 0 otherwise.
int CommandLineHasChar(LPCSTR text, char c);

int WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand);

// The game window: the owner of the name dialog.
extern HWND gameWindow;
