#include "engine/data_folder.hpp"

#include <cctype>
#include <cstdlib>
#include <stdexcept>
#include <system_error>

namespace semtra {

namespace fs = std::filesystem;

namespace {

fs::path environmentPath(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? fs::path(value) : fs::path();
}

bool equalsIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace

fs::path perUserDataFolder() {
    fs::path base = environmentPath("XDG_DATA_HOME");
    if (base.empty()) {
#ifdef _WIN32
        base = environmentPath("APPDATA");
#else
        const fs::path home = environmentPath("HOME");
        base = (home.empty() ? fs::temp_directory_path() : home) / ".local" / "share";
#endif
    }
    return base / "semtra";
}

fs::path drivesFolder() {
    const fs::path drives = environmentPath("SEMTRA_DRIVES");
    return drives.empty() ? perUserDataFolder() / "drives" : drives;
}

std::optional<fs::path> starterFolder(const fs::path& executable) {
    std::error_code error;
    const fs::path exe = fs::weakly_canonical(executable, error);
    const fs::path candidate = exe.parent_path().parent_path() / "share" / "semtra";
    if (holdsBase(candidate))
        return candidate;
    return std::nullopt;
}

bool holdsBase(const fs::path& folder) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (equalsIgnoringCase(it->path().filename().string(), "Base") && it->is_directory(error))
            return true;
    }
    return false;
}

void fillFromStarter(const fs::path& target, const fs::path& starter) {
    fs::create_directories(target);
    for (auto it = fs::recursive_directory_iterator(starter);
         it != fs::recursive_directory_iterator(); ++it) {
        const fs::path destination = target / fs::relative(it->path(), starter);
        if (it->is_directory()) {
            fs::create_directories(destination);
        } else if (!fs::exists(destination)) {
            fs::copy_file(it->path(), destination);
        }
    }
}

fs::path chooseWorkFolder(const std::optional<fs::path>& explicitDir, const fs::path& executable) {
    if (explicitDir)
        return *explicitDir;
    const fs::path current = fs::current_path();
    if (holdsBase(current))
        return current;
    const fs::path folder = perUserDataFolder();
    // Every start fills in what the folder lacks, so a folder set up by an earlier version
    // gains the program's newer files; what the bot has learnt is never touched.
    const auto starter = starterFolder(executable);
    if (starter)
        fillFromStarter(folder, *starter);
    else if (!holdsBase(folder))
        throw std::runtime_error("the starter files are missing beside the program; "
                                 "cannot set up " +
                                 folder.string());
    return folder;
}

} // namespace semtra
