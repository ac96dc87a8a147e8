#include "window/ToutPathForm.h"
#include "FakeViews.h"
#include "window/TMainForm.h"

#include <gtest/gtest.h>

namespace lyricast::test {
namespace {

class ToutPathFormTest : public ::testing::Test {
protected:
    FakeMainView mainView;
    TMainForm mainForm{mainView};
    FakeOutPathView view;
    ToutPathForm form{mainForm, view};
};

TEST_F(ToutPathFormTest, StartsBesideTheSourcesReplacingWhatIsThereFlat) {
    EXPECT_FALSE(form.savePath);
    EXPECT_TRUE(mainForm.outputFolder.empty());
    EXPECT_EQ(form.ifExists, ExistingChoice::Replace);
    EXPECT_FALSE(form.keepTree);
}

TEST_F(ToutPathFormTest, BrowsingCancelledStillChoosesTheOneFolder) {
    form.LMDButton1Click();
    EXPECT_TRUE(form.savePath);
    EXPECT_TRUE(mainForm.outputFolder.empty());
    EXPECT_EQ(view.shown, (std::vector<std::string>{"browse: Output Folder",
                                                    "always save to: ", "keep sub-folders: off"}));
}

TEST_F(ToutPathFormTest, AChosenFolderIsKeptAndTheNextBrowseStartsThere) {
    view.browseAnswer = std::string("/srv/Caf\xe9 out"); // Latin-1 bytes stay as they are
    form.LMDButton1Click();
    EXPECT_EQ(mainForm.outputFolder, "/srv/Caf\xe9 out");
    EXPECT_EQ(view.shown.at(1), "always save to: /srv/Caf\xe9 out");

    view.browseAnswer.reset();
    form.LMDButton1Click();
    EXPECT_EQ(view.browsedFrom, "/srv/Caf\xe9 out");
    EXPECT_EQ(mainForm.outputFolder, "/srv/Caf\xe9 out");

    form.saveOriClick();
    EXPECT_FALSE(form.savePath);
    EXPECT_EQ(mainForm.outputFolder, "/srv/Caf\xe9 out") << "the folder is kept for later";
    form.savePathClick();
    EXPECT_TRUE(form.savePath);
    form.LMDButton2Click();
    EXPECT_EQ(view.shown.back(), "closed");
}

// "Keep sub-folders" counts with "Always save to" only, and can be changed
// only then; the three choices if a file exists are one group.
TEST_F(ToutPathFormTest, KeepSubFoldersGoesWithTheOneFolderAndIfAFileExistsIsOneChoice) {
    form.keepTreeClick();
    EXPECT_TRUE(form.keepTree);
    EXPECT_FALSE(form.KeepsTree()) << "beside the sources there is no tree to keep";
    form.savePathClick();
    EXPECT_TRUE(form.KeepsTree());
    form.saveOriClick();
    EXPECT_EQ(view.shown,
              (std::vector<std::string>{"keep sub-folders: on", "keep sub-folders: on, disabled"}));
    form.existingSkipClick();
    EXPECT_EQ(form.ifExists, ExistingChoice::Skip);
    form.existingAskClick();
    EXPECT_EQ(form.ifExists, ExistingChoice::Ask);
    form.existingReplaceClick();
    EXPECT_EQ(form.ifExists, ExistingChoice::Replace);

    view.shown.clear();
    form.ChooseExisting(ExistingChoice::Ask);
    form.ChooseKeepTree(false);
    EXPECT_EQ(view.shown, (std::vector<std::string>{"if a file exists: Ask",
                                                    "keep sub-folders: off, disabled"}));
    EXPECT_EQ(ExistingChoiceOf("Skip"), ExistingChoice::Skip);
    EXPECT_EQ(ExistingChoiceOf("skip"), std::nullopt);
}

} // namespace
} // namespace lyricast::test
