// Marks the stressed vowel of an unaccented word by making it upper case,
// scanning the word from its last letter towards the first.
#pragma once
#include "translator/spelling.h"

// vowelCount and accented describe the word as it was extracted from the text
// (before an exception respelled it).
void markStress(WordBuffer& word, int vowelCount, bool accented);
