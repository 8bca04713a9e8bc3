#include "calculator/calculatorwindow.h"

// The calculator's window comes with its expression engine.
void SHOWCALCULATOR(HWND owner) {
    (void)owner;
}
