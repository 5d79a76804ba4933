#include "menu/settings_save.h"

#include <windows.h>
#include <shellapi.h>

#include "console/console.h"
#include "platform/directory_path.h"
#include "platform/platform.h"
#include "settings/settings_file.h"
#include "watch/logon_choice.h"

namespace menu {

namespace {


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

// Every byte of a file, or the error that stopped the reading (a read that
// stops short of the file's size among them).
unsigned long readAll(const std::string& path, DWORD share, std::string& bytes) {
    bytes.clear();
    Handle file(CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file.valid() || !GetFileSizeEx(file.handle, &size)) return GetLastError();
    char block[4096];
    DWORD read = 0;
    while (true) {
        if (!ReadFile(file.handle, block, sizeof block, &read, nullptr)) return GetLastError();
        if (read == 0) break;
        bytes.append(block, read);
    }
    return bytes.size() == static_cast<unsigned long long>(size.QuadPart) ? 0 : ERROR_READ_FAULT;
}

}  // namespace

std::string settingsFileFullPath(const std::string& startDirectory) {
    std::string path = settingsFilePath(startDirectory);
    if (path == settingsFileName) return withTrailingBackslash(platform::windowsDirectory()) + settingsFileName;
    return path;
}

std::optional<std::string> settingsFileBytes(const std::string& path) {
    std::string bytes;
    unsigned long error = readAll(path, FILE_SHARE_READ | FILE_SHARE_WRITE, bytes);
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::string();
    if (error) return std::nullopt;
    return bytes;
}

const SaveFileCalls& realSaveFileCalls() {
    static const SaveFileCalls calls{
        [](const std::string& path, unsigned long& attributes) -> unsigned long {
            attributes = GetFileAttributesA(path.c_str());
            return attributes == INVALID_FILE_ATTRIBUTES ? GetLastError() : 0;
        },
        // Opened without sharing writes: a file another program holds open for writing is in use.
        [](const std::string& path, std::string& bytes) { return readAll(path, FILE_SHARE_READ, bytes); },
        [](const std::string& path, const std::string& bytes) -> unsigned long {
            Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
            if (!file.valid()) return GetLastError();
            DWORD written = 0;
            if (!WriteFile(file.handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
                !FlushFileBuffers(file.handle))
                return GetLastError();
            return written == bytes.size() ? 0 : ERROR_WRITE_FAULT;
        },
        // ReplaceFile keeps the old file's security and attributes.
        [](const std::string& path, const std::string& replacement, const std::string& backup) -> unsigned long {
            return ReplaceFileA(path.c_str(), replacement.c_str(), backup.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS,
                                nullptr, nullptr)
                       ? 0
                       : GetLastError();
        },
        [](const std::string& from, const std::string& to, bool overExisting) -> unsigned long {
            DWORD flags = MOVEFILE_WRITE_THROUGH | (overExisting ? MOVEFILE_REPLACE_EXISTING : 0);
            return MoveFileExA(from.c_str(), to.c_str(), flags) ? 0 : GetLastError();
        },
        [](const std::string& path) -> unsigned long { return DeleteFileA(path.c_str()) ? 0 : GetLastError(); },
    };
    return calls;
}

SaveFileCalls& saveFileCalls() {
    static SaveFileCalls calls = realSaveFileCalls();
    return calls;
}

namespace {

bool missing(unsigned long error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

SaveResult readProblem(unsigned long error) {
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) return failed(SaveProblem::inUse);
    if (error == ERROR_ACCESS_DENIED) return refusal(error);
    return failed(SaveProblem::cannotRead);
}

// The new text, in place of the old file (kept under backup) or of none.
// Nothing, or the problem, with the old file or the new one left whole.
std::optional<SaveResult> putInPlace(const SaveFileCalls& calls, const std::string& path, const std::string& fresh,
                                     const std::string& backup, bool exists) {
    unsigned long error = 0, ignored = 0;
    if (!exists) {
        // Never over a file another program made meanwhile.
        error = calls.move(fresh, path, false);
        if (!error) return std::nullopt;
        calls.remove(fresh);
        return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? failed(SaveProblem::inUse) : refusal(error);
    }
    error = calls.replace(path, fresh, backup);
    if (!error) return std::nullopt;
    if (calls.attributes(path, ignored)) {
        // The old file is gone from its place (under the backup name, 1176 or 1177):
        // the new one goes in, or the old one back; neither is ever deleted.
        if (!calls.move(fresh, path, false)) return std::nullopt;
        if (!calls.move(backup, path, false)) {
            calls.remove(fresh);
            return failed(SaveProblem::cannotWrite);
        }
        return failed(SaveProblem::keptAside);
    }
    calls.remove(fresh);
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
        return failed(SaveProblem::cannotWrite);
    return refusal(error == ERROR_UNABLE_TO_REMOVE_REPLACED ? ERROR_SHARING_VIOLATION : error);
}

SaveResult textProblem(const ChangedText& changed) {
    switch (changed.problem) {
    case TextProblem::notText: return failed(SaveProblem::notText);
    case TextProblem::doubtfulLine: return {SaveStep::failed, SaveProblem::doubtfulLine, changed.line};
    default: return failed(SaveProblem::notWritable);
    }
}

}  // namespace

SaveResult saveSettingChanges(const std::string& path, const std::vector<SettingChange>& changes) {
    const SaveFileCalls& calls = saveFileCalls();
    unsigned long attributes = 0;
    unsigned long error = calls.attributes(path, attributes);
    const bool exists = !error;
    if (error && !missing(error)) return refusal(error);
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY)) return failed(SaveProblem::readOnly);
    std::string text;
    if (exists && (error = calls.readWhole(path, text))) return readProblem(error);
    const ChangedText changed = withSettingsChanged(text, changes);
    if (changed.problem != TextProblem::none) return textProblem(changed);
    if (exists && changed.text == text) return {};

    const std::string fresh = path + ".novo", backup = path + keptAsideSuffix;
    if ((error = calls.writeNew(fresh, changed.text))) {
        calls.remove(fresh);
        return error == ERROR_ACCESS_DENIED ? refusal(error) : failed(SaveProblem::cannotWrite);
    }
    if (std::optional<SaveResult> problem = putInPlace(calls, path, fresh, backup, exists)) return *problem;

    // What is now in place must read as asked; otherwise the old file goes back.
    std::string written;
    if (calls.readWhole(path, written) || written != changed.text || !readsAsChanged(text, written, changes)) {
        const bool putBack = exists ? !calls.move(backup, path, true) : !calls.remove(path);
        return failed(putBack ? SaveProblem::putBack : exists ? SaveProblem::keptAside : SaveProblem::cannotWrite);
    }
    if (exists) calls.remove(backup);
    return {};
}

std::string elevatedSettingsFilePath() {
    const std::string inWindows = withTrailingBackslash(platform::windowsDirectory()) + settingsFileName;
    if (platform::fileExists(inWindows)) return inWindows;
    const std::string program = modulePath();
    return program.substr(0, program.find_last_of('\\') + 1) + settingsFileName;
}

bool elevatedSaveWritesTo(const std::string& path) {
    return lstrcmpiA(path.c_str(), elevatedSettingsFilePath().c_str()) == 0;
}

SaveResult saveSettingChangesElevated(const std::vector<SettingChange>& changes, const std::string& path) {
    if (!elevatedSaveWritesTo(path)) return failed(SaveProblem::otherFile);
    const std::optional<std::string> encoded = encodeSettingChanges(changes);
    if (!encoded) return failed(SaveProblem::notWritable);
    const std::string program = modulePath();
    const std::string folder = program.substr(0, program.find_last_of('\\') + 1);
    const std::string parameters = "/configurar \"" + *encoded + "\"";
    SHELLEXECUTEINFOA run{};
    run.cbSize = sizeof run;
    run.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    run.hwnd = static_cast<HWND>(consoleWindowHandle());
    run.lpVerb = "runas";
    run.lpFile = program.c_str();
    run.lpParameters = parameters.c_str();
    run.lpDirectory = folder.c_str();
    run.nShow = SW_HIDE;
    if (!ShellExecuteExA(&run) || !run.hProcess) return failed(SaveProblem::refused);
    DWORD code = exitCodeAfter(run.hProcess);
    CloseHandle(run.hProcess);
    return code == 0 ? SaveResult{} : failed(SaveProblem::cannotWrite);
}

bool logonEntryPresent() { return logonStartOn(); }

bool setLogonEntry(bool present) { return setLogonStart(present, modulePath()); }

}  // namespace menu
