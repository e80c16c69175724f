#include "engine/codec.hpp"

#include <algorithm>
#include <array>
#include <cstddef>

namespace semtra::codec {

namespace {

// Code points of the bytes 0x80..0xBF; 0xC0..0xFF are А..я in order.
constexpr std::array<char16_t, 64> kHighBlock = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 0x88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 0x98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // 0xA0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // 0xA8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // 0xB0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // 0xB8
};

constexpr char32_t kCyrillicA = 0x0410;  // А, byte 0xC0
constexpr char32_t kCyrillicYa = 0x044F; // я, byte 0xFF

constexpr char32_t codePointOf(unsigned char byte) {
    if (byte < 0x80) {
        return byte;
    }
    if (byte < 0xC0) {
        return kHighBlock[byte - 0x80];
    }
    return kCyrillicA + (byte - 0xC0);
}

struct Utf8Bytes {
    std::array<char, 3> bytes{};
    unsigned char size = 0;
};

constexpr Utf8Bytes encode(char32_t cp) {
    Utf8Bytes out;
    if (cp < 0x80) {
        out.bytes[0] = static_cast<char>(cp);
        out.size = 1;
    } else if (cp < 0x800) {
        out.bytes[0] = static_cast<char>(0xC0 | (cp >> 6));
        out.bytes[1] = static_cast<char>(0x80 | (cp & 0x3F));
        out.size = 2;
    } else { // every 1251 character lies in the BMP
        out.bytes[0] = static_cast<char>(0xE0 | (cp >> 12));
        out.bytes[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out.bytes[2] = static_cast<char>(0x80 | (cp & 0x3F));
        out.size = 3;
    }
    return out;
}

constexpr std::array<Utf8Bytes, 256> makeUtf8Table() {
    std::array<Utf8Bytes, 256> table{};
    for (int b = 0; b < 256; ++b) {
        table[b] = encode(codePointOf(static_cast<unsigned char>(b)));
    }
    return table;
}

constexpr auto kUtf8 = makeUtf8Table();

struct Reverse {
    char16_t cp;
    unsigned char byte;
};

// The 0x80..0xBF block sorted by code point, without the unassigned 0x98.
constexpr std::array<Reverse, 63> makeReverseTable() {
    std::array<Reverse, 63> table{};
    std::size_t n = 0;
    for (int b = 0x80; b < 0xC0; ++b) {
        if (b != 0x98) {
            table[n++] = {kHighBlock[b - 0x80], static_cast<unsigned char>(b)};
        }
    }
    std::ranges::sort(table, {}, &Reverse::cp);
    return table;
}

constexpr auto kReverse = makeReverseTable();

struct Decoded {
    bool valid;
    char32_t cp;
    std::size_t length; // bytes consumed; for an invalid sequence its maximal valid prefix
};

// One UTF-8 sequence starting at a non-ASCII byte. Overlong forms, surrogates and code points
// past U+10FFFF are invalid; a broken sequence is replaced as a whole, as Unicode recommends.
Decoded decodeOne(std::string_view s, std::size_t i) {
    const auto lead = static_cast<unsigned char>(s[i]);
    int need = 0;
    char32_t cp = 0;
    unsigned char lo = 0x80;
    unsigned char hi = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        need = 1;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 2;
        cp = lead & 0x0F;
        lo = lead == 0xE0 ? 0xA0 : 0x80;
        hi = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 3;
        cp = lead & 0x07;
        lo = lead == 0xF0 ? 0x90 : 0x80;
        hi = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return {false, 0, 1};
    }
    std::size_t length = 1;
    for (int k = 0; k < need; ++k) {
        if (i + length >= s.size()) {
            return {false, 0, length};
        }
        const auto b = static_cast<unsigned char>(s[i + length]);
        if (b < lo || b > hi) {
            return {false, 0, length};
        }
        cp = (cp << 6) | (b & 0x3F);
        ++length;
        lo = 0x80;
        hi = 0xBF;
    }
    return {true, cp, length};
}

std::size_t asciiRunEnd(std::string_view s, std::size_t i) {
    while (i < s.size() && static_cast<unsigned char>(s[i]) < 0x80) {
        ++i;
    }
    return i;
}

} // namespace

char32_t toUnicode(unsigned char byte) {
    return codePointOf(byte);
}

char fromUnicode(char32_t cp) {
    if (cp < 0x80) {
        return static_cast<char>(cp);
    }
    if (cp >= kCyrillicA && cp <= kCyrillicYa) {
        return static_cast<char>(0xC0 + (cp - kCyrillicA));
    }
    if (cp > 0xFFFF) { // would alias a BMP entry once narrowed
        return '?';
    }
    const auto it = std::ranges::lower_bound(kReverse, static_cast<char16_t>(cp), {}, &Reverse::cp);
    if (it != kReverse.end() && it->cp == cp) {
        return static_cast<char>(it->byte);
    }
    return '?';
}

std::string toUtf8(std::string_view cp1251) {
    std::size_t size = 0;
    for (const char c : cp1251) {
        size += kUtf8[static_cast<unsigned char>(c)].size;
    }
    std::string out(size, '\0');
    char* dst = out.data();
    for (const char c : cp1251) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            *dst++ = c;
            continue;
        }
        const Utf8Bytes& seq = kUtf8[b];
        dst = std::copy_n(seq.bytes.data(), seq.size, dst);
    }
    return out;
}

std::string fromUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::size_t asciiEnd = asciiRunEnd(utf8, i);
        out.append(utf8.data() + i, asciiEnd - i);
        i = asciiEnd;
        if (i == utf8.size()) {
            break;
        }
        const Decoded d = decodeOne(utf8, i);
        out += d.valid ? fromUnicode(d.cp) : '?';
        i += d.length;
    }
    return out;
}

} // namespace semtra::codec
