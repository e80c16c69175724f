#include "engine/phrase_scan.hpp"

namespace semtra {

bool phraseScan(std::string_view pattern, std::string_view text) {
    const std::size_t length = pattern.size();
    if (length == 0)
        return false;
    std::size_t matched = 0;
    for (const char c : text) {
        // The scan never retries the byte that broke a run.
        if (pattern[matched] == c) {
            if (++matched == length)
                return true;
        } else {
            matched = 0;
        }
    }
    return false;
}

} // namespace semtra
