// Learning and the question and remark fallback: what the files gain from a turn.

#include "engine/text_forms.hpp"
#include "support.hpp"

namespace semtra::test {
namespace {

using Strings = std::vector<std::string>;

class Learning : public EngineTest {
  protected:
    // The state right after the bot said `reply`.
    void botSaid(std::string_view reply) {
        engine.state().PrevReply = cp(reply);
        engine.state().LastReply = cp(reply);
    }
};

TEST_F(Learning, NewKeyAndAnswerAttachedToTheBotsLastReply) {
    writeTable("КАК ДЕЛА?^\r\n"
               "ЧТО?^Ничего.;\r\n");
    botSaid("Как дела?");
    EXPECT_EQ(say("привет"), "реплика из W2") << "the reply comes from the fallback";
    EXPECT_EQ(lines("Base/Words.Dat"),
              (Strings{"//0", "ЧТО?^Ничего.;", "ПРИВЕТ.^", "КАК ДЕЛА?^Привет.;"}));
    EXPECT_TRUE(dir.read("Base/Words.Dat").starts_with("{\\rtf"));
}

TEST_F(Learning, AnswersGrowAtTheEndOfTheFirstEqualKeyOnly) {
    writeTable("КАК ДЕЛА?^Хорошо.;\r\n"
               "КАК ДЕЛА?^\r\n");
    botSaid("Как дела?");
    say("плохо");
    EXPECT_EQ(lines("Base/Words.Dat"),
              (Strings{"//0", "КАК ДЕЛА?^", "ПЛОХО.^", "КАК ДЕЛА?^Хорошо.;Плохо.;"}));
}

TEST_F(Learning, KnownInputLearnsNothingButTheEndMarkMatters) {
    writeTable("ПРИВЕТ.^\r\n"
               "КАК ДЕЛА?^\r\n");
    botSaid("Как дела?");
    say("Привет.");
    EXPECT_EQ(lines("Base/Words.Dat").size(), 3u) << "ПРИВЕТ. is a key: no key, no answer";
    host.view.clear();
    say("привет");
    EXPECT_EQ(lines("Base/Words.Dat"), (Strings{"//0", "ПРИВЕТ.^", "КАК ДЕЛА?^", "ПРИВЕТ.^"}))
        << "ПРИВЕТ without its full stop is not recognised";
}

TEST_F(Learning, RepeatingTheBotsReplyAnswersTheNewKeyItself) {
    botSaid("Кто ты?");
    say("Кто ты?");
    EXPECT_EQ(lines("Base/Words.Dat"), (Strings{"//0", "КТО ТЫ?^Кто ты?;"}));
}

TEST_F(Learning, ReservedCharactersNeverBecomeStructure) {
    writeTable("КАК ДЕЛА?^\r\n");
    botSaid("Как дела?");
    say("_а;б^в");
    EXPECT_EQ(lines("Base/Words.Dat"), (Strings{"//0", " А Б В.^", "КАК ДЕЛА?^ а б в.;"}));
    EXPECT_EQ(lines("Base/W1.Dat").back(), "_а;б^в.") << "the lists are one line per entry";
}

TEST_F(Learning, EmptyTableLearnsIntoLineZeroFirst) {
    dir.write("Base/Words.Dat", "");
    botSaid("Ну.");
    say("один");
    say("два");
    EXPECT_EQ(lines("Base/Words.Dat"), (Strings{"ОДИН.^", "ДВА.^"}));
}

class Fallback : public Learning {};

TEST_F(Fallback, ReplyListByTheLinesEndAndFilingByAnyQuestionMarkInTheBotsReply) {
    struct Case {
        const char* prev;
        const char* line;
        const char* reply;
        const char* filedInto;
    };
    const Case cases[] = {
        {"Ну.", "как дела?", "ответ из W1", "Base/W2.Dat"},
        {"Ну.", "как дела? скажи", "реплика из W2", "Base/W2.Dat"},
        {"Кто ты? Отвечай.", "никто", "реплика из W2", "Base/W1.Dat"},
        {"Кто ты?", "а ты?", "ответ из W1", "Base/W1.Dat"},
    };
    for (const auto& c : cases) {
        SetUp();
        botSaid(c.prev);
        EXPECT_EQ(say(c.line), c.reply) << c.line;
        std::string shown = cp(c.line);
        capitalizeFirst(shown);
        fixEndPunctuation(shown);
        EXPECT_EQ(lines(c.filedInto).back(), u8(shown)) << c.line;
    }
}

TEST_F(Fallback, FirstTurnOfARunFilesAndLearnsNothing) {
    say("что-то новое");
    EXPECT_EQ(lines("Base/W2.Dat"), (Strings{"реплика из W2"}));
    EXPECT_EQ(lines("Base/Words.Dat"), (Strings{"//0"}));
}

TEST_F(Fallback, LineAlreadyInTheReplyListIsNotFiledButStillLearned) {
    dir.write("Base/W2.Dat", "Нулевая.\r\nУже есть.\r\n");
    say("уже есть");
    EXPECT_EQ(lines("Base/W2.Dat").size(), 2u);
    EXPECT_EQ(lines("Base/Words.Dat"), (Strings{"//0", "УЖЕ ЕСТЬ.^"})) << "no LastReply: key only";

    botSaid("Ну.");
    say("нулевая");
    EXPECT_EQ(lines("Base/W2.Dat").back(), "Нулевая.") << "line 0 is not compared";
}

TEST_F(Fallback, QuestionAfterARemarkIsFiledWithoutADuplicateTestThere) {
    dir.write("Base/W2.Dat", "реплика из W2\r\nЧто?\r\n");
    botSaid("Ну.");
    say("что?");
    host.view.clear();
    say("что?");
    EXPECT_EQ(lines("Base/W2.Dat"), (Strings{"реплика из W2", "Что?", "Что?", "Что?"}));
}

} // namespace
} // namespace semtra::test
