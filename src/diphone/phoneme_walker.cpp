#include "diphone/phoneme_walker.h"

#include <cstring>

namespace {

bool isConsonant(char c) { return c != 0 && std::strchr("bcdfgjklmnpqrstvxz", c) != nullptr; }
bool isVowel(char c) { return c != 0 && std::strchr("aeiouAEIOU", c) != nullptr; }
bool isStressedVowel(char c) { return c != 0 && std::strchr("AEIOU", c) != nullptr; }
bool isSemivowel(char c) { return c == 'w' || c == 'y'; }
bool isMarker(char c) { return c == '^' || c == '~'; }

bool endsWith(const std::string& s, const char* tail) {
    std::size_t n = std::strlen(tail);
    return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

class Walker {
public:
    Walker(const std::string& phonemes, bool keep, int tokenPause, UnitSink& sink)
        : s_(phonemes), keep_(keep), tokenPause_(tokenPause), sink_(sink) {}

    void run() {
        while (pos_ < s_.size()) {
            std::string token = nextToken();
            sink_.tokenTaken(token);
            splitToken(token, 1.0);
            if (pos_ < s_.size() && s_[pos_ - 1] != ' ') sink_.appendSilence(tokenPause_);
        }
    }

private:
    std::string nextToken() {
        if (s_[pos_] == '[') {
            stress_ = 1;
            ++pos_;
        }
        std::string token;
        auto add = [&token](char c) {
            if (token.size() < tokenLimit) token.push_back(c);
        };
        while (pos_ < s_.size() && s_[pos_] != ' ' && s_[pos_] != ']') {
            char c = s_[pos_];
            if (c == '/') {
                ++pos_;
                if (token.size() > 8) return punctuation(token);
            } else if (c == '_') {
                add('_');
                if (pos_ + 1 < s_.size()) add(s_[pos_ + 1]);
                pos_ += 2;
            } else if (c == '|') {
                token = "_TRACO";
                ++pos_;
            } else {
                add(c);
                ++pos_;
            }
        }
        if (pos_ < s_.size()) ++pos_;  // the space or "]"
        return punctuation(token);
    }

    std::string punctuation(const std::string& token) {
        if (keep_ || token.size() != 2 || token[0] != '_') return token;
        switch (token[1]) {
            case ',': sink_.appendSilence(commaPauseSamples); return {};
            case '.': sink_.appendSilence(fullStopPauseSamples); return {};
            case ':': sink_.appendSilence(colonPauseSamples); return {};
            case ';': sink_.appendSilence(semicolonPauseSamples); return {};
            default: return token;
        }
    }

    void splitToken(std::string t, double f) {
        if (t.size() > tokenLimit) t.resize(tokenLimit);
        std::size_t n = t.size();
        if (n == 0) return;
        if (n == 1) return emitPiece(t, f);
        char last = t[n - 1];
        char beforeLast = t[n - 2];
        if (n >= 3 && isConsonant(t[0]) && isConsonant(t[1])) {
            std::string pair = t.substr(0, 2);
            if (pair != "dj" && pair != "nh" && pair != "rr" && pair != "ks" &&
                t.compare(0, 3, "tch") != 0) {
                emitPiece(t.substr(0, 1), 1.0);
                return splitToken(t.substr(1), f);
            }
        }
        if (n >= 3 && endsWith(t, "rr")) {
            splitToken(t.substr(0, n - 2), f);
            return emitPiece("rr", f);
        }
        if (n >= 3 && isConsonant(last)) {
            splitToken(t.substr(0, n - 1), f);
            return splitToken(t.substr(n - 1), f);
        }
        if (isSemivowel(last) && (isVowel(beforeLast) || isSemivowel(beforeLast)) && n >= 3) {
            splitToken(t.substr(0, n - 1), 0.6);
            return emitPiece(t.substr(n - 2), f);
        }
        if (isSemivowel(last) && isMarker(beforeLast)) {
            if (n >= 4) {
                if (beforeLast == '~')
                    splitToken(t.substr(0, n - 2) + "^", 0.6);
                else
                    splitToken(t.substr(0, n - 1), 0.6);
                return emitPiece(std::string{t[n - 3], last, beforeLast}, f);
            }
            if (n == 3) return emitPiece(std::string{t[0], t[2], t[1]}, f);
            // A marker and a semivowel alone: the semivowel carries the mark.
            return emitPiece(std::string{last, beforeLast}, f);
        }
        if (t != "_s" && last == 's') {
            splitToken(t.substr(0, n - 1), 0.7);
            return emitPiece("s", f);
        }
        emitPiece(t, f);
    }

    void emitPiece(std::string p, double f) {
        if (p.size() > pieceLimit) p.resize(pieceLimit);
        if (p[0] == '_') {
            // A lone "_" (the last character of the string) names nothing.
            if (p.size() >= 2)
                playUnit("_" + std::to_string(static_cast<unsigned char>(p[1])), stress_, f);
            return;
        }
        std::string u = "$";
        bool stressed = false;
        for (char c : p) {
            if (isStressedVowel(c)) {
                stress_ = 2;
                stressed = true;
            }
            if (c == '^') {
                playUnit(u + "CIRC", stress_, f);
                u = "$";
            } else if (c == '~') {
                playUnit(u + "TIL", stress_, f);
                u = "$";
            } else if (u.size() < unitNameLimit) {
                u.push_back(c);
            }
        }
        if (u != "$") playUnit(u, stress_, f);
        if (stressed) stress_ = 0;
    }

    void playUnit(std::string k, int s, double f) {
        if (k.size() > unitNameLimit) k.resize(unitNameLimit);
        bool found = k[0] == '_' ? sink_.appendRecording(k) : sink_.appendDiphone(k, s, f);
        if (found) return;
        std::size_t n = k.size();
        if (n <= 2) return sink_.appendNoise();
        char last = k[n - 1];
        if (isVowel(last) || isSemivowel(last)) {
            playUnit(k.substr(0, n - 1), s, 0.9 * f);
            return playUnit(std::string("$") + last, s, f);
        }
        if (endsWith(k, "CIRC") && n >= 7) {
            playUnit(k.substr(0, n - 5), s, 0.9 * f);
            return playUnit("$" + k.substr(n - 5), s, f);
        }
        if (endsWith(k, "TIL")) {
            std::string v = k.substr(0, n - 3);
            char vowel = v.back();
            if (vowel == 'I' || vowel == 'i' || vowel == 'U' || vowel == 'u')
                playUnit(v, s, 0.9 * f);
            else
                playUnit(v + "CIRC", 2, 0.9 * f);
            return playUnit("$nn", 1, 0.9);
        }
        sink_.unitOmitted(k);
    }

    const std::string& s_;
    bool keep_;
    int tokenPause_;
    UnitSink& sink_;
    std::size_t pos_ = 0;
    int stress_ = 1;
};

}  // namespace

void walkPhonemes(const std::string& phonemes, bool keepPunctuationUnits, int tokenPause,
                  UnitSink& sink) {
    Walker(phonemes, keepPunctuationUnits, tokenPause, sink).run();
}
