// Line lists: adding with breaks, and loads that always give the file as it stands.

#include "support.hpp"

namespace semtra::test {
namespace {

using Strings = std::vector<std::string>;

TEST(LineListTest, AddedBreaksStartFurtherLines) {
    LineList list;
    list.add("a");
    list.add("b\r\nc\rd\ne");
    list.add("f\r\n");
    EXPECT_EQ(list.lines(), (Strings{"a", "b", "c", "d", "e", "f", ""}));
    EXPECT_EQ(list.text(), "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\n");
    list.remove(0);
    list.remove(99);
    EXPECT_EQ(list.get(0), "b");
    EXPECT_EQ(list.get(-1), "");
    EXPECT_EQ(list.get(6), "");
}

class LineListReload : public ::testing::Test {
  protected:
    ScratchDir dir;
    FileSystem files{dir.path()};
    LineList list;

    void SetUp() override {
        list.lines() = {"ONE", "TWO"};
        list.save(files, "Words.Dat");
        list.load(files, "Words.Dat");
    }
};

TEST_F(LineListReload, SeesAFileReplacedBehindItsBack) {
    LineList other;
    other.lines() = {"ONE", "SIX"}; // the same size
    other.save(files, "Words.Dat");
    list.load(files, "Words.Dat");
    EXPECT_EQ(list.lines(), (Strings{"ONE", "SIX"}));
}

TEST_F(LineListReload, SeesAnInPlaceWriteOfTheSameSize) {
    const auto path = dir.path() / "Words.Dat";
    const auto before = std::filesystem::last_write_time(path);
    std::string bytes = dir.read("Words.Dat");
    bytes.replace(bytes.find("TWO"), 3, "SIX");
    {
        std::fstream out(path, std::ios::in | std::ios::out | std::ios::binary);
        out << bytes;
    }
    std::filesystem::last_write_time(path, before + std::chrono::seconds(1));
    list.load(files, "Words.Dat");
    EXPECT_EQ(list.lines(), (Strings{"ONE", "SIX"}));
}

TEST_F(LineListReload, ChangedLinesAreReadAgain) {
    list.add("THREE");
    list.load(files, "Words.Dat");
    EXPECT_EQ(list.lines(), (Strings{"ONE", "TWO"}));
    list.lines().push_back("FOUR");
    list.load(files, "words.dat");
    EXPECT_EQ(list.lines(), (Strings{"ONE", "TWO"}));
}

} // namespace
} // namespace semtra::test
