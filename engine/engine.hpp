#pragma once

#include "engine/file_system.hpp"
#include "engine/host.hpp"
#include "engine/line_list.hpp"
#include "engine/random.hpp"

#include <cstdint>
#include <optional>
#include <string>

namespace semtra {

// The engine's variables for the whole run: all empty or 0 at start, none reset by a new
// dialogue. Strings are Windows-1251.
struct EngineState {
    std::string InputUpper; // the last input, upper-cased
    std::string ReplyText;  // the reply about to be shown, or last shown (also an idle remark)
    std::string PrevReply;  // the last reply as shown
    std::string LastReply;  // the last reply, upper-cased when the next turn starts
    std::string KeyBuffer;  // key collector of the branch continuation
    std::int32_t BranchDepth = 0; // 0: no thread; d: the next step looks for depth d
    std::int32_t BranchLine = 0;  // the table line the thread stands on
    std::int32_t IdleTicks = 0;   // seconds of silence
    std::int32_t ScanLine = 0;
    std::int32_t CharPos = 0;
    std::int32_t KeyEnd = 0;
    std::int32_t AnswerPick = 0;
};

// The counts the load statistics show.
struct PhraseStatistics {
    int mainPhrases = 0;
    int branches = 0;
};

// The program's file names, spelled as the program writes them.
namespace files {
inline constexpr const char* kWords = "Base\\Words.Dat";
inline constexpr const char* kWordsAtStart = "Base\\Words.dat"; // start-up load and exit count
inline constexpr const char* kPause = "Base\\Pause.Dat";
inline constexpr const char* kRepeat = "Base\\Povtor.Dat";
inline constexpr const char* kInsultReplies = "Base\\X.Dat";
inline constexpr const char* kLongMessage = "Base\\BigString.Dat";
inline constexpr const char* kAnswers = "Base\\W1.Dat";
inline constexpr const char* kRemarks = "Base\\W2.Dat";
inline constexpr const char* kLog = "Base\\Log.Semtra";
inline constexpr const char* kExchangeRead = "D:\\Txt.Dat";
} // namespace files

// The dialogue engine: the turn, the buffers it works on, the word lists and the state.
// Every failure is an EngineError that ends the running command at that step; what the
// command did before stays done.
class Engine {
  public:
    Engine(FileSystem files, Host& host, Clock& clock, RandomSource& random);

    // The Say command: one whole turn.
    void SpeedButton1Click();

    // Start-up: the window's creation loads the phrase table into the knowledge buffer.
    void FormCreate();
    // The load statistics of the phrase table as it stands on disk.
    PhraseStatistics countPhrases();
    // The Exit command's session log block, appended to "Base\Log.Semtra".
    void writeSessionLog();
    // One step of the self-dialogue cycle's read: the exchange file into the exchange buffer.
    void loadExchange();
    // One tick of the idle timer; true when a remark was made.
    bool idleTick();

    EngineState& state() { return m_state; }
    const EngineState& state() const { return m_state; }
    const FileSystem& fileSystem() const { return m_files; }
    Clock& clock() { return m_clock; }
    RandomSource& random() { return m_random; }

    LineList& RichEdit2() { return m_knowledge; }  // knowledge buffer
    LineList& RichEdit3() { return m_side; }       // side buffer
    LineList& RichEdit4() { return m_transcript; } // transcript
    LineList& Memo1() { return m_insults; }        // insult list; exchange buffer in Cpu\Cpu
    LineList& Memo2() { return m_farewells; }      // farewell list
    LineList& Memo4() { return m_humanTopics; }    // human-topic list

  private:
    struct Turn;

    void reseed();
    std::string pickReply(LineList& list, const char* name);
    bool readInput(Turn& turn);
    void echo(Turn& turn);
    bool screen(const LineList& list);
    bool longMessage(Turn& turn);
    enum class Continuation { Answered, ThreadEnded, TableEnded };
    Continuation continueBranch();
    bool lookUpMainPhrase();
    bool fallback(Turn& turn);
    void learn(Turn& turn);
    void output();
    std::optional<std::string> chooseAnswer(const std::string& line, std::size_t keyMark);

    FileSystem m_files;
    Host& m_host;
    Clock& m_clock;
    RandomSource& m_random;
    EngineState m_state;
    LineList m_knowledge{LineList::Format::Rich};
    LineList m_side{LineList::Format::Rich};
    LineList m_transcript{LineList::Format::Rich};
    LineList m_insults{LineList::Format::Plain};
    LineList m_farewells{LineList::Format::Plain};
    LineList m_humanTopics{LineList::Format::Plain};
};

} // namespace semtra
