#include "core/dialogtemplate.h"

namespace {

constexpr UINT TEXTCODEPAGE = 1252;     // the program's texts are Windows-1252
constexpr WORD ORDINALMARKER = 0xFFFF;  // a class given by its atom follows

void put(std::vector<WORD>& out, DWORD value) {
    out.push_back(LOWORD(value));
    out.push_back(HIWORD(value));
}

void putText(std::vector<WORD>& out, const std::string& text) {
    if (!text.empty()) {
        const int n = MultiByteToWideChar(TEXTCODEPAGE, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        const size_t at = out.size();
        out.resize(at + n);
        MultiByteToWideChar(TEXTCODEPAGE, 0, text.data(), static_cast<int>(text.size()),
                            reinterpret_cast<wchar_t*>(out.data() + at), n);
    }
    out.push_back(0);
}

void alignDword(std::vector<WORD>& out) {
    if (out.size() % 2) out.push_back(0);
}

}  // namespace

std::vector<WORD> BUILDDIALOGTEMPLATE(const DialogTemplate& d) {
    std::vector<WORD> out;
    put(out, d.Style);
    put(out, d.ExStyle);
    out.push_back(static_cast<WORD>(d.Items.size()));
    out.push_back(static_cast<WORD>(d.X));
    out.push_back(static_cast<WORD>(d.Y));
    out.push_back(static_cast<WORD>(d.Width));
    out.push_back(static_cast<WORD>(d.Height));
    out.push_back(0);  // no menu
    out.push_back(0);  // the dialog class
    putText(out, d.Title);
    if (d.Style & DS_SETFONT) {
        out.push_back(d.FontSize);
        putText(out, d.FontFace);
    }
    for (const DialogItem& item : d.Items) {
        alignDword(out);
        put(out, item.Style);
        put(out, item.ExStyle);
        out.push_back(static_cast<WORD>(item.X));
        out.push_back(static_cast<WORD>(item.Y));
        out.push_back(static_cast<WORD>(item.Width));
        out.push_back(static_cast<WORD>(item.Height));
        out.push_back(item.Id);
        if (item.ClassAtom) {
            out.push_back(ORDINALMARKER);
            out.push_back(item.ClassAtom);
        } else {
            putText(out, item.ClassName);
        }
        putText(out, item.Text);
        out.push_back(0);  // no creation data
    }
    return out;
}

HWND CREATEDIALOGWINDOW(const DialogTemplate& dialog, HWND owner, DLGPROC procedure, LPARAM param) {
    const std::vector<WORD> bytes = BUILDDIALOGTEMPLATE(dialog);
    return CreateDialogIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()), owner,
                                      procedure, param);
}
