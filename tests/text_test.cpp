#include "platform/text.h"

#include <gtest/gtest.h>

namespace {

struct Conversion {
    std::u16string wide;
    std::string ansi;
};

class TextRoundTrip : public testing::TestWithParam<Conversion> {};

// The same bytes whatever the locale: the file written under one locale reads back under another.
TEST_P(TextRoundTrip, ConvertsBothWays)
{
    EXPECT_EQ(platform::ToAnsi(GetParam().wide), GetParam().ansi);
    EXPECT_EQ(platform::FromAnsi(GetParam().ansi), GetParam().wide);
}

INSTANTIATE_TEST_SUITE_P(Texts, TextRoundTrip,
                         testing::Values(Conversion{u"", ""}, Conversion{u"Settings", "Settings"},
                                         Conversion{u"C:\\Games\\Skarnholm", "C:\\Games\\Skarnholm"},
                                         Conversion{u"Русский", "\xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9"},
                                         Conversion{u"Jeux/Skärnholm", "Jeux/Sk\xC3\xA4rnholm"}));

TEST(Text, InvalidBytesBecomeReplacementCharactersNotNothing)
{
    EXPECT_EQ(platform::FromAnsi("a\xFF" "b"), u"a\uFFFD" "b");
}

} // namespace
