#pragma once

namespace semtra::window {

// The six sound players of the main window, by number: 1 key, 2 user line, 3 layout
// conversion, 4 shake, 5 bot line, 6 closing.
class SoundCues {
  public:
    virtual ~SoundCues() = default;
    virtual void play(int player) = 0;
};

// For machines and tests without sound.
class SilentCues : public SoundCues {
  public:
    void play(int) override {}
};

} // namespace semtra::window
