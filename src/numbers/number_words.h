// Portuguese number words as text: the words of a number that both the
// recorded number words and the text-to-speech engine say.  Code page 1252.
#pragma once
#include <initializer_list>
#include <string>
#include <string_view>

// The words of 3 and 50, the only ones spelled differently by the recorded
// words (file names without accents) and by the text-to-speech engine.
struct NumberSpelling {
    const char* three;
    const char* fifty;
};
extern const NumberSpelling recordedNumberSpelling;  // "tres", "cinquenta"

// A feminine count says "uma", "duas" and "duzentas" ... "novecentas" in its
// units and thousands ("vinte e uma mil horas"); millions and above count
// the masculine "milhão" and keep their masculine words.
enum class NumberGender { masculine, feminine };

// n of up to 15 digits (higher digits have no words and are dropped).
std::string numberToWords(unsigned long long n);
std::string numberToWords(unsigned long long n, const NumberSpelling& spelling,
                          NumberGender gender = NumberGender::masculine);
std::string tripleWords(char hundreds, char tens, char units);
std::string tripleWords(char hundreds, char tens, char units, const NumberSpelling& spelling,
                        NumberGender gender = NumberGender::masculine);
// The words of a number that counts a feminine noun, as the recorded words
// can say them: only the last word "um" becomes "uma" and "dois" "duas".
std::string feminineWords(const std::string& words);

// True when rest is a space and one of the nouns (letter case aside) that
// no letter follows: what the number before rest counts.
bool nounFollows(std::string_view rest, std::initializer_list<std::string_view> nouns);
