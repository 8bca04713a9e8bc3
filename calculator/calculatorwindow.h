// The calculator window opened by a double click on the clock's time.
#pragma once
#include <windows.h>

constexpr char CALCULATORTITLE[] = "orlo calc";
constexpr int ID_CALC_INPUT = 1011;
constexpr int ID_CALC_RESULT = 1012;
constexpr int ID_CALC_HISTORY = 1013;

// Creates one calculator window and runs it until it is closed. Several may
// be open at once, each with its own history.
void SHOWCALCULATOR(HWND owner);
INT_PTR CALLBACK CALCULATORPROC(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
