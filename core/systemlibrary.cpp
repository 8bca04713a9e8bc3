#include "core/systemlibrary.h"

std::optional<std::string> SYSTEMFILEPATH(const char* name) {
    char folder[MAX_PATH] = {};
    const UINT n = GetSystemDirectoryA(folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return std::nullopt;
    std::string path(folder, n);
    if (path.back() != '\\') path += '\\';
    path += name ? name : "";
    if (path.size() >= MAX_PATH) return std::nullopt;
    return path;
}

FARPROC SYSTEMFUNCTION(const char* library, const char* name) {
    // By its full path: never a DLL of the same name beside the program.
    const std::optional<std::string> path = SYSTEMFILEPATH(library);
    if (!path) return nullptr;
    HMODULE module = GetModuleHandleA(path->c_str());
    if (!module) module = LoadLibraryA(path->c_str());
    return module ? GetProcAddress(module, name) : nullptr;
}
