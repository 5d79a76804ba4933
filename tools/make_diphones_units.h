// The units of the default voice's diphone database and the spoken carrier
// word each one is cut from.  A carrier is prefix + target + suffix in
// espeak-ng's phoneme notation for pt-br; the unit is the stretch from the
// start of the target's first phoneme to the start of the suffix.
#pragma once
#include <string>
#include <vector>

namespace diphones {

struct UnitSpec {
    std::string name;    // "$" + upper-cased symbols, at most 8 characters
    std::string prefix;  // phonemes before the unit (with the stress mark)
    int prefixPhonemes;
    std::string target;
    std::string suffix;
    int suffixPhonemes;

    // The unit begins with a stop (p b t d k g, alone, in a cluster, tch, dj, ks).
    bool startsWithStop() const { return name.size() >= 2 && std::string("PBTDKG").find(name[1]) != std::string::npos; }

    // The unit ends in a vowel, a closed or nasal vowel, or a glide.
    bool endsVoiced() const {
        if (name.size() >= 4 && (name.ends_with("CIRC") || name.ends_with("TIL"))) return true;
        char last = name.empty() ? 0 : name.back();
        return last == 'A' || last == 'E' || last == 'I' || last == 'O' || last == 'U' || last == 'W' || last == 'Y';
    }
};

struct Symbol {
    const char* ours;    // as the rules write it
    const char* spoken;  // as espeak-ng reads it
};

// Syllable onsets: every consonant symbol, the kw/gw clusters and the semivowels.
inline const std::vector<Symbol>& onsets() {
    static const std::vector<Symbol> list = {
        {"p", "p"},   {"b", "b"},   {"t", "t"},   {"d", "d"},   {"k", "k"},   {"g", "g"},
        {"f", "f"},   {"v", "v"},   {"s", "s"},   {"z", "z"},   {"x", "S"},   {"j", "Z"},
        {"m", "m"},   {"n", "n"},   {"l", "l"},   {"r", "*"},   {"rr", "x"},  {"nh", "n^"},
        {"ly", "l^"}, {"tch", "tS"}, {"dj", "dZ"}, {"ks", "ks"}, {"kw", "kw"}, {"gw", "gw"},
        {"w", "w"},   {"y", "j"},
    };
    return list;
}

// Vowels: plain (open e and o), closed ("CIRC") and nasal ("TIL").
inline const std::vector<Symbol>& plainVowels() {
    static const std::vector<Symbol> list = {{"a", "a"}, {"e", "E"}, {"i", "i"}, {"o", "O"}, {"u", "u"}};
    return list;
}
inline const std::vector<Symbol>& closedVowels() {
    static const std::vector<Symbol> list = {{"a", "&"}, {"e", "e"}, {"i", "i"}, {"o", "o"}, {"u", "u"}};
    return list;
}
inline const std::vector<Symbol>& nasalVowels() {
    static const std::vector<Symbol> list = {{"a", "&~"}, {"e", "e~"}, {"i", "i~"}, {"o", "o~"}, {"u", "u~"}};
    return list;
}

inline std::string upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

// Consonants said alone: stops and f, v open a cluster (pra, fla); s, z, x,
// j, m, n, r and rr close a syllable (mas, mar); the rest come from before a vowel.
inline bool opensCluster(const std::string& consonant) {
    return consonant.size() == 1 && std::string("pbtdkgfv").find(consonant) != std::string::npos;
}

inline bool closesSyllable(const std::string& consonant) {
    for (const char* c : {"s", "z", "x", "j", "m", "n", "r", "rr"})
        if (consonant == c) return true;
    return false;
}

inline std::vector<UnitSpec> unitInventory() {
    std::vector<UnitSpec> units;
    auto add = [&units](std::string name, std::string prefix, int prefixPhonemes, std::string target,
                        std::string suffix = "ta", int suffixPhonemes = 2) {
        if (name.size() > 8) return;  // such names fall back to shorter units
        units.push_back({std::move(name), std::move(prefix), prefixPhonemes, std::move(target),
                         std::move(suffix), suffixPhonemes});
    };
    struct Marked {
        const std::vector<Symbol>* vowels;
        const char* mark;
    };
    const Marked kinds[] = {{&plainVowels(), ""}, {&closedVowels(), "CIRC"}, {&nasalVowels(), "TIL"}};

    // Consonant (or cluster, or semivowel) + vowel, stressed, between "ta" syllables.
    for (const Symbol& onset : onsets())
        for (const Marked& kind : kinds)
            for (const Symbol& vowel : *kind.vowels)
                add("$" + upper(std::string(onset.ours) + vowel.ours) + kind.mark, "ta'", 2,
                    std::string(onset.spoken) + vowel.spoken);

    // Vowels alone, after a vowel.
    for (const Marked& kind : kinds)
        for (const Symbol& vowel : *kind.vowels)
            add("$" + upper(vowel.ours) + kind.mark, "ta'", 2, vowel.spoken);

    // Diphthongs: vowel + semivowel, plain, closed and nasal.
    const Symbol semivowels[] = {{"w", "w"}, {"y", "j"}};
    for (const Marked& kind : kinds)
        for (const Symbol& vowel : *kind.vowels)
            for (const Symbol& glide : semivowels) {
                std::string target = std::string(vowel.spoken) + glide.spoken;
                if (std::string(kind.mark) == "TIL" && std::string(vowel.ours) == "a" &&
                    std::string(glide.ours) == "w")
                    target = "&U~";  // the nasal diphthong of "mão"
                add("$" + upper(std::string(vowel.ours) + glide.ours) + kind.mark, "ta'", 2, target);
            }

    // A vowel closed by a consonant, for syllables without an onset ("ar", "em").
    for (const Symbol& vowel : plainVowels())
        for (const Symbol& onset : onsets()) {
            std::string ours = onset.ours;
            if (ours.size() != 1 || ours == "w" || ours == "y" || ours == "s") continue;
            std::string suffix = ours == "t" || ours == "d" ? "pa" : "ta";
            add("$" + upper(std::string(vowel.ours) + ours), "ta'", 2, std::string(vowel.spoken) + onset.spoken,
                suffix, 2);
        }

    // Consonants alone.
    for (const Symbol& onset : onsets()) {
        std::string ours = onset.ours;
        if (ours == "kw" || ours == "gw" || ours == "w" || ours == "y") continue;
        if (opensCluster(ours))
            add("$" + upper(ours), "ta'", 2, onset.spoken, "ra", 2);
        else if (closesSyllable(ours))
            add("$" + upper(ours), "t'a", 2, onset.spoken);
        else  // l, nh, ly, tch, dj, ks: taken from before a vowel
            add("$" + upper(ours), "ta'", 2, onset.spoken, "a", 1);
    }

    // Semivowels alone, plain and nasal, and the nasal tail.
    add("$W", "t'a", 2, "w");
    add("$Y", "t'a", 2, "j");
    add("$WTIL", "t'&~", 2, "w");
    add("$YTIL", "t'&~", 2, "j");
    add("$NN", "t'&~", 2, "N");
    return units;
}

}  // namespace diphones
