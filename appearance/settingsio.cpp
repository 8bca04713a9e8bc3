#include "appearance/settingsio.h"

#include <array>
#include <cstring>

#include "appearance/settingsfile.h"
#include "core/windowgeometry.h"

std::atomic<unsigned> APPEARANCESAVECOUNT{0};
FileReplacer SETTINGSREPLACE = ReplaceFileA;
FileMover SETTINGSMOVE = MoveFileExA;

namespace {

constexpr std::size_t PROFILEBUFFER = 260;

std::array<int32_t, 4> windowValues(HWND window) {
    std::array<int32_t, 4> v{};
    GETWINDOWLOCATION(window, v[0], v[1]);
    GETWINDOWSIZE(window, v[2], v[3]);
    return v;
}

void readSettings(AppearanceRecord& record, const std::string& path, const std::array<int32_t, 4>& window) {
    const auto& keys = SETTINGSKEYS();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const std::string fallback = i < COORDKEYS ? std::to_string(window[i]) : keys[i].Default;
        char buffer[PROFILEBUFFER] = {};
        GetPrivateProfileStringA(keys[i].Section, keys[i].Key.c_str(), fallback.c_str(), buffer, sizeof buffer,
                                 path.c_str());
        buffer[sizeof buffer - 1] = '\0';
        STORESETTING(record, i, buffer);
    }
}

void writeSettings(const AppearanceRecord& record, const std::string& path, const std::array<int32_t, 4>& window,
                   bool withCoords) {
    const auto& keys = SETTINGSKEYS();
    const std::array<int32_t, 4> coords = SAVEDCOORDS(record, window);
    for (std::size_t i = withCoords ? 0 : COORDKEYS; i < keys.size(); ++i)
        WritePrivateProfileStringA(keys[i].Section, keys[i].Key.c_str(), SETTINGTEXT(record, i, coords).c_str(),
                                   path.c_str());
}

std::string copyOf(const std::string& path) { return path + ".tmp"; }

bool moveIntoPlace(const std::string& copy, const std::string& path) {
    return SETTINGSMOVE(copy.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

// What the user set on the file stays set, whichever way a save wrote it: a
// move, and Wine's replace (unlike Windows'), give the file the copy's attributes.
constexpr DWORD CARRIEDATTRIBUTES = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

void carryAttributes(const std::string& path, DWORD before) {
    const DWORD now = GetFileAttributesA(path.c_str());
    if (now == INVALID_FILE_ATTRIBUTES || (now & CARRIEDATTRIBUTES) == (before & CARRIEDATTRIBUTES)) return;
    const DWORD wanted = (now & ~(CARRIEDATTRIBUTES | FILE_ATTRIBUTE_NORMAL)) | (before & CARRIEDATTRIBUTES);
    SetFileAttributesA(path.c_str(), wanted ? wanted : FILE_ATTRIBUTE_NORMAL);
}

// The keys are written into a copy beside the file, which then replaces it
// in one step: a save cut short (the process killed, the power gone) leaves
// either the old file or the new one, never a truncated mix. Keys the clock
// does not know travel with the copy, and the platform's replace keeps the
// file's identity. Where no copy can be made, the file is written in place.
void saveSettings(const AppearanceRecord& record) {
    const std::string path = SETTINGSFILEOF(record), copy = copyOf(path);
    const DWORD attributes = GetFileAttributesA(path.c_str());
    const bool hadFile = attributes != INVALID_FILE_ATTRIBUTES;
    // A read-only file stays as it is, as a write in place would leave it.
    if (hadFile && (attributes & FILE_ATTRIBUTE_READONLY)) return;
    const std::array<int32_t, 4> window = windowValues(record.Window);
    const bool withCoords = !IsZoomed(record.Window) && !IsIconic(record.Window);
    bool viaCopy = copy.size() < MAX_PATH;
    if (viaCopy) {
        SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (hadFile) {
            DeleteFileA(copy.c_str());  // left over from a save that was cut short
            viaCopy = !FILEEXISTS(copy) && CopyFileA(path.c_str(), copy.c_str(), FALSE) &&
                      SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
        } else {
            // Without the file, a copy that is there holds the newest settings
            // (a replace cut short, or one whose rename failed): it is written
            // over, never thrown away.
            const DWORD held = GetFileAttributesA(copy.c_str());
            viaCopy = held == INVALID_FILE_ATTRIBUTES || !(held & FILE_ATTRIBUTE_DIRECTORY);
        }
    }
    writeSettings(record, viaCopy ? copy : path, window, withCoords);
    if (viaCopy) {
        const bool placed = (hadFile && SETTINGSREPLACE(path.c_str(), copy.c_str(), nullptr,
                                                        REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) ||
                            moveIntoPlace(copy, path);
        // A replace that fails may already have taken the file away: then the
        // copy is all there is, and the next start puts it in place.
        if (!placed && FILEEXISTS(path)) DeleteFileA(copy.c_str());
    }
    if (hadFile) carryAttributes(path, attributes);
}

// Where the platform's replace is not one step (Wine moves the old file aside
// before it renames the copy), a save cut short between the two leaves no file,
// only the copy. Written key by key in the table's order, the copy is complete
// when it holds the last key: then it is the newest settings, and the start
// finishes the replace instead of losing them, or reads the copy itself when
// the rename fails again.
bool completeCopy(const std::string& copy) {
    const SettingKey& last = SETTINGSKEYS().back();
    char buffer[PROFILEBUFFER] = {};
    return GetPrivateProfileStringA(last.Section, last.Key.c_str(), "", buffer, sizeof buffer, copy.c_str()) > 0;
}

void loadSettings(AppearanceRecord& record) {
    const std::string path = SETTINGSFILEOF(record), copy = copyOf(path);
    const std::array<int32_t, 4> window = windowValues(record.Window);
    const bool recovered = !FILEEXISTS(path) && completeCopy(copy);
    const std::string& from = recovered && !moveIntoPlace(copy, path) ? copy : path;
    if (FILEEXISTS(from)) {
        readSettings(record, from, window);
        return;
    }
    record.Left = window[0];
    record.Top = window[1];
    record.Width = window[2];
    record.Height = window[3];
}

}  // namespace

bool FILEEXISTS(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string SETTINGSFILEOF(const AppearanceRecord& record) {
    char executable[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(nullptr, executable, MAX_PATH);
    if (n >= MAX_PATH) n = MAX_PATH - 1;
    char title[PROFILEBUFFER] = {};
    const int t = GetWindowTextA(record.Window, title, sizeof title);
    return SETTINGSFILEPATH(std::string(executable, n), std::string(title, t > 0 ? t : 0));
}

void APPEARANCESETTINGS(const char* mode, AppearanceRecord& record) {
    if (mode && std::strcmp(mode, "save") == 0) {
        saveSettings(record);
        ++APPEARANCESAVECOUNT;
    } else if (mode && std::strcmp(mode, "get") == 0) {
        loadSettings(record);
    }
}
