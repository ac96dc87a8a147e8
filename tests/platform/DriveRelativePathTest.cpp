#include "platform/DriveRelativePath.h"
#include "platform/CurrentDirectory.h"
#include "support/Platform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace lyricast {
namespace {

TEST(DriveRelativePath, ADriveWithoutARootSeparator) {
    const PathRules& win = PathRules::Windows();
    for (const char* path : {"Y:", "y:", "Y:songs", "Y:songs\\old", "Y:.."})
        EXPECT_TRUE(IsDriveRelative(path, win)) << path;
    for (const char* path :
         {"Y:\\", "Y:/songs", "\\songs", "songs", "\\\\srv\\share", "\\\\", "Y", ""})
        EXPECT_FALSE(IsDriveRelative(path, win)) << path;
    for (const char* path : {"Y:", "Y:songs", "/y:"})
        EXPECT_FALSE(IsDriveRelative(path, PathRules::Posix())) << path << ": a name like any";
}

TEST(DriveRelativePath, OnlyADriveRelativePathIsRespelled) {
    const std::string sep(1, PathRules::Native().separator);
    for (const std::string& path : {std::string("songs"), "." + sep + "songs", sep + "songs",
                                    std::string("Y:") + "\\songs", std::string("Y")})
        EXPECT_EQ(FromDriveRoot(path), path);
}

TEST(DriveRelativePath, ADriveRelativePathStartsFromThatDrivesCurrentFolder) {
    SKIP_WITHOUT_DRIVE_LETTERS();
    // The system reads "C:" (the drive of the test's folder) as the folder it keeps for C.
    test::TempDir dir;
    std::filesystem::create_directory(dir.path() / "sub");
    const test::CurrentFolder back(dir.path());
    SetCurrentDir(dir / "sub");
    const std::string drive = dir.str().substr(0, 2);
    EXPECT_EQ(FromDriveRoot(drive), dir / "sub");
    EXPECT_EQ(FromDriveRoot(drive + "x"), (dir.path() / "sub" / "x").string());
}

} // namespace
} // namespace lyricast
