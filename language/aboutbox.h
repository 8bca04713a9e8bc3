// The About box of the appearance menu, then the developer's web site.
#pragma once
#include <windows.h>

void SHOWABOUTBOX();

// How the web site is handed to the shell after the box: ShellExecuteA, or
// what a test puts in its place so that no browser starts.
using ShellOpenProc = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
extern ShellOpenProc ABOUTSHELLOPEN;
