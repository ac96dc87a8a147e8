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

TEST_F(ToutPathFormTest, StartsBesideTheSources) {
    EXPECT_FALSE(form.savePath);
    EXPECT_TRUE(mainForm.outputFolder.empty());
}

TEST_F(ToutPathFormTest, BrowsingCancelledStillChoosesTheOneFolder) {
    form.LMDButton1Click();
    EXPECT_TRUE(form.savePath);
    EXPECT_TRUE(mainForm.outputFolder.empty());
    EXPECT_EQ(view.shown, (std::vector<std::string>{"browse: Output Folder", "always save to: "}));
}

TEST_F(ToutPathFormTest, AChosenFolderIsKeptAndTheNextBrowseStartsThere) {
    view.browseAnswer = std::string("/srv/Caf\xe9 out"); // Latin-1 bytes stay as they are
    form.LMDButton1Click();
    EXPECT_EQ(mainForm.outputFolder, "/srv/Caf\xe9 out");
    EXPECT_EQ(view.shown.back(), "always save to: /srv/Caf\xe9 out");

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

} // namespace
} // namespace lyricast::test
