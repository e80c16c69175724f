#include "engine/rtf.hpp"

#include "engine/errors.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>

namespace {

using semtra::rtf::Lines;
using namespace std::string_literals;

// The header a Windows rich-edit control writes for Russian text, up to the first text byte.
const std::string kControlHeader =
    "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0\\fnil\\fcharset204 MS Sans "
    "Serif;}}\r\n\\viewkind4\\uc1\\pard\\lang1049\\f0\\fs16 ";

// ---------------------------------------------------------------------------------------------

TEST(RtfLooksLikeRtf, ChecksTheFirstFiveBytes) {
    EXPECT_TRUE(semtra::rtf::looksLikeRtf("{\\rtf"));
    EXPECT_TRUE(semtra::rtf::looksLikeRtf(kControlHeader));
    EXPECT_FALSE(semtra::rtf::looksLikeRtf(""));
    EXPECT_FALSE(semtra::rtf::looksLikeRtf("{\\rt"));
    EXPECT_FALSE(semtra::rtf::looksLikeRtf("{\\RTF1}"));
    EXPECT_FALSE(semtra::rtf::looksLikeRtf(" {\\rtf1}"));
    EXPECT_FALSE(semtra::rtf::looksLikeRtf("\xEF\xBB\xBF{\\rtf1}"));
}

// ---------------------------------------------------------------------------------------------

struct SplitCase {
    std::string text;
    Lines lines;
};

class RtfSplitPlain : public testing::TestWithParam<SplitCase> {};

TEST_P(RtfSplitPlain, CutsAtEveryKindOfLineEnd) {
    EXPECT_EQ(semtra::rtf::splitPlain(GetParam().text), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(RtfPlainText, RtfSplitPlain,
                         testing::Values(SplitCase{"", {}}, SplitCase{"A", {"A"}},
                                         SplitCase{"A\r\n", {"A"}}, SplitCase{"A\n\n", {"A", ""}},
                                         SplitCase{"\n", {""}}, SplitCase{"\r\n\r\n", {"", ""}},
                                         SplitCase{"A\r\nB\rC\nD", {"A", "B", "C", "D"}},
                                         SplitCase{"A\n\rB", {"A", "", "B"}},
                                         SplitCase{"A\r\rB\r", {"A", "", "B"}},
                                         SplitCase{" \t\0 \n"s, {" \t\0 "s}},
                                         SplitCase{"\xCF\xF0\xE8\n", {"\xCF\xF0\xE8"}}));

// ---------------------------------------------------------------------------------------------

TEST(RtfWrite, SpellsTheControlHeaderEscapesAndParagraphs) {
    EXPECT_EQ(semtra::rtf::write({"\xCF\xF0\xE8 {a\\b}", "\t\x01"s + '\0'}),
              kControlHeader + "\\'cf\\'f0\\'e8 \\{a\\\\b\\}\\par\r\n\\'09\\'01\\'00\\par\r\n"
                               "\\par\r\n}\r\n");
    EXPECT_EQ(semtra::rtf::write({}), kControlHeader + "\\par\r\n}\r\n");
}

// ---------------------------------------------------------------------------------------------

class RtfRoundTrip : public testing::TestWithParam<Lines> {};

TEST_P(RtfRoundTrip, ParseGivesBackWhatWasWritten) {
    EXPECT_EQ(semtra::rtf::parse(semtra::rtf::write(GetParam())), GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    RtfSamples, RtfRoundTrip,
    testing::Values(Lines{}, Lines{""}, Lines{"", ""}, Lines{"A", ""}, Lines{"", "A"},
                    Lines{"A", "", "B"}, Lines{"\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0!"},
                    // bytes that could be taken as a delimiter or a parameter
                    Lines{" ", "  lead", "trail  ", "5", "-5", "-", "'", "*", "~", "_"},
                    Lines{"\\", "{", "}", "\\par", "{\\*x}", "\\'cf", "\\u1055?", "}{"},
                    Lines{"\t", "\ttab\t", "\0"s, "a\0b"s, "\x7F\x80\xFF\xA0\x98"},
                    Lines{std::string(1 << 20, '\xE0')}, Lines{std::string(1 << 20, ' ')}));

TEST(RtfRoundTrip, RandomByteStringsWithoutLineBreaks) {
    std::mt19937 random(1251);
    // Half the bytes come from those the format treats specially, so they meet each other.
    const std::string tricky = " 09-'*\\{}\t\0\x01\x7F\x80\xA0\xFF"s + "ux";
    std::uniform_int_distribution<int> lineCount(0, 6);
    std::uniform_int_distribution<int> lineLength(0, 24);
    std::uniform_int_distribution<int> anyByte(0, 255);
    std::uniform_int_distribution<std::size_t> trickyByte(0, tricky.size() - 1);
    for (int round = 0; round < 2000; ++round) {
        Lines lines(static_cast<std::size_t>(lineCount(random)));
        for (std::string& line : lines) {
            for (int n = lineLength(random); n > 0; --n) {
                char c = anyByte(random) % 2 ? tricky[trickyByte(random)]
                                             : static_cast<char>(anyByte(random));
                line += c == '\r' || c == '\n' ? 'x' : c;
            }
        }
        ASSERT_EQ(semtra::rtf::parse(semtra::rtf::write(lines)), lines) << "round " << round;
    }
}

// ---------------------------------------------------------------------------------------------

struct ParseCase {
    const char* name;
    std::string document;
    Lines lines;
};

class RtfParse : public testing::TestWithParam<ParseCase> {};

TEST_P(RtfParse, ReadsTheText) {
    EXPECT_EQ(semtra::rtf::parse(GetParam().document), GetParam().lines);
}

const std::string kPrivet = "\\'cf\\'f0\\'e8\\'e2\\'e5\\'f2";         // Привет
const std::string kKakDela = "\\'ca\\'e0\\'ea \\'e4\\'e5\\'eb\\'e0?"; // Как дела?
const Lines kPrivetKakDela = {"\xCF\xF0\xE8\xE2\xE5\xF2", "\xCA\xE0\xEA \xE4\xE5\xEB\xE0?"};

INSTANTIATE_TEST_SUITE_P(
    RtfControlWritten, RtfParse,
    testing::Values(
        ParseCase{"ParThenCrLf",
                  kControlHeader + kPrivet + "\\par\r\n" + kKakDela + "\\par\r\n}\r\n\0"s,
                  kPrivetKakDela},
        ParseCase{"CrLfThenPar", kControlHeader + kPrivet + "\r\n\\par " + kKakDela + "\r\n\\par }",
                  kPrivetKakDela},
        ParseCase{"ParWithoutLineBreak", kControlHeader + kPrivet + "\\par " + kKakDela + "\\par}",
                  kPrivetKakDela},
        ParseCase{"NoFinalPar", kControlHeader + kPrivet + "\\par\r\n" + kKakDela + "}",
                  kPrivetKakDela},
        ParseCase{"UpperCaseHex", kControlHeader + "\\'CF\\'F0\\'E8\\'Ee}", {"\xCF\xF0\xE8\xEE"}},
        ParseCase{"EmptyFinalLine", kControlHeader + "A\\par\r\n\\par\r\n\\par\r\n}", {"A", ""}},
        ParseCase{"EmptyDocument", kControlHeader + "}", {}},
        ParseCase{"SingleParIsNoLine", kControlHeader + "\\par\r\n}", {}},
        ParseCase{"TwoParsAreOneEmptyLine", kControlHeader + "\\par\\par}", {""}},
        ParseCase{
            "TrailingBytesAfterTheFinalBrace", "{\\rtf1 A\\par B}\r\n\0\0}}{junk"s, {"A", "B"}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    RtfSyntax, RtfParse,
    testing::Values(
        ParseCase{"DelimiterSpaceIsConsumed", "{\\rtf1\\fs16  A\\fs16 5\\b0 -\\b-7x}", {" A5-x"}},
        ParseCase{"NonLetterEndsTheWordAndStays", "{\\rtf1\\b'A\\i;B\\ul.}", {"'A;B."}},
        ParseCase{
            "CrAndLfInTheStreamAreIgnored", "{\\rtf1 A\r\nB\rC\nD\\par\r\n E}", {"ABCD", " E"}},
        ParseCase{"UnknownWordsAreIgnored", "{\\rtf1\\frobnicate42 A\\zz B}", {"AB"}},
        ParseCase{"EscapedSymbols", "{\\rtf1 \\\\\\{\\}}", {"\\{}"}},
        ParseCase{"SpecialCharacters",
                  "{\\rtf1 a\\~b\\-c\\_d\\tab e\\emdash\\endash\\lquote\\rquote\\ldblquote"
                  "\\rdblquote\\bullet}",
                  {"a\xA0"
                   "bc-d\te\x97\x96\x91\x92\x93\x94\x95"}},
        ParseCase{"LineIsABreak", "{\\rtf1 A\\line B}", {"A", "B"}},
        ParseCase{"BackslashNewlineIsAPar", "{\\rtf1 A\\\r\nB}", {"A", "B"}},
        ParseCase{"BadHexIsDropped", "{\\rtf1 \\'zzA}", {"zzA"}},
        ParseCase{"EscapedLineBreaksSplitLines", "{\\rtf1 A\\'0d\\'0aB\\'0aC}", {"A", "B", "C"}},
        ParseCase{"GroupsKeepTheirText", "{\\rtf1 {\\b A}{{B}}C}", {"ABC"}},
        ParseCase{"BinaryDataIsSkipped", "{\\rtf1 A\\bin3 }{\\B}", {"AB"}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    RtfUnicode, RtfParse,
    testing::Values(
        ParseCase{"HexFallbackSkipped",
                  "{\\rtf1 \\u1055\\'cf\\u1088?A}",
                  {"\xCF\xF0"
                   "A"}},
        ParseCase{"FallbackAfterDelimiter",
                  "{\\rtf1 \\u1055 ?A}",
                  {"\xCF"
                   "A"}},
        ParseCase{"NoFallbackWithUc0",
                  "{\\rtf1\\uc0\\u1055 A}",
                  {"\xCF"
                   "A"}},
        ParseCase{"TwoFallbackCharacters",
                  "{\\rtf1\\uc2\\u1055\\'3f?A}",
                  {"\xCF"
                   "A"}},
        ParseCase{"UcIsScopedToTheGroup", "{\\rtf1 {\\uc2\\u1055??}\\u1055??}", {"\xCF\xCF?"}},
        ParseCase{"NegativeMeansPlus65536", "{\\rtf1 \\u-4064\\'41B}", {"?B"}},
        ParseCase{"UnmappedBecomesQuestionMark", "{\\rtf1 \\u20013\\'3f!}", {"?!"}},
        ParseCase{"SurrogatePairIsOneCharacter", "{\\rtf1 \\u-10179?\\u-8704?!}", {"?!"}},
        ParseCase{"BraceEndsTheFallback",
                  "{\\rtf1 {\\u1055}A}",
                  {"\xCF"
                   "A"}},
        ParseCase{"ParEndsTheFallback", "{\\rtf1 \\u1055\\par B}", {"\xCF", "B"}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    RtfDestinations, RtfParse,
    testing::Values(
        ParseCase{"IgnorableGroup", "{\\rtf1{\\*\\generator Riched20 10.0.19041}A}", {"A"}},
        ParseCase{"IgnorableNested", "{\\rtf1 A{\\*\\x{B}{\\y C}\\}\\{}D}", {"AD"}},
        ParseCase{"Tables",
                  "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl ;\\red255;}"
                  "{\\stylesheet{\\s0 Normal;}}A}",
                  {"A"}},
        ParseCase{"Info", "{\\rtf1{\\info{\\title T}{\\author W}}A}", {"A"}},
        ParseCase{"Picture", "{\\rtf1 A{\\pict\\wmetafile8 0a1b\\bin2 }{}B}", {"AB"}},
        ParseCase{"HeaderAndFooter", "{\\rtf1{\\header H}{\\footerl F}A}", {"A"}},
        ParseCase{"FieldKeepsItsResult",
                  "{\\rtf1{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt Link}}}",
                  {"Link"}},
        ParseCase{"StrayWordAtTopLevelKeepsTheText", "{\\rtf1\\fonttbl A}", {"A"}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------

class RtfParseRefuses : public testing::TestWithParam<std::string> {};

// A torn file must not load as a shorter list that a later save would write back.
TEST_P(RtfParseRefuses, WithFailedToLoadStream) {
    try {
        semtra::rtf::parse(GetParam());
        FAIL() << "parsed";
    } catch (const semtra::EngineError& e) {
        EXPECT_STREQ(e.what(), semtra::kFailedToLoadStream);
    }
}

INSTANTIATE_TEST_SUITE_P(
    RtfTornOrForeign, RtfParseRefuses,
    testing::Values("", "{\\rtf", "{\\rtf1 A\\par B", kControlHeader + "A\\par\r\n",
                    "{\\rtf1 {\\b A}", "{\\rtf1 A\\'c", "{\\rtf1 A\\", "{\\rtf1 A\\}",
                    "{\\rtf1 {\\*\\generator x}", "{\\rtf1 {\\fonttbl{\\f0 A;}", "{\\rtf1 \\bin9 }",
                    "{\\rtf1 {\\pict \\bin9 }}", "plain text", "\r\n{\\rtf1 A}"));

} // namespace
