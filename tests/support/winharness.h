// Helpers for tests that drive real windows under Wine: start the built
// programs, find their windows, run the clock window on a thread of the test
// process, and give the clock a time of the test's choosing.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <thread>

#include "dates/dates.h"

namespace harness {

// Folder of the built programs (bin\ beside the tests\ folder), with its backslash.
std::string ProgramFolder();
// Folder of the running test program, with its backslash.
std::string TestFolder();

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);
std::string WindowText(HWND window);
std::string LabelText(HWND dialog, int id);
// A top-level window of process `pid` with this exact title, or 0.
HWND FindProcessWindow(DWORD pid, const char* title);
// Client rectangle of a child in its parent's dialog units.
RECT ChildRectInDialogUnits(HWND dialog, int id);

// A running copy of one of the built programs, killed if still running at the end.
class Program {
public:
    explicit Program(const std::string& exe, const std::string& arguments = "", WORD show = SW_SHOWNORMAL);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    bool Started() const { return process_.hProcess != nullptr; }
    DWORD Pid() const { return process_.dwProcessId; }
    // Waits for the window with this title; 0 on time-out.
    HWND WaitWindow(const char* title, DWORD timeoutMs = 10000) const;
    // Exit code once ended within the time, or STILL_ACTIVE.
    DWORD WaitExit(DWORD timeoutMs) const;

private:
    PROCESS_INFORMATION process_{};
};

// The clock window of this test process, run by SHOWCLOCKWINDOW on a thread of its own.
class ClockThread {
public:
    ClockThread();
    ~ClockThread();  // closes the window as Alt+F4 does and joins
    ClockThread(const ClockThread&) = delete;
    ClockThread& operator=(const ClockThread&) = delete;
    HWND Window() const { return window_; }
    DWORD ThreadId() const { return threadId_; }

private:
    std::thread thread_;
    HWND window_ = nullptr;
    DWORD threadId_ = 0;
};

// Replaces the clock's time source (LOCALCLOCKSOURCE) until RestoreClock.
void SetFakeClock(const LocalClock& now);
void RestoreClock();

}  // namespace harness
