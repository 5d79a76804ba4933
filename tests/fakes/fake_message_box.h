// Control of the native fake of the message box: every text shown is kept.
#pragma once
#include <string>
#include <vector>

namespace fake {

std::vector<std::string>& shownMessages();

}  // namespace fake
