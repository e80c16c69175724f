// The text rules and the phrase scan, on the bytes the engine compares.

#include "engine/phrase_scan.hpp"
#include "engine/text_forms.hpp"
#include "support.hpp"

namespace semtra::test {
namespace {

struct FormCase {
    const char* raw;
    const char* upper; // InputUpper
    const char* shown; // the user line
};

TEST(TextForms, UpperCaseCapitalAndEndMark) {
    const FormCase cases[] = {
        {"привет", "ПРИВЕТ", "Привет."},
        {"ёлка", "ЁЛКА", "Ёлка."},
        {"а", "А", "А."},
        {"hello Мир", "hello МИР", "hello Мир."},
        {"как дела?", "КАК ДЕЛА?", "Как дела?"},
        {"ура!", "УРА!", "Ура!"},
        {"ну...", "НУ...", "Ну..."},
        {"да,", "ДА,", "Да."},
        {"да,,", "ДА,,", "Да,."},
        {"да ", "ДА ", "Да ."},
        {":)", ":)", ":)."},
        {"1", "1", "1."},
        {"эй\n", "ЭЙ\n", "Эй\n."},
        {"яЯёЁ", "ЯЯЁЁ", "ЯЯёЁ."},
    };
    for (const auto& c : cases) {
        std::string upper = cp(c.raw);
        upperCyrillicInPlace(upper);
        std::string shown = cp(c.raw);
        capitalizeFirst(shown);
        fixEndPunctuation(shown);
        EXPECT_EQ(u8(upper), c.upper) << c.raw;
        EXPECT_EQ(u8(shown), c.shown) << c.raw;
    }
}

TEST(TextForms, OnlyRussianLettersChange) {
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        const bool russianSmall = b >= 0xE0 || b == 0xB8;
        const int expected = b >= 0xE0 ? b - 0x20 : b == 0xB8 ? 0xA8 : b;
        EXPECT_EQ(static_cast<unsigned char>(upperCyrillic(c)), expected) << b;
        EXPECT_EQ(upperCyrillic(c) != c, russianSmall) << b;
    }
}

TEST(PhraseScan, SinglePassNeverRetriesTheBreakingByte) {
    struct Case {
        const char* pattern;
        const char* text;
        bool hit;
    };
    const Case cases[] = {
        {"ААБ", "АААБ", false},     {"АБ", "ААБ", false},     {"АБ", "АБАБ", true},
        {"АБ", "А АБ", true},       {"МАМА", "ММАМА", false}, {"МАМА", "МАМАМА", true},
        {"ДУРА", "ТЫ ДУРАК", true}, {"Б", "ААБ", true},       {"Б", "ААА", false},
        {"ДА", "КОГДА ДА", true},   {"ДА", "ЕДА", true},      {"ДЛИННЕЕ", "ДЛИН", false},
        {"", "ЧТО УГОДНО", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(phraseScan(cp(c.pattern), cp(c.text)), c.hit) << c.pattern << " in " << c.text;
}

} // namespace
} // namespace semtra::test
