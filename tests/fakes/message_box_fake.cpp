#include "fakes/fake_message_box.h"
#include "tts/message_box.h"

namespace fake {

std::vector<std::string>& shownMessages() {
    static std::vector<std::string> texts;
    return texts;
}

}  // namespace fake

void showMessageBox(const std::string& text) { fake::shownMessages().push_back(text); }
