#pragma once

#include <stdexcept>
#include <string>

namespace semtra {

// An engine failure as the user sees it: the message is the text the error box shows
// (without the final "."), in Windows-1251, e.g. "Cannot open file Base\X.Dat".
class EngineError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// "Cannot open file %s" / "Cannot create file %s" with the name as the program spells it.
[[noreturn]] void throwCannotOpen(const std::string& name);
[[noreturn]] void throwCannotCreate(const std::string& name);

inline constexpr const char* kFailedToLoadStream = "Failed to Load Stream";

} // namespace semtra
