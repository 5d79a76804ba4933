#include "platform/directory_path.h"

#include <gtest/gtest.h>

namespace {

TEST(DirectoryRelativeTo, FindsAFolderAsWindowsDoesFromTheBase) {
    const struct {
        const char* base;
        const char* name;
        const char* expected;
    } cases[] = {
        {"c:\\som\\letras\\", "c:\\som\\difones", "c:\\som\\difones"},  // full name
        {"c:\\som\\letras", "\\\\servidor\\difones", "\\\\servidor\\difones"},
        {"c:\\som\\letras", "d:difones", "d:difones"},                    // drive-relative stays
        {"c:\\som\\letras", "\\difones", "c:\\difones"},                  // rooted: base's drive
        {"som\\letras", "\\difones", "\\difones"},                        // base has no drive
        {"c:\\som\\letras", "difones", "c:\\som\\letras\\difones"},
        {"c:\\som\\letras\\", "..\\difones", "c:\\som\\letras\\..\\difones"},
        {"/som/letras", "/difones", "/difones"},                           // slashes count
        {"", "difones", "difones"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(directoryRelativeTo(c.base, c.name), c.expected) << c.base << " + " << c.name;
}

}  // namespace
