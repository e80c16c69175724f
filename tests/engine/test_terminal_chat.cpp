// The terminal chat's contract: lines in, replies out, errors on stderr, the log at the end.

#include "app/terminal_chat.hpp"
#include "support.hpp"

#include <set>
#include <sstream>

namespace semtra::test {
namespace {

class TerminalChat : public EngineTest {
  protected:
    std::string out;
    std::string err;

    int chat(const std::string& input, std::optional<std::int32_t> seed = 7) {
        std::istringstream in(input);
        std::ostringstream o;
        std::ostringstream e;
        const int status = runTerminalChat({dir.path(), dir.path() / "drives", seed}, in, o, e);
        out = o.str();
        err = e.str();
        return status;
    }
    int logBlocks() {
        int blocks = 0;
        for (const auto& line : lines("Base/Log.Semtra"))
            blocks += line == std::string(53, '=');
        return blocks;
    }
};

TEST_F(TerminalChat, OneReplyLinePerTurnAndTheLogAtTheEnd) {
    writeTable("ПРИВЕТ^Здравствуй!;\r\n");
    EXPECT_EQ(chat("\xEF\xBB\xBFпривет\n\nкак жизнь\r\n"), 0);
    EXPECT_EQ(out, "Здравствуй!\nреплика из W2\n") << "the empty line is skipped";
    EXPECT_EQ(err, "");
    EXPECT_EQ(logBlocks(), 1);
    const auto log = lines("Base/Log.Semtra");
    EXPECT_EQ(log[log.size() - 3], "USER:     Как жизнь.") << "a CR before the LF is not text";
    EXPECT_EQ(log[6], "USER:     Привет.") << "a byte-order mark is not text";
}

TEST_F(TerminalChat, FailedTurnReportsOnStderrAndTheChatGoesOn) {
    writeTable("ПРИВЕТ^Здравствуй!;\r\n");
    std::filesystem::remove(dir.path() / "Base/X.Dat");
    EXPECT_EQ(chat("ты гад, понял\nпривет\n"), 0);
    EXPECT_EQ(err, "Cannot open file Base\\X.Dat.\n");
    EXPECT_EQ(out, "Здравствуй!\n");
}

TEST_F(TerminalChat, FarewellEndsTheChatAfterItsReply) {
    EXPECT_EQ(chat("пока\nэто уже не читается\n"), 0);
    EXPECT_EQ(out, "реплика из W2\n");
    EXPECT_EQ(logBlocks(), 1);
    EXPECT_EQ(lines("Base/Log.Semtra").size(), 9u) << "two transcript lines";
}

TEST_F(TerminalChat, FailingExitCommandGivesStatusOne) {
    std::filesystem::remove(dir.path() / "Base/Log.Semtra");
    EXPECT_EQ(chat("привет\n"), 1);
    EXPECT_EQ(err, "Cannot open file Base\\Log.Semtra.\n");
}

TEST_F(TerminalChat, InputIsCutTo255AndUnknownCharactersBecomeQuestionMarks) {
    chat("日本 " + std::string(300, 'z') + "\n");
    const auto log = lines("Base/Log.Semtra");
    const std::string user = log[log.size() - 3];
    EXPECT_EQ(user, "USER:     ?? " + std::string(252, 'z') + ".");
}

TEST_F(TerminalChat, SameSeedSameDialogue) {
    writeTable("ПРИВЕТ^Раз.;Два.;Три.;Четыре.;Пять.;Шесть.;Семь.;Восемь.;\r\n");
    dir.write("Base/W2.Dat", "а\r\nб\r\nв\r\nг\r\nд\r\nе\r\nж\r\nз\r\n");
    const std::string script = "привет\nну\nпривет!\nда\nпривет?\n";
    chat(script, 12345);
    const std::string first = out;
    chat(script, 12345);
    EXPECT_EQ(out, first);
    std::set<std::string> others;
    for (int seed = 0; seed < 8; ++seed) {
        chat(script, seed);
        others.insert(out);
    }
    EXPECT_GT(others.size(), 1u) << "the seed decides the draws";
}

} // namespace
} // namespace semtra::test
