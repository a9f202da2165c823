#include "UPrintableText.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

// UTF-8 by its strict rules: overlong forms, surrogates, code points beyond
// U+10FFFF and cut sequences are no UTF-8 but bytes of their own.
TEST(PrintableText, ControlsAndStrayBytesAreEscapedOrReadAsLatin1) {
    for (const auto& [text, escaped, latin1, valid] : std::vector<std::array<std::string, 4>>{
             {"a\xC3\xA9.inp", "a\xC3\xA9.inp", "a\xC3\xA9.inp", "1"},
             {"a\xE9.inp", "a\\xe9.inp", "a\xC3\xA9.inp", "0"},
             {"\x1B[2J\n\x7F", "\\x1b[2J\\x0a\\x7f", "\x1B[2J\n\x7F", "1"},
             {"\xC2\x9B"
              "1m\xC2\xA0",
              "\\xc2\\x9b1m\xC2\xA0",
              "\xC2\x9B"
              "1m\xC2\xA0",
              "1"},
             {"\xC0\xAF\xED\xA0\x80", "\\xc0\\xaf\\xed\\xa0\\x80",
              "\xC3\x80\xC2\xAF\xC3\xAD\xC2\xA0\xC2\x80", "0"},
             {"\xF4\x90\x80\x80\xE2\x82", "\\xf4\\x90\\x80\\x80\\xe2\\x82",
              "\xC3\xB4\xC2\x90\xC2\x80\xC2\x80\xC3\xA2\xC2\x82", "0"}}) {
        EXPECT_EQ(EscapeControls(text), escaped);
        EXPECT_EQ(Utf8OrLatin1(text), latin1);
        EXPECT_EQ(IsValidUtf8(text), valid == "1") << escaped;
    }
    EXPECT_EQ(HexBytes("a\xFF\n"), "61ff0a");
}

} // namespace
