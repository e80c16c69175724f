#include "app/terminal_chat.hpp"

#include "engine/codec.hpp"
#include "engine/engine.hpp"
#include "engine/errors.hpp"

#include <istream>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace semtra {

namespace {

// The input line holds at most 255 characters.
constexpr std::size_t kInputMax = 255;

// The clock of a reproducible run: every re-seed reads the next number.
class CountingClock : public SystemClock {
  public:
    explicit CountingClock(std::int32_t first) : m_next(first) {}
    std::int32_t msOfDay() override { return m_next++; }

  private:
    std::int32_t m_next;
};

// A terminal stands in for the window: the view is only kept for the repetition test.
class TerminalHost : public Host {
  public:
    std::string input;
    bool farewell = false;

    std::string inputText() override { return input; }
    void clearInput() override { input.clear(); }
    bool cpuUserChecked() override { return true; }
    bool cpu3Checked() override { return false; }
    int viewLineCount() override { return m_view.count(); }
    std::string viewLine(int index) override { return m_view.get(index); }
    void appendViewLine(const std::string& text, LineStyle) override { m_view.add(text); }
    void setCursors(Cursor) override {}
    void playCue(Cue) override {}
    std::string exchangeWritePath() override { return files::kExchangeRead; }
    void enableTimer4() override { farewell = true; }

  private:
    LineList m_view{LineList::Format::Plain};
};

// Cuts a 1251 line as the input line would hold it.
std::string inputLine(std::string utf8) {
    if (!utf8.empty() && utf8.back() == '\r')
        utf8.pop_back();
    std::string line = codec::fromUtf8(utf8);
    if (line.size() > kInputMax)
        line.resize(kInputMax);
    return line;
}

void report(std::ostream& err, const std::exception& error) {
    err << codec::toUtf8(error.what()) << "." << std::endl;
}

} // namespace

int runTerminalChat(const TerminalOptions& options, std::istream& in, std::ostream& out,
                    std::ostream& err) {
    SystemClock systemClock;
    std::optional<CountingClock> countingClock;
    if (options.seed)
        countingClock.emplace(*options.seed);
    Clock& clock = countingClock ? static_cast<Clock&>(*countingClock) : systemClock;
    SplitMixRandom random;
    TerminalHost host;
    Engine engine(FileSystem(options.workDir, options.drivesDir), host, clock, random);

    std::string raw;
    bool first = true;
    while (!host.farewell && std::getline(in, raw)) {
        // A file saved by a Windows editor may start with a byte-order mark.
        if (std::exchange(first, false) && raw.starts_with("\xEF\xBB\xBF"))
            raw.erase(0, 3);
        host.input = inputLine(raw);
        if (host.input.empty())
            continue;
        try {
            engine.SpeedButton1Click();
            out << codec::toUtf8(engine.state().ReplyText) << std::endl;
        } catch (const EngineError& error) {
            report(err, error);
        }
    }
    try {
        engine.writeSessionLog();
    } catch (const EngineError& error) {
        report(err, error);
        return 1;
    }
    return 0;
}

} // namespace semtra
