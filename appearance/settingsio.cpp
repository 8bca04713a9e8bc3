#include "appearance/settingsio.h"

#include <array>
#include <cstring>
#include <optional>

#include "appearance/settingsfile.h"
#include "core/win32handles.h"
#include "core/windowgeometry.h"

ProfileWriter SETTINGSWRITE = WritePrivateProfileStringA;
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

// False as soon as a key cannot be written (a full disk, a quota, a refusal):
// the target then lacks the keys that follow.
bool writeSettings(const AppearanceRecord& record, const std::string& path, const std::array<int32_t, 4>& window,
                   bool withCoords) {
    const auto& keys = SETTINGSKEYS();
    const std::array<int32_t, 4> coords = SAVEDCOORDS(record, window);
    for (std::size_t i = withCoords ? 0 : COORDKEYS; i < keys.size(); ++i)
        if (!SETTINGSWRITE(keys[i].Section, keys[i].Key.c_str(), SETTINGTEXT(record, i, coords).c_str(), path.c_str()))
            return false;
    return true;
}

std::string copyOf(const std::string& path) { return path + ".tmp"; }

std::optional<DWORD> attributesOf(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a == INVALID_FILE_ATTRIBUTES ? std::nullopt : std::optional<DWORD>(a);
}

static_assert(FILEREADONLY == FILE_ATTRIBUTE_READONLY && FILEHIDDEN == FILE_ATTRIBUTE_HIDDEN &&
              FILESYSTEM == FILE_ATTRIBUTE_SYSTEM && FILEARCHIVE == FILE_ATTRIBUTE_ARCHIVE &&
              FILENORMAL == FILE_ATTRIBUTE_NORMAL);

// Hidden and system as the user set them, the archive bit as on any changed
// file: a move, and Wine's replace (unlike Windows'), give the file the copy's
// attributes, and Windows' replace gives it the old file's archive bit.
void carryAttributes(const std::string& path, std::optional<DWORD> before) {
    const std::optional<DWORD> now = attributesOf(path);
    if (!now) return;
    const DWORD wanted = SAVEDATTRIBUTES(before, *now);
    if (wanted != *now) SetFileAttributesA(path.c_str(), wanted);
}

bool moveIntoPlace(const std::string& copy, const std::string& path) {
    return SETTINGSMOVE(copy.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

// The file opened without keeping anyone else from it; empty when it cannot be.
UniqueHandle openShared(const std::string& path, DWORD access, DWORD disposition) {
    HANDLE h = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    return UniqueHandle(h == INVALID_HANDLE_VALUE ? nullptr : h);
}

// A copy goes whatever attributes it was given: a read-only one could not.
void removeCopy(const std::string& copy) {
    SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(copy.c_str());
}

// A virus scanner, an indexer or a sync client often holds a file that was
// just written open for a moment, without delete sharing; neither a replace
// nor a move can take its name then. Asked first, so that no replace is tried
// in vain (Wine's leaves an empty file behind each time).
bool heldOpen(const std::string& path) {
    return !openShared(path, DELETE, OPEN_EXISTING) && GetLastError() == ERROR_SHARING_VIOLATION;
}

std::optional<std::string> fileBytes(const std::string& path) {
    const UniqueHandle file = openShared(path, GENERIC_READ, OPEN_EXISTING);
    if (!file) return std::nullopt;
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    return bytes;
}

// The copy's bytes written over the file, which a holder that shares reading
// and writing allows. The new length is taken first, so that a disk too full
// for it leaves the file as it was rather than half rewritten.
bool writeInPlace(const std::string& copy, const std::string& path) {
    const std::optional<std::string> bytes = fileBytes(copy);
    if (!bytes || bytes->size() > MAXDWORD) return false;
    const UniqueHandle file = openShared(path, GENERIC_WRITE, OPEN_ALWAYS);
    if (!file) return false;
    HANDLE h = file.get();
    LARGE_INTEGER size{}, length{}, start{};
    length.QuadPart = static_cast<LONGLONG>(bytes->size());
    if (!GetFileSizeEx(h, &size)) return false;
    if (length.QuadPart > size.QuadPart && !(SetFilePointerEx(h, length, nullptr, FILE_BEGIN) && SetEndOfFile(h)))
        return false;
    DWORD written = 0;
    return SetFilePointerEx(h, start, nullptr, FILE_BEGIN) &&
           WriteFile(h, bytes->data(), static_cast<DWORD>(bytes->size()), &written, nullptr) &&
           written == bytes->size() && SetEndOfFile(h) && FlushFileBuffers(h);
}

// Puts the finished copy in the file's place: the replace, or the move where
// the file is gone, tried again while a name is held. Should that last, the
// file is written in place. False when the copy is still all that holds the
// newest settings; a start that finds no file then reads it.
bool placeCopy(const std::string& copy, const std::string& path) {
    const ULONGLONG deadline = GetTickCount64() + SETTINGSPLACEMENTMS;
    for (;;) {
        const bool hasFile = FILEEXISTS(path);
        if (!heldOpen(copy) && !(hasFile && heldOpen(path))) {
            if (hasFile &&
                SETTINGSREPLACE(path.c_str(), copy.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
                return true;
            if (moveIntoPlace(copy, path)) return true;
        }
        if (GetTickCount64() >= deadline) break;
        Sleep(100);
    }
    if (!writeInPlace(copy, path)) return false;
    removeCopy(copy);
    return true;
}

// The keys are written into a copy beside the file, which then replaces it
// in one step: a save cut short (the process killed, the power gone) leaves
// either the old file or the new one, never a truncated mix, and a write
// refused part-way leaves the file as it was. Keys the clock does not know
// travel with the copy, and the platform's replace keeps the file's identity.
// Where no copy can be made, the file is written in place.
void saveSettings(const AppearanceRecord& record) {
    const std::string path = SETTINGSFILEOF(record), copy = copyOf(path);
    const std::optional<DWORD> fileAttributes = attributesOf(path);
    // A read-only file stays as it is, as a write in place would leave it.
    if (fileAttributes && (*fileAttributes & FILE_ATTRIBUTE_READONLY)) return;
    const std::array<int32_t, 4> window = windowValues(record.Window);
    const bool withCoords = !IsZoomed(record.Window) && !IsIconic(record.Window);
    // The attributes the user set: the file's, or, where a copy is all there
    // is, the copy's, which a save gives the file's hidden and system bits.
    std::optional<DWORD> carried = fileAttributes;
    bool viaCopy = copy.size() < MAX_PATH, newestInCopy = false;
    if (viaCopy && fileAttributes) {
        removeCopy(copy);  // left over from a save that was cut short
        viaCopy = !FILEEXISTS(copy) && CopyFileA(path.c_str(), copy.c_str(), FALSE) &&
                  SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
    } else if (viaCopy) {
        // Without the file, a copy that is there holds the newest settings
        // (a replace cut short, or one whose rename failed): it is written
        // over, never thrown away.
        const std::optional<DWORD> held = attributesOf(copy);
        viaCopy = !held || !(*held & FILE_ATTRIBUTE_DIRECTORY);
        newestInCopy = held && viaCopy;
        if (newestInCopy) {
            carried = held;
            SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
        }
    }
    const bool written = writeSettings(record, viaCopy ? copy : path, window, withCoords);
    if (viaCopy) {
        // The copy carries the file's hidden and system bits: whichever way it
        // takes the file's place, or a start takes it after a save cut short,
        // they stay.
        if (carried) SetFileAttributesA(copy.c_str(), SAVEDATTRIBUTES(carried, FILE_ATTRIBUTE_NORMAL));
        if (!written && !newestInCopy) removeCopy(copy);
        if (!written || !placeCopy(copy, path)) return;
    }
    carryAttributes(path, carried);
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

bool FILEEXISTS(const std::string& path) { return attributesOf(path).has_value(); }

std::string SETTINGSFILEOF(const AppearanceRecord& record) {
    char executable[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(nullptr, executable, MAX_PATH);
    if (n >= MAX_PATH) n = MAX_PATH - 1;
    char title[PROFILEBUFFER] = {};
    const int t = GetWindowTextA(record.Window, title, sizeof title);
    return SETTINGSFILEPATH(std::string(executable, n), std::string(title, t > 0 ? t : 0));
}

void APPEARANCESETTINGS(const char* mode, AppearanceRecord& record) {
    if (mode && std::strcmp(mode, "save") == 0)
        saveSettings(record);
    else if (mode && std::strcmp(mode, "get") == 0)
        loadSettings(record);
}
