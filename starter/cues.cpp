// Build tool: synthesises the six sound cues of the main window as 16-bit mono PCM wave
// files, so that no recorded sound has to be shipped. Every cue is short, soft and faded in
// and out, so that nothing clicks.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

using Samples = std::vector<double>;

int frames(double seconds) {
    return static_cast<int>(std::lround(seconds * kRate));
}

// Rises over `attack` seconds from silence and falls back to silence over the last
// `release` seconds of `length`, both as half cosines, which have no corner to click on.
double envelope(double t, double length, double attack, double release) {
    if (t < 0.0 || t > length)
        return 0.0;
    double gain = 1.0;
    if (t < attack)
        gain *= 0.5 - 0.5 * std::cos(kPi * t / attack);
    if (t > length - release)
        gain *= 0.5 - 0.5 * std::cos(kPi * (length - t) / release);
    return gain;
}

// A note: partials over a pitch that may glide, its own envelope and an exponential decay.
struct Note {
    double start = 0.0;
    double length = 0.1;
    double pitch = 440.0;
    double glideTo = 0.0; // the pitch at the end; 0 for none
    double decay = 0.0;   // time constant in seconds; 0 for none
    double attack = 0.005;
    double release = 0.02;
    std::vector<std::pair<double, double>> partials = {{1.0, 1.0}}; // ratio, level
    double level = 1.0;
};

void add(Samples& out, const Note& note) {
    const int first = frames(note.start);
    const int count = frames(note.length);
    out.resize(std::max<std::size_t>(out.size(), first + count), 0.0);
    double phase = 0.0;
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double pitch = note.glideTo > 0.0
                                 ? note.pitch + (note.glideTo - note.pitch) * t / note.length
                                 : note.pitch;
        phase += 2.0 * kPi * pitch / kRate;
        double value = 0.0;
        for (const auto& [ratio, level] : note.partials)
            value += level * std::sin(ratio * phase);
        double gain = note.level * envelope(t, note.length, note.attack, note.release);
        if (note.decay > 0.0)
            gain *= std::exp(-t / note.decay);
        out[first + i] += gain * value;
    }
}

// Scales the cue so that its loudest sample stands at `peak` of full scale.
void normalise(Samples& samples, double peak) {
    double loudest = 0.0;
    for (double s : samples)
        loudest = std::max(loudest, std::abs(s));
    if (loudest > 0.0)
        for (double& s : samples)
            s *= peak / loudest;
}

// A very soft tick: a breath of low-passed noise over a fast-dying high tone.
Samples keyTick() {
    Samples out;
    add(out,
        Note{.length = 0.025, .pitch = 1900.0, .decay = 0.006, .attack = 0.001, .release = 0.008});
    std::minstd_rand noise(1251);
    std::uniform_real_distribution<double> white(-1.0, 1.0);
    double smooth = 0.0;
    for (int i = 0; i < static_cast<int>(out.size()); ++i) {
        const double t = static_cast<double>(i) / kRate;
        smooth += 0.35 * (white(noise) - smooth);
        out[i] += 0.5 * smooth * std::exp(-t / 0.004) * envelope(t, 0.025, 0.001, 0.008);
    }
    normalise(out, 0.16);
    return out;
}

const std::vector<std::pair<double, double>> kSoft = {{1.0, 1.0}, {2.0, 0.18}, {3.0, 0.05}};

// Two notes a fourth apart, upwards: the user has spoken.
Samples userBlip() {
    Samples out;
    add(out, Note{.start = 0.0,
                  .length = 0.07,
                  .pitch = 659.26,
                  .attack = 0.006,
                  .release = 0.03,
                  .partials = kSoft});
    add(out, Note{.start = 0.075,
                  .length = 0.1,
                  .pitch = 880.0,
                  .decay = 0.08,
                  .attack = 0.006,
                  .release = 0.04,
                  .partials = kSoft});
    normalise(out, 0.35);
    return out;
}

// One quick note gliding a little upwards.
Samples layoutBlip() {
    Samples out;
    add(out, Note{.length = 0.06,
                  .pitch = 988.0,
                  .glideTo = 1175.0,
                  .attack = 0.004,
                  .release = 0.03,
                  .partials = kSoft});
    normalise(out, 0.3);
    return out;
}

// A low tone that wavers in pitch and loudness, as the window wobbles.
Samples shakeWobble() {
    const double length = 0.32;
    Samples out(frames(length));
    double phase = 0.0;
    for (int i = 0; i < frames(length); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double pitch = 196.0 + 22.0 * std::sin(2.0 * kPi * 13.0 * t);
        phase += 2.0 * kPi * pitch / kRate;
        const double tremolo = 0.75 + 0.25 * std::sin(2.0 * kPi * 13.0 * t + kPi / 2.0);
        const double value = std::sin(phase) + 0.3 * std::sin(2.0 * phase);
        out[i] = value * tremolo * envelope(t, length, 0.015, 0.12);
    }
    normalise(out, 0.4);
    return out;
}

// A soft bell: a struck tone whose inharmonic partials die away faster than its body.
Samples botChime() {
    Samples out;
    const Note bell{.length = 0.6,
                    .pitch = 1046.5,
                    .decay = 0.2,
                    .attack = 0.003,
                    .release = 0.15,
                    .partials = {{1.0, 1.0}, {2.0, 0.3}, {2.76, 0.12}}};
    add(out, bell);
    add(out, Note{.start = 0.0,
                  .length = 0.6,
                  .pitch = 523.25,
                  .decay = 0.25,
                  .attack = 0.01,
                  .release = 0.15,
                  .level = 0.25});
    normalise(out, 0.35);
    return out;
}

// Three notes stepping down a major chord: goodbye.
Samples farewell() {
    Samples out;
    const double pitches[] = {783.99, 659.26, 523.25};
    for (int i = 0; i < 3; ++i) {
        const bool last = i == 2;
        add(out, Note{.start = 0.2 * i,
                      .length = last ? 0.3 : 0.22,
                      .pitch = pitches[i],
                      .decay = last ? 0.12 : 0.09,
                      .attack = 0.008,
                      .release = last ? 0.15 : 0.06,
                      .partials = kSoft});
    }
    normalise(out, 0.4);
    return out;
}

void putLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// RIFF/WAVE, PCM, 16-bit, mono, little-endian whatever the host.
std::string wave(const Samples& samples) {
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::string out = "RIFF";
    putLe(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    putLe(out, 16, 4);
    putLe(out, 1, 2); // PCM
    putLe(out, 1, 2); // mono
    putLe(out, kRate, 4);
    putLe(out, kRate * 2, 4);
    putLe(out, 2, 2);
    putLe(out, 16, 2);
    out += "data";
    putLe(out, dataBytes, 4);
    for (double s : samples) {
        const long value = std::lround(std::clamp(s, -1.0, 1.0) * 32767.0);
        putLe(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(value)), 2);
    }
    return out;
}

struct Cue {
    const char* file;
    std::function<Samples()> make;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: semtra-cues FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    const Cue cues[] = {{"KeyBoard.wav", keyTick},   {"Button3.wav", userBlip},
                        {"Button2.wav", layoutBlip}, {"Button1.wav", shakeWobble},
                        {"CpuSound.wav", botChime},  {"Close.wav", farewell}};
    for (const Cue& cue : cues) {
        const auto path = folder / cue.file;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << wave(cue.make());
        if (!out.flush()) {
            std::cerr << "semtra-cues: cannot write " << path.string() << '\n';
            return 1;
        }
    }
    return 0;
}
