#include "window/sound_player.hpp"

#include "engine/errors.hpp"

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QString>
#include <QUrl>

#include <cstdint>

namespace semtra::window {

namespace {

std::uint32_t le16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint8_t>(bytes[at]) | static_cast<std::uint8_t>(bytes[at + 1]) << 8;
}

std::uint32_t le32(std::string_view bytes, std::size_t at) {
    return le16(bytes, at) | le16(bytes, at + 2) << 16;
}

WaveCheck refused(std::string problem) {
    WaveCheck wave;
    wave.problem = std::move(problem);
    return wave;
}

// The "fmt " chunk: plain integer PCM in the sample sizes the audio output takes.
std::string readFormat(std::string_view chunk, WaveCheck& wave) {
    if (chunk.size() < 16)
        return "the format chunk is too short";
    const std::uint32_t tag = le16(chunk, 0);
    if (tag != 1)
        return "not PCM sound (format " + std::to_string(tag) + ")";
    wave.channels = static_cast<int>(le16(chunk, 2));
    wave.sampleRate = static_cast<int>(le32(chunk, 4));
    wave.bitsPerSample = static_cast<int>(le16(chunk, 14));
    if (wave.bitsPerSample != 8 && wave.bitsPerSample != 16 && wave.bitsPerSample != 32)
        return std::to_string(wave.bitsPerSample) + "-bit samples";
    const std::uint32_t block = le16(chunk, 12);
    const std::uint32_t byteRate = le32(chunk, 8);
    if (wave.channels < 1 || wave.sampleRate < 1 ||
        block != static_cast<std::uint32_t>(wave.channels * wave.bitsPerSample / 8) ||
        byteRate != block * static_cast<std::uint32_t>(wave.sampleRate))
        return "a broken format chunk";
    return {};
}

} // namespace

double WaveCheck::seconds() const {
    const int frame = channels * bitsPerSample / 8;
    return frame > 0 && sampleRate > 0 ? static_cast<double>(samples.size()) / frame / sampleRate
                                       : 0.0;
}

WaveCheck checkWave(std::string_view bytes) {
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE")
        return refused("no RIFF/WAVE header");
    WaveCheck wave;
    bool haveFormat = false;
    // Chunks follow one another, each padded to an even length; unknown ones are skipped.
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::string_view id = bytes.substr(at, 4);
        const std::size_t size = le32(bytes, at + 4);
        const std::size_t body = at + 8;
        if (size > bytes.size() - body)
            return refused("the \"" + std::string(id) + "\" chunk runs past the end of the file");
        if (id == "fmt ") {
            std::string problem = readFormat(bytes.substr(body, size), wave);
            if (!problem.empty())
                return refused(std::move(problem));
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat)
                return refused("the sound data comes before its format");
            if (size == 0)
                return refused("no sound data");
            wave.samples = bytes.substr(body, size);
            return wave;
        }
        at = body + size + (size & 1);
    }
    return refused(haveFormat ? "no sound data" : "no format chunk");
}

bool CueGate::request(Clock::time_point now) {
    if (m_endsAt && now < *m_endsAt)
        return false;
    m_endsAt = now + m_length;
    return true;
}

QtSoundCues::QtSoundCues(const std::array<CueFile, 6>& files) {
    for (std::size_t i = 0; i < files.size(); ++i) {
        m_gates[i] = CueGate(std::chrono::duration_cast<CueGate::Clock::duration>(
            std::chrono::duration<double>(files[i].seconds)));
        m_players[i] = std::make_unique<QSoundEffect>();
        m_players[i]->setSource(QUrl::fromLocalFile(QFile::decodeName(files[i].path.c_str())));
    }
}

QtSoundCues::~QtSoundCues() = default;

void QtSoundCues::play(int player) {
    if (player < 1 || player > static_cast<int>(m_players.size()))
        return;
    // QSoundEffect's play() starts over from the beginning, also while the sound goes on.
    if (m_gates[player - 1].request(CueGate::Clock::now()))
        m_players[player - 1]->play();
}

std::unique_ptr<SoundCues> openSoundCues(const FileSystem& files) {
    std::array<CueFile, 6> cues;
    for (std::size_t i = 0; i < kCueFiles.size(); ++i) {
        const std::string name = kCueFiles[i];
        const auto path = files.findExisting(name);
        if (!path)
            throwCannotOpen(name);
        const WaveCheck wave = checkWave(files.readAll(name));
        if (!wave.ok())
            throw EngineError("Cannot play file " + name + ": " + wave.problem);
        cues[i] = {*path, wave.seconds()};
    }
    if (QMediaDevices::audioOutputs().isEmpty())
        return std::make_unique<SilentCues>();
    return std::make_unique<QtSoundCues>(cues);
}

} // namespace semtra::window
