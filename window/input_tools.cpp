#include "window/input_tools.hpp"

#include <array>

namespace semtra::window {

namespace {

struct Entry {
    unsigned char typed;
    unsigned char result;
};

// Letter keys, then the shifted digit and slash keys of the Russian layout.
constexpr Entry kLayout[] = {
    {'`', 0xB8},  {'~', 0xA8}, {'q', 0xE9}, {'Q', 0xC9}, {'w', 0xF6}, {'W', 0xD6}, {'e', 0xF3},
    {'E', 0xD3},  {'r', 0xEA}, {'R', 0xCA}, {'t', 0xE5}, {'T', 0xC5}, {'y', 0xED}, {'Y', 0xCD},
    {'u', 0xE3},  {'U', 0xC3}, {'i', 0xF8}, {'I', 0xD8}, {'o', 0xF9}, {'O', 0xD9}, {'p', 0xE7},
    {'P', 0xC7},  {'[', 0xF5}, {'{', 0xD5}, {']', 0xFA}, {'}', 0xDA}, {'a', 0xF4}, {'A', 0xD4},
    {'s', 0xFB},  {'S', 0xDB}, {'d', 0xE2}, {'D', 0xC2}, {'f', 0xE0}, {'F', 0xC0}, {'g', 0xEF},
    {'G', 0xCF},  {'h', 0xF0}, {'H', 0xD0}, {'j', 0xEE}, {'J', 0xCE}, {'k', 0xEB}, {'K', 0xCB},
    {'l', 0xE4},  {'L', 0xC4}, {';', 0xE6}, {':', 0xC6}, {'"', 0xDD}, {'z', 0xFF}, {'Z', 0xDF},
    {'x', 0xF7},  {'X', 0xD7}, {'c', 0xF1}, {'C', 0xD1}, {'v', 0xEC}, {'V', 0xCC}, {'b', 0xE8},
    {'B', 0xC8},  {'n', 0xF2}, {'N', 0xD2}, {'m', 0xFC}, {'M', 0xDC}, {'<', 0xE1}, {'>', 0xFE},
    {'@', '"'},   {'#', 0xB9}, {'$', ';'},  {'^', ':'},  {'&', '?'},  {'/', '.'},  {'|', '/'},
    {'\\', '\\'},
};
static_assert(std::size(kLayout) == 71);

constexpr std::array<unsigned char, 256> makeTable() {
    std::array<unsigned char, 256> table{};
    for (int b = 0; b < 256; ++b)
        table[static_cast<std::size_t>(b)] = static_cast<unsigned char>(b);
    for (const Entry& entry : kLayout)
        table[entry.typed] = entry.result;
    return table;
}

constexpr auto kTable = makeTable();

bool reserved(char c) {
    return c == '^' || c == '_' || c == ';';
}

} // namespace

std::string convertLayout(const std::string& cp1251) {
    std::string out = cp1251;
    for (char& c : out)
        c = static_cast<char>(kTable[static_cast<unsigned char>(c)]);
    return out;
}

ReservedGuard::Step ReservedGuard::tick(const std::string& line) {
    if (line.empty())
        return Step::Idle;
    // A cursor left past the end of a line that was cleared or shortened starts the walk
    // again at the first character, at once.
    if (m_cursor >= static_cast<int>(line.size()))
        m_cursor = 0;
    ++m_cursor;
    if (reserved(line[static_cast<std::size_t>(m_cursor - 1)]))
        return Step::Found;
    if (m_cursor == static_cast<int>(line.size()))
        m_cursor = 0;
    return Step::Clean;
}

} // namespace semtra::window
