#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>

namespace semtra {

struct TerminalOptions {
    std::filesystem::path workDir;
    std::filesystem::path drivesDir;
    std::optional<std::int32_t> seed; // the clock of the re-seeds reads seed, seed+1, ...
};

// The turn in a terminal: UTF-8 lines in, one reply line out per turn. Ends with the Exit
// command's session log at the end of input or after a farewell. Returns the exit status.
int runTerminalChat(const TerminalOptions& options, std::istream& in, std::ostream& out,
                    std::ostream& err);

} // namespace semtra
