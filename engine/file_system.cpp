#include "engine/file_system.hpp"

#include "engine/codec.hpp"
#include "engine/errors.hpp"

#include <atomic>
#include <span>
#include <system_error>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <fstream>
#include <process.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace semtra {

namespace fs = std::filesystem;

namespace {

// ---- Platform: the only place that talks to the OS below std::filesystem.

enum class Created { Ok, Exists, Failed };

#ifdef _WIN32

bool isReadOnly(const fs::path& path) {
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    return ec || (st.permissions() & fs::perms::owner_write) == fs::perms::none;
}

unsigned long processId() {
    return static_cast<unsigned long>(_getpid());
}

std::optional<std::size_t> readFile(const fs::path& path, std::string& buffer) {
    std::ifstream in(path, std::ios::binary);
    if (!in.seekg(0, std::ios::end)) {
        return std::nullopt;
    }
    const std::streamoff size = in.tellg();
    if (size < 0 || !in.seekg(0)) {
        return std::nullopt;
    }
    if (buffer.size() < static_cast<std::size_t>(size)) {
        buffer.resize(static_cast<std::size_t>(size));
    }
    if (!in.read(buffer.data(), size)) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(size);
}

Created writeNewFile(const fs::path& temp, const FileSystem::Producer& produce,
                     const fs::path* original) {
    std::error_code ec;
    if (fs::exists(temp, ec)) {
        return Created::Exists;
    }
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    produce([&out](std::string_view piece) {
        out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
    });
    out.close();
    if (!out) {
        return Created::Failed;
    }
    if (original) {
        fs::permissions(temp, fs::status(*original, ec).permissions(), ec);
    }
    return ec ? Created::Failed : Created::Ok;
}

void syncFolder(const fs::path&) {}

#else

// Read-only as Windows means it: not writable for us, or without any write bit at all. The
// second test is what stops root, whom the permission bits do not stop.
bool isReadOnly(const fs::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return true;
    }
    return ::access(path.c_str(), W_OK) != 0 || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

unsigned long processId() {
    return static_cast<unsigned long>(::getpid());
}

// Closes the descriptor however the work on it ends.
class Descriptor {
  public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { close(); }

    int get() const { return m_fd; }
    bool open() const { return m_fd >= 0; }
    // False when the close reports an error, which for a written file may be a lost write.
    bool close() {
        const int fd = std::exchange(m_fd, -1);
        return fd < 0 || ::close(fd) == 0;
    }

  private:
    int m_fd;
};

bool readFully(int fd, char* out, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::read(fd, out, size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) { // an error, or the file got shorter under us
            return false;
        }
        out += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// read() straight into the buffer: no stream layer, and no zero-filling of memory the read
// overwrites anyway once the buffer is big enough.
std::optional<std::size_t> readFile(const fs::path& path, std::string& buffer) {
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st {};
    if (!file.open() || ::fstat(file.get(), &st) != 0 || st.st_size < 0) {
        return std::nullopt;
    }
    const auto size = static_cast<std::size_t>(st.st_size);
    if (buffer.size() < size) {
        buffer.resize(size);
    }
    if (!readFully(file.get(), buffer.data(), size)) {
        return std::nullopt;
    }
    return size;
}

bool writeFully(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The replacement keeps the old file's mode, and its owner where we are allowed to give it.
bool copyModeAndOwner(int fd, const fs::path& original) {
    struct stat st {};
    if (::stat(original.c_str(), &st) != 0) {
        return false;
    }
    if (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) {
        if (::fchown(fd, st.st_uid, st.st_gid) != 0) {
            // Not ours to give away: the new file stays ours.
        }
    }
    return ::fchmod(fd, st.st_mode & 07777) == 0;
}

// Starts writing the range to the disk without waiting for it, so that the fsync at the end
// finds most of a big file already written. Only a head start: the fsync still decides.
void startWriteback(int fd, off_t offset, off_t length) {
#ifdef __linux__
    ::sync_file_range(fd, offset, length, SYNC_FILE_RANGE_WRITE);
#else
    (void)fd, (void)offset, (void)length;
#endif
}

// Writes each piece as it comes; after a failed write the rest is dropped and the file is
// given up.
bool writeContent(int fd, const FileSystem::Producer& produce) {
    constexpr off_t kWritebackStep = 1 << 20;
    bool ok = true;
    off_t written = 0;
    off_t handedOver = 0; // written and already on its way to the disk
    produce([&](std::string_view piece) {
        ok = ok && writeFully(fd, piece);
        written += static_cast<off_t>(piece.size());
        if (ok && written - handedOver >= kWritebackStep) {
            startWriteback(fd, handedOver, written - handedOver);
            handedOver = written;
        }
    });
    return ok;
}

Created writeNewFile(const fs::path& temp, const FileSystem::Producer& produce,
                     const fs::path* original) {
    Descriptor file(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!file.open()) {
        return errno == EEXIST ? Created::Exists : Created::Failed;
    }
    bool ok = (!original || copyModeAndOwner(file.get(), *original)) &&
              writeContent(file.get(), produce) && ::fsync(file.get()) == 0;
    ok = file.close() && ok;
    return ok ? Created::Ok : Created::Failed;
}

// Makes the rename itself durable. Some file systems cannot sync a folder; the new content is
// in place by then, so that is no failure of the save.
void syncFolder(const fs::path& folder) {
    Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.open()) {
        ::fsync(dir.get());
    }
}

#endif

// ---- Names

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

bool isAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

// UTF-8 bytes as a path; a plain std::string would be read in the ANSI code page on Windows.
fs::path pathFromUtf8(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8Of(const fs::path& path) {
    try {
        const std::u8string name = path.u8string();
        return std::string(name.begin(), name.end());
    } catch (const std::exception&) { // a name Windows cannot give as UTF-8 matches nothing
        return {};
    }
}

// ASCII and the Russian letters, Ё included, fold to lower case. Works on the bytes, so names
// that are not valid UTF-8 still compare.
std::string foldCase(std::string_view utf8) {
    std::string out(utf8);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c != 0xD0 || i + 1 == out.size()) {
            out[i] = asciiLower(out[i]);
            continue;
        }
        const auto next = static_cast<unsigned char>(out[i + 1]);
        if (next >= 0x90 && next <= 0x9F) { // А..П -> а..п
            out[i + 1] = static_cast<char>(next + 0x20);
        } else if (next >= 0xA0 && next <= 0xAF) { // Р..Я -> р..я
            out[i] = static_cast<char>(0xD1);
            out[i + 1] = static_cast<char>(next - 0x20);
        } else if (next == 0x81) { // Ё -> ё
            out[i] = static_cast<char>(0xD1);
            out[i + 1] = static_cast<char>(0x91);
        }
        ++i;
    }
    return out;
}

// Where a name starts on the disk and its components in UTF-8.
struct Location {
    fs::path root;
    std::vector<std::string> parts;
};

void appendParts(std::string_view name, std::vector<std::string>& parts) {
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = start;
        while (end < name.size() && !isSeparator(name[end])) {
            ++end;
        }
        const std::string_view part = name.substr(start, end - start);
        if (!part.empty() && part != ".") {
            parts.push_back(codec::toUtf8(part));
        }
        start = end + 1;
    }
}

bool startsWithDrive(std::string_view name) {
    return name.size() >= 3 && isAsciiLetter(name[0]) && name[1] == ':' && isSeparator(name[2]);
}

Location locate(std::string_view name, const fs::path& workDir, const fs::path& drivesDir) {
    Location loc;
    if (startsWithDrive(name)) {
        // The drive folder is one more component, so "D" on the disk serves too.
        loc.root = drivesDir;
        loc.parts.emplace_back(1, asciiLower(name[0]));
        name.remove_prefix(3);
    } else if (!name.empty() && name[0] == '/') {
        loc.root = "/";
    } else {
        loc.root = workDir;
    }
    appendParts(name, loc.parts);
    return loc;
}

// ---- Resolution

enum class Kind { Folder, File };

bool isKind(const fs::path& path, Kind kind) {
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    return kind == Kind::Folder ? fs::is_directory(st) : fs::is_regular_file(st);
}

// The entry of a folder that a component reaches: the exact spelling, else one equal ignoring
// case (the first in order when several differ only in case, so the choice is stable).
std::optional<fs::path> findEntry(const fs::path& folder, const std::string& part, Kind kind) {
    fs::path exact = folder / pathFromUtf8(part);
    if (isKind(exact, kind)) {
        return exact;
    }
    const std::string wanted = foldCase(part);
    std::optional<fs::path> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& candidate = it->path();
        if ((!found || candidate < *found) && foldCase(utf8Of(candidate.filename())) == wanted &&
            isKind(candidate, kind)) {
            found = candidate;
        }
    }
    return found;
}

std::optional<fs::path> findFolder(const fs::path& root, std::span<const std::string> parts) {
    if (!isKind(root, Kind::Folder)) {
        return std::nullopt;
    }
    fs::path folder = root;
    for (const std::string& part : parts) {
        std::optional<fs::path> next = findEntry(folder, part, Kind::Folder);
        if (!next) {
            return std::nullopt;
        }
        folder = std::move(*next);
    }
    return folder;
}

// The folder of a name and its last component, when the folder exists.
std::optional<std::pair<fs::path, std::string>>
findParent(std::string_view name, const fs::path& workDir, const fs::path& drivesDir) {
    Location loc = locate(name, workDir, drivesDir);
    if (loc.parts.empty()) {
        return std::nullopt;
    }
    const std::span<const std::string> folders(loc.parts.data(), loc.parts.size() - 1);
    std::optional<fs::path> folder = findFolder(loc.root, folders);
    if (!folder) {
        return std::nullopt;
    }
    return std::pair{std::move(*folder), std::move(loc.parts.back())};
}

// ---- Whole files

// ".<name>.tmp-<pid>-<n>", with the name cut on a character boundary so the whole stays
// within the usual 255-byte limit.
std::string tempName(const fs::path& target) {
    static std::atomic<unsigned long> counter{0};
    constexpr std::size_t kMaxStem = 200;
    std::string stem = utf8Of(target.filename());
    if (stem.size() > kMaxStem) {
        std::size_t cut = kMaxStem;
        while (cut > 0 && (static_cast<unsigned char>(stem[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        stem.resize(cut);
    }
    return "." + stem + ".tmp-" + std::to_string(processId()) + "-" + std::to_string(++counter);
}

// Writes a temporary sibling of the target, then renames it over the target: a crash at any
// point leaves either the old content or the new, never a torn file.
bool replaceWhole(fs::path target, const FileSystem::Producer& produce) {
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(target, ec))) { // replace what the link points to
        target = fs::canonical(target, ec);
        if (ec) {
            return false;
        }
    }
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    if (isReadOnly(folder)) {
        return false;
    }
    const fs::file_status st = fs::status(target, ec);
    const bool replacing = fs::exists(st);
    if (replacing && (!fs::is_regular_file(st) || isReadOnly(target))) {
        return false;
    }
    constexpr int kAttempts = 16; // names left behind by an earlier crash of the same pid
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const fs::path temp = folder / pathFromUtf8(tempName(target));
        Created created = Created::Failed;
        try {
            created = writeNewFile(temp, produce, replacing ? &target : nullptr);
        } catch (...) { // the content could not be made: no half-written file stays behind
            fs::remove(temp, ec);
            throw;
        }
        if (created == Created::Exists) {
            continue;
        }
        if (created == Created::Ok) {
            fs::rename(temp, target, ec);
            if (!ec) {
                syncFolder(folder);
                return true;
            }
        }
        fs::remove(temp, ec);
        return false;
    }
    return false;
}

} // namespace

FileSystem::FileSystem(fs::path workDir, fs::path drivesDir)
    : m_workDir(std::move(workDir)),
      m_drivesDir(drivesDir.empty() ? m_workDir / "drives" : std::move(drivesDir)) {}

std::optional<fs::path> FileSystem::findExisting(std::string_view name) const {
    const auto parent = findParent(name, m_workDir, m_drivesDir);
    if (!parent) {
        return std::nullopt;
    }
    return findEntry(parent->first, parent->second, Kind::File);
}

std::optional<fs::path> FileSystem::forWriting(std::string_view name) const {
    const auto parent = findParent(name, m_workDir, m_drivesDir);
    if (!parent) {
        return std::nullopt;
    }
    if (std::optional<fs::path> existing = findEntry(parent->first, parent->second, Kind::File)) {
        return existing;
    }
    return parent->first / pathFromUtf8(parent->second);
}

std::string FileSystem::readAll(std::string_view name) const {
    std::string data;
    data.resize(readInto(name, data).size());
    return data;
}

std::string_view FileSystem::readInto(std::string_view name, std::string& buffer) const {
    const std::optional<fs::path> path = findExisting(name);
    const std::optional<std::size_t> size = path ? readFile(*path, buffer) : std::nullopt;
    if (!size) {
        throwCannotOpen(std::string(name));
    }
    return {buffer.data(), *size};
}

void FileSystem::writeAll(std::string_view name, std::string_view data) const {
    writeFrom(name, [data](const Put& put) { put(data); });
}

void FileSystem::writeFrom(std::string_view name, const Producer& produce) const {
    const std::optional<fs::path> target = forWriting(name);
    if (!target || !replaceWhole(*target, produce)) {
        throwCannotCreate(std::string(name));
    }
}

} // namespace semtra
