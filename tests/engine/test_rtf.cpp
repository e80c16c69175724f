#include "engine/rtf.hpp"

#include "engine/errors.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

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

// How the writer spells each byte, byte by byte.
std::string spelt(std::string_view text) {
    constexpr const char* digits = "0123456789abcdef";
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x80) {
            out += {'\\', '\'', digits[byte >> 4], digits[byte & 0xF]};
        } else if (c == '\\' || c == '{' || c == '}') {
            out += {'\\', c};
        } else {
            out += c;
        }
    }
    return out;
}

TEST(RtfWrite, SpellsEveryByteInLinesOfAnyLength) {
    std::mt19937 random(1049);
    std::uniform_int_distribution<int> anyByte(0, 255);
    Lines lines;
    std::string expected = kControlHeader;
    for (std::size_t length = 0; length < 100; ++length) {
        std::string line;
        for (std::size_t i = 0; i < length; ++i) {
            line += static_cast<char>(anyByte(random));
        }
        expected += spelt(line) + "\\par\r\n";
        lines.push_back(line);
    }
    expected += "\\par\r\n}\r\n";
    EXPECT_EQ(semtra::rtf::write(lines), expected);
}

TEST(RtfWrite, InPiecesMakesTheSameDocument) {
    // Long enough for many pieces, with one line longer than any piece.
    Lines lines(20000, "\xCF\xF0\xE8\xE2\xE5\xF2, \\{\xEC\xE8\xF0}!");
    lines.insert(lines.begin() + 7, std::string(300000, '\xE0'));
    std::string joined;
    int pieces = 0;
    semtra::rtf::write(lines, [&](std::string_view piece) {
        joined += piece;
        ++pieces;
    });
    EXPECT_EQ(joined, semtra::rtf::write(lines));
    EXPECT_GT(pieces, 1);
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
// Documents made of random pieces whose text is known, large enough to run through the text a
// window at a time, and shifted against every alignment.

struct Generated {
    std::string body; // the document between its header and the final brace
    std::string text; // what the reader makes of it, \par as '\n'
};

Generated generate(std::mt19937& random, std::size_t pieces, std::size_t longLine = 0) {
    constexpr const char* digits = "0123456789abcdefABCDEF";
    std::uniform_int_distribution<int> kind(0, 99);
    std::uniform_int_distribution<int> anyByte(0, 255);
    std::uniform_int_distribution<int> digit(0, 21);
    Generated doc;
    int depth = 0;
    const auto escape = [&](unsigned char byte) {
        const char* hex = "0123456789abcdef";
        doc.body += {'\\', '\'', hex[byte >> 4], hex[byte & 0xF]};
        doc.text += static_cast<char>(byte);
    };
    for (std::size_t i = 0; i < pieces; ++i) {
        const int k = kind(random);
        if (i == pieces / 2 && longLine > 0) {
            for (std::size_t n = 0; n < longLine; ++n) {
                escape(static_cast<unsigned char>(0xC0 + n % 64));
            }
        } else if (k < 55) { // a Cyrillic letter and the like, in either case of hex
            const char high = digits[digit(random)];
            const char low = digits[digit(random)];
            doc.body += {'\\', '\'', high, low};
            const auto value = [](char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; };
            doc.text += static_cast<char>(value(high) << 4 | value(low));
        } else if (k < 75) { // a plain byte
            const auto byte = static_cast<char>(anyByte(random));
            if (byte != '\\' && byte != '{' && byte != '}' && byte != '\r' && byte != '\n') {
                doc.body += byte;
                doc.text += byte;
            }
        } else if (k < 80) {
            doc.body += k % 2 ? "\\par " : "\\par\r\n";
            doc.text += '\n';
        } else if (k < 83) { // line breaks of the text itself
            escape(k % 2 ? '\r' : '\n');
        } else if (k < 86) {
            const char symbol = "\\{}"[k % 3];
            doc.body += {'\\', symbol};
            doc.text += symbol;
        } else if (k < 89) { // line breaks of the file, which are no text
            doc.body += k % 2 ? "\r\n" : "\n";
        } else if (k < 92) {
            doc.body += '{';
            ++depth;
        } else if (k < 95) {
            if (depth > 0) {
                doc.body += '}';
                --depth;
            }
        } else if (k < 97) { // a broken escape: the backslash and quote go, the rest is text
            doc.body += k % 2 ? "\\'g" : "\\'ag";
            doc.text += k % 2 ? "g" : "ag";
        } else { // a control word that is no text
            doc.body += "\\b0 ";
        }
    }
    doc.body += std::string(static_cast<std::size_t>(depth), '}');
    return doc;
}

// What parse must give for the text.
Lines linesOf(std::string text) {
    if (!text.empty() && text.back() == '\n') {
        text.pop_back();
    }
    return semtra::rtf::splitPlain(text);
}

TEST(RtfParse, GeneratedDocumentsAtEveryAlignment) {
    std::mt19937 random(866);
    for (std::size_t pieces : {0, 1, 5, 40, 300, 60000}) {
        const Generated doc = generate(random, pieces);
        const Lines expected = linesOf(doc.text);
        for (std::size_t shift = 0; shift < 16; ++shift) {
            // An unknown parameter of any length moves the text without adding to it.
            const std::string document = "{\\rtf1" + std::string(shift, '7') + " " + doc.body + "}";
            ASSERT_EQ(semtra::rtf::parse(document), expected)
                << pieces << " pieces, shift " << shift;
        }
    }
}

TEST(RtfParse, LinesLongerThanTheReadersWindow) {
    std::mt19937 random(1251);
    for (std::size_t longLine : {65535, 65536, 65537, 200000}) {
        const Generated doc = generate(random, 2000, longLine);
        EXPECT_EQ(semtra::rtf::parse(kControlHeader + doc.body + "}"), linesOf(doc.text))
            << longLine;
    }
}

// Wherever the reader's buffers fill, the last \\par still only closes the last line.
TEST(RtfParse, EmptyLastLinesAfterLongTextOfAnyLength) {
    for (std::size_t length = 65500; length < 65560; ++length) {
        const std::string text(length, 'a');
        const std::string document = "{\\rtf1 " + text;
        ASSERT_EQ(semtra::rtf::parse(document + "\\par\\par}"), Lines{text}) << length;
        ASSERT_EQ(semtra::rtf::parse(document + "\\par\\par\\par}"), (Lines{text, ""})) << length;
        ASSERT_EQ(semtra::rtf::parse(document + "\\'0d\\par}"), Lines{text}) << length;
    }
}

TEST(RtfParse, IntoAListReusesItAndKeepsNothingOfIt) {
    const std::string document = semtra::rtf::write({"\xCF\xF0\xE8", "", "a b"});
    for (Lines before : {Lines{}, Lines{"old"}, Lines(1000, std::string(100, 'x'))}) {
        semtra::rtf::parse(document, before);
        EXPECT_EQ(before, (Lines{"\xCF\xF0\xE8", "", "a b"}));
    }
}

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

TEST(RtfParseRefuses, ABigDocumentCutAnywhere) {
    const std::string document =
        semtra::rtf::write(Lines(3000, "\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0 {\\}!"));
    for (std::size_t cut = 0; cut < document.size() - 3; cut += 997) {
        EXPECT_THROW(semtra::rtf::parse(std::string_view(document).substr(0, cut)),
                     semtra::EngineError)
            << cut;
    }
    // The final CR LF is not part of the document.
    EXPECT_EQ(semtra::rtf::parse(std::string_view(document).substr(0, document.size() - 2)).size(),
              3000u);
}

} // namespace
