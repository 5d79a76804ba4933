// A modal message the user must acknowledge (the engine's data loaders tell
// what is wrong with a data file this way).  The Windows edge shows a message
// box; native tests link a fake that records the texts.
#pragma once
#include <string>

void showMessageBox(const std::string& text);
