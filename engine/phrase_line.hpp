#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace semtra::phrase {

inline constexpr std::size_t npos = std::string_view::npos;

// The length of the run of "_" that starts a line: 0 for a main phrase.
std::size_t branchPrefix(std::string_view line);

// The key mark: the first "^" at index `keyStart + 1` or later, since the character at
// keyStart always belongs to the key. npos when the line has none.
std::size_t keyMark(std::string_view line, std::size_t keyStart = 0);

// The key of a line as the lookup and learning read it: everything before the key mark,
// branch prefix included. npos-free: empty view when the line has no key mark.
std::string_view key(std::string_view line);

// True when the key mark is the line's last character: a key nobody has answered yet.
inline bool hasNoAnswers(std::string_view line, std::size_t mark) {
    return mark + 1 == line.size();
}

// True when the line's first answer alternative is closed by ";", so every alternative
// the answer choice can draw has an end. Lines without it are skipped by the lookups.
bool answersClosed(std::string_view line, std::size_t mark);

// Makes text safe to store in the phrase table: a line break would split the stored line
// and "^", "_" and ";" carry its structure, so each becomes a space.
std::string tableSafe(std::string_view text);

// Joins the lines of a text with breaks into one line, a space for each break.
std::string oneLine(std::string_view text);

} // namespace semtra::phrase
