#pragma once

#include <filesystem>
#include <optional>

namespace semtra {

// Where the bot's memory lives and where its starter files come from.

// The per-user data folder: $XDG_DATA_HOME/semtra, by default ~/.local/share/semtra.
std::filesystem::path perUserDataFolder();

// The folder that drive letters ("D:\Txt.Dat") map into: $SEMTRA_DRIVES, else
// <per-user data folder>/drives.
std::filesystem::path drivesFolder();

// The starter files shipped beside the program: <exe dir>/../share/semtra.
std::optional<std::filesystem::path> starterFolder(const std::filesystem::path& executable);

// True when a folder holds a "Base" folder (any letter case).
bool holdsBase(const std::filesystem::path& folder);

// Copies every starter file that the target lacks; files already there are never touched,
// so the bot's memory survives. Creates the target if needed.
void fillFromStarter(const std::filesystem::path& target, const std::filesystem::path& starter);

// The working folder the program uses: `explicit` if given; else the current folder when
// it holds a Base folder; else the per-user data folder, created from the starter files on
// first use and given any starter file it lacks on every later one.
std::filesystem::path chooseWorkFolder(const std::optional<std::filesystem::path>& explicitDir,
                                       const std::filesystem::path& executable);

} // namespace semtra
