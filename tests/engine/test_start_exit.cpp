// Start-up statistics, the session log of the Exit command, the idle remark and the word
// lists the window brings.

#include "support.hpp"

namespace semtra::test {
namespace {

using Strings = std::vector<std::string>;

class StartExit : public EngineTest {};

TEST_F(StartExit, WordListsHaveAnEmptyEntryZeroAndTheirFullLength) {
    EXPECT_EQ(engine.Memo1().count(), 83);
    EXPECT_EQ(engine.Memo4().count(), 80);
    EXPECT_EQ(engine.Memo2().count(), 55);
    for (LineList* list : {&engine.Memo1(), &engine.Memo2(), &engine.Memo4()})
        EXPECT_EQ(list->get(0), "");
    EXPECT_EQ(u8(engine.Memo1().get(1)), " ЛОХ");
    EXPECT_EQ(u8(engine.Memo2().get(54)), "ЭЙ, ПОКА");
    EXPECT_EQ(engine.Memo2().get(5), cp("ВСЁ ПОКА"));
    EXPECT_EQ(static_cast<unsigned char>(engine.Memo2().get(5)[2]), 0xA8) << "Ё is one byte";
}

TEST_F(StartExit, StatisticsCountByTheFirstCharacterAndSkipLinesThatAreNoPhrase) {
    struct Case {
        const char* table;
        int mainPhrases;
        int branches;
    };
    const Case cases[] = {
        {"", 0, 0},
        {"А^Б;\r\n_В^Г;\r\n__Д^Е;\r\nЖ_^З;\r\nКЛЮЧ^\r\n", 3, 2},
        {"А^Б;\r\n_В^Г;", 1, 1}, // no final line break: the same counts
        {"\r\nБЕЗ МЕТКИ\r\n_^\r\nА^Б;\r\n", 1, 0},
    };
    for (const auto& c : cases) {
        writeTable(c.table);
        const PhraseStatistics stats = engine.countPhrases();
        EXPECT_EQ(stats.mainPhrases, c.mainPhrases) << c.table;
        EXPECT_EQ(stats.branches, c.branches) << c.table;
    }
    std::filesystem::remove(dir.path() / "Base/Words.Dat");
    EXPECT_THROW(engine.countPhrases(), EngineError);
}

TEST_F(StartExit, FormCreateReadsTheTableUnderEitherSpelling) {
    std::filesystem::remove(dir.path() / "Base/Words.Dat");
    dir.write("Base/words.DAT", "//0\r\nА^Б;\r\n");
    engine.FormCreate();
    EXPECT_EQ(engine.RichEdit2().count(), 2);
    EXPECT_EQ(engine.countPhrases().mainPhrases, 1);
}

std::vector<std::string> logBlock(const std::vector<std::string>& transcript, int phrases) {
    std::vector<std::string> block{"",
                                   std::string(80, '-'),
                                   std::string(22, ' ') + std::string(30, '_'),
                                   std::string(22, ' ') + "Дата - 11.12.2026   |   Время -14:42:51",
                                   std::string(22, ' ') + std::string(30, '~'),
                                   "//Загружено фраз выученных программой: " +
                                       std::to_string(phrases)};
    block.insert(block.end(), transcript.begin(), transcript.end());
    block.push_back(std::string(53, '='));
    return block;
}

TEST_F(StartExit, SessionLogAppendsOneBlockPerExit) {
    engine.writeSessionLog();
    EXPECT_EQ(lines("Base/Log.Semtra"), logBlock({}, 0)) << "seven lines without a dialogue";

    writeTable("ПРИВЕТ^Здравствуй!;\r\n");
    say("привет");
    engine.writeSessionLog();
    auto expected = logBlock({}, 0);
    const auto second = logBlock({"USER:     Привет.", "CPU:     Здравствуй!"}, 1);
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(lines("Base/Log.Semtra"), expected);
}

TEST_F(StartExit, SessionLogCountsTheTableOnDiskAndFailsWithoutWriting) {
    dir.write("Base/Words.Dat", "");
    engine.writeSessionLog();
    EXPECT_EQ(lines("Base/Log.Semtra")[5], "//Загружено фраз выученных программой: -1");

    const std::string before = dir.read("Base/Log.Semtra");
    std::filesystem::remove(dir.path() / "Base/Words.Dat");
    EXPECT_THROW(engine.writeSessionLog(), EngineError);
    EXPECT_EQ(dir.read("Base/Log.Semtra"), before);
    std::filesystem::permissions(dir.path() / "Base/Log.Semtra",
                                 std::filesystem::perms::owner_read);
    dir.write("Base/Words.Dat", "");
    EXPECT_THROW(engine.writeSessionLog(), EngineError) << "a read-only log";
    EXPECT_EQ(dir.read("Base/Log.Semtra"), before);
    std::filesystem::remove(dir.path() / "Base/Log.Semtra");
    try {
        engine.writeSessionLog();
        FAIL();
    } catch (const EngineError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file Base\\Log.Semtra");
    }
}

TEST_F(StartExit, IdleRemarkComesAtTheDrawnThresholdAndResetsTheCount) {
    // Draw 59 makes the threshold 60; until then every tick only counts.
    engine.state().IdleTicks = 58;
    random.draws = {59, 59};
    EXPECT_FALSE(engine.idleTick());
    EXPECT_EQ(engine.state().IdleTicks, 59);
    random.draws = {10, 59, 0}; // a try below 60 is drawn again, each from a new seed
    const auto seedsBefore = random.seeds.size();
    EXPECT_TRUE(engine.idleTick());
    EXPECT_EQ(random.seeds.size(), seedsBefore + 2);
    EXPECT_EQ(engine.state().IdleTicks, 0);
    EXPECT_EQ(u8(engine.state().ReplyText), "пауза");
    ASSERT_EQ(host.view.size(), 1u);
    EXPECT_EQ(host.view[0].style, LineStyle::Remark);
    EXPECT_EQ(host.events, (Strings{"bot-cue"}));
    EXPECT_EQ(engine.RichEdit4().count(), 0) << "remarks stay out of the transcript";

    std::filesystem::remove(dir.path() / "Base/Pause.Dat");
    engine.state().IdleTicks = 89;
    random.draws = {89};
    EXPECT_THROW(engine.idleTick(), EngineError);
    EXPECT_EQ(engine.state().IdleTicks, 90) << "a failed remark does not reset the count";
}

} // namespace
} // namespace semtra::test
