#include "engine/engine.hpp"

#include "data/word_lists.hpp"
#include "engine/codec.hpp"
#include "engine/phrase_line.hpp"
#include "engine/phrase_scan.hpp"
#include "engine/text_forms.hpp"

namespace semtra {

namespace {

// Entry 0 of a word list is empty and never used.
LineList wordList(const std::vector<const char*>& entries) {
    std::vector<std::string> lines{""};
    lines.reserve(entries.size() + 1);
    for (const char* entry : entries)
        lines.push_back(codec::fromUtf8(entry));
    return LineList(LineList::Format::Plain, std::move(lines));
}

} // namespace

// What one turn carries from stage to stage and forgets at its end.
struct Engine::Turn {
    std::string userLine;
    std::string repeatCheck;
    std::string keyCopy;
    bool humanTopic = false;
};

Engine::Engine(FileSystem files, Host& host, Clock& clock, RandomSource& random)
    : m_files(std::move(files)), m_host(host), m_clock(clock), m_random(random),
      m_insults(wordList(data::kInsultWords)), m_farewells(wordList(data::kFarewellWords)),
      m_humanTopics(wordList(data::kHumanTopicWords)) {}

void Engine::reseed() {
    m_random.seed(static_cast<std::uint32_t>(m_clock.msOfDay()));
}

std::string Engine::pickReply(LineList& list, const char* name) {
    list.load(m_files, name);
    return list.get(m_random.uniform(list.count()));
}

void Engine::SpeedButton1Click() {
    reseed();
    Turn turn;
    if (!readInput(turn))
        return;
    const int viewCount = m_host.viewLineCount();
    turn.repeatCheck = viewCount >= 2 ? m_host.viewLine(viewCount - 2) : std::string();
    m_host.setCursors(Cursor::HourGlass);

    m_state.ScanLine = 0;
    m_state.CharPos = 0;
    m_state.KeyBuffer.clear();
    upperCyrillicInPlace(m_state.InputUpper);
    if (!m_state.LastReply.empty())
        upperCyrillicInPlace(m_state.LastReply);
    capitalizeFirst(turn.userLine);
    fixEndPunctuation(turn.userLine);

    echo(turn);
    if (turn.userLine == turn.repeatCheck) {
        m_state.ReplyText = pickReply(m_knowledge, files::kRepeat);
    } else if (screen(m_insults)) {
        m_state.ReplyText = pickReply(m_knowledge, files::kInsultReplies);
    } else {
        turn.humanTopic = screen(m_humanTopics);
        const bool answered = longMessage(turn) || [&] {
            Continuation branch = Continuation::ThreadEnded;
            if (m_state.BranchDepth >= 1)
                branch = continueBranch();
            if (branch == Continuation::Answered)
                return true;
            return branch == Continuation::ThreadEnded && lookUpMainPhrase();
        }();
        // With nothing found, a human-topic line shows ReplyText again and learns nothing.
        if (!answered && !turn.humanTopic && fallback(turn))
            learn(turn);
    }
    output();
}

// The user line comes from the input line, or in the Cpu\Cpu mode from the exchange
// buffer. The exchange text's final line break is dropped: it would only add a line of
// its own after the text. An empty line ends the turn before it does anything.
bool Engine::readInput(Turn& turn) {
    if (m_host.cpuUserChecked())
        turn.userLine = m_host.inputText();
    else if (m_host.cpu3Checked())
        turn.userLine = m_insults.text();
    if (turn.userLine.empty())
        return false;
    m_state.InputUpper = turn.userLine;
    return true;
}

void Engine::echo(Turn& turn) {
    m_host.playCue(Cue::UserLine);
    m_host.appendViewLine(turn.userLine, LineStyle::User);
    m_transcript.add("USER:     " + turn.userLine);
    turn.keyCopy = turn.userLine;
}

// Scans entries 1 .. Count-1 of a word list in InputUpper; true at the first hit.
bool Engine::screen(const LineList& list) {
    for (m_state.ScanLine = 1; m_state.ScanLine < list.count(); ++m_state.ScanLine) {
        const std::string& entry = list.get(m_state.ScanLine);
        m_state.CharPos = static_cast<std::int32_t>(entry.size());
        if (phraseScan(entry, m_state.InputUpper))
            return true;
    }
    return false;
}

// Two rolls in three test the length. A line of exactly 110 characters is not over-long:
// the reply list is for lines longer than 110, so 110 goes on to the lookup.
bool Engine::longMessage(Turn& turn) {
    const std::int32_t roll = m_random.uniform(6) + 1;
    if (roll == 2 || roll == 6)
        return false;
    if (turn.userLine.size() <= 110)
        return false;
    m_state.ReplyText = pickReply(m_knowledge, files::kLongMessage);
    return true;
}

// Walks the lines after the thread's line, trying the branch lines of the thread's depth.
// The table is read again for every line examined, as every read of a base file is fresh.
Engine::Continuation Engine::continueBranch() {
    for (;;) {
        m_knowledge.load(m_files, files::kWords);
        m_state.CharPos = 0;
        m_state.KeyEnd = 0;
        m_state.KeyBuffer.clear();
        ++m_state.BranchLine;
        if (m_state.BranchLine >= m_knowledge.count()) {
            // A thread that runs off the table ends there; otherwise every later turn
            // would start past the end and never reach the main-phrase lookup again.
            m_state.BranchDepth = 0;
            return Continuation::TableEnded;
        }
        const std::string& line = m_knowledge.get(m_state.BranchLine);
        if (line.empty() || line.front() != '_') {
            m_state.BranchDepth = 0;
            return Continuation::ThreadEnded;
        }
        const std::size_t depth = phrase::branchPrefix(line);
        if (depth != static_cast<std::size_t>(m_state.BranchDepth))
            continue;
        m_state.KeyEnd = static_cast<std::int32_t>(depth);
        const std::size_t mark = phrase::keyMark(line, depth);
        if (mark == phrase::npos || phrase::hasNoAnswers(line, mark) ||
            !phrase::answersClosed(line, mark))
            continue;
        m_state.KeyBuffer.assign(line, depth, mark - depth);
        if (!phraseScan(m_state.KeyBuffer, m_state.InputUpper))
            continue;
        std::optional<std::string> answer = chooseAnswer(line, mark);
        if (!answer)
            continue;
        ++m_state.BranchDepth;
        m_state.KeyBuffer.clear();
        m_state.ReplyText = std::move(*answer);
        return Continuation::Answered;
    }
}

bool Engine::lookUpMainPhrase() {
    m_knowledge.load(m_files, files::kWords);
    for (m_state.ScanLine = 1; m_state.ScanLine < m_knowledge.count(); ++m_state.ScanLine) {
        const std::string& line = m_knowledge.get(m_state.ScanLine);
        const std::size_t mark = phrase::keyMark(line);
        if (mark == phrase::npos || phrase::hasNoAnswers(line, mark) ||
            !phrase::answersClosed(line, mark))
            continue;
        m_state.CharPos = static_cast<std::int32_t>(mark);
        if (!phraseScan(std::string_view(line).substr(0, mark), m_state.InputUpper))
            continue;
        std::optional<std::string> answer = chooseAnswer(line, mark);
        if (!answer)
            continue;
        ++m_state.BranchDepth;
        m_state.BranchLine = m_state.ScanLine;
        m_state.ReplyText = std::move(*answer);
        return true;
    }
    return false;
}

// Draws one of the line's alternatives: every ";" of the line ends one. The alternative
// starts right after its separator (the key mark for the first, else a ";"), always takes
// that first character and runs up to the next ";". One that never meets a ";" has no end:
// the line breaks the table's grammar and is passed over.
std::optional<std::string> Engine::chooseAnswer(const std::string& line, std::size_t keyMark) {
    std::int32_t separators = 0;
    for (const char c : line)
        separators += c == ';';
    m_state.AnswerPick = m_random.uniform(separators) + 1;

    std::size_t separator = keyMark;
    for (std::int32_t seen = 0; seen < m_state.AnswerPick - 1; ++seen)
        separator = line.find(';', seen == 0 ? 0 : separator + 1);
    const std::size_t start = separator + 1;
    if (start >= line.size())
        return std::nullopt;
    const std::size_t end = line.find(';', start + 1);
    if (end == std::string::npos)
        return std::nullopt;
    m_state.CharPos = static_cast<std::int32_t>(end);
    return line.substr(start, end - start);
}

// The question and remark fallback. False when the turn goes straight to its output
// (the first reply of a run, and a line that is not in the reply list yet).
bool Engine::fallback(Turn& turn) {
    const bool question = turn.userLine.back() == '?';
    m_state.ReplyText = pickReply(m_side, question ? files::kAnswers : files::kRemarks);
    // The lists are one line per entry: a line with breaks is filed as one line.
    const std::string filed = phrase::oneLine(turn.userLine);
    for (m_state.ScanLine = 1; m_state.ScanLine < m_side.count(); ++m_state.ScanLine)
        if (m_side.get(m_state.ScanLine) == filed)
            return true;
    if (m_state.PrevReply.empty())
        return false;
    const char* target =
        m_state.PrevReply.find('?') != std::string::npos ? files::kAnswers : files::kRemarks;
    m_side.load(m_files, target);
    m_side.lines().push_back(filed);
    m_side.save(m_files, target);
    return true;
}

void Engine::learn(Turn& turn) {
    m_knowledge.load(m_files, files::kWords);
    upperCyrillicInPlace(turn.keyCopy);
    for (m_state.ScanLine = 1; m_state.ScanLine < m_knowledge.count(); ++m_state.ScanLine) {
        const std::string_view key = phrase::key(m_knowledge.get(m_state.ScanLine));
        if (!key.empty() && key == m_state.InputUpper)
            return;
    }
    // What is stored keeps the table's grammar whatever the line carried.
    m_knowledge.lines().push_back(phrase::tableSafe(turn.keyCopy) + "^");
    m_knowledge.save(m_files, files::kWords);
    m_knowledge.load(m_files, files::kWords);
    if (m_state.LastReply.empty())
        return;
    for (m_state.ScanLine = 1; m_state.ScanLine < m_knowledge.count(); ++m_state.ScanLine) {
        const std::string_view key = phrase::key(m_knowledge.get(m_state.ScanLine));
        if (key.empty() || key != m_state.LastReply)
            continue;
        m_knowledge.load(m_files, files::kWords);
        std::string line = m_knowledge.get(m_state.ScanLine);
        m_knowledge.remove(m_state.ScanLine);
        line += phrase::tableSafe(turn.userLine);
        line += ';';
        m_knowledge.lines().push_back(std::move(line));
        m_knowledge.save(m_files, files::kWords);
        return;
    }
}

void Engine::output() {
    m_host.playCue(Cue::BotLine);
    m_host.appendViewLine(m_state.ReplyText, LineStyle::Bot);
    m_transcript.add("CPU:     " + m_state.ReplyText);
    m_host.setCursors(Cursor::No);
    if (m_host.cpu3Checked())
        m_insults.clear();
    if (m_host.cpu3Checked())
        m_insults.lines().push_back(m_state.ReplyText);
    if (m_host.cpu3Checked())
        m_insults.save(m_files, m_host.exchangeWritePath());
    m_state.PrevReply = m_state.ReplyText;
    m_state.LastReply = m_state.ReplyText;
    m_host.clearInput();
    m_state.IdleTicks = 0;
    for (m_state.ScanLine = 1; m_state.ScanLine < m_farewells.count(); ++m_state.ScanLine)
        if (m_state.InputUpper == m_farewells.get(m_state.ScanLine))
            m_host.enableTimer4();
}

void Engine::FormCreate() {
    m_knowledge.load(m_files, files::kWordsAtStart);
}

// Decided by each line's first character alone; a line without a key mark (an empty line
// among them) is not a phrase and is not counted.
PhraseStatistics Engine::countPhrases() {
    m_knowledge.load(m_files, files::kWords);
    PhraseStatistics stats;
    for (int i = 1; i < m_knowledge.count(); ++i) {
        const std::string& line = m_knowledge.get(i);
        if (phrase::keyMark(line, phrase::branchPrefix(line)) == phrase::npos)
            continue;
        if (line.front() == '_')
            ++stats.branches;
        else
            ++stats.mainPhrases;
    }
    return stats;
}

void Engine::writeSessionLog() {
    static const std::string kIndent(22, ' ');
    m_knowledge.load(m_files, files::kLog);
    m_side.load(m_files, files::kWordsAtStart);
    auto& log = m_knowledge.lines();
    log.emplace_back();
    log.emplace_back(80, '-');
    log.push_back(kIndent + std::string(30, '_'));
    std::string dateLine = kIndent + codec::fromUtf8("Дата - ") + m_clock.shortDate();
    dateLine += "   |   " + codec::fromUtf8("Время -") + m_clock.longTime();
    log.push_back(std::move(dateLine));
    log.push_back(kIndent + std::string(30, '~'));
    log.push_back(codec::fromUtf8("//Загружено фраз выученных программой: ") +
                  std::to_string(m_side.count() - 1));
    log.insert(log.end(), m_transcript.lines().begin(), m_transcript.lines().end());
    log.emplace_back(53, '=');
    m_knowledge.save(m_files, files::kLog);
}

void Engine::loadExchange() {
    m_insults.load(m_files, files::kExchangeRead);
}

// The threshold is drawn anew on every tick (60 .. 90), each try from a fresh seed.
bool Engine::idleTick() {
    const std::int32_t threshold = drawRangeReseeding(m_random, m_clock, 60, 90);
    ++m_state.IdleTicks;
    if (m_state.IdleTicks < threshold)
        return false;
    m_knowledge.load(m_files, files::kPause);
    m_state.ReplyText = m_knowledge.get(m_random.uniform(m_knowledge.count()));
    m_host.appendViewLine(m_state.ReplyText, LineStyle::Remark);
    m_host.playCue(Cue::BotLine);
    m_state.IdleTicks = 0;
    return true;
}

} // namespace semtra
