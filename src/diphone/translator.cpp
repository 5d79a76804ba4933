// First body of the translator so that the speech module links; replaced by
// the rule-driven translator.
#include "diphone/translator.h"

bool loadRules(const std::string&) { return false; }
bool loadExceptions(const std::string&) { return false; }
void freeRules() {}
std::string translateToPhonemes(const std::string&) { return std::string(); }
