// The month-calendar window opened by a click on the clock's date.
#pragma once
#include <windows.h>

// Opens the calendar above and left of `clock`; returns when it has closed.
void SHOWCALENDAR(HWND clock);
