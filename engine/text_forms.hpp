#pragma once

#include <string>

namespace semtra {

// The Cyrillic image of one Windows-1251 byte: а..я become А..Я, ё becomes Ё; every other
// byte, Latin letters included, stays.
inline char upperCyrillic(char c) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0xE0)
        return static_cast<char>(b - 0x20);
    if (b == 0xB8)
        return static_cast<char>(0xA8);
    return c;
}

// Upper-cases the Russian letters of a line in place.
void upperCyrillicInPlace(std::string& line);

// Capitalises the first byte of a line (Russian letters only).
void capitalizeFirst(std::string& line);

// Makes the line end in ".", "!" or "?": a final "," becomes ".", other endings get ".".
void fixEndPunctuation(std::string& line);

} // namespace semtra
