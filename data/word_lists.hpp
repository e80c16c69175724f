#pragma once

#include <vector>

namespace semtra::data {

// Entries 1 .. Count-1 of the three word lists (entry 0, always empty, is added by the
// engine). UTF-8 text.
extern const std::vector<const char*> kInsultWords;
extern const std::vector<const char*> kHumanTopicWords;
extern const std::vector<const char*> kFarewellWords;

} // namespace semtra::data
