// The clock's face as the appearance knows it: the client area that the clock
// window's template gives it, in dialog units, and the two labels that fill
// it, which the appearance gives their fonts and colours.
#pragma once
#include <cstdint>

constexpr int32_t FACEWIDTH = 130;
constexpr int32_t FACEHEIGHT = 53;
constexpr int ID_TIME_LABEL = 1001;
constexpr int ID_DATE_LABEL = 1002;
