#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace semtra {

// What tells one state of a file from another without reading it: which file it is, its
// size and its modification and change times. A save by rename makes a new file, and any
// write in place moves the times, so an equal stamp means the same bytes.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modified = 0; // nanoseconds
    std::int64_t changed = 0;  // nanoseconds
    bool operator==(const FileStamp&) const = default;
};

std::optional<FileStamp> stampOf(const std::filesystem::path& file);

} // namespace semtra
