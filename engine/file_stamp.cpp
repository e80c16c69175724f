#include "engine/file_stamp.hpp"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace semtra {

#ifndef _WIN32

std::optional<FileStamp> stampOf(const std::filesystem::path& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    const auto ns = [](const timespec& t) {
        return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
    };
    return FileStamp{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
                     static_cast<std::uint64_t>(st.st_size), ns(st.st_mtim), ns(st.st_ctim)};
}

#else

std::optional<FileStamp> stampOf(const std::filesystem::path& file) {
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    if (error)
        return std::nullopt;
    const auto time = std::filesystem::last_write_time(file, error);
    if (error)
        return std::nullopt;
    return FileStamp{0, 0, size, time.time_since_epoch().count(), 0};
}

#endif

} // namespace semtra
