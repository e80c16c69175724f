// The phrase-table lookup: main phrases, answer alternatives and conversation threads.

#include "support.hpp"

namespace semtra::test {
namespace {

using Strings = std::vector<std::string>;

class Lookup : public EngineTest {
  protected:
    // Answer draws follow the strategy roll (draw 0: the roll is 1, the length test runs).
    std::string sayPicking(std::string_view line, int alternative) {
        random.draws = {0, alternative};
        return say(line);
    }
};

TEST_F(Lookup, FirstLineInFileOrderWinsAndKeysWithoutAnswersArePassedOver) {
    writeTable("ДЕЛА^\r\n"
               "ДА^Коротко.;\r\n"
               "КОГДА ДА^Длинно.;\r\n");
    EXPECT_EQ(say("когда да"), "Коротко.");
    EXPECT_EQ(engine.state().BranchLine, 2);
    EXPECT_EQ(engine.state().AnswerPick, 1);
}

TEST_F(Lookup, EachAlternativeIsTakenWholeFromAfterItsSeparator) {
    writeTable("КАК ДЕЛА?^Хорошо.;А у тебя?;Так себе, честно.;\r\n");
    const char* expected[] = {"Хорошо.", "А у тебя?", "Так себе, честно."};
    for (int pick = 0; pick < 3; ++pick) {
        engine.state().BranchDepth = 0;
        host.view.clear();
        EXPECT_EQ(sayPicking("ну как дела?", pick), expected[pick]);
        EXPECT_EQ(random.ranges.back(), 3) << "one alternative per \";\"";
        EXPECT_EQ(engine.state().AnswerPick, pick + 1);
    }
}

TEST_F(Lookup, LinesThatBreakTheGrammarAreSkipped) {
    writeTable("\r\n"
               "БЕЗ МЕТКИ\r\n"
               "НЕЗАКРЫТ^ответ без конца\r\n"
               "МЕТКА^;\r\n"
               "МЕТКА^Правильно.;\r\n");
    EXPECT_EQ(say("метка без метки незакрыт"), "Правильно.");
}

// The thread of the illustration: a main phrase, a depth-1 line, a depth-2 line, and a
// depth-1 line after it, followed by the next main phrase.
class Thread : public Lookup {
  protected:
    void SetUp() override {
        Lookup::SetUp();
        writeTable("КАК ДЕЛА?^Хорошо.;\r\n"        // 1
                   "_ПЛОХО^Что случилось?;\r\n"    // 2
                   "__НИЧЕГО^Ну ладно.;\r\n"       // 3
                   "_ХОРОШО^Я рад.;\r\n"           // 4
                   "НИЧЕГО^Совсем ничего?;\r\n"    // 5
                   "ПЛОХО^Плохо - это как?;\r\n"); // 6
    }
};

TEST_F(Thread, GoesOneLevelDeeperAtEachStepThenEndsAtTheNextMainPhrase) {
    EXPECT_EQ(say("как дела?"), "Хорошо.");
    EXPECT_EQ(say("плохо"), "Что случилось?");
    EXPECT_EQ(engine.state().BranchDepth, 2);
    EXPECT_EQ(engine.state().BranchLine, 2);
    EXPECT_EQ(say("ничего"), "Ну ладно.");
    EXPECT_EQ(engine.state().BranchDepth, 3);
    // Nothing at depth 3: line 5 is a main phrase, so the thread ends and the same input
    // is looked up in the whole table in the same turn.
    EXPECT_EQ(say("плохо, ничего"), "Совсем ничего?");
    EXPECT_EQ(engine.state().BranchDepth, 1);
    EXPECT_EQ(engine.state().BranchLine, 5);
}

TEST_F(Thread, TriesOnlyLinesOfItsOwnDepth) {
    say("как дела?");
    EXPECT_EQ(say("ничего хорошо"), "Я рад.") << "the depth-2 НИЧЕГО is passed over at depth 1";
    EXPECT_EQ(engine.state().BranchLine, 4);
}

TEST_F(Thread, SurvivesLongMessageRepliesAndPicksTheDrawnAlternative) {
    writeTable("КАК ДЕЛА?^Хорошо.;\r\n"
               "_ПЛОХО^Что случилось?;\r\n"
               "__НИЧЕГО^Ну ладно.;Точно ничего?;\r\n");
    say("как дела?");
    say("плохо");
    random.draws = {0};
    EXPECT_EQ(say(std::string(120, 'z')), "длинно");
    EXPECT_EQ(engine.state().BranchDepth, 2);
    EXPECT_EQ(sayPicking("ничего", 1), "Точно ничего?");
}

TEST_F(Thread, ThatRunsOffTheTableEndsAndTheTurnFallsBack) {
    writeTable("КАК ДЕЛА?^Хорошо.;\r\n"
               "_ПЛОХО^Что случилось?;\r\n");
    say("как дела?");
    EXPECT_EQ(say("нормально"), "реплика из W2");
    EXPECT_EQ(engine.state().BranchDepth, 0);
    EXPECT_EQ(say("как дела?"), "Хорошо.") << "the main-phrase lookup works again";
}

TEST_F(Thread, BranchKeysAreFoundByTheMainLookupOnlyWithTheirPrefix) {
    EXPECT_EQ(say("плохо"), "Плохо - это как?");
    engine.state().BranchDepth = 0;
    EXPECT_EQ(say("_плохо"), "Что случилось?");
}

} // namespace
} // namespace semtra::test
