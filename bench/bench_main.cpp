// semtra-bench: how fast the engine reads, writes and answers from phrase tables of 1k, 10k
// and 100k lines of plausible Russian text.
//
//   semtra-bench [benchmark options]     runs the benchmarks in a scratch folder
//   semtra-bench --write-table DIR N     only writes a Base folder with an N-line table to DIR

#include "data/word_lists.hpp"
#include "engine/codec.hpp"
#include "engine/engine.hpp"
#include "engine/phrase_line.hpp"
#include "engine/phrase_scan.hpp"
#include "engine/rtf.hpp"
#include "engine/text_forms.hpp"

#include <benchmark/benchmark.h>

#include <memory>

#include <array>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <initializer_list>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace {

using namespace semtra;
namespace fs = std::filesystem;

// ---- Vocabulary (UTF-8). No word holds an entry of the insult or human-topic lists, so
// lines made of them reach the lookup.

struct Subject {
    const char* word;
    int person; // the verb form it takes
};
const Subject kSubjects[] = {{"я", 0},  {"ты", 1}, {"он", 2},  {"она", 2},
                             {"мы", 3}, {"вы", 4}, {"они", 5}, {"кто-то", 2}};

// я, ты, он, мы, вы, они.
using VerbForms = std::array<const char*, 6>;
const VerbForms kVerbs[] = {
    {"думаю", "думаешь", "думает", "думаем", "думаете", "думают"},
    {"знаю", "знаешь", "знает", "знаем", "знаете", "знают"},
    {"понимаю", "понимаешь", "понимает", "понимаем", "понимаете", "понимают"},
    {"читаю", "читаешь", "читает", "читаем", "читаете", "читают"},
    {"делаю", "делаешь", "делает", "делаем", "делаете", "делают"},
    {"помню", "помнишь", "помнит", "помним", "помните", "помнят"},
    {"ищу", "ищешь", "ищет", "ищем", "ищете", "ищут"},
    {"жду", "ждёшь", "ждёт", "ждём", "ждёте", "ждут"},
    {"слушаю", "слушаешь", "слушает", "слушаем", "слушаете", "слушают"},
    {"спрашиваю", "спрашиваешь", "спрашивает", "спрашиваем", "спрашиваете", "спрашивают"},
    {"решаю", "решаешь", "решает", "решаем", "решаете", "решают"},
    {"учу", "учишь", "учит", "учим", "учите", "учат"},
    {"строю", "строишь", "строит", "строим", "строите", "строят"},
    {"пишу", "пишешь", "пишет", "пишем", "пишете", "пишут"},
    {"беру", "берёшь", "берёт", "берём", "берёте", "берут"},
    {"получаю", "получаешь", "получает", "получаем", "получаете", "получают"},
    {"начинаю", "начинаешь", "начинает", "начинаем", "начинаете", "начинают"},
    {"нахожу", "находишь", "находит", "находим", "находите", "находят"},
    {"готовлю", "готовишь", "готовит", "готовим", "готовите", "готовят"},
    {"вспоминаю", "вспоминаешь", "вспоминает", "вспоминаем", "вспоминаете", "вспоминают"},
    {"объясняю", "объясняешь", "объясняет", "объясняем", "объясняете", "объясняют"},
    {"меняю", "меняешь", "меняет", "меняем", "меняете", "меняют"},
    {"обсуждаю", "обсуждаешь", "обсуждает", "обсуждаем", "обсуждаете", "обсуждают"},
    {"выбираю", "выбираешь", "выбирает", "выбираем", "выбираете", "выбирают"},
};

// Objects in the accusative, with the gender the adjective agrees with.
enum Gender { Masculine, Feminine, Neuter };
struct Noun {
    const char* word;
    Gender gender;
};
const Noun kNouns[] = {
    {"ответ", Masculine},     {"вопрос", Masculine},  {"смысл", Masculine},
    {"мир", Masculine},       {"фильм", Masculine},   {"город", Masculine},
    {"дом", Masculine},       {"день", Masculine},    {"вечер", Masculine},
    {"разговор", Masculine},  {"совет", Masculine},   {"план", Masculine},
    {"путь", Masculine},      {"текст", Masculine},   {"язык", Masculine},
    {"компьютер", Masculine}, {"телефон", Masculine}, {"праздник", Masculine},
    {"подарок", Masculine},   {"сад", Masculine},     {"книгу", Feminine},
    {"музыку", Feminine},     {"погоду", Feminine},   {"правду", Feminine},
    {"работу", Feminine},     {"игру", Feminine},     {"историю", Feminine},
    {"программу", Feminine},  {"задачу", Feminine},   {"идею", Feminine},
    {"статью", Feminine},     {"песню", Feminine},    {"школу", Feminine},
    {"машину", Feminine},     {"весну", Feminine},    {"зиму", Feminine},
    {"новость", Feminine},    {"жизнь", Feminine},    {"память", Feminine},
    {"сказку", Feminine},     {"время", Neuter},      {"море", Neuter},
    {"небо", Neuter},         {"слово", Neuter},      {"окно", Neuter},
    {"утро", Neuter},         {"кино", Neuter},       {"решение", Neuter},
    {"мнение", Neuter},       {"событие", Neuter},    {"место", Neuter},
    {"озеро", Neuter},
};

using AdjectiveForms = std::array<const char*, 3>; // by Gender
const AdjectiveForms kAdjectives[] = {
    {"новый", "новую", "новое"},          {"старый", "старую", "старое"},
    {"хороший", "хорошую", "хорошее"},    {"интересный", "интересную", "интересное"},
    {"странный", "странную", "странное"}, {"простой", "простую", "простое"},
    {"сложный", "сложную", "сложное"},    {"важный", "важную", "важное"},
    {"смешной", "смешную", "смешное"},    {"длинный", "длинную", "длинное"},
    {"короткий", "короткую", "короткое"}, {"красивый", "красивую", "красивое"},
    {"тихий", "тихую", "тихое"},          {"весёлый", "весёлую", "весёлое"},
    {"грустный", "грустную", "грустное"}, {"последний", "последнюю", "последнее"},
    {"первый", "первую", "первое"},       {"настоящий", "настоящую", "настоящее"},
    {"любой", "любую", "любое"},          {"другой", "другую", "другое"},
};

const char* const kAdverbs[] = {
    "сегодня", "завтра",   "вчера",  "сейчас", "иногда",   "часто",    "всегда", "никогда",
    "редко",   "давно",    "уже",    "ещё",    "очень",    "просто",   "тоже",   "точно",
    "быстро",  "медленно", "вместе", "снова",  "наверное", "обычно",   "здесь",  "дома",
    "потом",   "опять",    "вообще", "совсем", "честно",   "серьёзно",
};

const char* const kQuestions[] = {"как", "почему", "где",    "когда",  "зачем",
                                  "что", "разве",  "откуда", "неужели"};

const char* const kInterjections[] = {
    "привет",   "здравствуй", "спасибо",   "ладно", "конечно", "хорошо", "отлично",
    "понятно",  "согласен",   "интересно", "нет",   "да",      "ага",    "ого",
    "возможно", "извини",     "круто",     "ясно",  "правда",
};

const char* const kPlaces[] = {
    "в городе",    "на работе",   "о погоде",    "с друзьями", "без причины", "после обеда",
    "до вечера",   "по телефону", "в интернете", "из книги",   "в школе",     "на море",
    "о жизни",     "о музыке",    "для друга",   "у окна",     "за городом",  "в субботу",
    "на выходных", "перед сном",  "во сне",      "по дороге",
};

const char* const kConjunctions[] = {"и", "но", "а", "хотя", "зато", "поэтому"};

// Sentence shapes, one letter a part: Q question word, S subject, V verb agreeing with it,
// N object, O adjective and object, D adverb, P place (two words), I interjection,
// C conjunction, "," a comma. Grouped by the number of words they make.
using Shapes = std::vector<const char*>;
const std::vector<Shapes> kKeyShapes = {
    {"I", "N", "D"},                  // 1
    {"SV", "QV", "O"},                // 2
    {"SVN", "QSV", "SDV"},            // 3
    {"SVO", "QSVN", "SDVN", "SVP"},   // 4
    {"QSVO", "SDVO", "QSVP", "SVNP"}, // 5
};
const std::vector<Shapes> kAnswerShapes = {
    {"SV", "O"},                       // 2
    {"SVN", "SDV", "I,SV"},            // 3
    {"SVO", "SDVN", "SVP", "I,SVN"},   // 4
    {"SDVO", "SVNP", "I,SVO", "QSVO"}, // 5
    {"SDVNP", "SVOP", "SV,CSVN"},      // 6
    {"SDVOP", "SVN,CSVN"},             // 7
    {"SVN,CSVO", "I,SDVOP"},           // 8
    {"SVO,CSVO", "SDVN,CSVP"},         // 9
    {"SDVO,CSVO", "SVOP,CSVN"},        // 10
};

// Makes the lines of a phrase table from a fixed-seed generator: the same size always
// gives the same table.
class PhraseMaker {
  public:
    explicit PhraseMaker(std::uint32_t seed) { m_random.seed(seed); }

    int draw(int lo, int hi) { return lo + m_random.uniform(hi - lo + 1); }

    // A key of 1 to 5 words in capitals, as the table keeps it.
    std::string key(int maxWords = 5) {
        std::string text = sentence(pick(kKeyShapes[draw(1, maxWords) - 1]));
        upperCyrillicInPlace(text);
        return text;
    }
    std::string keyOfShape(const char* shape) {
        std::string text = sentence(shape);
        upperCyrillicInPlace(text);
        return text;
    }

    // An answer of 2 to 10 words.
    std::string answer() {
        std::string text = sentence(pick(kAnswerShapes[draw(2, 10) - 2]));
        capitalizeFirst(text);
        return text;
    }

    // The key mark and the alternatives, each ended by ";".
    std::string line(const std::string& key, int answers) {
        std::string out = key + "^";
        for (int i = 0; i < answers; ++i)
            out += answer() + ";";
        return out;
    }

    // A thread's line: a key of up to 3 words after its run of "_".
    std::string branchLine(int depth, int answers) {
        std::string branchKey(static_cast<std::size_t>(depth), '_');
        branchKey += key(3);
        return line(branchKey, answers);
    }

  private:
    template <class T, std::size_t N> const T& pick(const T (&items)[N]) {
        return items[m_random.uniform(static_cast<std::int32_t>(N))];
    }
    const char* pick(const Shapes& shapes) {
        return shapes[m_random.uniform(static_cast<std::int32_t>(shapes.size()))];
    }

    // The sentence of a shape in 1251, its end mark following from the shape.
    std::string sentence(std::string_view shape) {
        std::string out;
        const auto word = [&out](std::string_view w) {
            if (!out.empty())
                out += ' ';
            out += w;
        };
        int person = 1; // a verb without a subject speaks to "ты"
        for (const char part : shape) {
            switch (part) {
            case 'Q':
                word(pick(kQuestions));
                break;
            case 'S': {
                const Subject& subject = pick(kSubjects);
                person = subject.person;
                word(subject.word);
                break;
            }
            case 'V':
                word(pick(kVerbs)[person]);
                break;
            case 'N':
                word(pick(kNouns).word);
                break;
            case 'O': {
                const Noun& noun = pick(kNouns);
                word(pick(kAdjectives)[noun.gender]);
                word(noun.word);
                break;
            }
            case 'D':
                word(pick(kAdverbs));
                break;
            case 'P':
                word(pick(kPlaces));
                break;
            case 'I':
                word(pick(kInterjections));
                break;
            case 'C':
                word(pick(kConjunctions));
                break;
            case ',':
                out += ',';
                break;
            }
        }
        const bool question = shape.find('Q') != std::string_view::npos;
        out += question ? '?' : m_random.uniform(4) == 0 ? '!' : '.';
        return codec::fromUtf8(out);
    }

    SplitMixRandom m_random;
};

// True when no insult or human-topic entry is found in the upper-cased input, so the turn
// goes on to the lookup and may learn.
bool clearOfWordLists(const std::string& inputUpper) {
    for (const auto* list : {&data::kInsultWords, &data::kHumanTopicWords})
        for (const char* entry : *list)
            if (phraseScan(codec::fromUtf8(entry), inputUpper))
                return false;
    return true;
}

// ---- The generated tables

// A phrase table with its line `targetLine` (second to last) keyed by `target`: no key
// before it is found in that key, so a turn saying it scans the whole table to get there.
struct Table {
    std::vector<std::string> lines; // line 0 is the header
    std::string target;
    int targetLine = 0;
};

Table makeTable(int phraseLines) {
    PhraseMaker maker(0x5E3A7u + static_cast<std::uint32_t>(phraseLines));
    Table table;
    do
        table.target = maker.keyOfShape("QSVO");
    while (!clearOfWordLists(table.target));

    std::unordered_set<std::string> keys{table.target};
    const auto newKey = [&] {
        for (;;) {
            std::string key = maker.key();
            if (!phraseScan(key, table.target) && keys.insert(key).second)
                return key;
        }
    };
    // About one main phrase in eight opens a thread of one or two steps, some of which go on
    // to a second depth.
    const auto branches = [&](std::vector<std::string>& out) {
        if (maker.draw(1, 8) != 1)
            return;
        for (int step = maker.draw(1, 2); step > 0; --step) {
            const int answers = maker.draw(1, 2);
            out.push_back(maker.branchLine(1, answers));
            if (maker.draw(1, 3) == 1)
                out.push_back(maker.branchLine(2, 1));
        }
    };

    auto& lines = table.lines;
    lines.push_back(codec::fromUtf8("//Фразы, выученные программой"));
    const auto body = static_cast<std::size_t>(phraseLines - 1); // the lines before the target
    while (lines.size() < body) {
        const int answers = maker.draw(0, 6);
        lines.push_back(maker.line(newKey(), answers));
        if (answers > 0)
            branches(lines);
    }
    lines.resize(body);
    table.targetLine = static_cast<int>(lines.size());
    lines.push_back(maker.line(table.target, 3));
    lines.push_back(maker.line(newKey(), 2));
    return table;
}

LineList richList(std::initializer_list<const char*> utf8Lines) {
    LineList list(LineList::Format::Rich);
    for (const char* line : utf8Lines)
        list.add(codec::fromUtf8(line));
    return list;
}

// Writes a whole Base folder into dir with the engine's own saves, so every file is RTF.
void writeBase(const fs::path& dir, const Table& table) {
    fs::create_directories(dir / "Base");
    const FileSystem files(dir);
    LineList(LineList::Format::Rich, table.lines).save(files, files::kWords);
    richList({"Не знаю.", "Трудно сказать.", "Спроси что-нибудь попроще."})
        .save(files, files::kAnswers);
    richList({"Понятно.", "Интересно.", "Расскажи ещё."}).save(files, files::kRemarks);
    richList({"Ты здесь?", "Давай поговорим."}).save(files, files::kPause);
    richList({"Ты это уже говорил."}).save(files, files::kRepeat);
    richList({"Не груби."}).save(files, files::kInsultReplies);
    richList({"Слишком длинно, скажи короче."}).save(files, files::kLongMessage);
    LineList(LineList::Format::Rich).save(files, files::kLog);
}

fs::path scratchRoot() {
    return fs::temp_directory_path() / "semtra-bench";
}

// A table on disk in the scratch folder, written on first use.
struct TableOnDisk {
    Table table;
    fs::path dir;
    std::string words;   // Base\Words.Dat as written
    std::string answers; // Base\W1.Dat as written
};

const TableOnDisk& tableOnDisk(int phraseLines) {
    static std::map<int, TableOnDisk> tables;
    auto [it, added] = tables.try_emplace(phraseLines);
    TableOnDisk& disk = it->second;
    if (added) {
        disk.table = makeTable(phraseLines);
        disk.dir = scratchRoot() / std::to_string(phraseLines);
        fs::remove_all(disk.dir);
        writeBase(disk.dir, disk.table);
        const FileSystem files(disk.dir);
        disk.words = files.readAll(files::kWords);
        disk.answers = files.readAll(files::kAnswers);
    }
    return disk;
}

// ---- The engine's surroundings

// Noon of a fixed day: every turn re-seeds the same way.
class FixedClock : public Clock {
  public:
    std::int32_t msOfDay() override { return 12 * 3600 * 1000; }
    std::string shortDate() override { return "11.12.2026"; }
    std::string longTime() override { return "12:00:00"; }
};

// A window in the Cpu\User mode whose dialogue view keeps nothing, so no turn is taken
// for a repetition.
class BenchHost : public Host {
  public:
    std::string input;

    std::string inputText() override { return input; }
    void clearInput() override { input.clear(); }
    bool cpuUserChecked() override { return true; }
    bool cpu3Checked() override { return false; }
    int viewLineCount() override { return 0; }
    std::string viewLine(int) override { return {}; }
    void appendViewLine(const std::string&, LineStyle) override {}
    void setCursors(Cursor) override {}
    void playCue(Cue) override {}
    std::string exchangeWritePath() override { return files::kExchangeRead; }
    void enableTimer4() override {}
};

// ---- Benchmarks

class PhraseTable : public benchmark::Fixture {
  public:
    void SetUp(const benchmark::State& state) override {
        disk = &tableOnDisk(static_cast<int>(state.range(0)));
        files.emplace(disk->dir);
    }
    void TearDown(const benchmark::State&) override { files.reset(); }

  protected:
    const TableOnDisk* disk = nullptr;
    std::optional<FileSystem> files;
};

// A load into a fresh list, which has to read and parse the whole file.
BENCHMARK_DEFINE_F(PhraseTable, Load)(benchmark::State& state) {
    for (auto _ : state) {
        auto list = std::make_unique<LineList>(LineList::Format::Rich);
        list->load(*files, files::kWords);
        benchmark::DoNotOptimize(list->lines().data());
        state.PauseTiming();
        list.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(disk->words.size()));
}

// Only the file read of the load, to tell it from the parse.
BENCHMARK_DEFINE_F(PhraseTable, ReadAll)(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(files->readAll(files::kWords));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(disk->words.size()));
}

BENCHMARK_DEFINE_F(PhraseTable, Save)(benchmark::State& state) {
    const LineList list(LineList::Format::Rich, disk->table.lines);
    for (auto _ : state)
        list.save(*files, files::kWords);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(disk->words.size()));
}

BENCHMARK_DEFINE_F(PhraseTable, RtfWrite)(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(rtf::write(disk->table.lines));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(disk->words.size()));
}

BENCHMARK_DEFINE_F(PhraseTable, RtfParse)(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(rtf::parse(disk->words));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(disk->words.size()));
}

// A turn whose input is the key near the table's end: the lookup reads the table and
// scans it all before it answers.
BENCHMARK_DEFINE_F(PhraseTable, LookupTurn)(benchmark::State& state) {
    BenchHost host;
    FixedClock clock;
    SplitMixRandom random;
    Engine engine(*files, host, clock, random);
    const auto turn = [&] {
        engine.state().BranchDepth = 0; // no thread carries over from the last turn
        engine.RichEdit4().clear();
        host.input = disk->table.target;
        engine.SpeedButton1Click();
    };
    turn();
    if (engine.state().BranchLine != disk->table.targetLine) {
        state.SkipWithError("the turn was not answered by the key near the end");
        return;
    }
    for (auto _ : state)
        turn();
}

// A turn that hits no key while the last reply is a key of the table: it files the input in
// W1, adds it as a key and attaches it as an answer to that key. The files are put back
// between turns, outside the timing, so every turn works on the same table.
BENCHMARK_DEFINE_F(PhraseTable, LearningTurn)(benchmark::State& state) {
    BenchHost host;
    FixedClock clock;
    SplitMixRandom random;
    Engine engine(*files, host, clock, random);
    const std::string nonsense = codec::fromUtf8("Кварзибул мехострупа жумбровень ");
    int counter = 0;
    const auto turn = [&] {
        auto& s = engine.state();
        s.BranchDepth = 0;
        s.PrevReply = s.LastReply = disk->table.target;
        engine.RichEdit4().clear();
        host.input = nonsense + std::to_string(++counter);
        engine.SpeedButton1Click();
    };
    const auto restore = [&] {
        files->writeAll(files::kWords, disk->words);
        files->writeAll(files::kAnswers, disk->answers);
    };

    std::string upper = nonsense;
    upperCyrillicInPlace(upper);
    if (!clearOfWordLists(upper)) {
        state.SkipWithError("the learning input meets a word list");
        return;
    }
    turn();
    LineList table(LineList::Format::Rich);
    table.load(*files, files::kWords);
    const bool learned = table.count() == static_cast<int>(disk->table.lines.size()) + 1 &&
                         phrase::key(table.lines().back()) == disk->table.target;
    restore();
    if (!learned) {
        state.SkipWithError("the turn did not learn");
        return;
    }
    for (auto _ : state) {
        turn();
        state.PauseTiming();
        restore();
        state.ResumeTiming();
    }
}

void tableSizes(benchmark::internal::Benchmark* b) {
    b->ArgName("lines")->Arg(1'000)->Arg(10'000)->Arg(100'000);
    b->Unit(benchmark::kMillisecond)->UseRealTime(); // saves wait on the disk
    b->Repetitions(5)->ReportAggregatesOnly(true);
}

BENCHMARK_REGISTER_F(PhraseTable, Load)->Apply(tableSizes);
BENCHMARK_REGISTER_F(PhraseTable, ReadAll)->Apply(tableSizes);
BENCHMARK_REGISTER_F(PhraseTable, Save)->Apply(tableSizes);
BENCHMARK_REGISTER_F(PhraseTable, RtfWrite)->Apply(tableSizes);
BENCHMARK_REGISTER_F(PhraseTable, RtfParse)->Apply(tableSizes);
BENCHMARK_REGISTER_F(PhraseTable, LookupTurn)->Apply(tableSizes);
BENCHMARK_REGISTER_F(PhraseTable, LearningTurn)->Apply(tableSizes);

int writeTableCommand(int argc, char** argv) {
    int phraseLines = 0;
    try {
        if (argc == 4)
            phraseLines = std::stoi(argv[3]);
    } catch (const std::exception&) {
    }
    if (phraseLines < 2) {
        std::cerr << "usage: semtra-bench --write-table DIR LINES (LINES >= 2)\n";
        return 2;
    }
    const Table table = makeTable(phraseLines);
    try {
        writeBase(argv[2], table);
    } catch (const std::exception& error) {
        std::cerr << "semtra-bench: " << codec::toUtf8(error.what()) << '\n';
        return 1;
    }
    std::cout << "key near the end (line " << table.targetLine
              << "): " << codec::toUtf8(table.target) << '\n';
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::string_view(argv[1]) == "--write-table")
        return writeTableCommand(argc, argv);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code error;
    fs::remove_all(scratchRoot(), error);
    return 0;
}
