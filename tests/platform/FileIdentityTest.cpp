#include "platform/FileIdentity.h"
#include "platform/PathRules.h"
#include "support/Hex.h"
#include "support/Platform.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <gtest/gtest.h>

namespace lyricast {
namespace {

using test::TempDir;

// Other ways the platform accepts to write the same path: every separator it
// knows in place of its own, a doubled separator (as the walk makes after a
// root), a "." step, a detour through a sibling, and on a case-insensitive
// platform the whole path upper-cased.
std::vector<std::string> OtherSpellings(const std::string& folder, const std::string& name) {
    const PathRules& rules = PathRules::Native();
    const std::string sep(1, rules.separator);
    std::vector<std::string> spellings{folder + sep + sep + name, folder + sep + "." + sep + name,
                                       folder + sep + "sibling" + sep + ".." + sep + name};
    for (const char other : std::string_view("/\\")) {
        if (other == rules.separator || !rules.IsSeparator(other))
            continue;
        std::string path = folder + sep + name;
        std::replace(path.begin(), path.end(), rules.separator, other);
        spellings.push_back(path);
    }
    if (rules.caseInsensitive) {
        std::string path = folder + sep + name;
        std::transform(path.begin(), path.end(), path.begin(),
                       [](unsigned char c) { return std::toupper(c); });
        spellings.push_back(path);
    }
    return spellings;
}

class FileIdentityTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(dir.path() / "sibling" / "Box");
        test::WriteBytes(dir / "Song.kar", test::Hex("01"));
        test::WriteBytes(dir / "Other.kar", test::Hex("02"));
    }

    TempDir dir;
};

TEST_F(FileIdentityTest, OneFileOrFolderWhateverThePathSpelling) {
    for (const std::string name : {"Song.kar", "sibling"}) {
        const auto identity = IdentityOf(dir / name);
        ASSERT_TRUE(identity.has_value()) << name;
        for (const std::string& spelling : OtherSpellings(dir.str(), name))
            EXPECT_EQ(IdentityOf(spelling), identity) << spelling;
    }
}

TEST_F(FileIdentityTest, DistinctFilesAndFoldersDiffer) {
    const std::vector<std::optional<FileIdentity>> identities{
        IdentityOf(dir / "Song.kar"), IdentityOf(dir / "Other.kar"), IdentityOf(dir.str()),
        IdentityOf(dir / "sibling"), IdentityOf(dir / "sibling/Box")};
    for (std::size_t i = 0; i < identities.size(); ++i) {
        ASSERT_TRUE(identities[i].has_value()) << i;
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_NE(identities[i], identities[j]) << i << " and " << j;
    }
    EXPECT_FALSE(IdentityOf(dir / "missing.kar").has_value());
    EXPECT_FALSE(IdentityOf(dir / "missing/Song.kar").has_value());
}

TEST_F(FileIdentityTest, FileLockedAgainstEveryOtherOpenerStillAnswers) {
    SKIP_WITHOUT_EXCLUSIVE_OPEN();
    const test::ExclusiveOpen lock(dir / "Song.kar");
    ASSERT_TRUE(lock.held());
    EXPECT_TRUE(IdentityOf(dir / "Song.kar").has_value());
}

} // namespace
} // namespace lyricast
