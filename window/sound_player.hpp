#pragma once

#include "engine/file_system.hpp"
#include "window/sound.hpp"

#include <array>
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class QSoundEffect;

namespace semtra::window {

// The files of the six players, by player number less one.
inline constexpr std::array<const char*, 6> kCueFiles = {
    "Sound\\KeyBoard.wav", "Sound\\Button3.wav",  "Sound\\Button2.wav",
    "Sound\\Button1.wav",  "Sound\\CpuSound.wav", "Sound\\Close.wav"};

// What the header of a wave file says, or why it is not one the players can open.
struct WaveCheck {
    std::string problem; // empty for a playable RIFF/WAVE PCM file
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    std::string_view samples; // the data chunk, inside the bytes checked

    bool ok() const { return problem.empty(); }
    double seconds() const;
};

// Reads the RIFF/WAVE header of a whole file's bytes.
WaveCheck checkWave(std::string_view bytes);

// Whether a play request starts a cue: a request while the cue still sounds is swallowed,
// and the cue goes on; one after its end starts it again from the beginning. Kept by the
// cue's own length, since the audio output reports the end of a sound only roughly.
class CueGate {
  public:
    using Clock = std::chrono::steady_clock;
    explicit CueGate(Clock::duration length = {}) : m_length(length) {}

    // True when the request made at `now` starts the cue.
    bool request(Clock::time_point now);

  private:
    Clock::duration m_length;
    std::optional<Clock::time_point> m_endsAt;
};

// One cue file that has passed its check.
struct CueFile {
    std::filesystem::path path;
    double seconds = 0.0;
};

// The six players on the sound device, each on its own file, playing on their own.
class QtSoundCues : public SoundCues {
  public:
    explicit QtSoundCues(const std::array<CueFile, 6>& files);
    ~QtSoundCues() override;

    void play(int player) override;

  private:
    std::array<std::unique_ptr<QSoundEffect>, 6> m_players;
    std::array<CueGate, 6> m_gates;
};

// Opens the six cues of the working folder. Every file must be there and be a PCM wave,
// else EngineError ("Cannot open file Sound\Close.wav"), even for a cue needed only at
// the end. A machine without an audio output runs silently.
std::unique_ptr<SoundCues> openSoundCues(const FileSystem& files);

} // namespace semtra::window
