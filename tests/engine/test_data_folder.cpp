// The data folder: found beside the user, set up once from the starter files, never
// overwritten.

#include "engine/data_folder.hpp"
#include "support.hpp"

#include <cstdlib>

namespace semtra::test {
namespace {

namespace fs = std::filesystem;

TEST(DataFolder, FirstUseCopiesTheStarterFilesAndLaterUsesKeepTheBotsMemory) {
    ScratchDir root;
    root.write("share/semtra/Base/Words.Dat", "//0\r\n");
    root.write("share/semtra/Base/W1.Dat", "старт\r\n");
    fs::create_directories(root.path() / "bin");
    const fs::path exe = root.path() / "bin" / "semtra-cli";
    std::ofstream(exe) << "";
    ASSERT_TRUE(starterFolder(exe).has_value());

    ::setenv("XDG_DATA_HOME", (root.path() / "data").c_str(), 1);
    const fs::path elsewhere = root.path() / "elsewhere";
    fs::create_directories(elsewhere);
    const fs::path before = fs::current_path();
    fs::current_path(elsewhere);
    const fs::path folder = chooseWorkFolder(std::nullopt, exe);
    EXPECT_EQ(folder, root.path() / "data" / "semtra");
    EXPECT_EQ(root.read("data/semtra/Base/W1.Dat"), cp("старт\r\n"));

    root.write("data/semtra/Base/W1.Dat", "выучено\r\n");
    fs::remove(root.path() / "data/semtra/Base/Words.Dat");
    EXPECT_EQ(chooseWorkFolder(std::nullopt, exe), folder);
    EXPECT_EQ(root.read("data/semtra/Base/W1.Dat"), cp("выучено\r\n"));
    EXPECT_TRUE(fs::exists(root.path() / "data/semtra/Base/Words.Dat")) << "a lost file comes back";

    fs::create_directories(elsewhere / "base");
    EXPECT_EQ(chooseWorkFolder(std::nullopt, exe), elsewhere) << "a Base folder here wins";
    EXPECT_EQ(chooseWorkFolder(root.path() / "given", exe), root.path() / "given");
    fs::current_path(before);
    ::unsetenv("XDG_DATA_HOME");
}

TEST(DataFolder, DrivesFollowTheEnvironment) {
    ::setenv("SEMTRA_DRIVES", "/srv/drives", 1);
    EXPECT_EQ(drivesFolder(), fs::path("/srv/drives"));
    ::unsetenv("SEMTRA_DRIVES");
    ::setenv("XDG_DATA_HOME", "/home/u/.data", 1);
    EXPECT_EQ(drivesFolder(), fs::path("/home/u/.data/semtra/drives"));
    ::unsetenv("XDG_DATA_HOME");
}

} // namespace
} // namespace semtra::test
