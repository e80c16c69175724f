#pragma once

#include <string>
#include <string_view>

namespace semtra::codec {

// The one conversion between the engine's Windows-1251 bytes and UTF-8 at the edges.

std::string toUtf8(std::string_view cp1251);

// Invalid UTF-8 sequences and characters that 1251 lacks become "?".
std::string fromUtf8(std::string_view utf8);

// The 1251 byte of a Unicode code point, or '?' when 1251 has none.
char fromUnicode(char32_t cp);

// The Unicode code point of a 1251 byte (0x98, unassigned, maps to U+FFFD).
char32_t toUnicode(unsigned char byte);

} // namespace semtra::codec
