// The settings file replaced through the real file calls.
#include <windows.h>

#include <fstream>
#include <gtest/gtest.h>

#include "menu/settings_save.h"

namespace {

TEST(SettingsSaveWine, HeldReadOnlyOrMissingFilesAreKeptOrCreatedWhole) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "voltanor_save_test.ini", before = "; nota\r\n[A]\r\nK=1\r\n";
    const std::vector<SettingChange> change{{"A", "K", "2"}};
    using menu::SaveStep, menu::SaveProblem;
    const struct {
        DWORD share;  // of a handle another program holds; 1: none held, the file read-only
        bool present;
        SaveStep step;
        SaveProblem problem;  // when it failed
        const char* after;
    } cases[] = {{0, true, SaveStep::failed, SaveProblem::inUse, before.c_str()},
                 {1, true, SaveStep::failed, SaveProblem::readOnly, before.c_str()},
                 {FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, true, SaveStep::saved, {}, "; nota\r\n[A]\r\nK=2\r\n"},
                 {1, false, SaveStep::saved, {}, "[A]\r\nK=2\r\n"}};
    auto remove = [&] { SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL), DeleteFileA(path.c_str()); };
    for (const auto& c : cases) {
        remove();
        if (c.present) std::ofstream(path, std::ios::binary) << before;
        if (c.present && c.share == 1) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
        HANDLE held = c.share == 1 ? INVALID_HANDLE_VALUE
                                   : CreateFileA(path.c_str(), GENERIC_READ, c.share, nullptr, OPEN_EXISTING, 0, nullptr);
        menu::SaveResult result = menu::saveSettingChanges(path, change);
        EXPECT_EQ(result.step, c.step) << c.share;
        EXPECT_EQ(result.step == SaveStep::failed ? result.problem : c.problem, c.problem) << c.share;
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        EXPECT_EQ(menu::settingsFileBytes(path), c.after) << c.share;
        EXPECT_EQ(GetFileAttributesA((path + ".novo").c_str()), INVALID_FILE_ATTRIBUTES) << c.share;
    }
    remove();
}

}  // namespace
