#include "base/ByteCodec.h"
#include "base/ShortString.h"
#include "base/TextEncoding.h"

#include <gtest/gtest.h>

namespace lumivar {
namespace {

TEST(TextEncoding, RoundTripsEveryByteThroughUtf8)
{
    std::string all;
    for (int c = 1; c < 256; ++c)
        all += char(c);
    const std::string utf8 = Cp1252ToUtf8(all);
    EXPECT_EQ(Utf8ToCp1252(utf8), all);
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\u20AC");
    EXPECT_EQ(Cp1252ToUtf8("Ilumina\xE7\xE3o"), "Iluminação");
}

TEST(TextEncoding, UnmappableCharactersAndMalformedUtf8)
{
    EXPECT_EQ(Utf8ToCp1252("a\u4E2Db"), "a?b"); // outside the code page
    EXPECT_EQ(Utf8ToCp1252("caf\xE9"), "caf\xE9"); // a stray Latin-1 byte is kept as it is
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82"), "\xE2\x82"); // truncated sequence
}

TEST(TextEncoding, UpperCaseKnowsAccentedLetters)
{
    EXPECT_EQ(UpperCp1252(Utf8ToCp1252("assimétrico")), Utf8ToCp1252("ASSIMÉTRICO"));
}

TEST(ShortString, CutsToCapacityAndKeepsTheTailBytes)
{
    ShortString<5> s;
    s = "abcdefgh";
    EXPECT_EQ(s.Text(), "abcde");
    s = "xy";
    EXPECT_EQ(s.Text(), "xy");
    EXPECT_EQ(s.Raw()[3], 'c'); // bytes past the length keep what they held

    Bytes image(6);
    s.Encode(image, 0);
    ShortString<5> t;
    t.Decode(image, 0);
    EXPECT_EQ(s, t);

    image[0] = 200; // a damaged length byte reads as the capacity
    t.Decode(image, 0);
    EXPECT_EQ(t.Length(), 5u);
}

TEST(ByteReader, NeverReadsPastTheEnd)
{
    const Bytes data{1, 0, 0, 0, 9};
    ByteReader r(data);
    std::int32_t v = 0;
    ASSERT_TRUE(r.ReadI32(v));
    EXPECT_EQ(v, 1);
    EXPECT_FALSE(r.ReadI32(v));
    EXPECT_EQ(r.Remaining(), 1u);
    ByteSpan s;
    EXPECT_FALSE(r.Take(2, s));
    EXPECT_TRUE(r.Skip(1));
    EXPECT_TRUE(r.AtEnd());
}

} // namespace
} // namespace lumivar
