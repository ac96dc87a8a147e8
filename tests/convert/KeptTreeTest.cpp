// The folder tree kept below the output folder: where each output goes, and
// the folders made for it.
#include "convert/KeptTree.h"
#include "convert/ConversionPool.h"
#include "convert/OutputFolders.h"
#include "support/Platform.h"
#include "support/SmfBuilder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lyricast {
namespace {

using namespace test;
using Status = ConversionResult::Status;
namespace fs = std::filesystem;

TEST(KeptTree, TheOutputStandsBelowTheOutputFolderAsTheSourceBelowItsRoot) {
    const PathRules& posix = PathRules::Posix();
    EXPECT_EQ(TreeOutputPathOf("/k/Rock/Queen/song.kar", "/k", "/out", posix),
              "/out/Rock/Queen/song.MID");
    EXPECT_EQ(TreeOutputPathOf("/k/song.kar", "/k", "/out", posix), "/out/song.MID");
    EXPECT_EQ(TreeOutputPathOf("/Rock/a.b.kar", "/", "/out", posix), "/out/Rock/a.b.MID");
    EXPECT_EQ(TreeOutputPathOf("songs/Pop/x.kar", "songs", "out", posix), "out/Pop/x.MID")
        << "a relative root, as it was named";
    EXPECT_EQ(TreeOutputPathOf("/elsewhere/x.kar", "/k", "/out", posix), "/out/x.MID")
        << "a source not below the root goes into the output folder itself";
    EXPECT_EQ(TreeOutputPathOf("/k/README", "/k", "/out", posix), std::nullopt);
    EXPECT_EQ(FolderBelowRoot("/kx/a.kar", "/k", posix), "") << "not a folder of /k";

    const PathRules& windows = PathRules::Windows();
    EXPECT_EQ(TreeOutputPathOf("C:\\K\\Rock\\song.kar", "C:\\K", "D:\\Out", windows),
              "D:\\Out\\Rock\\song.MID");
    EXPECT_EQ(TreeOutputPathOf("C:\\Rock\\song.kar", "C:\\", "D:\\", windows),
              "D:\\Rock\\song.MID");
    EXPECT_EQ(TreeOutputPathOf("c:\\k\\Pop\\song.kar", "C:\\K", "D:\\Out", windows),
              "D:\\Out\\Pop\\song.MID")
        << "letter case aside, as Windows names folders";
}

class OutputFoldersTest : public ::testing::Test {
protected:
    std::string Native(const std::string& relative) const {
        return (dir.path() / fs::path(relative).make_preferred()).string();
    }

    TempDir dir;
};

TEST_F(OutputFoldersTest, MissingFoldersAreMadeFromTheTopAndAFileInTheWayIsNamed) {
    const std::string out = Native("out");
    fs::create_directories(Native("out/Rock"));
    EXPECT_EQ(MakeOutputFolders(out, Native("out/Rock/Queen/Live/song.MID"), PathRules::Native()),
              std::nullopt);
    EXPECT_TRUE(fs::is_directory(Native("out/Rock/Queen/Live")));
    EXPECT_EQ(MakeOutputFolders(out, Native("out/song.MID"), PathRules::Native()), std::nullopt);

    WriteBytes(Native("out/Pop"), Hex("00"));
    const auto failure =
        MakeOutputFolders(out, Native("out/Pop/Abba/song.MID"), PathRules::Native());
    ASSERT_TRUE(failure);
    EXPECT_TRUE(failure->starts_with("Cannot create folder " + Native("out/Pop") + ": "))
        << *failure;
    EXPECT_GT(failure->size(), ("Cannot create folder " + Native("out/Pop") + ": ").size())
        << "with the system's reason";
    EXPECT_FALSE(fs::exists(Native("out/Pop/Abba")));
}

// The pool makes an output's folders as it writes it; a folder that cannot
// be made fails that file alone.
TEST_F(OutputFoldersTest, ThePoolMakesTheFoldersOfEachOutputAndFailsOneThatCannotBe) {
    const Bytes song = Smf(1, {Track("00 90 3c 64  60 80 3c 40  00 ff 2f 00")});
    WriteBytes(Native("k/Rock/a.kar"), song);
    WriteBytes(Native("k/Pop/a.kar"), song);
    WriteBytes(Native("out/Pop"), Hex("00"));
    const std::string out = Native("out");
    const std::vector<ConversionJob> jobs = {
        {Native("k/Rock/a.kar"), Native("out/Rock/a.MID"), out},
        {Native("k/Pop/a.kar"), Native("out/Pop/a.MID"), out}};
    std::vector<ConversionResult> results;
    ConversionPool(2).Run(
        jobs, [&](std::size_t, const ConversionResult& result) { results.push_back(result); });
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[0].status, Status::Converted);
    EXPECT_TRUE(fs::is_regular_file(Native("out/Rock/a.MID")));
    EXPECT_EQ(results[1].status, Status::FileError);
    EXPECT_TRUE(results[1].error.starts_with("Cannot create folder " + Native("out/Pop") + ": "))
        << results[1].error;
}

} // namespace
} // namespace lyricast
