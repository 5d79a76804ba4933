// The "@" program-directory marker in settings values.
#include <vector>

#include "settings/settings_file.h"

std::string expandProgramMarker(const std::string& value, const std::string& programDirectory,
                                const std::string& startDir) {
    const std::string& directory =
        (programDirectory.empty() || programDirectory[0] == '@') ? startDir : programDirectory;
    std::string result = value;
    // inserted[i] marks the characters that came from an inserted directory.
    std::vector<bool> inserted(result.size(), false);
    auto insertDirectoryAt = [&](std::size_t position) {
        result.erase(position, 1);
        inserted.erase(inserted.begin() + static_cast<long>(position));
        result.insert(position, directory);
        inserted.insert(inserted.begin() + static_cast<long>(position), directory.size(), true);
    };
    for (;;) {
        if (result.empty()) break;
        if (result[0] == '@' && !inserted[0]) {
            insertDirectoryAt(0);
            continue;
        }
        std::size_t marker = std::string::npos;
        for (std::size_t i = 0; i + 1 < result.size(); ++i) {
            if (result[i] == '@' && result[i + 1] == '\\' && !inserted[i]) {
                marker = i;
                break;
            }
        }
        if (marker == std::string::npos) break;
        insertDirectoryAt(marker);
    }
    return result;
}
