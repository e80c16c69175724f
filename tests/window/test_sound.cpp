// The sound cues: the header check of a wave file, opening the six players of a data
// folder, and the cue files that the build synthesises for the starter folder.

#include "engine/errors.hpp"
#include "engine/file_system.hpp"
#include "window/sound_player.hpp"
#include "window/text.hpp"

#include <QAudioDevice>
#include <QByteArray>
#include <QMediaDevices>
#include <QTest>

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <utility>

namespace semtra::test {

namespace {

void putLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::string chunk(const std::string& id, const std::string& body) {
    std::string out = id;
    putLe(out, static_cast<std::uint32_t>(body.size()), 4);
    out += body;
    if (body.size() % 2)
        out.push_back('\0');
    return out;
}

std::string format(int tag, int channels, int rate, int bits, int block = 0) {
    if (block == 0)
        block = channels * bits / 8;
    std::string body;
    putLe(body, tag, 2);
    putLe(body, channels, 2);
    putLe(body, rate, 4);
    putLe(body, rate * block, 4);
    putLe(body, block, 2);
    putLe(body, bits, 2);
    return chunk("fmt ", body);
}

std::string riff(const std::string& chunks) {
    std::string out = "RIFF";
    putLe(out, static_cast<std::uint32_t>(4 + chunks.size()), 4);
    return out + "WAVE" + chunks;
}

// A quiet PCM wave of the given length in bytes of sound data.
std::string pcm(int channels, int rate, int bits, std::size_t dataBytes) {
    return riff(format(1, channels, rate, bits) + chunk("data", std::string(dataBytes, '\0')));
}

QByteArray bytes(const std::string& data) {
    return QByteArray(data.data(), static_cast<qsizetype>(data.size()));
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The path under the working folder of one of the program's "Sound\\..." names.
std::string fileOf(const char* name) {
    std::string relative = name;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    return relative;
}

// The message openSoundCues refuses the folder with; empty when it opens.
QString openError(const FileSystem& files) {
    try {
        const std::unique_ptr<window::SoundCues> cues = window::openSoundCues(files);
        return cues ? QString() : QStringLiteral("no cues");
    } catch (const EngineError& error) {
        return window::fromCp(error.what());
    }
}

// A scratch working folder with a Sound folder of six playable cues, spelled as the
// program spells them unless told otherwise.
class SoundFolder {
  public:
    SoundFolder() {
        static int counter = 0;
        m_root = std::filesystem::temp_directory_path() /
                 ("semtra-sound-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(m_root);
        std::filesystem::create_directories(m_root);
    }
    ~SoundFolder() {
        std::error_code error;
        std::filesystem::remove_all(m_root, error);
    }

    void write(const std::string& relative, const std::string& data) const {
        const auto file = m_root / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << data;
    }
    void writeAllCues(bool lowerCase = false) const {
        for (const char* name : window::kCueFiles) {
            std::string relative = fileOf(name);
            if (lowerCase)
                for (char& c : relative)
                    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            write(relative, pcm(1, 22050, 16, 2205 * 2));
        }
    }
    void remove(const std::string& relative) const { std::filesystem::remove(m_root / relative); }
    FileSystem files() const { return FileSystem(m_root); }

  private:
    std::filesystem::path m_root;
};

} // namespace

class SoundTest : public QObject {
    Q_OBJECT

  private slots:
    void checkWave_data() {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<double>("seconds");

        QTest::newRow("16-bit mono") << bytes(pcm(1, 22050, 16, 22050)) << QString() << 0.5;
        QTest::newRow("8-bit stereo after an odd-sized chunk")
            << bytes(riff(format(1, 2, 8000, 8) + chunk("LIST", "abc") +
                          chunk("data", std::string(4000, '\x80'))))
            << QString() << 0.25;
        QTest::newRow("garbage") << QByteArray("MZ\x90\0 this is no sound at all", 28)
                                 << QStringLiteral("no RIFF/WAVE header") << 0.0;
        QTest::newRow("empty") << QByteArray() << QStringLiteral("no RIFF/WAVE header") << 0.0;
        QTest::newRow("RIFF of another kind")
            << bytes("RIFF" + std::string(4, '\0') + "AVI " + chunk("data", "xx"))
            << QStringLiteral("no RIFF/WAVE header") << 0.0;
        QTest::newRow("float samples")
            << bytes(riff(format(3, 1, 22050, 32) + chunk("data", std::string(8, '\0'))))
            << QStringLiteral("not PCM sound (format 3)") << 0.0;
        QTest::newRow("24-bit samples")
            << bytes(pcm(1, 22050, 24, 6)) << QStringLiteral("24-bit samples") << 0.0;
        QTest::newRow("block size that lies")
            << bytes(riff(format(1, 2, 22050, 16, 2) + chunk("data", std::string(8, '\0'))))
            << QStringLiteral("a broken format chunk") << 0.0;
        QTest::newRow("format only")
            << bytes(riff(format(1, 1, 22050, 16))) << QStringLiteral("no sound data") << 0.0;
        QTest::newRow("no format")
            << bytes(riff(chunk("LIST", "info"))) << QStringLiteral("no format chunk") << 0.0;
        QTest::newRow("data before format")
            << bytes(riff(chunk("data", "xxxx") + format(1, 1, 22050, 16)))
            << QStringLiteral("the sound data comes before its format") << 0.0;
        QTest::newRow("cut short")
            << bytes(pcm(1, 22050, 16, 1000).substr(0, 300))
            << QStringLiteral("the \"data\" chunk runs past the end of the file") << 0.0;
    }
    void checkWave() {
        QFETCH(QByteArray, data);
        QFETCH(QString, problem);
        QFETCH(double, seconds);
        const window::WaveCheck wave =
            window::checkWave(std::string_view(data.constData(), data.size()));
        QCOMPARE(QString::fromStdString(wave.problem), problem);
        QCOMPARE(wave.ok(), problem.isEmpty());
        if (wave.ok())
            QCOMPARE(wave.seconds(), seconds);
    }

    void requestsFallingIntoASoundingCueAreSwallowed() {
        using namespace std::chrono_literals;
        window::CueGate gate(100ms);
        const window::CueGate::Clock::time_point t0{};
        // Milliseconds after the first request, and whether the request starts the cue.
        const std::pair<int, bool> requests[] = {{0, true},   {40, false},  {99, false},
                                                 {100, true}, {150, false}, {199, false},
                                                 {230, true}, {329, false}, {400, true}};
        for (const auto& [at, starts] : requests)
            QVERIFY2(gate.request(t0 + std::chrono::milliseconds(at)) == starts,
                     qPrintable(QStringLiteral("at %1 ms").arg(at)));
    }

    void opensSixPresentCues_data() {
        QTest::addColumn<bool>("lowerCase");
        QTest::newRow("spelled as the program spells them") << false;
        QTest::newRow("in another letter case") << true;
    }
    void opensSixPresentCues() {
        QFETCH(bool, lowerCase);
        SoundFolder folder;
        folder.writeAllCues(lowerCase);
        std::unique_ptr<window::SoundCues> cues;
        try {
            cues = window::openSoundCues(folder.files());
        } catch (const EngineError& error) {
            QFAIL(error.what());
        }
        QVERIFY(cues);
        // Real players where there is an output to play on, silence where there is none.
        const bool silent = dynamic_cast<window::SilentCues*>(cues.get()) != nullptr;
        QCOMPARE(silent, QMediaDevices::audioOutputs().isEmpty());
        for (int player = 0; player <= 7; ++player) {
            cues->play(player);
            cues->play(player); // while it may still sound
        }
    }

    void refusesAMissingCue_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : window::kCueFiles)
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void refusesAMissingCue() {
        QFETCH(QString, name);
        SoundFolder folder;
        folder.writeAllCues();
        folder.remove(fileOf(name.toLatin1().constData()));
        QCOMPARE(openError(folder.files()), QStringLiteral("Cannot open file ") + name);
    }

    void refusesAnUnplayableCue() {
        SoundFolder folder;
        folder.writeAllCues();
        folder.write("Sound/Button2.wav", "not a wave at all, just some text\r\n");
        QCOMPARE(openError(folder.files()),
                 QStringLiteral("Cannot play file Sound\\Button2.wav: no RIFF/WAVE header"));
    }

    void starterCuesAreShortSoftAndFaded_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : window::kCueFiles)
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void starterCuesAreShortSoftAndFaded() {
        QFETCH(QString, name);
        const std::string data = readFile(std::filesystem::path(SEMTRA_STARTER_DIR) /
                                          fileOf(name.toLatin1().constData()));
        const window::WaveCheck wave = window::checkWave(data);
        QVERIFY2(wave.ok(), wave.problem.c_str());
        QCOMPARE(wave.channels, 1);
        QCOMPARE(wave.bitsPerSample, 16);
        QVERIFY(wave.sampleRate == 22050 || wave.sampleRate == 44100);
        QVERIFY(wave.seconds() > 0.01);
        QVERIFY(wave.seconds() < 1.0);
        const auto sample = [&](std::size_t i) {
            return static_cast<std::int16_t>(static_cast<std::uint8_t>(wave.samples[2 * i]) |
                                             static_cast<std::uint8_t>(wave.samples[2 * i + 1])
                                                 << 8);
        };
        const std::size_t count = wave.samples.size() / 2;
        int peak = 0;
        for (std::size_t i = 0; i < count; ++i)
            peak = std::max(peak, std::abs(static_cast<int>(sample(i))));
        QVERIFY2(peak > 1000, "audible");
        QVERIFY2(peak <= 16384, "no louder than -6 dBFS");
        // Starting and ending at silence, so that neither edge clicks.
        QVERIFY(std::abs(sample(0)) < 100);
        QVERIFY(std::abs(sample(count - 1)) < 100);
    }

    void starterFolderOpens() { QCOMPARE(openError(FileSystem(SEMTRA_STARTER_DIR)), QString()); }
};

} // namespace semtra::test

QTEST_MAIN(semtra::test::SoundTest)
#include "test_sound.moc"
