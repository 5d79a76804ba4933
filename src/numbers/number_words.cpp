// Portuguese number words as text.  Non-ASCII letters are written as code
// page 1252 escapes.
#include "numbers/number_words.h"

#include <string>

#include "text/cp1252.h"

namespace {

const char* const unitWords[10] = {"", "um", "dois", nullptr, "quatro", "cinco", "seis", "sete", "oito", "nove"};
const char* const teenWords[10] = {"dez", "onze", "doze", "treze", "quatorze",
                                   "quinze", "dezesseis", "dezessete", "dezoito", "dezenove"};
const char* const tenWords[10] = {"", "", "vinte", "trinta", "quarenta", nullptr,
                                  "sessenta", "setenta", "oitenta", "noventa"};
const char* const hundredWords[10] = {"", "cento", "duzentos", "trezentos", "quatrocentos", "quinhentos",
                                      "seiscentos", "setecentos", "oitocentos", "novecentos"};
const char* const feminineUnitWords[3] = {"", "uma", "duas"};

// Scale words of the groups from the highest (10^12) down; each ends in a space.
const char* const scaleSingular[4] = {"trilh\xE3o ", "bilh\xE3o ", "milh\xE3o ", "mil "};
const char* const scalePlural[4] = {"trilh\xF5" "es ", "bilh\xF5" "es ", "milh\xF5" "es ", "mil "};

constexpr int groupCount = 5;
constexpr int digitCount = groupCount * 3;
constexpr int thousandsGroup = 3;
constexpr int unitsGroup = 4;

// Three and fifty are the words whose spelling differs between users.
const char* unitWord(char digit, const NumberSpelling& spelling, NumberGender gender) {
    if (gender == NumberGender::feminine && digit <= '2') return feminineUnitWords[digit - '0'];
    return digit == '3' ? spelling.three : unitWords[digit - '0'];
}
// "duzentos" ... "novecentos" end in "os"; "cento" has no feminine.
std::string hundredWord(char digit, NumberGender gender) {
    std::string word = hundredWords[digit - '0'];
    if (gender == NumberGender::feminine && digit >= '2') word[word.size() - 2] = 'a';
    return word;
}
const char* tenWord(char digit, const NumberSpelling& spelling) {
    return digit == '5' ? spelling.fifty : tenWords[digit - '0'];
}

}  // namespace

// The recorded words' file names carry no accents.
const NumberSpelling recordedNumberSpelling = {"tres", "cinquenta"};

std::string tripleWords(char hundreds, char tens, char units) {
    return tripleWords(hundreds, tens, units, recordedNumberSpelling);
}

std::string numberToWords(unsigned long long n) { return numberToWords(n, recordedNumberSpelling); }

std::string tripleWords(char hundreds, char tens, char units, const NumberSpelling& spelling, NumberGender gender) {
    if (hundreds == '0' && tens == '0' && units == '0') return "";
    if (hundreds == '1' && tens == '0' && units == '0') return "cem";
    std::string words;
    if (hundreds != '0') {
        words = hundredWord(hundreds, gender);
        if (tens == '0' && units == '0') return words;
        words += " e ";
    }
    if (tens == '1') return words + teenWords[units - '0'];
    if (tens != '0') {
        words += tenWord(tens, spelling);
        if (units == '0') return words;
        words += " e ";
    }
    if (units != '0') words += unitWord(units, spelling, gender);
    return words;
}

std::string numberToWords(unsigned long long n, const NumberSpelling& spelling, NumberGender gender) {
    if (n == 0) return "zero";
    std::string digits = std::to_string(n);
    // Only the lowest 15 digits (up to the trillions) have words.
    if (digits.size() > digitCount) digits.erase(0, digits.size() - digitCount);
    digits.insert(0, digitCount - digits.size(), '0');

    std::string groupWords[groupCount];
    int last = -1;
    for (int g = 0; g < groupCount; ++g) {
        const char* d = digits.c_str() + 3 * g;
        const bool single = d[0] == '0' && d[1] == '0' && d[2] == '1';
        // The thousands and the units count the noun itself; a single
        // thousand stays "um mil", which is said "mil" below.
        const bool countsNoun = g == thousandsGroup ? !single : g == unitsGroup;
        groupWords[g] = tripleWords(d[0], d[1], d[2], spelling, countsNoun ? gender : NumberGender::masculine);
        bool zeroGroup = d[0] == '0' && d[1] == '0' && d[2] == '0';
        if (g < groupCount - 1 && !zeroGroup) {
            groupWords[g] += std::string(" ") + (single ? scaleSingular[g] : scalePlural[g]);
        }
        if (!groupWords[g].empty()) last = g;
    }

    std::string result;
    bool earlierWords = false;
    for (int g = 0; g <= last; ++g) {
        if (groupWords[g].empty()) continue;
        if (g == last && earlierWords) result += "e ";
        result += groupWords[g];
        earlierWords = true;
    }
    // "um mil" is said "mil"; "um milhão" keeps its "um".
    if (result.rfind("um mil", 0) == 0 && result.rfind("um milh", 0) != 0) result.erase(0, 3);
    return result;
}

std::string feminineWords(const std::string& words) {
    auto endsWithWord = [&words](const std::string& word) {
        return words.size() >= word.size() && words.compare(words.size() - word.size(), word.size(), word) == 0 &&
               (words.size() == word.size() || words[words.size() - word.size() - 1] == ' ');
    };
    if (endsWithWord("um")) return words + "a";
    if (endsWithWord("dois")) return words.substr(0, words.size() - 4) + "duas";
    return words;
}

bool nounFollows(std::string_view rest, std::initializer_list<std::string_view> nouns) {
    if (rest.empty() || rest[0] != ' ') return false;
    rest.remove_prefix(1);
    for (std::string_view noun : nouns) {
        if (rest.size() < noun.size() || cp1252::upper(rest.substr(0, noun.size())) != cp1252::upper(noun)) continue;
        if (rest.size() == noun.size()) return true;
        // Every byte above 127 counts as a letter, so "horas" never ends inside "horário".
        const unsigned char next = cp1252::asciiLower(static_cast<unsigned char>(rest[noun.size()]));
        if (!(next >= 'a' && next <= 'z') && next < 128) return true;
    }
    return false;
}
