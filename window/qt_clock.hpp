#pragma once

#include "engine/random.hpp"

namespace semtra::window {

// The clock with the user's regional short date and long time, as the desktop has them.
class QtClock : public SystemClock {
  public:
    std::string shortDate() override;
    std::string longTime() override;
};

} // namespace semtra::window
