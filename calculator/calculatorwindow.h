// The calculator window opened by a double click on the clock's time.
#pragma once
#include <windows.h>

// Creates one calculator window and runs it until it is closed.
void SHOWCALCULATOR(HWND owner);
