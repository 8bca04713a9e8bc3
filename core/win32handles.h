// Owning wrappers for the handles the program creates: each gives its handle
// back to the system with the matching call when it goes, once, whatever path
// the code takes.
#pragma once
#include <windows.h>

#include <memory>
#include <type_traits>

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct MenuDeleter {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct HandleDeleter {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct LibraryDeleter {
    void operator()(HMODULE library) const { FreeLibrary(library); }
};
struct KeyDeleter {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
struct WinEventHookDeleter {
    void operator()(HWINEVENTHOOK hook) const { UnhookWinEvent(hook); }
};

template <class Handle, class Deleter>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, Deleter>;

using UniqueFont = Owned<HFONT, GdiObjectDeleter>;
using UniqueBrush = Owned<HBRUSH, GdiObjectDeleter>;
using UniqueIcon = Owned<HICON, IconDeleter>;
using UniqueMenu = Owned<HMENU, MenuDeleter>;  // a popup menu goes with its submenus
using UniqueHandle = Owned<HANDLE, HandleDeleter>;
using UniqueLibrary = Owned<HMODULE, LibraryDeleter>;
using UniqueKey = Owned<HKEY, KeyDeleter>;
using UniqueWinEventHook = Owned<HWINEVENTHOOK, WinEventHookDeleter>;
