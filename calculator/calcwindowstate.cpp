#include "calculator/calcwindowstate.h"

#include <algorithm>
#include <cstring>

#include "calculator/calculate.h"

CalculatorUpdate CALCINPUTCHANGED(CalculatorState& state, const std::string& input, const std::string& history) {
    CalculatorUpdate update;
    if (input.find("\r\n") == std::string::npos) {
        // Text the handler itself puts back is not evaluated a second time.
        if (input != state.LastExpression) {
            state.LastExpression = input;
            state.LastDisplay = CALCULATE(input);
            update.SetResult = true;
            update.Result = state.LastDisplay;
        }
        return update;
    }
    if (!state.LastDisplay.empty() && state.LastDisplay != SYNTAXERRORTEXT()) {
        update.SetHistory = true;
        update.History = state.LastDisplay + "\r\n" + history;  // newest on top, every line ends with CRLF
        state.LastExpression.clear();
        state.LastDisplay.clear();
        update.SetInput = true;
        update.SetResult = true;
        return update;
    }
    // Nothing to record: the expression stays for correction, without its
    // line breaks. A CR and LF that meet once the pair between them is gone
    // are a line break too ("\r\r\n\n" is two), so each LF takes away the CR
    // left before it, and what comes back holds none.
    update.SetInput = true;
    update.Input.reserve(input.size());
    for (const char c : input) {
        if (c == '\n' && !update.Input.empty() && update.Input.back() == '\r')
            update.Input.pop_back();
        else
            update.Input += c;
    }
    return update;
}

CalculatorLayout CALCULATORLAYOUT(int32_t outerWidth, int32_t outerHeight) {
    CalculatorLayout l{};
    l.Width = std::max<int32_t>(outerWidth, 200);
    l.Height = std::max<int32_t>(outerHeight, 76);
    l.InputWidth = l.ResultWidth = l.HistoryWidth = l.Width - 9;
    l.InputHeight = l.ResultHeight = 15;
    l.HistoryHeight = l.Height - 64;
    return l;
}
