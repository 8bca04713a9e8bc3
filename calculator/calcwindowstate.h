// What the calculator window does with its texts, without the window: the
// reaction to a change of the input line, and the size rule of its controls.
#pragma once
#include <cstdint>
#include <string>

// Per window; both texts empty when the window opens.
struct CalculatorState {
    std::string LastExpression;  // the input line as last evaluated
    std::string LastDisplay;     // what CALCULATE returned for it
};

// Texts the window must set after a change of the input line; a field is
// only applied when its Set flag is on.
struct CalculatorUpdate {
    bool SetResult = false;
    std::string Result;
    bool SetHistory = false;
    std::string History;
    bool SetInput = false;
    std::string Input;
};

// `input` is the input line's text (Enter leaves "\r\n" in it), `history`
// the history box's text.
CalculatorUpdate CALCINPUTCHANGED(CalculatorState& state, const std::string& input, const std::string& history);

// Outer size and control sizes in dialog units from the window's outer size.
struct CalculatorLayout {
    int32_t Width, Height;                // held at 200 x 76 at least
    int32_t InputWidth, InputHeight;      // Width - 9, 15
    int32_t ResultWidth, ResultHeight;    // Width - 9, 15
    int32_t HistoryWidth, HistoryHeight;  // Width - 9, Height - 64
};
CalculatorLayout CALCULATORLAYOUT(int32_t outerWidth, int32_t outerHeight);
