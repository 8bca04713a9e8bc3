// In-memory dialog templates (the classic DLGTEMPLATE layout), so that every
// window of the program is a dialog with the same dialog manager behaviour.
// Texts are Windows-1252 and become UTF-16 in the template.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Predefined control classes of templates.
constexpr WORD DLGCLASS_BUTTON = 0x0080;
constexpr WORD DLGCLASS_EDIT = 0x0081;
constexpr WORD DLGCLASS_STATIC = 0x0082;

struct DialogItem {
    WORD ClassAtom = 0;     // one of DLGCLASS_..., or 0 to use ClassName
    std::string ClassName;  // e.g. "SysMonthCal32"
    std::string Text;
    WORD Id = 0;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    short X = 0, Y = 0, Width = 0, Height = 0;
};

struct DialogTemplate {
    DWORD Style = 0;
    DWORD ExStyle = 0;
    short X = 0, Y = 0, Width = 0, Height = 0;
    std::string Title;
    std::string FontFace = "MS Sans Serif";  // used with DS_SETFONT
    WORD FontSize = 8;
    std::vector<DialogItem> Items;
};

// The template's bytes, WORD-aligned as CreateDialogIndirectParamA expects.
std::vector<WORD> BUILDDIALOGTEMPLATE(const DialogTemplate& dialog);

// The same through CreateDialogIndirectParamA (modeless; the caller runs the loop).
HWND CREATEDIALOGWINDOW(const DialogTemplate& dialog, HWND owner, DLGPROC procedure, LPARAM param = 0);
