// The settings file beside the executable, read once at start ("get") and
// written by the auto-save timer and at the end ("save").
#pragma once
#include <windows.h>

#include <string>

#include "appearance/appearancerecord.h"

// "get" fills the record from the file, "save" writes the file from it; any
// other mode does nothing.
void APPEARANCESETTINGS(const char* mode, AppearanceRecord& record);

// True when the file system has attributes for the path (a folder counts too).
bool FILEEXISTS(const std::string& path);

// The settings file of the record's window, from the executable and its current title.
std::string SETTINGSFILEOF(const AppearanceRecord& record);

// How a save writes each key and how its copy takes the file's place: the
// platform's calls, unless a test makes them fail as a full disk, or a name
// held for a moment by a scanner, would.
using ProfileWriter = BOOL(WINAPI*)(LPCSTR, LPCSTR, LPCSTR, LPCSTR);
using FileReplacer = BOOL(WINAPI*)(LPCSTR, LPCSTR, LPCSTR, DWORD, LPVOID, LPVOID);
using FileMover = BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD);
extern ProfileWriter SETTINGSWRITE;
extern FileReplacer SETTINGSREPLACE;
extern FileMover SETTINGSMOVE;

// How long a save tries again to put its copy in place while the file or the
// copy is held open without delete sharing; then it writes the file in place.
// Well inside the few seconds that the end of a session allows.
constexpr DWORD SETTINGSPLACEMENTMS = 2000;
