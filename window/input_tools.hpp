#pragma once

#include <string>

namespace semtra::window {

// Rewrites Latin characters typed with the wrong keyboard layout into the Cyrillic
// characters of the same keys (Windows-1251). Each character is converted once; characters
// without an entry stay.
std::string convertLayout(const std::string& cp1251);

// The walk of the reserved-character guard over the input line, one character per tick.
class ReservedGuard {
  public:
    enum class Step { Idle, Clean, Found };

    // One tick over the line as it stands; Found means the line must be cleared.
    Step tick(const std::string& line);
    int cursor() const { return m_cursor; }

  private:
    int m_cursor = 0; // 1-based position examined last; 0: the next tick starts the walk
};

} // namespace semtra::window
