#include "engine/text_forms.hpp"

namespace semtra {

void upperCyrillicInPlace(std::string& line) {
    for (char& c : line)
        c = upperCyrillic(c);
}

void capitalizeFirst(std::string& line) {
    if (!line.empty())
        line.front() = upperCyrillic(line.front());
}

void fixEndPunctuation(std::string& line) {
    if (line.empty())
        return;
    switch (line.back()) {
    case ',':
        line.back() = '.';
        break;
    case '!':
    case '?':
    case '.':
        break;
    default:
        line.push_back('.');
    }
}

} // namespace semtra
