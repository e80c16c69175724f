#pragma once

#include <string_view>

namespace semtra {

// The engine's substring test. The text is walked once and no byte is looked at twice: a
// byte that breaks a run is not retried against the pattern's first byte, so "ААБ" is not
// found in "АААБ". An empty pattern never hits.
bool phraseScan(std::string_view pattern, std::string_view text);

} // namespace semtra
