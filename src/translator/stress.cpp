#include "translator/stress.h"

#include <cstring>

namespace {

enum class State { Start, AfterConsonant, AfterM, AfterS, FinalHigh, FinalVowel, InnerHigh };

bool oneOf(unsigned char c, const char* set) { return c != 0 && std::strchr(set, c) != nullptr; }

void stressAt(WordBuffer& word, int position) {
    unsigned char& c = word.at[position];
    if (word.inside(position) && c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 'a' + 'A');
}

// An i or u at p+1 preceded by the letter at p: is the i/u itself stressed?
// (true for a consonant before it, or for the u of gu/qu).
bool highVowelTakesStress(const WordBuffer& word, int p) {
    const unsigned char c = word.letterAt(p);
    if (spelling::isConsonant(c)) return true;
    return c == 'u' && oneOf(word.letterAt(p - 1), "gq");
}

}  // namespace

void markStress(WordBuffer& word, int vowelCount, bool accented) {
    if (accented || vowelCount == 0) return;
    if (vowelCount == 1 && word.letterAt(word.length) != 'l') return;

    State state = State::Start;
    for (int p = word.length; p >= 1; --p) {
        const unsigned char c = word.at[p];
        switch (state) {
        case State::Start:
            if (oneOf(c, "aeo")) state = State::FinalVowel;
            else if (oneOf(c, "iu")) state = State::FinalHigh;
            else if (oneOf(c, "lnrxz")) state = State::AfterConsonant;
            else if (c == 'm') state = State::AfterM;
            else if (c == 's') state = State::AfterS;
            break;
        case State::AfterConsonant:
            if (spelling::isVowel(c)) return stressAt(word, p);
            break;
        case State::AfterM:
            if (oneOf(c, "ae")) state = State::FinalVowel;
            else if (oneOf(c, "iu")) state = State::FinalHigh;
            else if (c == 'o') return stressAt(word, p);
            break;
        case State::AfterS:
            if (oneOf(c, "aeo")) state = State::FinalVowel;
            else if (oneOf(c, "iu")) state = State::FinalHigh;
            break;
        case State::FinalHigh:
            return stressAt(word, highVowelTakesStress(word, p) ? p + 1 : p);
        case State::FinalVowel:
            if (oneOf(c, "aeo")) return stressAt(word, p);
            if (oneOf(c, "iu")) state = State::InnerHigh;
            break;
        case State::InnerHigh: {
            if (highVowelTakesStress(word, p)) return stressAt(word, p + 1);
            // A vowel before the i/u: the i/u is stressed when a closing
            // consonant follows it (ra-i-nha, ca-ir-rar, a-in-da).
            const unsigned char d = word.letterAt(p + 2);
            const unsigned char e = word.letterAt(p + 3);
            const bool closed = oneOf(d, "lmnrz") &&
                                ((d == 'n' && e == 'h') || (d == 'r' && e == 'r') ||
                                 (spelling::isConsonant(e) && e != 'h'));
            return stressAt(word, closed ? p + 1 : p);
        }
        }
    }
}
