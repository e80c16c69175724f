#pragma once

#include "engine/file_stamp.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace semtra {

class FileSystem;

// An ordered list of text lines numbered from 0. A rich list loads RTF or, failing that,
// plain text and always saves RTF; a plain list (the word lists, the exchange buffer)
// loads and saves plain text. No list ever splits a stored line.
class LineList {
  public:
    enum class Format { Rich, Plain };

    explicit LineList(Format format = Format::Rich) : m_format(format) {}
    LineList(Format format, std::vector<std::string> lines)
        : m_format(format), m_lines(std::move(lines)) {}

    int count() const { return static_cast<int>(m_lines.size()); }
    // The line at index, or the empty text outside 0 .. count-1.
    const std::string& get(int index) const;
    // Appends text; a line break inside it starts a further line.
    void add(std::string_view text);
    // Removes line index; later lines move up. Outside the list nothing happens.
    void remove(int index);
    void clear() {
        m_stamp.reset();
        m_lines.clear();
    }
    // The lines joined with CR LF.
    std::string text() const;

    void load(const FileSystem& files, std::string_view name);
    void save(const FileSystem& files, std::string_view name) const;

    const std::vector<std::string>& lines() const { return m_lines; }
    std::vector<std::string>& lines() {
        m_stamp.reset();
        return m_lines;
    }

  private:
    void rememberSaved(const FileSystem& files, std::string_view name) const;

    Format m_format;
    std::vector<std::string> m_lines;
    // The file the lines are a copy of, as it was when they were loaded or saved; gone once
    // the lines change. A load of that very file, unchanged, has nothing to read.
    mutable std::optional<FileStamp> m_stamp;
};

// Splits text at CR LF, lone CR, lone LF and LF CR, as a text box takes pasted text.
std::vector<std::string> splitBoxText(std::string_view text);

} // namespace semtra
