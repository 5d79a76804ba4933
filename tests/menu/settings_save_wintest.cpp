// The settings file replaced through the real file calls, and through calls
// that fail the way Windows' can, one at a time.
#include <windows.h>

#include <fstream>
#include <gtest/gtest.h>

#include "menu/settings_save.h"

namespace {

using menu::SaveProblem;
using menu::SaveStep;

std::string temporaryPath(const char* name) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

// The bytes of a file, "(nenhum)" when there is none.
std::string contentOf(const std::string& path) {
    return GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES ? "(nenhum)" : *menu::settingsFileBytes(path);
}

void removeFile(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

TEST(SettingsSaveWine, HeldReadOnlyOrMissingFilesAreKeptOrCreatedWhole) {
    const std::string path = temporaryPath("voltanor_save_test.ini"), before = "; nota\r\n[A]\r\nK=1\r\n";
    const std::vector<SettingChange> change{{"A", "K", "2"}};
    const struct {
        DWORD share;  // of a handle another program holds; 1: none held, the file read-only; 2: a range locked
        bool present;
        SaveStep step;
        SaveProblem problem;  // when it failed
        const char* after;
    } cases[] = {{0, true, SaveStep::failed, SaveProblem::inUse, before.c_str()},
                 {1, true, SaveStep::failed, SaveProblem::readOnly, before.c_str()},
                 {2, true, SaveStep::failed, SaveProblem::inUse, before.c_str()},
                 {FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, true, SaveStep::saved, {}, "; nota\r\n[A]\r\nK=2\r\n"},
                 {1, false, SaveStep::saved, {}, "[A]\r\nK=2\r\n"}};
    for (const auto& c : cases) {
        removeFile(path);
        if (c.present) std::ofstream(path, std::ios::binary) << before;
        if (c.present && c.share == 1) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
        HANDLE held = c.share == 1 ? INVALID_HANDLE_VALUE
                      : c.share == 2
                          ? CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)
                          : CreateFileA(path.c_str(), GENERIC_READ, c.share, nullptr, OPEN_EXISTING, 0, nullptr);
        if (c.share == 2) ASSERT_TRUE(LockFile(held, 10, 0, 4, 0));  // a read past it fails half-way
        menu::SaveResult result = menu::saveSettingChanges(path, change);
        EXPECT_EQ(result.step, c.step) << c.share;
        EXPECT_EQ(result.step == SaveStep::failed ? result.problem : c.problem, c.problem) << c.share;
        if (c.share == 2) UnlockFile(held, 10, 0, 4, 0);
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        EXPECT_EQ(contentOf(path), c.after) << c.share;
        EXPECT_EQ(contentOf(path + ".novo"), "(nenhum)") << c.share;
        EXPECT_EQ(contentOf(path + menu::keptAsideSuffix), "(nenhum)") << c.share;
    }
    removeFile(path);
}

// What the failing calls do, for the case running.
enum class Fault { none, replaceKeepsBoth, replaceLosesOld1176, replaceLosesOld1177, newCannotMove, nothingMoves,
                   shortRead, attributesDenied, appearedMeanwhile, readBackDiffers };
Fault fault = Fault::none;
int reads = 0;

const menu::SaveFileCalls& real() { return menu::realSaveFileCalls(); }

// A replacement that failed after moving the old file to the backup name.
unsigned long oldMovedAside(const std::string& path, const std::string& backup, unsigned long error) {
    const unsigned long moved = real().move(path, backup, true);
    return moved ? moved : error;
}

void putInFailingCalls() {
    menu::SaveFileCalls& calls = menu::saveFileCalls();
    calls.attributes = [](const std::string& path, unsigned long& attributes) -> unsigned long {
        if (fault == Fault::attributesDenied) return ERROR_ACCESS_DENIED;
        if (fault == Fault::appearedMeanwhile) return ERROR_FILE_NOT_FOUND;
        return real().attributes(path, attributes);
    };
    calls.readWhole = [](const std::string& path, std::string& bytes) -> unsigned long {
        const unsigned long error = real().readWhole(path, bytes);
        if (fault == Fault::shortRead) {
            bytes.resize(bytes.size() / 2);
            return ERROR_LOCK_VIOLATION;
        }
        if (fault == Fault::readBackDiffers && ++reads == 2) bytes += "X=1\r\n";
        return error;
    };
    calls.replace = [](const std::string& path, const std::string& replacement, const std::string& backup) -> unsigned long {
        switch (fault) {
        case Fault::replaceKeepsBoth: return ERROR_UNABLE_TO_MOVE_REPLACEMENT;
        case Fault::replaceLosesOld1176: return oldMovedAside(path, backup, ERROR_UNABLE_TO_MOVE_REPLACEMENT);
        case Fault::replaceLosesOld1177:
        case Fault::newCannotMove:
        case Fault::nothingMoves: return oldMovedAside(path, backup, ERROR_UNABLE_TO_MOVE_REPLACEMENT_2);
        default: return real().replace(path, replacement, backup);
        }
    };
    calls.move = [](const std::string& from, const std::string& to, bool overExisting) -> unsigned long {
        if (fault == Fault::nothingMoves) return ERROR_ACCESS_DENIED;
        if (fault == Fault::newCannotMove && from.ends_with(".novo")) return ERROR_ACCESS_DENIED;
        return real().move(from, to, overExisting);
    };
}

TEST(SettingsSaveWine, AFailingFileCallLeavesTheOldFileOrTheNewOneWhole) {
    const std::string path = temporaryPath("voltanor_save_faults.ini"), before = "[A]\r\nK=1\r\n", after = "[A]\r\nK=2\r\n";
    const std::string kept = path + menu::keptAsideSuffix;
    putInFailingCalls();
    const struct {
        Fault fault;
        SaveStep step;
        SaveProblem problem;  // when it failed
        std::string file, aside, fresh;
    } cases[] = {
        {Fault::replaceKeepsBoth, SaveStep::failed, SaveProblem::cannotWrite, before, "(nenhum)", "(nenhum)"},
        {Fault::replaceLosesOld1176, SaveStep::saved, {}, after, "(nenhum)", "(nenhum)"},
        {Fault::replaceLosesOld1177, SaveStep::saved, {}, after, "(nenhum)", "(nenhum)"},
        {Fault::newCannotMove, SaveStep::failed, SaveProblem::cannotWrite, before, "(nenhum)", "(nenhum)"},
        {Fault::nothingMoves, SaveStep::failed, SaveProblem::keptAside, "(nenhum)", before, after},
        {Fault::shortRead, SaveStep::failed, SaveProblem::inUse, before, "(nenhum)", "(nenhum)"},
        {Fault::appearedMeanwhile, SaveStep::failed, SaveProblem::inUse, before, "(nenhum)", "(nenhum)"},
        {Fault::readBackDiffers, SaveStep::failed, SaveProblem::putBack, before, "(nenhum)", "(nenhum)"},
    };
    for (const auto& c : cases) {
        for (const std::string& file : {path, kept, path + ".novo"}) removeFile(file);
        std::ofstream(path, std::ios::binary) << before;
        fault = c.fault;
        reads = 0;
        const menu::SaveResult result = menu::saveSettingChanges(path, {{"A", "K", "2"}});
        fault = Fault::none;
        const int which = static_cast<int>(c.fault);
        EXPECT_EQ(result.step, c.step) << which;
        EXPECT_EQ(result.step == SaveStep::failed ? result.problem : c.problem, c.problem) << which;
        EXPECT_EQ(contentOf(path), c.file) << which;
        EXPECT_EQ(contentOf(kept), c.aside) << which;
        EXPECT_EQ(contentOf(path + ".novo"), c.fresh) << which;
    }
    // Denied a look at the file: not taken for a missing one, nothing written.
    fault = Fault::attributesDenied;
    EXPECT_NE(menu::saveSettingChanges(path, {{"A", "K", "2"}}).step, SaveStep::saved);
    fault = Fault::none;
    EXPECT_EQ(contentOf(path), before);
    EXPECT_EQ(contentOf(path + ".novo"), "(nenhum)");
    menu::saveFileCalls() = menu::realSaveFileCalls();
    for (const std::string& file : {path, kept, path + ".novo"}) removeFile(file);
}

}  // namespace
