// A settings text and one choice of the settings menu, both arbitrary: the
// write is refused only for a text that is not text or has a doubtful line,
// and otherwise the new text reads as the old one with exactly that change,
// the menu built from it shows the choice, and writing it again changes nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "menu/settings_menu.h"
#include "settings/settings_writer.h"

namespace {

menu::StartingPoint startFrom(const std::string& text) { return {text, {{5, 1, "A"}, {54, 1, ""}, {4, 2, ""}}, true, false}; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::string text(reinterpret_cast<const char*>(data) + 2, size - 2);
    const menu::Menu before = menu::menuFrom(startFrom(text));
    const std::size_t itemIndex = data[0] % before.items.size();
    const menu::Item& item = before.items[itemIndex];
    const std::size_t choice = data[1] % item.choices.size();
    const std::vector<SettingChange>& changes = item.choices[choice].settings;
    if (changes.empty()) return 0;  // the logon entry is not in the file

    const ChangedText changed = withSettingsChanged(text, changes);
    if (changed.problem != TextProblem::none) {
        if (!changed.text.empty()) std::abort();
        if (changed.problem == TextProblem::notText && text.find('\0') == std::string::npos) std::abort();
        if (changed.problem == TextProblem::notWritable) std::abort();  // every choice fits a plain text
        return 0;
    }
    if (!readsAsChanged(text, changed.text, changes)) std::abort();
    for (const SettingChange& change : changes)
        if (settingValueIn(changed.text, change.section, change.key) != change.value) std::abort();
    const menu::Menu after = menu::menuFrom(startFrom(changed.text));
    if (after.items[itemIndex].initial != static_cast<int>(choice)) std::abort();
    const ChangedText again = withSettingsChanged(changed.text, changes);
    if (again.problem != TextProblem::none || again.text != changed.text) std::abort();
    return 0;
}
