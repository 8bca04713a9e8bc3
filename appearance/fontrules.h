// The rules of the clock's fonts, colours and dialog placement that need no
// window: label sizes and heights, the font dialog's preset and result,
// the colour dialog's choice, and keeping a dialog on the work area.
#pragma once
#include <cstdint>

#include "appearance/appearancesettings.h"
#include "core/placement.h"

// Sizes the labels may take. A size of 0 means 8 points; anything else is
// held within these bounds so that a damaged settings file cannot ask for a
// font the system would refuse or a height that overflows.
constexpr float FONT_MIN_POINTS = 4;
constexpr float FONT_MAX_POINTS = 200;
constexpr float FONT_ZERO_POINTS = 8;
constexpr int TIME_LABEL_SCALE = 4;  // the time label is four times the date label
constexpr int FONT_FACE_CHARS = 31;  // what a logical font's face name holds

// The date label's size in points from FontSize: 0 counts as 8, then the bounds.
float LABELPOINTS(float fontsize);
// Character height of a logical font: -(points x dpi / 72) rounded to the
// nearest integer (a tie to the even neighbour).
int32_t FONTHEIGHT(float points, double dpi);
// The bits of FontAttr.
constexpr uint8_t FONTATTR_BOLD = 1;
constexpr uint8_t FONTATTR_ITALIC = 2;
constexpr uint8_t FONTATTR_UNDERLINE = 4;
constexpr uint8_t FONTATTR_STRIKEOUT = 8;
// Weight from FontAttr: 700 with the bold bit, else 400.
int32_t FONTWEIGHT(uint8_t fontattr);

// The font dialog opens at FontSize rounded to whole points (ties to even),
// and its height is that size at the screen's dpi, truncated.
float FONTDIALOGPOINTS(float fontsize);
int32_t FONTDIALOGHEIGHT(float fontsize, int logpixelsy);
// What the dialog's answer becomes: tenths of a point to whole points, and
// FontAttr from weight, italic, underline and strike-out.
float CHOSENFONTSIZE(int32_t tenths);
uint8_t CHOSENFONTATTR(int32_t weight, bool italic, bool underline, bool strikeout);

void DEFAULTFONTSETTINGS(AppearanceSettings& settings);   // "Tahoma", 12, bold
void DEFAULTCOLORSETTINGS(AppearanceSettings& settings);  // black on light grey

// The colour the dialog chooses: "Foreground" or "Background" in any case
// name the two; any other text names neither (0 for both colours).
enum class ClockColor { Foreground, Background, Neither };
ClockColor CLOCKCOLORNAMED(const char* which);
struct ColorRole {
    int32_t Current = 0;  // the colour being chosen
    int32_t Other = 0;    // the one it may not become
};
ColorRole COLORROLE(ClockColor which, const AppearanceSettings& settings);
// The colour to store: the chosen one after OK unless it paints like the
// other colour; the current one after a cancel or a refusal.
int32_t CHOSENCOLOR(const ColorRole& role, bool confirmed, int32_t chosen);
// Only the red, green and blue bytes are painted or compared.
constexpr int32_t PAINTEDCOLOR(int32_t colour) { return colour & 0x00FFFFFF; }

// Offset of the font and colour dialogs from the clock's top-left corner, in
// pixels of a 96-dpi screen.
constexpr int32_t DIALOG_OFFSET_LEFT = 240;
constexpr int32_t DIALOG_OFFSET_UP = 250;
