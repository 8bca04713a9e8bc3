#include "appearance/appearancemenu.h"

#include <cstring>

#include "core/win32handles.h"
#include "language/language.h"

namespace {

// The appearance menu, owned here from its building to the clock's end; the
// record holds its handles. Its submenus go with it.
UniqueMenu OwnedMainMenu;

void appendItem(HMENU menu, const char* text, UINT id = 0, HMENU submenu = nullptr) {
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    if (std::strcmp(text, "-") == 0) {
        item.fMask = MIIM_FTYPE;
        item.fType = MFT_SEPARATOR;
    } else {
        item.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_ID | (submenu ? MIIM_SUBMENU : 0);
        item.fType = MFT_STRING;
        item.dwTypeData = const_cast<char*>(text);
        item.wID = id;
        item.hSubMenu = submenu;
    }
    InsertMenuItemA(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &item);
}

}  // namespace

void SETCHECKMARK(const AppearanceRecord& record, UINT id, uint8_t flag) {
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE;
    item.fState = (flag & 1) ? MFS_CHECKED : MFS_UNCHECKED;  // bit 0 of the flag
    SetMenuItemInfoA(record.MainMenu, id, FALSE, &item);
}

void BUILDAPPEARANCEMENUS(AppearanceRecord& record) {
    record.ShowInMenu = CreatePopupMenu();
    appendItem(record.ShowInMenu, LANGTEXT("Barre des tâches && Alt+Tab", "Taskbar && Alt+Tab"), IDM_TASKBAR);
    appendItem(record.ShowInMenu, LANGTEXT("Zone de notification", "Systray"), IDM_SYSTRAY);

    record.TransparencyMenu = CreatePopupMenu();
    appendItem(record.TransparencyMenu, LANGTEXT("Fenêtre (choisir %)", "Window (choose %)"), IDM_TRANSPARENCY);
    appendItem(record.TransparencyMenu, "-");
    appendItem(record.TransparencyMenu, LANGTEXT("Ecritures transparentes", "Transparent fonts"),
               IDM_TRANSPARENT_FONTS);
    appendItem(record.TransparencyMenu, LANGTEXT("Fond transparent", "Transparent background"),
               IDM_TRANSPARENT_BACKGROUND);

    record.ColorsMenu = CreatePopupMenu();
    appendItem(record.ColorsMenu, LANGTEXT("Couleur des écritures", "Foreground color"), IDM_FOREGROUND_COLOR);
    appendItem(record.ColorsMenu, LANGTEXT("Couleur du fond", "Background color"), IDM_BACKGROUND_COLOR);
    appendItem(record.ColorsMenu, LANGTEXT("Couleurs par défaut", "Default colors"), IDM_DEFAULT_COLORS);
    appendItem(record.ColorsMenu, "-");
    appendItem(record.ColorsMenu, LANGTEXT("Choisir police d'écriture", "Choose font"), IDM_CHOOSE_FONT);
    appendItem(record.ColorsMenu, LANGTEXT("Police par défaut", "Default font"), IDM_DEFAULT_FONT);

    OwnedMainMenu.reset(CreatePopupMenu());
    HMENU m = record.MainMenu = OwnedMainMenu.get();
    appendItem(m, LANGTEXT("Toujours au dessus", "Always on top"), IDM_ON_TOP);
    appendItem(m, LANGTEXT("Barre de titre && bordure", "Title bar && border"), IDM_CAPTION);
    appendItem(m, LANGTEXT("Apparaître dans", "Show in"), 0, record.ShowInMenu);
    appendItem(m, LANGTEXT("Lancer avec Windows", "Start with Windows"), IDM_START_WITH_WINDOWS);
    appendItem(m, "-");
    appendItem(m, LANGTEXT("Transparence", "Transparency"), 0, record.TransparencyMenu);
    appendItem(m, LANGTEXT("Couleurs && Polices", "Colors && Font"), 0, record.ColorsMenu);
    appendItem(m, "-");
    appendItem(m, LANGTEXT("A propos", "About"), IDM_ABOUT);
    appendItem(m, "-");
    if (record.MinBox) appendItem(m, LANGTEXT("Minimiser", "Minimize"), IDM_MINIMIZE);
    if (record.MaxBox) appendItem(m, LANGTEXT("Maximiser", "Maximize"), IDM_MAXIMIZE);
    appendItem(m, LANGTEXT("Quitter", "Exit"), IDM_EXIT);
}

void DESTROYAPPEARANCEMENUS(AppearanceRecord& record) {
    OwnedMainMenu.reset();
    record.MainMenu = record.ShowInMenu = record.TransparencyMenu = record.ColorsMenu = nullptr;
}
