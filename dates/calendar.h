// The month-calendar window opened by a click on the clock's date, and the
// common-controls check that comes before it.
#pragma once
#include <windows.h>

#include <cstdint>

constexpr int ID_CALENDAR_LABEL = 3073;
constexpr int ID_CALENDAR_MONTH = 3072;

// Version of a file of the system directory in hundredths (5.81 is 581), 0 without one.
extern "C" __declspec(dllexport) int64_t GETSYSFILEVER(const char* name);
// Makes the common-control classes of `mask` available (ICC_WIN95_CLASSES for 0)
// and returns the version of COMCTL32.DLL as GETSYSFILEVER gives it.
extern "C" __declspec(dllexport) int64_t INITCOMCTL32(int32_t mask);

// Where SHOWCALENDAR takes the library's version from; INITCOMCTL32 unless a
// test build replaces it.
using ComctlVersionSource = int64_t (*)(int32_t mask);
extern ComctlVersionSource COMCTLVERSIONSOURCE;

// A neutral page on the versions of the common-controls library and how to
// get them; the error text ends with it.
constexpr char COMCTLDOWNLOADADDRESS[] = "https://learn.microsoft.com/windows/win32/controls/common-control-versions";
// The error text shown when the library is too old.
const char* COMCTLERRORTEXT();
constexpr char COMCTLERRORCAPTION[] = "SysMonthCal32 Error";

// Opens the calendar above and left of `clock`; returns when it has closed.
void SHOWCALENDAR(HWND clock);
INT_PTR CALLBACK CALENDARPROC(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
