#include <gtest/gtest.h>

#include <vector>

#include "platform/encoding/cp1251.h"
#include "platform/encoding/imei_bcd.h"
#include "platform/encoding/short_string.h"

namespace dlk {
namespace {

TEST(Cp1251, RussianTextRoundTrips) {
    const std::string utf8 = "Программа уже запущена. Ёё №";
    const std::string bytes = Utf8ToCp1251(utf8);
    EXPECT_EQ(bytes.size(), 28u);                            // one byte a character
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xCF);   // П
    EXPECT_EQ(static_cast<unsigned char>(bytes[24]), 0xA8);  // Ё
    EXPECT_EQ(static_cast<unsigned char>(bytes[25]), 0xB8);  // ё
    EXPECT_EQ(static_cast<unsigned char>(bytes[27]), 0xB9);  // №
    EXPECT_EQ(Cp1251ToUtf8(bytes), utf8);
}

TEST(Cp1251, EveryByteDecodesAndAllButTheHoleEncodeBack) {
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        const std::string utf8 = Cp1251ToUtf8(one);
        if (b == 0x98) {
            EXPECT_EQ(utf8, "\xEF\xBF\xBD");
            EXPECT_EQ(Utf8ToCp1251(utf8), "?");
        } else {
            EXPECT_EQ(Utf8ToCp1251(utf8), one) << "byte " << b;
        }
    }
}

TEST(Cp1251, UnmappableAndBrokenInputBecomesQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1251("a\xE4\xB8\xAD"
                           "b"),
              "a?b");                                    // a CJK character
    EXPECT_EQ(Utf8ToCp1251("a\xF0\x9F\x98\x80"), "a?");  // an emoji
    EXPECT_EQ(Utf8ToCp1251("\xD0"), "?");                // truncated sequence
    EXPECT_EQ(Utf8ToCp1251("\xD0x"), "?x");              // bad continuation
    EXPECT_EQ(Utf8ToCp1251("\xFF\xFE"), "??");
}

TEST(Cp1251, FitsOnlyWhatItStoresWithoutLoss) {
    const std::pair<const char*, bool> cases[] = {
        {"", true},
        {"Котёл №5 ?", true},
        {"Zo\xC3\xAB", false},    // ë is not in 1251
        {"\xE6\x97\xA5", false},  // a CJK character
        {"\xEF\xBF\xBD", false},  // what the unassigned 0x98 reads as
        {"\xD0", false},          // a broken sequence
    };
    for (const auto& [text, fits] : cases) EXPECT_EQ(FitsCp1251(text), fits) << text;
}

TEST(ShortString, ReadClampsTheLengthToTheField) {
    std::vector<std::uint8_t> field = {200, 'a', 'b', 'c'};
    EXPECT_EQ(ReadShortString(field), "abc");
    field[0] = 2;
    EXPECT_EQ(ReadShortString(field), "ab");
    EXPECT_EQ(ReadShortString(std::span<const std::uint8_t>{}), "");
}

TEST(ShortString, WriteTruncatesAndKeepsTheTail) {
    std::vector<std::uint8_t> field = {3, 'x', 'y', 'z', 'w'};
    WriteShortString(field, "ab");
    EXPECT_EQ(field, (std::vector<std::uint8_t>{2, 'a', 'b', 'z', 'w'}));
    WriteShortString(field, "123456");
    EXPECT_EQ(field, (std::vector<std::uint8_t>{4, '1', '2', '3', '4'}));

    ShortString<31> name;
    name.Assign(std::string(40, 'n'));
    EXPECT_EQ(name.Length(), 31u);
    EXPECT_EQ(name.Text(), std::string(31, 'n'));
}

TEST(Imei, TextAndBcdConvertBothWays) {
    const ImeiBcd bcd = {0x12, 0x34, 0x56, 0x78, 0x90, 0x12, 0x34, 0x50};
    EXPECT_EQ(ImeiToText(bcd), "123456789012345");
    EXPECT_EQ(TextToImei("123456789012345"), bcd);

    ImeiBcd dirty = bcd;
    dirty[7] = 0x5F;  // the unused low nibble is ignored
    EXPECT_EQ(ImeiToText(dirty), "123456789012345");

    const ImeiBcd odd = {0xAB, 0xCD, 0xEF, 0, 0, 0, 0, 0};
    EXPECT_EQ(ImeiToText(odd).substr(0, 6), ":;<=>?");
}

TEST(Imei, TextMustBeFifteenDigits) {
    EXPECT_FALSE(TextToImei("12345678901234"));
    EXPECT_FALSE(TextToImei("1234567890123456"));
    EXPECT_FALSE(TextToImei("12345678901234a"));
    EXPECT_FALSE(TextToImei(""));
}

}  // namespace
}  // namespace dlk
