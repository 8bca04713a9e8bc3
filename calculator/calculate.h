// The calculator's entry: the text of the input line in, the line shown
// under it out. Portable: no window code.
#pragma once
#include <string>

// The expression as typed, " = " and the formatted result; the syntax-error
// text alone when it does not evaluate; "" when it holds nothing but spaces.
std::string CALCULATE(const std::string& expression);

// "Syntax error", or "Erreur de syntaxe" in the French build.
const char* SYNTAXERRORTEXT();
