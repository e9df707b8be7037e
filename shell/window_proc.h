#pragma once
// The game window's procedure and the message pump every screen calls in its loop.

#include "platform/user.h"

LRESULT GameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Dispatches every waiting message and returns when the queue is empty; never waits.
void PumpMessages();
