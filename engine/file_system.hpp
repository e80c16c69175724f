#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace semtra {

// Resolves the program's Windows file names ("Base\Words.Dat", "D:\Txt.Dat") on the disk
// and reads and writes whole files. Names are Windows-1251 bytes.
//
// - "\" (and "/") separate folders; a relative name is resolved under the working folder.
// - Every component matches case-insensitively, so "Base\Words.dat" reaches Base/words.DAT.
// - A drive letter ("D:\Txt.Dat") maps to <drives>/d/Txt.Dat.
// - An absolute POSIX path ("/tmp/x.dat") is taken as it is.
class FileSystem {
public:
    explicit FileSystem(std::filesystem::path workDir, std::filesystem::path drivesDir = {});

    const std::filesystem::path& workDir() const { return m_workDir; }
    const std::filesystem::path& drivesDir() const { return m_drivesDir; }

    // The existing file a name reaches, if any.
    std::optional<std::filesystem::path> findExisting(std::string_view name) const;

    // Where a save of the name goes: the existing file, or a new file spelled as the
    // program spells it inside an existing folder. Nothing when the folder is missing.
    std::optional<std::filesystem::path> forWriting(std::string_view name) const;

    // Whole file. Throws EngineError "Cannot open file <name>".
    std::string readAll(std::string_view name) const;

    // Whole file into the front of buffer, which grows to fit but never shrinks, so that
    // reading a big file again lands in memory that is already there. Returns the file's
    // bytes. Throws as readAll.
    std::string_view readInto(std::string_view name, std::string& buffer) const;

    // Replaces the file whole without ever leaving it torn: a temporary file in the same
    // folder is written, flushed to disk and renamed over the target. A read-only target or
    // folder, or a missing folder, throws "Cannot create file <name>" and keeps the old file.
    void writeAll(std::string_view name, std::string_view data) const;

    // Takes each piece of the content in turn; a piece is only valid during the call.
    using Put = std::function<void(std::string_view piece)>;
    // Makes the content, handing it to put a piece at a time.
    using Producer = std::function<void(const Put& put)>;

    // As writeAll, with the content made while the file is written, so that it never needs a
    // buffer of its own and the disk starts on it early.
    void writeFrom(std::string_view name, const Producer& produce) const;

private:
    std::filesystem::path m_workDir;
    std::filesystem::path m_drivesDir;
};

} // namespace semtra
