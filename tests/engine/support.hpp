#pragma once

// Shared fixture pieces of the engine tests: a scratch data folder, a host that records
// what the turn does to the window, and a scripted clock and generator.

#include "engine/codec.hpp"
#include "engine/engine.hpp"
#include "engine/errors.hpp"

#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace semtra::test {

// UTF-8 test text to the engine's 1251 bytes and back.
inline std::string cp(std::string_view utf8) {
    return codec::fromUtf8(utf8);
}
inline std::string u8(std::string_view cp1251) {
    return codec::toUtf8(cp1251);
}

// A fresh folder per test, removed afterwards.
class ScratchDir {
  public:
    ScratchDir() {
        static std::atomic<int> counter{0};
        m_path = std::filesystem::temp_directory_path() /
                 ("semtra-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~ScratchDir() {
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }
    const std::filesystem::path& path() const { return m_path; }

    // Writes a file (UTF-8 text given, stored as 1251) at a path relative to the folder.
    void write(const std::string& relative, std::string_view utf8) const {
        const auto file = m_path / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << cp(utf8);
    }
    // The raw bytes of a file.
    std::string read(const std::string& relative) const {
        std::ifstream in(m_path / relative, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

  private:
    std::filesystem::path m_path;
};

class FakeClock : public Clock {
  public:
    std::int32_t ms = 1000;
    std::int32_t step = 0; // added after every reading
    std::string date = "11.12.2026";
    std::string time = "14:42:51";
    std::int32_t msOfDay() override {
        const std::int32_t now = ms;
        ms += step;
        return now;
    }
    std::string shortDate() override { return date; }
    std::string longTime() override { return time; }
};

// Answers queued draws in order, then 0; remembers every range asked for.
class ScriptedRandom : public RandomSource {
  public:
    std::deque<std::int32_t> draws;
    std::vector<std::int32_t> ranges;
    std::vector<std::uint32_t> seeds;
    void seed(std::uint32_t value) override { seeds.push_back(value); }
    std::int32_t uniform(std::int32_t n) override {
        ranges.push_back(n);
        if (draws.empty())
            return 0;
        const std::int32_t value = draws.front();
        draws.pop_front();
        EXPECT_LT(value, std::max(n, 1)) << "scripted draw out of range " << n;
        return value;
    }
};

struct ViewLine {
    std::string text;
    LineStyle style;
};

class FakeHost : public Host {
  public:
    std::string input;
    bool cpuMode = false;
    std::string exchangePath = "D:\\Txt.Dat";
    std::vector<ViewLine> view;
    std::vector<std::string> events; // cues, cursors and Timer4, in order
    int timer4 = 0;

    std::string inputText() override { return input; }
    void clearInput() override {
        input.clear();
        events.push_back("clear");
    }
    bool cpuUserChecked() override { return !cpuMode; }
    bool cpu3Checked() override { return cpuMode; }
    int viewLineCount() override { return static_cast<int>(view.size()); }
    std::string viewLine(int index) override {
        return view.at(static_cast<std::size_t>(index)).text;
    }
    void appendViewLine(const std::string& text, LineStyle style) override {
        LineList split;
        split.add(text);
        for (const auto& line : split.lines())
            view.push_back({line, style});
    }
    void setCursors(Cursor cursor) override {
        events.push_back(cursor == Cursor::HourGlass ? "busy" : "no");
    }
    void playCue(Cue cue) override {
        events.push_back(cue == Cue::UserLine ? "user-cue" : "bot-cue");
    }
    std::string exchangeWritePath() override { return exchangePath; }
    void enableTimer4() override {
        ++timer4;
        events.push_back("timer4");
    }

    std::vector<std::string> viewTexts() const {
        std::vector<std::string> out;
        for (const auto& line : view)
            out.push_back(u8(line.text));
        return out;
    }
};

// An engine on a scratch folder holding a small knowledge base, every list one line long
// so that each reply says where it came from.
class EngineTest : public ::testing::Test {
  protected:
    ScratchDir dir;
    FakeHost host;
    FakeClock clock;
    ScriptedRandom random;
    Engine engine{FileSystem(dir.path(), dir.path() / "drives"), host, clock, random};

    void SetUp() override {
        writeTable("");
        dir.write("Base/Pause.Dat", "пауза\r\n");
        dir.write("Base/Povtor.Dat", "повтор\r\n");
        dir.write("Base/X.Dat", "оскорбление\r\n");
        dir.write("Base/BigString.Dat", "длинно\r\n");
        dir.write("Base/W1.Dat", "ответ из W1\r\n");
        dir.write("Base/W2.Dat", "реплика из W2\r\n");
        dir.write("Base/Log.Semtra", "");
    }

    // The phrase table: line 0 and then the given lines (UTF-8, one per line).
    void writeTable(std::string_view lines) {
        dir.write("Base/Words.Dat", "//0\r\n" + std::string(lines));
    }

    // The lines of a base file as the engine reads them, in UTF-8.
    std::vector<std::string> lines(const std::string& relative) {
        LineList list;
        list.load(FileSystem(dir.path()), relative);
        std::vector<std::string> out;
        for (const auto& line : list.lines())
            out.push_back(u8(line));
        return out;
    }

    // One turn of the typed line; returns the reply shown (UTF-8).
    std::string say(std::string_view utf8) {
        host.input = cp(utf8);
        engine.SpeedButton1Click();
        return u8(engine.state().ReplyText);
    }

    std::string transcriptLine(int index) { return u8(engine.RichEdit4().get(index)); }
};

} // namespace semtra::test
