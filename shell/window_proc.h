#pragma once
// The game window's procedure and the message pump every screen calls in its loop.

#include "platform/user.h"

LRESULT GameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Dispatches every waiting message and returns when the queue is empty; never waits.
void PumpMessages();

// Pumps messages until a key is pressed (or the button, when clicks count), sleeping while
// nothing comes; returns at once when one already was.
void PumpUntilKey(bool clicksCount);
