#include "engine/phrase_line.hpp"

namespace semtra::phrase {

std::size_t branchPrefix(std::string_view line) {
    const std::size_t first = line.find_first_not_of('_');
    return first == npos ? line.size() : first;
}

std::size_t keyMark(std::string_view line, std::size_t keyStart) {
    if (keyStart + 1 >= line.size())
        return npos;
    return line.find('^', keyStart + 1);
}

std::string_view key(std::string_view line) {
    const std::size_t mark = keyMark(line);
    return mark == npos ? std::string_view{} : line.substr(0, mark);
}

bool answersClosed(std::string_view line, std::size_t mark) {
    // The first alternative always takes the character after the mark, then runs to a ";".
    return mark + 2 <= line.size() && line.find(';', mark + 2) != npos;
}

std::string oneLine(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out.push_back(' ');
            const bool pair = i + 1 < text.size() && text[i + 1] != c &&
                              (text[i + 1] == '\r' || text[i + 1] == '\n');
            if (pair)
                ++i;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::string tableSafe(std::string_view text) {
    std::string out = oneLine(text);
    for (char& c : out)
        if (c == '^' || c == '_' || c == ';')
            c = ' ';
    return out;
}

} // namespace semtra::phrase
