#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "translator/exceptions.h"
#include "translator/letter_rules.h"
#include "translator/translator.h"
#include "translator/translator_test_files.h"

namespace {

using translator_test::identityRules;
using translator_test::writeTempFile;

WordBuffer wordOf(const std::string& text) {
    WordBuffer w;
    for (char c : text) w.at[++w.length] = static_cast<unsigned char>(c);
    return w;
}

std::string describe(const LetterRule& r) { return r.left + "(" + r.match + ")" + r.right + "=" + r.output; }

TEST(RulesLoader, SplitsFieldsCutsThemAndSkipsLinesThatAreNotRules) {
    ASSERT_TRUE(loadRules(writeTempFile("format.rgr",
                                        "\n"
                                        "no parenthesis=x|\n"
                                        "()=empty match|\n"
                                        "(a)=lower-case key|\n"
                                        "(~)=tilde key|\n"
                                        "(\x80)=high key|\n"
                                        "(B=no closing parenthesis|\n"
                                        "(B)no equals sign|\n"
                                        "ABCDEFG(BCDEFGH)IJKLMNO=0123456789abcdef|ignored\n"
                                        " #(B) %= b |\n"
                                        "(B)=to the end\r\n"
                                        "(B)=a|b|c\n"
                                        "X(()=paren|\n"
                                        "(^)=circ|\n")));
    ASSERT_EQ(letter_rules::count('B'), 4);
    EXPECT_EQ(describe(letter_rules::rule('B', 0)), "ABCDE(BCDEF)IJKLM=0123456789a");
    EXPECT_EQ(describe(letter_rules::rule('B', 1)), " #(B) %= b ");
    EXPECT_EQ(describe(letter_rules::rule('B', 2)), "(B)=to the end");
    EXPECT_EQ(describe(letter_rules::rule('B', 3)), "(B)=a");
    EXPECT_EQ(letter_rules::count('('), 1);
    EXPECT_EQ(describe(letter_rules::rule('(', 0)), "X(()=paren");
    EXPECT_EQ(letter_rules::count('^'), 1);
    int total = 0;
    for (int key = 0x20; key <= 0x5F; ++key) total += letter_rules::count(static_cast<unsigned char>(key));
    EXPECT_EQ(total, 6);
    freeRules();
    EXPECT_EQ(letter_rules::count('B'), 0);
}

TEST(RulesLoader, KeysSplitOverSeveralBlocksKeepFileOrder) {
    ASSERT_TRUE(loadRules(writeTempFile("blocks.rgr",
                                        "(A)B=first|\n"
                                        "(C)=c|\n"
                                        "(A)=second|\n"
                                        "(D)=d|\n"
                                        "(A)=third|\n")));
    ASSERT_EQ(letter_rules::count('A'), 3);
    EXPECT_EQ(letter_rules::rule('A', 0).output, "first");
    EXPECT_EQ(letter_rules::rule('A', 1).output, "second");
    EXPECT_EQ(letter_rules::rule('A', 2).output, "third");
    EXPECT_EQ(translateToPhonemes("ab"), "[first/ /_B]");
    EXPECT_EQ(translateToPhonemes("ad"), "[second/d]");
    freeRules();
}

TEST(RulesLoader, FilesThatCannotBeReadLoadNothing) {
    ASSERT_TRUE(loadRules(writeTempFile("one.rgr", "(A)=a|\n")));
    ASSERT_TRUE(loadExceptions(writeTempFile("one.exc", "x=y\n")));
    const auto missing = (std::filesystem::temp_directory_path() / "voltanor-no-such-file.rgr").string();
    EXPECT_FALSE(loadRules(missing));
    EXPECT_EQ(letter_rules::count('A'), 0);
    EXPECT_EQ(exceptions::count(), 0);  // loading rules always empties the exceptions

    ASSERT_TRUE(loadRules(writeTempFile("one.rgr", "(A)=a|\n")));
    ASSERT_TRUE(loadExceptions(writeTempFile("one.exc", "x=y\n")));
    EXPECT_FALSE(loadExceptions(missing));
    EXPECT_EQ(exceptions::count(), 0);

    // A folder opens on some systems and then fails to read: no partial load.
    const auto folder = std::filesystem::temp_directory_path().string();
    EXPECT_FALSE(loadRules(folder));
    EXPECT_FALSE(loadExceptions(folder));
    EXPECT_EQ(exceptions::count(), 0);
    freeRules();
}

TEST(RulesLoader, MatchLongerThanFiveUsesItsFirstFive) {
    ASSERT_TRUE(loadRules(writeTempFile("long.rgr", "(ABCDEFG)=x|\n(F)=f|\n")));
    EXPECT_EQ(translateToPhonemes("abcdef"), "[x/f]");
    EXPECT_EQ(translateToPhonemes("abcdeg"), "[x/ /_G]");
    EXPECT_EQ(translateToPhonemes("abcd"), "[ /_A/ /_B/ /_C/ /_D]");
    // The last rule consumes several letters: no "/" before the bracket.
    EXPECT_EQ(translateToPhonemes("fabcde"), "[f/x]");
    freeRules();
}

TEST(LeftContext, EverySymbol) {
    const struct {
        const char* word;
        int cursor;
        const char* left;
        bool holds;
    } cases[] = {
        {"abc", 1, "", true},
        {"abc", 1, "%", true},      {"abc", 2, "%", false},
        {"aeb", 3, "#", true},      {"a'b", 3, "#", true},      {"xb", 2, "#", false},
        {"b", 1, "#", false},
        {"xaeb", 4, "X#", true},    {"xaeb", 4, "XA#", false},  // # takes every vowel
        {"aeb", 3, "%#", true},     {"ab", 2, "%#", true},
        {"eb", 2, "]", true},       {"Ib", 2, "]", true},       {"ab", 2, "]", false},
        {"e'b", 3, "]", true},      {"a'b", 3, "]", false},     {"'b", 2, "]", false},
        {"xe'b", 4, "X]", true},    {"b", 1, "]", false},
        {"b", 1, "_", true},        {"ab", 2, "_", true},       {"xb", 2, "_", false},
        {"a~b", 3, "_", true},      {"x~b", 3, "_", false},     {"~b", 2, "_", false},
        {"xa~b", 4, "X_", true},    {"ab", 2, "__", true},
        {"nb", 2, "|", true},       {"rb", 2, "|", true},       {"sb", 2, "|", true},
        {"Nb", 2, "|", false},      {"tb", 2, "|", false},      {"b", 1, "|", false},
        {"xb", 2, "X", true},       {"Xb", 2, "X", true},       {"b", 1, "X", false},
        {"yxb", 3, "YX", true},     {"xxb", 3, "YX", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(letter_rules::leftContextHolds(wordOf(c.word), c.cursor, c.left), c.holds)
            << c.word << " at " << c.cursor << " left " << c.left;
    }
}

TEST(RightContext, EverySymbol) {
    const struct {
        const char* word;
        int after;  // first position after the match
        const char* right;
        bool holds;
    } cases[] = {
        {"ab", 2, "", true},
        {"ab", 3, "%", true},       {"ab", 2, "%", false},
        {"bae", 2, "#", true},      {"ba'x", 2, "#X", true},    {"bax", 2, "#A", false},
        {"bx", 2, "#", false},      {"b", 2, "#", false},
        {"bl", 2, "&", true},       {"bm", 2, "&", true},       {"bn", 2, "&", true},
        {"br", 2, "&", true},       {"bz", 2, "&", true},       {"bs", 2, "&", false},
        {"bL", 2, "&", false},      {"b", 2, "&", false},       {"blr", 2, "&&%", true},
        {"bt", 2, "*", true},       {"bt", 2, "*T", true},      {"br", 2, "*", false},
        {"bl", 2, "*", false},      {"ba", 2, "*", false},      {"b", 2, "*", false},
        {"bR", 2, "*", true},
        {"ba", 2, "+", true},       {"bO", 2, "+%", true},      {"ba~x", 2, "+X", true},
        {"be", 2, "+", false},      {"b", 2, "+", false},       {"ba", 2, "+%", true},
        {"b", 2, "[", true},        {"bt", 2, "[", true},       {"bt", 2, "[T", true},
        {"bh", 2, "[", false},      {"ba", 2, "[", false},      {"b'", 2, "[", false},
        {"bsa", 2, "\\A", true},    {"ba", 2, "\\A", true},     {"bSa", 2, "\\A", false},
        {"bs", 2, "\\%", true},     {"b", 2, "\\%", true},
        {"bx", 2, "X", true},       {"bX", 2, "X", true},       {"b", 2, "X", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(letter_rules::rightContextHolds(wordOf(c.word), c.after, c.right), c.holds)
            << c.word << " after " << c.after << " right " << c.right;
    }
}

TEST(RuleApplication, ContextsDecideWhichRuleFiresFirst) {
    ASSERT_TRUE(loadRules(writeTempFile("contexts.rgr",
                                        "%(S)=S0|\n"
                                        "#(S)#=z|\n"
                                        "(S)S=s|\n"
                                        "(S)=s|\n"
                                        "(C)]=wrong|\n"
                                        "(C)E=s|\n"
                                        "(C)=k|\n"
                                        "(E)\\%=i|\n"
                                        "(E)=e|\n"
                                        "(A)=a|\n")));
    ASSERT_TRUE(loadExceptions(writeTempFile("none.exc", "")));
    const struct {
        const char* text;
        const char* phonemes;
    } cases[] = {
        {"sa", "[S0/a]"},
        {"casa", "[k/A/z/a]"},
        {"cassa", "[k/A/s/s/a]"},
        {"cea", "[s/E/a]"},
        {"case", "[k/A/z/i]"},
        {"cases", "[k/A/z/i/s]"},  // e before a final s
        {"cae", "[k/A/i]"},
    };
    for (const auto& c : cases) EXPECT_EQ(translateToPhonemes(c.text), c.phonemes) << c.text;
    freeRules();
}

TEST(ExceptionsLoader, FieldsMarkerAndTheLimitOfAnEntryLine) {
    const std::string line255 = "p=" + std::string(253, 'q');
    const std::string line300 = "r=" + std::string(298, 'r');
    ASSERT_TRUE(loadExceptions(writeTempFile("fields.exc",
                                             "a=b\n"
                                             "\n"
                                             "c=d|anything=else\n"
                                             "no equals sign\n"
                                             "e=f=g\r\n"
                                             "h|i=j\n"
                                             "=empty word\n" +
                                                 line255 + "\n" + line300 + "\n")));
    EXPECT_EQ(exceptions::count(), 8);
    const struct {
        const char* word;
        const char* alias;  // nullptr: not found
    } cases[] = {
        {"a", "b"}, {"c", "d"}, {"e", "f=g"}, {"h|i", "j"}, {"", "empty word"},
        {"no equals sign", nullptr}, {"no equals sign|", ""}, {"h", nullptr},
    };
    for (const auto& c : cases) {
        const std::string* alias = exceptions::find(c.word);
        if (c.alias == nullptr) EXPECT_EQ(alias, nullptr) << c.word;
        else if (alias == nullptr) ADD_FAILURE() << c.word << " not found";
        else EXPECT_EQ(*alias, c.alias) << c.word;
    }
    ASSERT_NE(exceptions::find("p"), nullptr);
    EXPECT_EQ(*exceptions::find("p"), std::string(253, 'q'));
    ASSERT_NE(exceptions::find("r"), nullptr);
    EXPECT_EQ(*exceptions::find("r"), std::string(253, 'r'));
}

TEST(ExceptionsLoader, EntriesAfterThe15000thAreNotRead) {
    std::string file;
    for (int i = 1; i <= 15001; ++i) file += "w" + std::to_string(i) + "=x" + std::to_string(i) + "\n";
    ASSERT_TRUE(loadExceptions(writeTempFile("many.exc", file)));
    EXPECT_EQ(exceptions::count(), 15000);
    ASSERT_NE(exceptions::find("w15000"), nullptr);
    EXPECT_EQ(*exceptions::find("w15000"), "x15000");
    ASSERT_NE(exceptions::find("w1"), nullptr);
    EXPECT_EQ(exceptions::find("w15001"), nullptr);
}

TEST(ExceptionsLoader, UnsortedFileWithDuplicatesIsSortedAndSearchable) {
    // A fixed shuffle of words, some repeated, with bytes above 0x7F and prefixes.
    const std::vector<std::string> words = {
        "mesa", "a",    "\xE9", "casa", "zz",   "casas", "b",   "mesa", "caso", "ab",
        "z",    "\x80", "aa",   "casa", "nada", "c",     "ca",  "zz",   "y",    "m",
        "mes",  "x",    "ba",   "bb",   "a",    "d",     "e'",  "e",    "ee",   "~",
    };
    std::string file;
    for (std::size_t i = 0; i < words.size(); ++i) file += words[i] + "=" + std::to_string(i) + "\n";
    ASSERT_TRUE(loadExceptions(writeTempFile("unsorted.exc", file)));
    ASSERT_EQ(exceptions::count(), static_cast<int>(words.size()));
    for (int i = 2; i <= exceptions::count(); ++i)
        EXPECT_FALSE(exceptions::lessThan(exceptions::entry(i).word, exceptions::entry(i - 1).word)) << i;
    std::vector<std::string> sorted = words;
    std::sort(sorted.begin(), sorted.end(), exceptions::lessThan);
    for (int i = 1; i <= exceptions::count(); ++i) EXPECT_EQ(exceptions::entry(i).word, sorted[i - 1]);
    for (const auto& w : words) {
        const std::string* alias = exceptions::find(w);
        ASSERT_NE(alias, nullptr) << w;
        // The alias is the line number of one of the word's lines.
        EXPECT_EQ(words[std::stoul(*alias)], w);
    }
    EXPECT_EQ(exceptions::find("cas"), nullptr);
    EXPECT_EQ(exceptions::find("zzz"), nullptr);
    EXPECT_EQ(exceptions::find("\xFF"), nullptr);
}

TEST(ExceptionsLoader, ByteOrderIsUnsignedWithPrefixesFirst) {
    EXPECT_TRUE(exceptions::lessThan("z", "\xE9"));
    EXPECT_TRUE(exceptions::lessThan("ca", "casa"));
    EXPECT_FALSE(exceptions::lessThan("casa", "ca"));
    EXPECT_TRUE(exceptions::lessThan("", "a"));
    EXPECT_FALSE(exceptions::lessThan("a", "a"));
    EXPECT_TRUE(exceptions::lessThan("\x7F", "\x80"));
}

}  // namespace
