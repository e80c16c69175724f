// Whole turns: the order of a turn, the screens, the output block and the Cpu\Cpu mode.

#include "support.hpp"

namespace semtra::test {
namespace {

using Strings = std::vector<std::string>;

class Turn : public EngineTest {};

TEST_F(Turn, WorkedTurnRightAfterStart) {
    writeTable("ПРИВЕТ^Здравствуй!;\r\n");
    EXPECT_EQ(say("привет"), "Здравствуй!");

    EXPECT_EQ(host.viewTexts(), (Strings{"Привет.", "Здравствуй!"}));
    EXPECT_EQ(host.view[0].style, LineStyle::User);
    EXPECT_EQ(host.view[1].style, LineStyle::Bot);
    EXPECT_EQ(transcriptLine(0), "USER:     Привет.");
    EXPECT_EQ(transcriptLine(1), "CPU:     Здравствуй!");
    const auto& s = engine.state();
    EXPECT_EQ(u8(s.InputUpper), "ПРИВЕТ");
    EXPECT_EQ(u8(s.PrevReply), "Здравствуй!");
    EXPECT_EQ(u8(s.LastReply), "Здравствуй!"); // upper-cased only when the next turn starts
    EXPECT_EQ(s.BranchDepth, 1);
    EXPECT_EQ(s.BranchLine, 1);
    EXPECT_TRUE(host.input.empty());
    EXPECT_EQ(host.events, (Strings{"busy", "user-cue", "bot-cue", "no", "clear"}));
    EXPECT_EQ(random.seeds.size(), 1u);
    EXPECT_EQ(random.seeds[0], 1000u);
}

TEST_F(Turn, RepetitionIsExactAndAnswersFromTheRepeatList) {
    writeTable("ПРИВЕТ^Здравствуй!;\r\n");
    say("привет");
    EXPECT_EQ(say("Привет."), "повтор");
    EXPECT_EQ(engine.state().BranchDepth, 1) << "a repetition leaves the thread alone";
    // ПРИВЕТ is not Привет.; the thread runs off the table's end, which ends it.
    EXPECT_EQ(say("ПРИВЕТ"), "реплика из W2");
    EXPECT_EQ(engine.state().BranchDepth, 0);
    EXPECT_EQ(say("привет!"), "Здравствуй!");
}

TEST_F(Turn, IdleRemarkMovesTheRepeatCheckLine) {
    writeTable("ПРИВЕТ^Здравствуй!;\r\n");
    say("привет");
    host.appendViewLine(cp("пауза"), LineStyle::Remark);
    EXPECT_EQ(say("Здравствуй!"), "повтор");
}

TEST_F(Turn, InsultScreenAnswersFromItsListAndStopsTheTurn) {
    writeTable("ТЫ^Я.;\r\n");
    EXPECT_EQ(say("ты лох"), "оскорбление");
    EXPECT_EQ(say("я тебя сотру"), "оскорбление");
    EXPECT_EQ(say("лох"), "реплика из W2") << "\" ЛОХ\" needs the space before it";
    EXPECT_EQ(engine.state().BranchDepth, 0);
}

TEST_F(Turn, HumanTopicWithoutKeyShowsThePreviousReplyAndLearnsNothing) {
    writeTable("ПРИВЕТ^Здравствуй!;\r\n");
    EXPECT_EQ(say("я люблю маму"), "") << "before the first reply: an empty reply";
    EXPECT_EQ(host.viewTexts().back(), "");
    EXPECT_EQ(transcriptLine(1), "CPU:     ");
    say("привет");
    EXPECT_EQ(say("я устал"), "Здравствуй!");
    EXPECT_EQ(say("привет, я устал"), "Здравствуй!") << "a key still answers";
    EXPECT_EQ(lines("Base/Words.Dat").size(), 2u);
    EXPECT_EQ(lines("Base/W2.Dat").size(), 1u);
}

TEST_F(Turn, FarewellsMatchTheWholeUpperCasedInput) {
    struct Case {
        const char* line;
        bool farewell;
    };
    const Case cases[] = {{"пока", true},     {"Пока!", true},     {"пока.", true},
                          {"пока?", false},   {"пока ", false},    {"пока,", false},
                          {"всё пока", true}, {"все пока", false}, {"good by", false},
                          {"GOOD BY", true},  {"BY", true}};
    for (const auto& c : cases) {
        host.timer4 = 0;
        say(c.line);
        EXPECT_EQ(host.timer4 > 0, c.farewell) << c.line;
        EXPECT_EQ(host.events.back(), c.farewell ? "timer4" : "clear") << "the reply comes first";
    }
    EXPECT_EQ(engine.state().ScanLine, engine.Memo2().count());
}

TEST_F(Turn, LongLinesAreAnsweredFromTheirListOnFourRollsOfSix) {
    writeTable("А^Ключ.;\r\n");
    struct Case {
        std::size_t length; // of the user line as shown
        int roll;           // the draw 0..5; the roll is one more
        const char* reply;
    };
    const Case cases[] = {{111, 0, "длинно"}, {111, 2, "длинно"}, {111, 3, "длинно"},
                          {111, 4, "длинно"}, {111, 1, "Ключ."},  {111, 5, "Ключ."},
                          {110, 0, "Ключ."},  {109, 0, "Ключ."}};
    for (const auto& c : cases) {
        host.view.clear();
        engine.state().BranchDepth = 0;
        random.draws = {c.roll};
        host.input = std::string(c.length - 2, 'z') + cp("а.");
        engine.SpeedButton1Click();
        EXPECT_EQ(u8(engine.state().ReplyText), c.reply) << c.length << " roll " << c.roll + 1;
    }
}

TEST_F(Turn, CursorsStayBusyAndInputStaysWhenALoadFails) {
    writeTable("ПРИВЕТ^Здравствуй!;\r\n");
    say("привет");
    std::filesystem::remove(dir.path() / "Base/Povtor.Dat");
    host.events.clear();
    host.input = cp("Привет.");
    try {
        engine.SpeedButton1Click();
        FAIL() << "the turn must fail";
    } catch (const EngineError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file Base\\Povtor.Dat");
    }
    EXPECT_EQ(host.viewTexts().back(), "Привет.");
    EXPECT_EQ(transcriptLine(engine.RichEdit4().count() - 1), "USER:     Привет.");
    EXPECT_EQ(host.events, (Strings{"busy", "user-cue"}));
    EXPECT_EQ(u8(host.input), "Привет.");
    EXPECT_EQ(u8(engine.state().LastReply), "ЗДРАВСТВУЙ!");
    EXPECT_EQ(u8(engine.state().PrevReply), "Здравствуй!");
}

// Each stage that reads or writes a file stops the turn there with the file's name.
TEST_F(Turn, EveryFailingFileStopsTheTurnAtItsStage) {
    struct Case {
        const char* file;
        bool readOnly; // else removed
        std::string input;
        const char* message;
    };
    const Case cases[] = {
        {"Base/X.Dat", false, cp("ты гад, понял"), "Cannot open file Base\\X.Dat"},
        {"Base/BigString.Dat", false, std::string(120, 'z'),
         "Cannot open file Base\\BigString.Dat"},
        {"Base/Words.Dat", false, cp("что-то"), "Cannot open file Base\\Words.Dat"},
        {"Base/W1.Dat", false, cp("как?"), "Cannot open file Base\\W1.Dat"},
        {"Base/W2.Dat", false, cp("что-то"), "Cannot open file Base\\W2.Dat"},
        {"Base/W2.Dat", true, cp("что-то"), "Cannot create file Base\\W2.Dat"},
        {"Base/Words.Dat", true, cp("что-то"), "Cannot create file Base\\Words.Dat"},
    };
    for (const auto& c : cases) {
        SetUp();
        writeTable("НУ^Ну.;\r\n");
        engine.state().PrevReply = cp("Ну.");
        const auto path = dir.path() / c.file;
        const std::string before = dir.read(c.file);
        if (c.readOnly)
            std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                                   std::filesystem::perms::group_read);
        else
            std::filesystem::remove(path);
        host.view.clear();
        host.events.clear();
        host.input = c.input;
        try {
            engine.SpeedButton1Click();
            ADD_FAILURE() << c.file << ": the turn did not fail";
        } catch (const EngineError& error) {
            EXPECT_EQ(std::string(error.what()), c.message);
        }
        EXPECT_EQ(host.view.size(), 1u) << c.message << ": only the user line is shown";
        EXPECT_EQ(host.events.back(), "user-cue") << c.message;
        EXPECT_EQ(host.input, c.input) << c.message;
        if (c.readOnly) {
            EXPECT_EQ(dir.read(c.file), before) << "a failed save keeps the file";
            std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        }
    }
}

TEST_F(Turn, EmptyReplyListGivesAnEmptyReply) {
    dir.write("Base/W2.Dat", "");
    EXPECT_EQ(say("что-то"), "");
    EXPECT_EQ(transcriptLine(1), "CPU:     ");
}

class CpuMode : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        host.cpuMode = true;
        dir.write("drives/d/Txt.Dat", "");
    }
    std::string exchange() { return u8(dir.read("drives/d/Txt.Dat")); }
};

TEST_F(CpuMode, AnswersTheExchangeFileAndWritesTheReplyBack) {
    writeTable("ПРИВЕТ^Здравствуй!;\r\n");
    dir.write("drives/d/Txt.Dat", "привет\r\n");
    host.input = cp("что стоит в строке ввода");
    engine.loadExchange();
    engine.SpeedButton1Click();
    EXPECT_EQ(host.viewTexts(), (Strings{"Привет.", "Здравствуй!"}))
        << "the final break is dropped";
    EXPECT_EQ(exchange(), "Здравствуй!\r\n");
    EXPECT_TRUE(host.input.empty()) << "the input line is emptied all the same";
    EXPECT_EQ(u8(engine.Memo1().text()), "Здравствуй!");

    host.timer4 = 0;
    dir.write("drives/d/Txt.Dat", "пока\r\n");
    engine.loadExchange();
    engine.SpeedButton1Click();
    EXPECT_EQ(host.timer4, 1) << "without its break a farewell is recognised";
}

TEST_F(CpuMode, EmptyExchangeFileEndsTheTurnWithoutEffect) {
    engine.loadExchange();
    engine.SpeedButton1Click();
    EXPECT_TRUE(host.view.empty());
    EXPECT_EQ(engine.RichEdit4().count(), 0);
    EXPECT_TRUE(host.events.empty());
    EXPECT_EQ(exchange(), "");
}

TEST_F(CpuMode, LinesWithBreaksNeverSplitStoredLines) {
    engine.state().PrevReply = cp("Как ты?");
    engine.state().LastReply = cp("КАК ТЫ?");
    writeTable("КАК ТЫ?^\r\n");
    dir.write("drives/d/Txt.Dat", "первая\r\nвторая\r\n");
    engine.loadExchange();
    engine.SpeedButton1Click();
    EXPECT_EQ(lines("Base/Words.Dat"),
              (Strings{"//0", "ПЕРВАЯ ВТОРАЯ.^", "КАК ТЫ?^Первая вторая.;"}));
    EXPECT_EQ(lines("Base/W1.Dat"), (Strings{"ответ из W1", "Первая вторая."}));
    EXPECT_EQ(host.viewTexts().front(), "Первая") << "the view shows the text as it came";
}

TEST_F(CpuMode, FailedExchangeSaveKeepsTheStateOfTheTurnBefore) {
    writeTable("ПРИВЕТ^Здравствуй!;\r\n");
    dir.write("drives/d/Txt.Dat", "привет\r\n");
    engine.loadExchange();
    host.exchangePath = "Nowhere\\Txt.Dat";
    host.input = cp("строка");
    EXPECT_THROW(
        {
            try {
                engine.SpeedButton1Click();
            } catch (const EngineError& error) {
                EXPECT_EQ(std::string(error.what()), "Cannot create file Nowhere\\Txt.Dat");
                throw;
            }
        },
        EngineError);
    EXPECT_EQ(host.viewTexts().back(), "Здравствуй!");
    EXPECT_EQ(transcriptLine(1), "CPU:     Здравствуй!");
    EXPECT_EQ(host.events.back(), "no");
    EXPECT_TRUE(engine.state().PrevReply.empty());
    EXPECT_EQ(u8(host.input), "строка");
}

TEST_F(CpuMode, MissingExchangeFileFailsTheRead) {
    std::filesystem::remove(dir.path() / "drives/d/Txt.Dat");
    engine.Memo1().lines() = {"", "X"};
    EXPECT_THROW(engine.loadExchange(), EngineError);
    EXPECT_EQ(engine.Memo1().count(), 2) << "the buffer keeps its text";
}

} // namespace
} // namespace semtra::test
