// Settings texts with what GetPrivateProfileStringA gives on Windows for one
// key, and where Wine gives something else, what Wine gives: read by the
// program's reader natively and by the profile functions themselves under Wine.
#pragma once

struct ProfileCase {
    const char* text;
    const char* section;
    const char* key;
    const char* windows;           // nullptr: the default
    bool wineDiffers = false;
    const char* wine = nullptr;    // when it differs
};

inline const ProfileCase profileCases[] = {
    // Line ends: CR LF, LF, CR, a lone CR among CR LF, and runs of them.
    {"[A]\r\nK=1\r\nL=2\r\n", "A", "L", "2"},
    {"[A]\nK=1\nL=2", "A", "L", "2"},
    {"[A]\rK=1\rL=2\r", "A", "L", "2"},
    {"[A]\r\nK=1\rL=2\r\n", "A", "K", "1"},
    {"[A]\r\nK=1\rL=2\r\n", "A", "L", "2"},
    {"[A]\rK=1\r\n", "A", "K", "1"},
    {"[A]\r\n\r\n\n\r\rK=1\n\n\r\n", "A", "K", "1"},
    // A UTF-8 byte-order mark belongs to the first line: a heading there is none to Windows.
    {"\xef\xbb\xbf[A]\r\nK=1\r\n", "A", "K", nullptr, true, "1"},
    {"\xef\xbb\xbf; nota\r\n[A]\r\nK=1\r\n", "A", "K", "1"},
    // The first section of a name, the first key in it; nothing before the first heading.
    {"[A]\nK=1\nK=2\n[A]\nK=3\nL=4\n", "A", "K", "1"},
    {"[A]\nK=1\n[A]\nL=4\n", "A", "L", nullptr},
    {"K=0\n[A]\nL=1\n", "A", "K", nullptr},
    {"[B]\nK=0\n[A]\nL=1\n", "A", "K", nullptr},
    // Case, blanks around names and values, blank lines of blanks.
    {"[tradutor]\nvelocidade=3\n", "TRADUTOR", "VELOCIDADE", "3"},
    {"  [A]  \n  K  =  um  valor  \n", "A", "K", "um  valor"},
    {"\t[A]\t\n \t \nK\t=\t1\t\n", "A", "K", "1"},
    {"[A]\nK=\n", "A", "K", ""},
    {"[A]\nK=a=b\n", "A", "K", "a=b"},
    // Comments name no key.
    {"[A]\n;K=1\n  ; K=2\nK=3\n", "A", "K", "3"},
    // A line naming the key without "=" is the key, with no value.
    {"[A]\nK\nK=2\n", "A", "K", nullptr},
    // A pair of the same quotes is taken off; anything else is kept.
    {"[A]\nK=\"x y\"\n", "A", "K", "x y"},
    {"[A]\nK='z'\n", "A", "K", "z"},
    {"[A]\nK=\"w\n", "A", "K", "\"w"},
    {"[A]\nK=\"w'\n", "A", "K", "\"w'"},
    // Text after the heading's bracket is not part of its name.
    {"[A] nota\nK=1\n", "A", "K", "1"},
    // Code page 1252 letters compare without case on Windows; Wine folds only A to Z.
    {"[SE\xc7\xc3O]\nK=1\n", "se\xe7\xe3o", "K", "1", true, nullptr},
    {"[SE\xc7\xc3O]\nK=1\n", "SE\xc7\xc3O", "K", "1"},
};
