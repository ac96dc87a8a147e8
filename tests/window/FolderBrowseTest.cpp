#include "PaneFakes.h"

#include "window/FolderBrowse.h"

#include <deque>
#include <optional>

namespace lyricast::test {
namespace {

namespace fs = std::filesystem;

struct FakeBrowseView final : FolderBrowseView {
    std::deque<std::optional<std::string>> answers; // one per question; nothing cancels
    std::vector<std::string> warnings;
    std::optional<std::string> AskFolderName() override {
        std::optional<std::string> answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void ShowWarning(const std::string& text) override { warnings.push_back(text); }
};

using FolderBrowseTest = PaneTree;

TEST_F(FolderBrowseTest, StartsAtTheFolderGivenAndPutsTheCurrentFolderBack) {
    const std::string out = Folder("volB");
    {
        FakeBrowseView view;
        FolderBrowse browse(view);
        FolderList folders(volumes_);
        browse.Start(folders.list, out);
        EXPECT_EQ(browse.Folder(), out);
        EXPECT_EQ(GetCurrentDir(), out);
    }
    EXPECT_EQ(GetCurrentDir(), b_);

    // An empty start folder, or one that is gone: the current folder.
    for (const std::string& start : {std::string(), Join(b_, "gone")}) {
        FakeBrowseView view;
        FolderBrowse browse(view);
        FolderList folders(volumes_);
        browse.Start(folders.list, start);
        EXPECT_EQ(browse.Folder(), b_);
    }
}

TEST_F(FolderBrowseTest, NewFolderIsMadeInsideAndOpened) {
    FakeBrowseView view;
    FolderBrowse browse(view);
    FolderList folders(volumes_);
    browse.Start(folders.list, Folder("volB"));

    view.answers = {std::nullopt, "Fresh"};
    browse.NewFolderClick(); // cancelled
    EXPECT_EQ(browse.Folder(), Folder("volB"));
    browse.NewFolderClick();
    EXPECT_TRUE(fs::is_directory(tree_.path() / "volB/Fresh"));
    EXPECT_EQ(browse.Folder(), Join(Folder("volB"), "Fresh"));
    EXPECT_TRUE(view.warnings.empty());

    // No name, a name taken, a folder below one that is not there: the error.
    view.answers = {"", "..", Join("nowhere", "deeper")};
    for (int i = 0; i < 3; ++i)
        browse.NewFolderClick();
    EXPECT_EQ(view.warnings, std::vector<std::string>(3, "IO-Error!\nCould not create folder."));
    EXPECT_EQ(browse.Folder(), Join(Folder("volB"), "Fresh"));
    EXPECT_FALSE(fs::exists(tree_.path() / "volB/Fresh/nowhere"));
}

} // namespace
} // namespace lyricast::test
