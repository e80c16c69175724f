#include "engine/line_list.hpp"

#include "engine/file_system.hpp"
#include "engine/rtf.hpp"

namespace semtra {

namespace {
const std::string kEmpty;
}

const std::string& LineList::get(int index) const {
    if (index < 0 || index >= count())
        return kEmpty;
    return m_lines[static_cast<std::size_t>(index)];
}

void LineList::add(std::string_view text) {
    m_stamp.reset();
    if (text.find_first_of("\r\n") == std::string_view::npos) {
        m_lines.emplace_back(text);
        return;
    }
    // A text ending in a break still adds its last (empty) piece, as adding "a\r\n" to
    // a text box leaves an empty line below it.
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        m_lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    m_lines.emplace_back(text.substr(start));
}

void LineList::remove(int index) {
    m_stamp.reset();
    if (index >= 0 && index < count())
        m_lines.erase(m_lines.begin() + index);
}

std::string LineList::text() const {
    std::size_t size = 0;
    for (const auto& line : m_lines)
        size += line.size() + 2;
    std::string out;
    out.reserve(size);
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (i > 0)
            out += "\r\n";
        out += m_lines[i];
    }
    return out;
}

std::vector<std::string> splitBoxText(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.emplace_back(text.substr(start, i - start));
        const bool pair = i + 1 < text.size() && ((c == '\r' && text[i + 1] == '\n') ||
                                                  (c == '\n' && text[i + 1] == '\r'));
        i += pair ? 2 : 1;
        start = i;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

void LineList::load(const FileSystem& files, std::string_view name) {
    // Both kept from the last load on this thread: reading and parsing the same big table
    // again then lands in memory that is already there, with no fresh pages to fault in.
    // The lines are parsed beside the list, so a file that cannot be read leaves it as it was.
    thread_local std::string buffer;
    thread_local std::vector<std::string> spare;
    // Every use reads the file afresh, unless the lines already are a copy of it as it
    // stands: then reading it again could only give the same lines.
    const auto file = files.findExisting(name);
    const auto stamp = file ? stampOf(*file) : std::nullopt;
    if (stamp && m_stamp == stamp)
        return;
    const std::string_view data = files.readInto(name, buffer);
    if (m_format == Format::Plain)
        m_lines = splitBoxText(data);
    else if (!rtf::looksLikeRtf(data))
        m_lines = rtf::splitPlain(data);
    else {
        rtf::parse(data, spare);
        m_lines.swap(spare);
    }
    // Taken before the read, so a change while it ran is seen by the next load.
    m_stamp = stamp;
}

void LineList::save(const FileSystem& files, std::string_view name) const {
    if (m_format == Format::Rich) {
        // Spelt while it is written, so the document is never whole in memory.
        files.writeFrom(name, [this](const FileSystem::Put& put) { rtf::write(m_lines, put); });
        rememberSaved(files, name);
        return;
    }
    std::string data;
    for (const auto& line : m_lines) {
        data += line;
        data += "\r\n";
    }
    files.writeAll(name, data);
    rememberSaved(files, name);
}

void LineList::rememberSaved(const FileSystem& files, std::string_view name) const {
    const auto file = files.findExisting(name);
    m_stamp = file ? stampOf(*file) : std::nullopt;
}

} // namespace semtra
