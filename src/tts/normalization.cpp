#include "tts/normalization.h"

#include <cstdio>
#include <string_view>
#include <vector>

#include "numbers/number_words.h"
#include "translator/line_reader.h"
#include "platform/platform.h"
#include "text/cp1252.h"

// Non-ASCII letters are written as code page 1252 escapes (octal where a
// hexadecimal digit follows), so that the code means the same under every
// compiler's character set.
namespace tts {
namespace {

// Spoken names by byte value; letters have names too, for spelling.
const char* const symbolNames[256] = {
    "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "",
    "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "",
    "espa\xE7o", "exclama\xE7\xE3o", "aspas", "sustenido",  // 32
    "cifr\xE3o", "porcento", "\xE9 comercial", "ap\xF3strofo",  // 36
    "abre par\xEAnteses", "fecha par\xEAnteses", "asterisco", "mais",  // 40
    "v\xEDrgula", "tra\xE7o", "ponto", "barra",  // 44
    "z\xE9ro", "um", "dois", "tr\xEAs",  // 48
    "quatro", "cinco", "seis", "s\xE9te",  // 52
    "oito", "n\xF3ve", "dois pontos", "ponto e v\xEDrgula",  // 56
    "menor que", "igual", "maior que", "interroga\xE7\xE3o",  // 60
    "arr\364ba", "a", "b\xEA", " s\xEA",  // 64
    " d\xEA", "\xE9", "\351fe", "j\xEA",  // 68
    "ag\xE1", "i", "j\xF3ta", "c\xE1",  // 72
    "\xE9le", "\xEAme", "\xEAne", "\xF3",  // 76
    "p\xEA", "qu\xEA", "\xE9rre", "\xE9sse",  // 80
    "t\xEA", "u", "v\xEA", "d\341bliu",  // 84
    "xis", "\xEDpsilon", "z\xEA", "abre colchete",  // 88
    "barra invertida", "fecha colchete", "circunflexo", "sublinhado",  // 92
    "crase", "a", "b\xEA", " s\xEA",  // 96
    " d\xEA", "\xE9", "\351fe", "j\xEA",  // 100
    "ag\xE1", "i", "jota", "c\xE1",  // 104
    "\xE9le", "\xEAme", "ene", "\xF3",  // 108
    "p\xEA", "qu\xEA", "\xE9rre", "\xE9sse",  // 112
    "t\xEA", "u", "v\xEA", "d\341bliu",  // 116
    "xis", "\xEDpsilon", "z\xEA", "abre chave",  // 120
    "barra vertical", "fecha chave", "til", "",  // 124
    "", "", "", "",  // 128
    "", "", "", "",  // 132
    "", "", "", "",  // 136
    "", "", "", "",  // 140
    "", "", "", "",  // 144
    "", "", "", "",  // 148
    "", "", "", "",  // 152
    "", "", "", "",  // 156
    "", "exclama\xE7\xE3o reversa", "centavos de d\xF3lar", "libras",  // 160
    "s\xEDmbolo de moeda", "iene", "barra interrompida", "par\xE1grafo",  // 164
    "trema", "copyright", "ordinal feminino", "Aspas esquerdas",  // 168
    "nega\xE7\xE3o", "h\355fen", "Marca registrada", "m\341cron",  // 172
    "grau", "mais ou menos", "elevado ao quadrado", "elevado ao cubo",  // 176
    "acento agudo", "mi", "pi", "ponto no meio",  // 180
    "cedilha", "expoente um", "ordinal masculino", "aspas direitas",  // 184
    "um quarto", "um meio", "tr\xEAs quartos", "interroga\xE7\xE3o reversa",  // 188
    "A grave", "A agudo", "A circunflexo", "A com til",  // 192
    "A com trema", "A bola", "A \xC9", "C\xEA cedilha",  // 196
    "\xC9 grave", "\xC9 agudo", "\xC9 circunflexo", "\xC9 com trema",  // 200
    "I grave", "I agudo", "I circunflexo", "I com trema",  // 204
    "D\xEA cortado", "N com til", "\xD3 grave", "\xD3 agudo",  // 208
    "\xD3 circunflexo", "\xD3 com til", "\xD3 tremado", "vezes",  // 212
    "\xD3 cortado", "U grave", "U agudo", "U circunflexo",  // 216
    "U com trema", "", "", "",  // 220
    "A grave", "A agudo", "A circunflexo", "A com til",  // 224
    "A com trema", "A bola", "A \xC9", "C\xEA cedilha",  // 228
    "\xC9 grave", "\xC9 agudo", "\xC9 circunflexo", "\xC9 com trema",  // 232
    "I grave", "I agudo", "I circunflexo", "I com trema",  // 236
    "D\xEA cortado", "N com til", "\xD3 grave", "\xD3 agudo",  // 240
    "\xD3 circunflexo", "\xD3 com til", "\xD3 tremado", "vezes",  // 244
    "\xD3 cortado", "U grave", "U agudo", "U circunflexo",  // 248
    "U com trema", "", "", "",  // 252
};

const char* const unitOrdinals[10] = {"", "primeiro", "segundo", "terceiro", "quarto",
                                      "quinto", "sexto", "s\xE9timo", "oitavo", "nono"};
const char* const tenOrdinals[10] = {"", "d\351cimo", "vig\xE9simo", "trig\xE9simo", "quadrag\xE9simo",
                                     "quinquag\xE9simo", "sexag\xE9simo", "septuag\xE9simo",
                                     "octag\xE9simo", "nonag\xE9simo"};
const char* const hundredOrdinals[10] = {"", "cent\xE9simo", "ducent\xE9simo", "tricent\xE9simo",
                                         "quadrigent\xE9simo", "quingent\xE9simo", "seiscent\xE9simo",
                                         "septigent\xE9simo", "octigent\xE9simo", "nongent\xE9simo"};
const char* const thousandOrdinal = "mil\xE9simo";

const char* const digitWords[10] = {"zero", "um", "dois", "tr\xEAs", "quatro",
                                    "cinco", "seis", "sete", "oito", "nove"};

const NumberSpelling engineNumberSpelling = {"tr\xEAs", "cinq\374enta"};

constexpr unsigned char masculineOrdinalSign = 0xBA;
constexpr unsigned char feminineOrdinalSign = 0xAA;
constexpr int maximumNumberDigits = 15;

struct Abbreviation {
    std::string key;  // upper case
    std::string expansion;
};
std::vector<Abbreviation> abbreviations;

bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }

bool isLetter(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
    switch (c | 0x20) {  // the accented capitals are their small letters less 0x20
    case 0xE0: case 0xE1: case 0xE2: case 0xE3: case 0xE7: case 0xE9: case 0xEA: case 0xEC:
    case 0xED: case 0xF1: case 0xF3: case 0xF4: case 0xF5: case 0xF9: case 0xFA: case 0xFC:
        return c >= 0xC0;
    default:
        return false;
    }
}

bool isConsonant(unsigned char c) {
    const unsigned char l = cp1252::asciiLower(c);
    if (l >= 'b' && l <= 'z') return l != 'e' && l != 'i' && l != 'o' && l != 'u';
    return c == 0xC7 || c == 0xE7 || c == 0xD1 || c == 0xF1;
}

bool isKeptPunctuation(unsigned char c) {
    return c == ' ' || c == '!' || c == '(' || c == ')' || c == ',' || c == '.' || c == ':' || c == ';' ||
           c == '?';
}

unsigned char at(std::string_view text, std::size_t position) {
    return position < text.size() ? static_cast<unsigned char>(text[position]) : 0;
}

std::string_view trimSpacesAndTabs(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

// Reads a number from position, skipping thousands points ("1.000"); at
// most 15 digits, the next digit then starting a new number.
std::uint64_t readNumber(std::string_view text, std::size_t& position) {
    std::uint64_t value = 0;
    int digits = 0;
    while (digits < maximumNumberDigits) {
        const unsigned char c = at(text, position);
        if (isDigit(c)) {
            value = value * 10 + (c - '0');
            ++digits;
            ++position;
        } else if (c == '.' && isDigit(at(text, position + 1)) && isDigit(at(text, position + 2)) &&
                   isDigit(at(text, position + 3)) && !isDigit(at(text, position + 4)) && digits > 0) {
            ++position;
        } else {
            break;
        }
    }
    return value;
}

}  // namespace

std::string numberToWords(std::uint64_t value, Gender gender) {
    return ::numberToWords(value, engineNumberSpelling, gender);
}

bool countsFeminineNoun(std::string_view rest) {
    return nounFollows(rest, {"hora", "horas", "semana", "semanas", "vez", "vezes", "pessoa", "pessoas",
                              "página", "páginas", "linha", "linhas", "baterias"});
}

std::string symbolName(unsigned char c) { return symbolNames[c]; }

bool loadAbbreviations(const std::string& path) {
    abbreviations.clear();
    std::FILE* file = platform::openForReading(path);
    if (!file) return false;
    std::string line;
    while (readTextLine(file, line)) {
        if (static_cast<int>(abbreviations.size()) >= maximumAbbreviations) break;
        const std::string_view text = trimSpacesAndTabs(line);
        if (text.empty() || text.front() == ';') continue;
        const std::size_t equals = text.find('=');
        Abbreviation entry;
        if (equals != std::string_view::npos) {
            entry.key = cp1252::upper(trimSpacesAndTabs(text.substr(0, equals)));
            entry.expansion = std::string(trimSpacesAndTabs(text.substr(equals + 1)));
        } else {
            entry.expansion = std::string(text);  // an entry no word can find
        }
        if (entry.expansion.size() > maximumExpansionLength) entry.expansion.resize(maximumExpansionLength);
        abbreviations.push_back(std::move(entry));
    }
    const bool readFailed = std::ferror(file) != 0;
    std::fclose(file);
    if (readFailed) abbreviations.clear();
    return !readFailed;
}

std::string findAbbreviation(const std::string& word) {
    const std::string key = cp1252::upper(word);
    for (const Abbreviation& entry : abbreviations)
        if (entry.key == key) return entry.expansion;
    return "";
}

std::string ordinalWords(std::uint64_t value, Gender gender) {
    if (value >= 2000) return numberToWords(value);
    if (value == 0) return "zero";
    std::string result;
    const auto put = [&](const char* word) {
        std::string w = word;
        if (gender == Gender::feminine) w.back() = 'a';
        result.insert(0, w + " ");
    };
    if (value % 10) put(unitOrdinals[value % 10]);
    if (value / 10 % 10) put(tenOrdinals[value / 10 % 10]);
    if (value / 100 % 10) put(hundredOrdinals[value / 100 % 10]);
    if (value / 1000) put(thousandOrdinal);
    result.pop_back();  // the space after the last word
    return result;
}

std::string expandNumber(const std::string& text, std::size_t& position) {
    std::string words;
    std::size_t end = position;
    while (isDigit(at(text, end)) || at(text, end) == '-') ++end;
    if (text.find('-', position) < end) {  // dates and codes: digit by digit
        for (; position < end; ++position) {
            words += ' ';
            words += text[position] == '-' ? "tra\xE7o" : digitWords[text[position] - '0'];
        }
        return words;
    }
    while (at(text, position) == '0' && isDigit(at(text, position + 1))) {
        words += "zero ";
        ++position;
    }
    const std::uint64_t value = readNumber(text, position);
    const unsigned char next = at(text, position);
    const unsigned char second = at(text, position + 1);
    Gender gender = Gender::masculine;
    std::size_t ending = 0;
    bool plural = false;
    if (next == masculineOrdinalSign || next == feminineOrdinalSign) {
        gender = next == feminineOrdinalSign ? Gender::feminine : Gender::masculine;
        ending = 1;
    } else if ((next == 'o' || next == 'a') && second == '.') {
        gender = next == 'a' ? Gender::feminine : Gender::masculine;
        ending = 2;
    } else if ((next == 'o' || next == 'a') && second == 's' && at(text, position + 2) == '.') {
        gender = next == 'a' ? Gender::feminine : Gender::masculine;
        ending = 3;
        plural = true;
    }
    if (ending == 0)
        return words + numberToWords(value, countsFeminineNoun(std::string_view(text).substr(position))
                                                ? Gender::feminine
                                                : Gender::masculine);
    position += ending;
    return ordinalWords(value, gender) + (plural ? "s" : "");
}

std::string spellOrKeep(const std::string& text, std::size_t& position) {
    const std::size_t start = position;
    bool allConsonants = true;
    while (isLetter(at(text, position))) {
        allConsonants = allConsonants && isConsonant(at(text, position));
        ++position;
        if (at(text, position) == '-') ++position;  // 'guarda-chuva' is one run
    }
    std::string run = text.substr(start, position - start);
    if (!allConsonants || (at(text, position) == '.' && !findAbbreviation(run).empty())) return run;
    std::string spelled;
    for (const char c : run) spelled += symbolNames[static_cast<unsigned char>(c)];
    return spelled;
}

std::string normalizeText(const std::string& text) {
    if (text.size() == 1) return symbolName(static_cast<unsigned char>(text[0]));
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    std::size_t p = 0;
    while (p < text.size()) {
        const unsigned char c = at(text, p);
        const unsigned char next = at(text, p + 1);
        if (p > 0 && text[p - 1] == ' ' && c == '-' && next == ' ') {
            out += ',';  // a dash between spaces is a pause
            ++p;
        } else if (c == '-' && isDigit(next)) {
            out += "menos ";
            ++p;
        } else if (isDigit(c)) {
            out += expandNumber(text, p);
            out += ' ';
            while ((at(text, p) == ',' || at(text, p) == '.') && isDigit(at(text, p + 1))) {
                out += text[p] == ',' ? "v\xEDrgula " : "ponto ";
                ++p;
                out += expandNumber(text, p);
                out += ' ';
            }
        } else if (isLetter(c)) {
            const std::string word = spellOrKeep(text, p);
            // An abbreviation's point ends it when a space or the end of the text follows.
            std::string expansion;
            if (at(text, p) == '.' && (at(text, p + 1) == ' ' || p + 1 == text.size()))
                expansion = findAbbreviation(word);
            if (!expansion.empty()) {
                out += expansion;
                ++p;
            } else {
                out += word;
            }
        } else if (c == '.' && next == '.' && at(text, p + 2) == '.') {
            out += "... ";
            p += 3;
        } else if (c == '.' && p + 1 < text.size() && next != ' ') {
            out += " ponto ";  // points inside addresses and names are read
            ++p;
        } else {
            if (isKeptPunctuation(c)) {
                out += static_cast<char>(c);
            } else if (c == '\t' || c == '\n' || c == '\r') {
                // A line break or tab still parts the words on either side of it
                // ("minutos\r\n80" is two words, not one).
                if (!out.empty() && out.back() != ' ') out += ' ';
            } else {
                out += ' ';
                out += symbolNames[c];
                out += ' ';
            }
            ++p;
        }
    }
    return out;
}

}  // namespace tts
