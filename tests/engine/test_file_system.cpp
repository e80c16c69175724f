#include "engine/file_system.hpp"

#include "engine/errors.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <functional>
#include <random>
#include <set>
#include <stdexcept>
#include <string>

namespace semtra {
namespace {

namespace fs = std::filesystem;

fs::path utf8Path(const char8_t* text) {
    return fs::path(std::u8string(text));
}

void writeFile(const fs::path& path, const std::string& content) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::set<fs::path> entriesOf(const fs::path& folder) {
    std::set<fs::path> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename());
    }
    return names;
}

std::string messageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EngineError& e) {
        return e.what();
    }
    return "no error";
}

// Each test works in a fresh folder of its own.
class FileSystemTest : public testing::Test {
  protected:
    void SetUp() override {
        static std::atomic<int> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        m_root = fs::temp_directory_path() /
                 ("semtra-fs-" + std::to_string(stamp) + "-" +
                  std::to_string(std::random_device{}()) + "-" + std::to_string(++counter));
        fs::create_directories(m_root);
    }

    void TearDown() override {
        // Give the write bits back so that the folder can go even when not running as root.
        std::error_code ec;
        for (auto it = fs::recursive_directory_iterator(m_root, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        }
        fs::remove_all(m_root, ec);
    }

    const fs::path& root() const { return m_root; }

  private:
    fs::path m_root;
};

TEST_F(FileSystemTest, NamesReachFilesWhateverTheirCase) {
    const struct {
        fs::path onDisk;  // under the working folder
        const char* name; // as the program spells it, in 1251
    } cases[] = {
        {"Base/words.DAT", "Base\\Words.dat"},
        {"Base/words.DAT", "Base\\Words.Dat"},
        {"Base/words.DAT", "BASE/WORDS.DAT"},
        {"Base/Sub/Deep/file.txt", "base\\SUB/deep\\File.TXT"},
        {"Base/words.DAT", "Base\\\\.\\words.DAT"},
        {utf8Path(u8"База/Слова.dat"), "\xE1\xE0\xE7\xE0\\\xD1\xCB\xCE\xC2\xC0.DAT"},
        {utf8Path(u8"Ёлка.txt"), "\xB8\xEB\xEA\xE0.TXT"},
    };
    for (const auto& c : cases) {
        const fs::path work = root() / "work";
        fs::remove_all(work);
        writeFile(work / c.onDisk, c.name);
        const FileSystem files(work);
        EXPECT_EQ(files.findExisting(c.name), work / c.onDisk) << c.name;
        EXPECT_EQ(files.forWriting(c.name), work / c.onDisk) << c.name;
        EXPECT_EQ(files.readAll(c.name), c.name);
    }
}

TEST_F(FileSystemTest, FindsNothingForMissingFilesAndFolders) {
    writeFile(root() / "Base" / "words.dat", "x");
    const FileSystem files(root());
    for (const char* name : {"Base\\Other.dat", "Nope\\words.dat", "Base", "", "Base\\"}) {
        EXPECT_EQ(files.findExisting(name), std::nullopt) << name;
    }
    EXPECT_EQ(files.forWriting("Nope\\words.dat"), std::nullopt);
}

TEST_F(FileSystemTest, SavingANewFileUsesTheProgramsSpelling) {
    fs::create_directories(root() / "base");
    const FileSystem files(root());
    files.writeAll("Base\\New.Dat", "fresh");
    EXPECT_EQ(entriesOf(root() / "base"), std::set<fs::path>{"New.Dat"});
    EXPECT_EQ(readFile(root() / "base" / "New.Dat"), "fresh");
    files.writeAll("BASE\\NEW.DAT", "again");
    EXPECT_EQ(entriesOf(root() / "base"), std::set<fs::path>{"New.Dat"});
    EXPECT_EQ(files.readAll("base\\new.dat"), "again");
}

TEST_F(FileSystemTest, DriveLettersMapToTheirFolders) {
    const fs::path drives = root() / "drives-elsewhere";
    const struct {
        fs::path drivesDir;
        const char* name;
        fs::path onDisk;
    } cases[] = {
        {drives, "D:\\Txt.Dat", drives / "d" / "Txt.Dat"},
        {drives, "d:/Txt.Dat", drives / "d" / "Txt.Dat"},
        {drives, "C:\\Dir\\f.txt", drives / "c" / "Dir" / "f.txt"},
        {{}, "E:\\f.txt", root() / "drives" / "e" / "f.txt"},
    };
    for (const auto& c : cases) {
        fs::create_directories(c.onDisk.parent_path());
        const FileSystem files(root(), c.drivesDir);
        files.writeAll(c.name, c.name);
        EXPECT_EQ(readFile(c.onDisk), c.name);
    }
}

TEST_F(FileSystemTest, AbsolutePathsAreTakenAsTheyAre) {
    const fs::path target = root() / "abs" / "x.dat";
    fs::create_directories(target.parent_path());
    const FileSystem files(root() / "work");
    files.writeAll(target.string(), "absolute");
    EXPECT_EQ(readFile(target), "absolute");
    EXPECT_EQ(files.readAll(target.string()), "absolute");
}

TEST_F(FileSystemTest, FailuresNameTheFileAsGiven) {
    writeFile(root() / "Base" / "Sub" / "y.dat", "x");
    const FileSystem files(root());
    for (const char* name : {"Base\\X.Dat", "Nope\\X.Dat", "Base\\Sub"}) {
        EXPECT_EQ(messageOf([&] { files.readAll(name); }), std::string("Cannot open file ") + name);
    }
    EXPECT_EQ(messageOf([&] { files.writeAll("Nope\\X.Dat", "x"); }),
              "Cannot create file Nope\\X.Dat");
    EXPECT_EQ(messageOf([&] { files.writeAll("Base\\Sub", "x"); }), "Cannot create file Base\\Sub");
}

TEST_F(FileSystemTest, ReadOnlyTargetOrFolderKeepsTheOldContent) {
    const fs::path folder = root() / "Base";
    const fs::path target = folder / "X.Dat";
    const fs::perms readOnly =
        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    for (const fs::path& locked : {target, folder}) {
        writeFile(target, "old");
        fs::permissions(locked,
                        readOnly | (locked == folder ? fs::perms::owner_exec : fs::perms::none));
        const FileSystem files(root());
        EXPECT_EQ(messageOf([&] { files.writeAll("Base\\X.Dat", "new"); }),
                  "Cannot create file Base\\X.Dat");
        fs::permissions(locked, fs::perms::owner_all);
        EXPECT_EQ(readFile(target), "old");
        EXPECT_EQ(entriesOf(folder), std::set<fs::path>{"X.Dat"});
    }
}

TEST_F(FileSystemTest, ReplacingKeepsTheModeAndLeavesNoTemporaryFile) {
    const fs::path target = root() / "x.dat";
    writeFile(target, "old");
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(target, mode);
    const FileSystem files(root());
    files.writeAll("x.dat", "new");
    EXPECT_EQ(readFile(target), "new");
    EXPECT_EQ(fs::status(target).permissions(), mode);

    writeFile(root() / "plain.dat", ""); // created the usual way, for the default mode
    files.writeAll("fresh.dat", "");
    EXPECT_EQ(fs::status(root() / "fresh.dat").permissions(),
              fs::status(root() / "plain.dat").permissions());
    EXPECT_EQ(entriesOf(root()), (std::set<fs::path>{"x.dat", "plain.dat", "fresh.dat"}));
}

TEST_F(FileSystemTest, LongBinaryContentComesBackExactly) {
    std::mt19937 random(1251);
    std::string data(5 * 1024 * 1024 + 7, '\0');
    for (char& c : data) {
        c = static_cast<char>(random());
    }
    const FileSystem files(root());
    files.writeAll("big.bin", data);
    EXPECT_EQ(files.readAll("big.bin"), data);
    files.writeAll("big.bin", "short");
    EXPECT_EQ(files.readAll("big.bin"), "short");
}

TEST_F(FileSystemTest, ReadIntoGivesTheFileAndKeepsTheBuffersSize) {
    writeFile(root() / "Base" / "small.dat", "abc");
    const std::string big(3 * 1024 * 1024 + 1, '\xE0');
    writeFile(root() / "Base" / "big.dat", big);
    const FileSystem files(root());
    std::string buffer(100, 'x');
    EXPECT_EQ(files.readInto("base\\SMALL.DAT", buffer), "abc");
    EXPECT_EQ(buffer.size(), 100u);
    EXPECT_EQ(files.readInto("Base\\big.dat", buffer), big);
    EXPECT_EQ(files.readInto("Base\\small.dat", buffer), "abc");
    EXPECT_EQ(buffer.size(), big.size());
    EXPECT_EQ(messageOf([&] { files.readInto("Base\\Gone.Dat", buffer); }),
              "Cannot open file Base\\Gone.Dat");
}

TEST_F(FileSystemTest, WriteFromWritesThePiecesInTurn) {
    const FileSystem files(root());
    std::string expected;
    files.writeFrom("pieces.dat", [&](const FileSystem::Put& put) {
        for (int i = 0; i < 40; ++i) { // some megabytes, in pieces of every size
            const std::string piece(static_cast<std::size_t>(i) * 7919,
                                    static_cast<char>('a' + i % 26));
            expected += piece;
            put(piece);
        }
    });
    EXPECT_EQ(files.readAll("pieces.dat"), expected);
    files.writeFrom("pieces.dat", [](const FileSystem::Put&) {});
    EXPECT_EQ(files.readAll("pieces.dat"), "");
}

TEST_F(FileSystemTest, ContentThatCannotBeMadeKeepsTheOldFile) {
    writeFile(root() / "x.dat", "old");
    const FileSystem files(root());
    EXPECT_THROW(files.writeFrom("x.dat",
                                 [](const FileSystem::Put& put) {
                                     put("new");
                                     throw std::runtime_error("out of memory");
                                 }),
                 std::runtime_error);
    EXPECT_EQ(readFile(root() / "x.dat"), "old");
    EXPECT_EQ(entriesOf(root()), std::set<fs::path>{"x.dat"});
}

TEST_F(FileSystemTest, WriteFromAReadOnlyTargetKeepsTheOldContent) {
    const fs::path target = root() / "X.Dat";
    writeFile(target, "old");
    fs::permissions(target, fs::perms::owner_read);
    const FileSystem files(root());
    EXPECT_EQ(messageOf([&] {
                  files.writeFrom("x.dat", [](const FileSystem::Put& put) { put("new"); });
              }),
              "Cannot create file x.dat");
    fs::permissions(target, fs::perms::owner_all);
    EXPECT_EQ(readFile(target), "old");
}

} // namespace
} // namespace semtra
