#include "engine/codec.hpp"

#include <gtest/gtest.h>

#include <string>

namespace semtra::codec {
namespace {

std::string bytesFrom(int first, int last) {
    std::string s;
    for (int b = first; b <= last; ++b) {
        s += static_cast<char>(b);
    }
    return s;
}

std::string utf8(const char8_t* text) {
    const std::u8string s(text);
    return std::string(s.begin(), s.end());
}

TEST(Codec, UpperHalfMapsToItsCharacters) {
    const std::string expected =
        utf8(u8"ЂЃ‚ѓ„…†‡€‰Љ‹ЊЌЋЏђ‘’“”•–—\uFFFD™љ›њќћџ"
             u8"\u00A0ЎўЈ¤Ґ¦§Ё©Є«¬\u00AD®Ї°±Ііґµ¶·ё№є»јЅѕї"
             u8"АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдежзийклмнопрстуфхцчшщъыьэюя");
    EXPECT_EQ(toUtf8(bytesFrom(0x80, 0xFF)), expected);
    EXPECT_EQ(toUnicode(0x98), U'\uFFFD');
}

TEST(Codec, EveryAssignedByteRoundTrips) {
    std::string all = bytesFrom(0x00, 0x97) + bytesFrom(0x99, 0xFF);
    EXPECT_EQ(fromUtf8(toUtf8(all)), all);
    for (const char c : all) {
        const auto b = static_cast<unsigned char>(c);
        EXPECT_EQ(fromUnicode(toUnicode(b)), c) << "byte " << int(b);
    }
}

TEST(Codec, CharactersWithoutA1251ByteBecomeQuestionMarks) {
    const struct {
        const char8_t* utf8;
        const char* expected;
    } cases[] = {
        {u8"日本", "??"},
        {u8"Ä", "?"},
        {u8"a\U0001F600b", "a?b"},
        {u8"\uFFFD", "?"},
        {u8"\U00012019", "?"}, // not to be mistaken for ’ (U+2019)
        {u8"Привет, мир!", "\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0!"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fromUtf8(utf8(c.utf8)), c.expected) << utf8(c.utf8);
    }
}

TEST(Codec, InvalidUtf8BecomesOneQuestionMarkPerBrokenSequence) {
    const struct {
        std::string input;
        std::string expected;
    } cases[] = {
        {"\xFF", "?"},
        {"a\x80z", "a?z"}, // stray continuation byte
        {"\xD0", "?"},     // cut off at the end
        {"\xD0z", "?z"},   // lead byte without its continuation
        {"\xE2\x82", "?"}, // three-byte sequence missing its last byte
        {"\xE2\x82z\xD0\xB0", "?z\xE0"},
        {"\xC0\xAF", "??"},           // overlong '/'
        {"\xED\xA0\x80", "???"},      // a surrogate
        {"\xF4\x90\x80\x80", "????"}, // past U+10FFFF
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fromUtf8(c.input), c.expected);
    }
}

} // namespace
} // namespace semtra::codec
