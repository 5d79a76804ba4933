#include "menu/settings_save.h"

#include <windows.h>
#include <shellapi.h>

#include "console/console.h"
#include "platform/directory_path.h"
#include "platform/platform.h"
#include "settings/settings_file.h"

namespace menu {

namespace {

constexpr const char* runKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* runValue = "Voltanor";

struct Handle {
    HANDLE handle;
    explicit Handle(HANDLE h) : handle(h) {}
    ~Handle() {
        if (handle != INVALID_HANDLE_VALUE && handle) CloseHandle(handle);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return handle != INVALID_HANDLE_VALUE && handle; }
};

// The rest of an open file, read to its end.
std::string remainingBytes(const Handle& file) {
    std::string bytes;
    char block[4096];
    DWORD read = 0;
    while (ReadFile(file.handle, block, sizeof block, &read, nullptr) && read > 0) bytes.append(block, read);
    return bytes;
}

bool processIsElevated() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    bool elevated = GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) && elevation.TokenIsElevated;
    CloseHandle(token);
    return elevated;
}

SaveResult failed(SaveProblem problem) { return {SaveStep::failed, problem}; }

// A refusal this process might get past elevated.
SaveResult refusal(DWORD error) {
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) return failed(SaveProblem::inUse);
    if (error == ERROR_ACCESS_DENIED && !processIsElevated()) return {SaveStep::needsPermission, {}};
    return failed(SaveProblem::cannotWrite);
}

bool writeWhole(const std::string& path, const std::string& bytes, DWORD& error) {
    Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        error = GetLastError();
        return false;
    }
    DWORD written = 0;
    bool whole = WriteFile(file.handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                 written == bytes.size() && FlushFileBuffers(file.handle);
    error = whole ? 0 : GetLastError();
    return whole;
}

std::string modulePath() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length);
}

// Waits for a process, keeping the window's messages moving.
DWORD exitCodeAfter(HANDLE process) {
    while (MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) pumpMessages();
    DWORD code = 1;
    GetExitCodeProcess(process, &code);
    return code;
}

}  // namespace

std::string settingsFileFullPath(const std::string& startDirectory) {
    std::string path = settingsFilePath(startDirectory);
    if (path == settingsFileName) return withTrailingBackslash(platform::windowsDirectory()) + settingsFileName;
    return path;
}

std::optional<std::string> settingsFileBytes(const std::string& path) {
    Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::string();
        return std::nullopt;
    }
    return remainingBytes(file);
}

SaveResult saveSettingChanges(const std::string& path, const std::vector<SettingChange>& changes) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY)) return failed(SaveProblem::readOnly);
    // Opened without sharing writes: a file another program holds open for writing is in use.
    Handle original(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (exists && !original.valid()) return refusal(GetLastError());
    std::string text = original.valid() ? remainingBytes(original) : std::string();
    std::optional<std::string> changed = withSettingsChanged(text, changes);
    if (!changed) return failed(SaveProblem::notText);
    if (*changed == text && exists) return {};
    CloseHandle(original.handle);
    original.handle = INVALID_HANDLE_VALUE;

    const std::string fresh = path + ".novo";
    DWORD error = 0;
    if (!writeWhole(fresh, *changed, error)) {
        DeleteFileA(fresh.c_str());
        return error == ERROR_ACCESS_DENIED ? refusal(error) : failed(SaveProblem::cannotWrite);
    }
    // ReplaceFile keeps the old file's security and attributes; a new file is moved in place.
    if (exists ? ReplaceFileA(path.c_str(), fresh.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
               : MoveFileExA(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    error = GetLastError();
    DeleteFileA(fresh.c_str());
    return refusal(error == ERROR_UNABLE_TO_REMOVE_REPLACED ? ERROR_SHARING_VIOLATION : error);
}

SaveResult saveSettingChangesElevated(const std::vector<SettingChange>& changes, const std::string& startDirectory) {
    char folder[MAX_PATH] = {}, file[MAX_PATH] = {};
    DWORD error = 0;
    if (!GetTempPathA(MAX_PATH, folder) || !GetTempFileNameA(folder, "vlt", 0, file) ||
        !writeWhole(file, encodeSettingChanges(changes), error)) {
        if (file[0]) DeleteFileA(file);
        return failed(SaveProblem::cannotWrite);
    }
    const std::string program = modulePath();
    const std::string parameters = "/configurar \"" + std::string(file) + "\"";
    SHELLEXECUTEINFOA run{};
    run.cbSize = sizeof run;
    run.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    run.hwnd = static_cast<HWND>(consoleWindowHandle());
    run.lpVerb = "runas";
    run.lpFile = program.c_str();
    run.lpParameters = parameters.c_str();
    run.lpDirectory = startDirectory.c_str();
    run.nShow = SW_HIDE;
    SaveResult result = failed(SaveProblem::refused);
    if (ShellExecuteExA(&run) && run.hProcess) {
        DWORD code = exitCodeAfter(run.hProcess);
        CloseHandle(run.hProcess);
        result = code == 0 ? SaveResult{} : failed(SaveProblem::cannotWrite);
    }
    DeleteFileA(file);
    return result;
}

bool saveChangesFromFile(const std::string& changesFile, const std::string& startDirectory) {
    std::optional<std::string> text = settingsFileBytes(changesFile);
    std::optional<std::vector<SettingChange>> changes = text ? decodeSettingChanges(*text) : std::nullopt;
    if (!changes || changes->empty()) return false;
    return saveSettingChanges(settingsFileFullPath(startDirectory), *changes).step == SaveStep::saved;
}

bool logonEntryPresent() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, runKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    bool present = RegQueryValueExA(key, runValue, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    return present;
}

bool setLogonEntry(bool present) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, runKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    LONG status;
    if (present) {
        const std::string command = "\"" + modulePath() + "\" /vigiar";
        status = RegSetValueExA(key, runValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                                static_cast<DWORD>(command.size() + 1));
    } else {
        status = RegDeleteValueA(key, runValue);
        if (status == ERROR_FILE_NOT_FOUND) status = ERROR_SUCCESS;
    }
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

}  // namespace menu
