#include "window/TMainForm.h"
#include "FakeViews.h"
#include "convert/OutputNaming.h"
#include "platform/FileError.h"
#include "platform/FolderListing.h"
#include "platform/PathRules.h"
#include "support/DeepFolders.h"
#include "support/Platform.h"
#include "support/SmfBuilder.h"
#include "support/TempDir.h"
#include "window/AppInfo.h"
#include "window/BatchSummary.h"
#include "window/ElidePath.h"
#include "window/HelpPage.h"
#include "window/ToutPathForm.h"
#include "window/UnreadFolders.h"

#include <gtest/gtest.h>

#include <algorithm>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace lyricast::test {
namespace {

namespace fs = std::filesystem;

const Bytes kKaraoke =
    Smf(1, {Track("00 ff 01 03 61 2f 62  00 ff 2f 00"), Track("00 91 3c 64  00 ff 2f 00")});
const Bytes kNotMidi = Hex("00 01 02 03");
const Bytes kLyric = Hex("ff 05 03 61 0d 62"); // kKaraoke's text, rewritten

std::string Join(const std::string& folder, const std::string& name) {
    return PathRules::Native().Join(folder, name);
}

class TMainFormTest : public ::testing::Test {
protected:
    TempDir tree;
    FakeMainView view;
    TMainForm form{view};
    FakeOutPathView outView;
    ToutPathForm outPath{form, outView};

    void SetUp() override {
        form.outPathForm = &outPath;
        view.folder = tree.str();
    }

    // `relative` is written with "/"; the file's path is spelled as the walk spells it.
    std::string Add(std::string relative, const Bytes& bytes = kKaraoke) {
        std::replace(relative.begin(), relative.end(), '/', PathRules::Native().separator);
        const std::string path = Join(tree.str(), relative);
        WriteBytes(path, bytes);
        return path;
    }

    // Opens the folder as a double-click does, and lets the scan run to its end.
    void Scan() {
        form.DirectoryListBox1DblClick();
        view.Settle();
    }

    // The window of the next run, its settings restored from `store`.
    struct NextRun {
        explicit NextRun(const SettingsStore& store) {
            form.outPathForm = &outPath;
            form.RestoreSettings(store);
        }
        FakeMainView view;
        TMainForm form{view};
        FakeOutPathView outView;
        ToutPathForm outPath{form, outView};
    };

    std::vector<std::string> Captions() const {
        std::vector<std::string> captions;
        for (const FileRow& row : view.rows)
            captions.push_back(row.path + (row.good ? " Good " : " Bad ") +
                               std::to_string(row.trackCount));
        return captions;
    }
};

TEST_F(TMainFormTest, ScanListsKaraokeFilesWithTheirVerdicts) {
    Add("b.kar");
    Add("a.KAR", kNotMidi);
    Add("c.mid");
    Add("sub/d.kar");
    Scan();
    EXPECT_EQ(Captions(), (std::vector<std::string>{Join(tree.str(), "a.KAR") + " Bad 0",
                                                    Join(tree.str(), "b.kar") + " Good 2"}));
    EXPECT_EQ(view.rows[0].extension, ".KAR");
    EXPECT_EQ(form.rows.size(), 2u);
    EXPECT_EQ(
        view.Shown("status: "),
        (std::vector<std::string>{"status: Scanning : " + Join(tree.str(), "b.kar"), "status: "}));
    EXPECT_EQ(view.shown.back(), "counts: 2 files, 1 good");
    EXPECT_TRUE(view.progressVisible) << "an opened folder shows the bar empty";
    EXPECT_EQ(view.progressPosition, 0);
    EXPECT_FALSE(form.ScanRunning());
}

// A folder the scan cannot read is counted and named at the end, not passed
// over as if it held nothing.
TEST_F(TMainFormTest, AFolderThatCannotBeListedIsCountedAndNamed) {
    const std::string gone = Join(tree.str(), "gone");
    view.folder = gone;
    Scan();
    EXPECT_TRUE(view.rows.empty());
    EXPECT_EQ(view.Shown("counts: ").back(), "counts: 0 files, 0 good, 1 folder not read");
    const std::vector<std::string> messages = view.Shown("message: ");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].starts_with("message: 1 folder could not be read: " + gone + ": "))
        << messages[0];
    if (!kWindows) {
        EXPECT_EQ(messages[0],
                  "message: 1 folder could not be read: " + gone + ": No such file or directory");
    }
    EXPECT_EQ(view.shown.back(), messages[0]) << "once the scan is over";

    // The next scan starts its count afresh.
    view.folder = tree.str();
    Add("a.kar");
    view.shown.clear();
    Scan();
    EXPECT_EQ(view.Shown("counts: ").back(), "counts: 1 file, 1 good");
    EXPECT_TRUE(view.Shown("message: ").empty());
}

// Sub-folders that cannot be read: four folders without any right of access,
// or, under Wine, four folder chains deeper than Wine follows (made by
// scripts/test-windows, as Wine can make none). `unreadable` holds the start
// of each one's path.
TEST_F(TMainFormTest, SubFoldersThatCannotBeReadAreCountedAndAFewNamed) {
    std::vector<std::string> unreadable;
#ifdef _WIN32
    const auto deep = WineDeepTree();
    if (!deep)
        GTEST_SKIP() << "scripts/test-windows makes the tree deeper than Wine follows";
    view.folder = *deep;
    for (const char* name : {"d1", "d2", "d3", "d4"})
        unreadable.push_back(Join(Join(*deep, name), std::string(200, 'n')));
#else
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every folder; the missing folder above and kar2mid's "
                        "test as an unprivileged user cover this";
    for (const char* name : {"d1", "d2", "d3", "d4"}) {
        Add(std::string(name) + "/x.kar");
        fs::permissions(Join(tree.str(), name), fs::perms::none);
        unreadable.push_back(Join(tree.str(), name) + ": ");
    }
    Add("z.kar");
#endif
    form.subDirClick();
    Scan();
#ifndef _WIN32
    for (const char* name : {"d1", "d2", "d3", "d4"})
        fs::permissions(Join(tree.str(), name), fs::perms::owner_all);
#endif
    EXPECT_EQ(view.Shown("counts: ").back(),
              "counts: " + ScanCountsText(view.rows.size(), view.rows.size()) +
                  ", 4 folders not read");
    const std::vector<std::string> messages = view.Shown("message: ");
    ASSERT_EQ(messages.size(), 1u);
    const std::string& message = messages[0];
    EXPECT_TRUE(message.starts_with("message: 4 folders could not be read:\n" + unreadable[0]))
        << message;
    EXPECT_NE(message.find("\n" + unreadable[2]), std::string::npos) << message;
    EXPECT_EQ(message.find(unreadable[3]), std::string::npos) << message;
    EXPECT_TRUE(message.ends_with("\nand 1 more.")) << message;
}

TEST(UnreadFolders, OneIsNamedManyAreCounted) {
    EXPECT_EQ(UnreadFoldersText({{"/k/a", "Permission denied"}}),
              "1 folder could not be read: /k/a: Permission denied");
    EXPECT_EQ(UnreadFoldersText({{"a", "why"}, {"b", "why"}}),
              "2 folders could not be read:\na: why\nb: why");
    EXPECT_EQ(UnreadFoldersText({{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}, {"e", "5"}}, 2),
              "5 folders could not be read:\na: 1\nb: 2\nand 3 more.");
    EXPECT_EQ(UnreadFoldersCount(1), "1 folder not read");
    EXPECT_EQ(UnreadFoldersCount(7), "7 folders not read");
}

TEST_F(TMainFormTest, SubFoldersAreWalkedDepthFirstWhenAsked) {
    Add("a.kar");
    Add("m/b.kar");
    Add("z.kar");
    Add(".hidden/c.kar");
    form.subDirClick();
    EXPECT_TRUE(form.subDir);
    Scan();
    EXPECT_EQ(Captions(),
              (std::vector<std::string>{Join(tree.str(), "a.kar") + " Good 2",
                                        Join(Join(tree.str(), "m"), "b.kar") + " Good 2",
                                        Join(tree.str(), "z.kar") + " Good 2"}));
}

// Names keep what the system gave them, whatever it is: here bytes that
// are no UTF-8; on Windows, where names are UTF-16, names that the code page
// cannot spell and, where the file system takes one, a name with half a
// surrogate pair, which no UTF-8 spells.
TEST_F(TMainFormTest, NamesThatAreNotUtf8AreListedAndConvertedAsTheyAre) {
#ifdef _WIN32
    std::vector<std::string> names = {"\xd0\x9b\xd0\xb5\xd1\x82\xd0\xbe.kar", // Лето.kar
                                      "\xe5\xa4\x8f\xf0\x9f\x8e\xa4.kar"};    // 夏🎤.kar
    const std::wstring lone = FsPath(tree.str()).wstring() + L"\\lone\xd800.kar";
    const HANDLE made = ::CreateFileW(lone.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (made != INVALID_HANDLE_VALUE) { // Wine's file system takes no such name
        DWORD written = 0;
        ::WriteFile(made, kKaraoke.data(), static_cast<DWORD>(kKaraoke.size()), &written, nullptr);
        ::CloseHandle(made);
        names.push_back("lone\xed\xa0\x80.kar");
    }
    std::vector<std::string> paths;
    for (const std::string& name : names)
        paths.push_back(name.starts_with("lone") ? Join(tree.str(), name) : Add(name));
    std::sort(paths.begin(), paths.end(),
              [](const std::string& a, const std::string& b) { return LessIgnoringCase(a, b); });
#else
    const std::vector<std::string> paths = {Add("Caf\xe9.kar"), Add("inv\xff\xfe.kar")};
#endif
    Scan();
    ASSERT_EQ(view.rows.size(), paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        EXPECT_EQ(view.rows[i].path, paths[i]);
        EXPECT_TRUE(view.rows[i].good) << paths[i];
        view.selected.push_back(static_cast<int>(i));
    }
    form.LMDButton3Click();
    view.Settle();
    for (const std::string& path : paths) {
        const std::string output = path.substr(0, path.size() - 4) + ".MID";
        const Bytes converted = ReadBytes(output);
        EXPECT_NE(std::search(converted.begin(), converted.end(), kLyric.begin(), kLyric.end()),
                  converted.end())
            << output;
    }
}

// Folders and files named in the writings karaoke collections hold are
// walked, converted beside their sources and into an output folder of any
// name, and remembered for the next run.
TEST_F(TMainFormTest, NamesInEveryWritingAreListedConvertedAndRemembered) {
    const std::vector<std::string> sources = {
        Add("Canci\xc3\xb3n/Se\xc3\xb1orita.kar"), // Canción/Señorita
        Add("\xd0\x9f\xd0\xb5\xd1\x81\xd0\xbd\xd0\xb8/"
            "\xd0\x9b\xd0\xb5\xd1\x82\xd0\xbe.kar"), // Песни/Лето
        Add("\xe0\xb9\x80\xe0\xb8\x9e\xe0\xb8\xa5\xe0\xb8\x87/"
            "\xe0\xb8\xa3\xe0\xb8\xb1\xe0\xb8\x81.kar"), // เพลง/รัก
        Add("\xe6\x97\xa5\xe6\x9c\xac/\xe5\xa4\x8f\xe3\x81\xae\xe6\xad\x8c.kar"), // 日本/夏の歌
        Add("\xf0\x9f\x8e\xa4 Live/Ti\xe1\xba\xbfng Vi\xe1\xbb\x87t.kar"), // 🎤 Live/Tiếng
                                                                           // Việt
    };
    form.subDirClick();
    Scan();
    std::vector<std::string> expected;
    for (const std::string& source : sources)
        expected.push_back(source + " Good 2");
    EXPECT_EQ(Captions(), expected);
    EXPECT_EQ(view.Shown("counts: ").back(), "counts: " + ScanCountsText(5, 5));

    view.selected = {0, 1, 2, 3, 4};
    form.LMDButton3Click();
    view.Settle();
    const std::string out =
        Join(tree.str(),
             "\xd0\x92\xd1\x8b\xd0\xb2\xd0\xbe\xd0\xb4 \xe5\x87\xba\xe5\x8a\x9b"); // Вывод 出力
    fs::create_directories(FsPath(out));
    form.outputFolder = out;
    outPath.savePathClick();
    form.LMDButton3Click();
    view.Settle();
    for (const std::string& source : sources) {
        const std::string output = source.substr(0, source.size() - 4) + ".MID";
        const std::string name = output.substr(PathRules::Native().LastFolderEnd(output) + 1);
        EXPECT_EQ(ReadBytes(output), ReadBytes(Join(out, name))) << output;
        const Bytes converted = ReadBytes(Join(out, name));
        EXPECT_NE(std::search(converted.begin(), converted.end(), kLyric.begin(), kLyric.end()),
                  converted.end())
            << name;
    }

    view.folder = sources[1].substr(0, PathRules::Native().LastFolderEnd(sources[1]));
    FakeSettings store;
    form.SaveSettings(store);
    const NextRun next(store);
    EXPECT_EQ(next.view.folder, view.folder);
    EXPECT_EQ(next.form.outputFolder, out);
}

TEST_F(TMainFormTest, DroppedFilesAreListedJustSo) {
    const std::string a = Add("x/a.kar");
    const std::string b = Add("y/b.KAR", kNotMidi);
    Add("x/other.kar");
    form.ListFiles({b, a});
    view.Settle();
    EXPECT_EQ(Captions(), (std::vector<std::string>{b + " Bad 0", a + " Good 2"}));
}

TEST_F(TMainFormTest, OpenFolderMovesThePaneThenScans) {
    Add("songs/a.kar");
    form.OpenFolder(Join(tree.str(), "songs"));
    view.Settle();
    EXPECT_EQ(view.folder, Join(tree.str(), "songs"));
    EXPECT_EQ(Captions(),
              (std::vector<std::string>{Join(Join(tree.str(), "songs"), "a.kar") + " Good 2"}));
}

TEST_F(TMainFormTest, OneDroppedFolderIsOpenedAnythingElseListed) {
    Add("songs/a.kar");
    Add("b.kar");
    const std::string songs = Join(tree.str(), "songs");
    form.OpenPaths({songs});
    view.Settle();
    EXPECT_EQ(view.folder, songs);
    EXPECT_EQ(Captions(), (std::vector<std::string>{Join(songs, "a.kar") + " Good 2"}));

    // A folder among files is listed as a row of its own ("Bad"), not walked.
    const std::string b = Join(tree.str(), "b.kar");
    form.OpenPaths({b, songs});
    view.Settle();
    EXPECT_EQ(view.folder, songs);
    EXPECT_EQ(Captions(), (std::vector<std::string>{b + " Good 2", songs + " Bad 0"}));

    form.OpenPaths({});
    view.Settle();
    EXPECT_EQ(Captions().size(), 2u); // nothing named: the list stays
}

TEST_F(TMainFormTest, SeventeenScansGoRoundTheRingStoppingTheOneBefore) {
    std::vector<int> used;
    std::vector<std::shared_ptr<FileScanning>> started;
    for (int i = 0; i < 17; ++i) {
        form.DirectoryListBox1Change();
        used.push_back(form.scanIndex);
        started.push_back(form.scanThreads[static_cast<std::size_t>(form.scanIndex)].scan.lock());
        int taken = 0;
        for (const auto& slot : form.scanThreads)
            taken += slot.taken ? 1 : 0;
        EXPECT_EQ(taken, 1);
    }
    EXPECT_EQ(used, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0}));
    for (int i = 0; i < 16; ++i)
        EXPECT_TRUE(started[static_cast<std::size_t>(i)]->Terminated()) << i;
    EXPECT_FALSE(started.back()->Terminated());
    started.clear();

    // The stopped scans walk nothing and leave the window alone; the last one fills it.
    Add("a.kar");
    view.shown.clear();
    view.Settle();
    EXPECT_EQ(view.rows.size(), 1u);
    EXPECT_EQ(view.Shown("counts: "), std::vector<std::string>{"counts: 1 file, 1 good"});
    EXPECT_FALSE(form.ScanRunning());
}

TEST_F(TMainFormTest, RowsOfAScanStoppedMeanwhileNeverReachTheList) {
    Add("many/t.kar");
    Add("other/x.kar");
    view.folder = Join(tree.str(), "many");
    form.DirectoryListBox1DblClick();
    view.RunWorkers(); // the first scan has found its rows; they wait for the UI thread
    view.folder = Join(tree.str(), "other");
    form.DirectoryListBox1DblClick();
    view.Settle();
    EXPECT_EQ(Captions(),
              (std::vector<std::string>{Join(Join(tree.str(), "other"), "x.kar") + " Good 2"}));
    EXPECT_EQ(view.Shown("counts: "),
              (std::vector<std::string>{"counts: ", "counts: ", "counts: 1 file, 1 good"}));
}

TEST_F(TMainFormTest, TheStopKeyStopsAScan) {
    Add("a.kar");
    form.DirectoryListBox1DblClick();
    form.Stop1Click();
    view.Settle();
    EXPECT_TRUE(view.rows.empty());
    EXPECT_EQ(view.shown.back(), "counts: 0 files, 0 good (stopped)");
}

TEST_F(TMainFormTest, ClosingStopsEveryScanAndWaitsForItsWorker) {
    Add("a.kar");
    form.DirectoryListBox1Change();
    const std::shared_ptr<FileScanning> scan = form.scanThreads[0].scan.lock();
    EXPECT_TRUE(form.ScanRunning());
    form.FinishWork();
    EXPECT_TRUE(scan->Terminated());
    EXPECT_TRUE(view.workers.empty());
    view.RunSteps();
    EXPECT_TRUE(view.rows.empty());
}

TEST_F(TMainFormTest, ShowOnlyKarTogglesAndEmptiesTheList) {
    Add("a.kar");
    Scan();
    ASSERT_EQ(view.rows.size(), 1u);
    EXPECT_TRUE(form.showOnlyKar);
    form.ShowOnlyKAR1Click();
    EXPECT_FALSE(form.showOnlyKar);
    EXPECT_TRUE(view.rows.empty());
    EXPECT_TRUE(form.rows.empty());
    form.ShowOnlyKAR1Click();
    EXPECT_TRUE(form.showOnlyKar);
}

// Unchecked, the next scan lists MIDI files too, judged like the others; a
// batch converts them, but never over their own source.
TEST_F(TMainFormTest, ShowOnlyKarUncheckedListsMidiFilesAndNeverOverwritesASource) {
    const std::string kar = Add("a.kar");
    const std::string mid = Add("b.mid");
    const std::string midi = Add("c.Midi", kNotMidi);
    const std::string own = Add("D.MID");
    Add("e.txt");
    Scan();
    EXPECT_EQ(Captions(), std::vector<std::string>{kar + " Good 2"});
    form.ShowOnlyKAR1Click();
    view.Settle();
    std::vector<std::string> listed = Captions();
    std::sort(listed.begin(), listed.end());
    std::vector<std::string> expected{kar + " Good 2", mid + " Good 2", midi + " Bad 0",
                                      own + " Good 2"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(listed, expected);
    std::vector<std::string> extensions;
    for (const FileRow& row : view.rows)
        extensions.push_back(row.extension);
    std::sort(extensions.begin(), extensions.end());
    EXPECT_EQ(extensions, (std::vector<std::string>{".KAR", ".MID", ".MID", ".MIDI"}));

    for (std::size_t i = 0; i < view.rows.size(); ++i)
        view.selected.push_back(i);
    const std::vector<std::uint8_t> before = ReadBytes(own);
    form.LMDButton3Click();
    view.Settle();
    EXPECT_EQ(ReadBytes(own), before) << "a source is never written over";
    ASSERT_TRUE(view.summary);
    EXPECT_TRUE(view.summary->warning) << "the file that would replace itself is refused";
    EXPECT_TRUE(fs::exists(Join(tree.str(), "a.MID")));
    form.ShowOnlyKAR1Click();
    view.Settle();
    EXPECT_EQ(Captions(), std::vector<std::string>{kar + " Good 2"}) << "checked again: as before";
}

// A listed folder is listed again as an option changes; files named one by
// one are left as they are.
TEST_F(TMainFormTest, ChangingAnOptionListsTheFolderAgain) {
    const std::string a = Add("a.kar");
    const std::string b = Add("sub/b.kar");
    form.subDirClick();
    EXPECT_TRUE(view.rows.empty()) << "no folder listed yet: nothing to list again";
    form.subDirClick();
    Scan();
    ASSERT_EQ(view.rows.size(), 1u);
    form.subDirClick();
    view.Settle();
    EXPECT_EQ(Captions(), (std::vector<std::string>{a + " Good 2", b + " Good 2"}));
    form.ShowOnlyKAR1Click();
    EXPECT_TRUE(view.rows.empty()) << "emptied at once";
    view.Settle();
    EXPECT_EQ(view.rows.size(), 2u) << "then listed again";
    form.subDirClick();
    view.Settle();
    EXPECT_EQ(Captions(), std::vector<std::string>{a + " Good 2"});

    form.ListFiles({b});
    view.Settle();
    form.subDirClick();
    view.Settle();
    EXPECT_EQ(Captions(), std::vector<std::string>{b + " Good 2"});
}

TEST_F(TMainFormTest, AColumnClickSortsAndASecondReverses) {
    Add("b.kar");
    Add("a.kar", kNotMidi);
    Add("C.kar", Smf(1, {Track("00 ff 2f 00")}));
    Scan();
    const auto names = [this] {
        std::string order;
        for (const FileRow& row : view.rows)
            order += FileNameOf(row.path, PathRules::Native()).substr(0, 1);
        return order;
    };
    EXPECT_EQ(names(), "abC") << "walk order: letters folded to upper case";
    form.fileListViewColumnClick(3);
    EXPECT_EQ(names(), "aCb") << "by track count: 0, 1, 2";
    form.fileListViewColumnClick(3);
    EXPECT_EQ(names(), "bCa");
    form.fileListViewColumnClick(2);
    EXPECT_EQ(names(), "abC") << "Bad first; the order before kept among equals";
    form.fileListViewColumnClick(0);
    form.fileListViewColumnClick(0);
    EXPECT_EQ(names(), "Cba") << "by name, case aside, reversed";
    EXPECT_EQ(form.rows.size(), view.rows.size());
    EXPECT_EQ(form.rows[0].path, view.rows[0].path) << "the selection maps to the rows as shown";
}

TEST_F(TMainFormTest, RowsAreBlueWhenGoodAndGreenOtherwise) {
    EXPECT_EQ(TMainForm::fileListViewCustomDrawItem(1), (RowColour{0, 0, 255}));
    EXPECT_EQ(TMainForm::fileListViewCustomDrawItem(0), (RowColour{0, 128, 0}));
    EXPECT_EQ(MainWindowCaption(),
              std::string("Lyricast Convert Vers. ") + kLyricastVersion + " By Lyricast Team");
}

TEST_F(TMainFormTest, MenuEntriesReachTheirViews) {
    form.SelectDestinationFolder1Click();
    form.About1Click();
    form.Exit1Click();
    EXPECT_EQ(view.shown, (std::vector<std::string>{"output dialog", "about", "close"}));
}

TEST_F(TMainFormTest, HelpOpensThePageBesideTheProgramOrInTheInstalledLayout) {
    const std::string sep(1, PathRules::Native().separator);
    const std::string program = Join(tree.str(), "bin") + sep;
    fs::create_directories(program);
    form.programFolder = program;
    form.Help2Click();
    EXPECT_TRUE(view.opened.empty());
    EXPECT_EQ(view.shown, std::vector<std::string>{"message: Cannot open the help page " + program +
                                                   sep + "Help" + sep + "Help.html"});

    const std::string installed =
        Join(Join(Join(Join(tree.str(), "share"), "lyricast-convert"), "Help"), "Help.html");
    WriteBytes(installed, Hex("3c 68 74 6d 6c 3e"));
    form.Help2Click();
    ASSERT_EQ(view.opened.size(), 1u);
    EXPECT_TRUE(fs::equivalent(view.opened[0], installed)) << view.opened[0];

    WriteBytes(program + sep + "Help" + sep + "Help.html", Hex("3c 68 74 6d 6c 3e"));
    form.Help2Click();
    EXPECT_EQ(view.opened.back(), program + sep + "Help" + sep + "Help.html")
        << "the page beside the program first";
}

TEST_F(TMainFormTest, SettingsComeBackInTheNextRun) {
    const std::string songs = Join(tree.str(), "songs");
    fs::create_directories(songs);
    view.folder = songs;
    form.subDirClick();
    form.ShowOnlyKAR1Click();
    form.outputFolder = "/out/Caf\xe9";
    outPath.savePathClick();
    outPath.existingAskClick();
    outPath.keepTreeClick();
    FakeSettings store;
    form.SaveSettings(store);

    const NextRun next(store);
    EXPECT_EQ(next.view.folder, songs);
    EXPECT_TRUE(next.form.subDir);
    EXPECT_FALSE(next.form.showOnlyKar);
    EXPECT_EQ(next.form.outputFolder, "/out/Caf\xe9");
    EXPECT_TRUE(next.outPath.savePath);
    EXPECT_EQ(next.outPath.ifExists, ExistingChoice::Ask);
    EXPECT_TRUE(next.outPath.keepTree);
    EXPECT_EQ(next.outView.shown,
              (std::vector<std::string>{"always save to: /out/Caf\xe9", "keep sub-folders: off",
                                        "if a file exists: Ask", "keep sub-folders: on"}));
    EXPECT_TRUE(next.form.FolderRestored());

    // A folder that is gone leaves the pane where it started; damaged values are passed over.
    store.values["Folder"] = Join(tree.str(), "gone");
    store.values["IncludeSubDir"] = "maybe";
    store.values["IfFileExists"] = "Overwrite";
    FakeMainView thirdView;
    thirdView.folder = "start";
    thirdView.onShowFolder = [](const std::string&) { throw std::runtime_error("File not found"); };
    TMainForm third{thirdView};
    FakeOutPathView thirdOutView;
    ToutPathForm thirdOutPath{third, thirdOutView};
    third.outPathForm = &thirdOutPath;
    third.RestoreSettings(store);
    EXPECT_EQ(thirdView.folder, "start");
    EXPECT_FALSE(third.FolderRestored());
    EXPECT_FALSE(third.subDir);
    EXPECT_EQ(thirdOutPath.ifExists, ExistingChoice::Replace);
    EXPECT_TRUE(thirdView.shown.empty()) << "no error box at start for a folder that went away";
}

TEST(HelpPage, CandidatesUnderBothPathRules) {
    EXPECT_EQ(HelpPageCandidates("C:\\Prog\\", PathRules::Windows()),
              (std::vector<std::string>{"C:\\Prog\\\\Help\\Help.html",
                                        "C:\\Prog\\..\\share\\lyricast-convert\\Help\\Help.html"}));
    EXPECT_EQ(HelpPageCandidates("/usr/bin/", PathRules::Posix()),
              (std::vector<std::string>{"/usr/bin//Help/Help.html",
                                        "/usr/bin/../share/lyricast-convert/Help/Help.html"}));
    EXPECT_EQ(HelpPageCandidates("", PathRules::Posix()),
              (std::vector<std::string>{"Help/Help.html"}));
}

class BatchTest : public TMainFormTest {
protected:
    std::string good1, bad, good2;

    void SetUp() override {
        TMainFormTest::SetUp();
        form.jobs = 2;
        good1 = Add("songs/Hey.Jude.kar");
        bad = Add("songs/NotMidi.kar", kNotMidi);
        good2 = Add("songs/twinkle.KAR");
        view.folder = Join(tree.str(), "songs");
        Scan();
        ASSERT_EQ(view.rows.size(), 3u);
        view.shown.clear();
    }

    void Convert() {
        form.LMDButton3Click();
        view.Settle();
    }

    std::string Songs(const std::string& name) const {
        return Join(Join(tree.str(), "songs"), name);
    }
};

TEST_F(BatchTest, NothingSelectedOnlySaysSo) {
    Convert();
    EXPECT_EQ(view.shown, std::vector<std::string>{"message: Please select file/s"});
}

TEST_F(BatchTest, OnlyBadRowsSelectedSaysThereIsNothingToConvert) {
    view.selected = {1};
    Convert();
    EXPECT_EQ(view.shown, std::vector<std::string>{
                              "message: Nothing to convert: the selected files are all \"Bad\"."});
}

TEST_F(BatchTest, GoodSelectedRowsAreConvertedBesideTheirSourcesAndSummed) {
    view.selected = {0, 1, 2};
    view.openFolderInSummary = true;
    Convert();
    const std::string songs = Join(tree.str(), "songs");
    EXPECT_EQ(view.shown,
              (std::vector<std::string>{
                  "progress: 0/3",
                  "button: Stop",
                  "status: Converting : " + good1,
                  "counts: Lyrics: as written",
                  "progress: 1/3",
                  "status: Converting : " + good2,
                  "progress: 2/3",
                  "progress: hidden",
                  "status: ",
                  "counts: 3 files, 2 good",
                  "button: Convert File/s",
                  "summary: 2 files converted.\n1 file judged \"Bad\" skipped. | " + Songs(""),
                  "file manager: " + Songs(""),
              }))
        << "the summary's button opens the folder in the file manager";
    EXPECT_FALSE(view.summary->warning) << "nothing refused: the box informs";
    EXPECT_TRUE(fs::exists(Songs("Hey.Jude.MID")));
    EXPECT_TRUE(fs::exists(Songs("twinkle.MID")));
    EXPECT_FALSE(fs::exists(Songs("NotMidi.MID")));
    EXPECT_EQ(form.rows.size(), 3u) << "the list is left as it was";
    EXPECT_FALSE(form.Converting());
}

TEST_F(BatchTest, UnselectedRowsAreLeftAlone) {
    view.selected = {2};
    Convert();
    EXPECT_FALSE(fs::exists(Songs("Hey.Jude.MID")));
    EXPECT_TRUE(fs::exists(Songs("twinkle.MID")));
}

TEST_F(BatchTest, AlwaysSaveToNeedsAFolderThenWritesThere) {
    view.selected = {0};
    outPath.savePathClick();
    Convert();
    EXPECT_EQ(view.shown, std::vector<std::string>{"message: Please select an output folder"});

    const std::string out = Join(tree.str(), "out");
    fs::create_directories(out);
    form.outputFolder = out;
    Convert();
    EXPECT_TRUE(fs::exists(Join(out, "Hey.Jude.MID")));
    EXPECT_FALSE(fs::exists(Songs("Hey.Jude.MID")));
    EXPECT_TRUE(view.shown.back().ends_with(" | " + out));
}

// A file the system refuses is named in the summary with its reason; the
// rest of the batch goes on, and nothing stays on the bar or the status.
TEST_F(BatchTest, FileErrorsAreListedWithTheirReasons) {
    view.selected = {0, 2};
    outPath.savePathClick();
    form.outputFolder = Join(tree.str(), "missing");
    Convert();
    const std::string summary = view.Shown("summary: ").at(0);
    EXPECT_NE(summary.find("0 files converted."), std::string::npos) << summary;
    EXPECT_NE(summary.find("2 files refused or failed:\n" + good1 + ": Cannot create file " +
                           Join(Join(tree.str(), "missing"), "Hey.Jude.MID") + ": "),
              std::string::npos)
        << summary;
    EXPECT_TRUE(view.summary->warning);
    ASSERT_EQ(view.summary->details.size(), 2u) << "one line each, below the head";
    EXPECT_TRUE(view.summary->details[1].starts_with(good2 + ": Cannot create file "));
    EXPECT_TRUE(view.summary->head.ends_with("2 files refused or failed:"));
    EXPECT_FALSE(view.progressVisible);
    EXPECT_EQ(view.Shown("status: ").back(), "status: ");
}

// Without a file manager the folder is not opened by whatever else claims
// folders: the window says so, and where the files are.
TEST_F(BatchTest, OpenFolderWithoutAFileManagerSaysWhereTheFilesAre) {
    view.selected = {0};
    view.openFolderInSummary = true;
    view.hasFileManager = false;
    Convert();
    EXPECT_EQ(view.shown.back(), "message: " + NoFileManagerText(Songs("")));
    EXPECT_NE(NoFileManagerText(Songs("")).find("No file manager"), std::string::npos);
    EXPECT_TRUE(view.opened.empty());
}

// Two sources whose outputs are one file: the first keeps it, the second is
// refused with both named, as kar2mid does.
TEST_F(BatchTest, TheSecondOfTwoSourcesWithOneOutputIsRefused) {
    const std::string first = Add("pair/HeyJude.KAR");
    const std::string second =
        Add("pair/sub/HeyJude.kar", Smf(1, {Track("00 91 3c 64  00 ff 2f 00")}));
    const std::string out = Join(tree.str(), "out");
    fs::create_directories(out);
    form.subDirClick();
    view.folder = Join(tree.str(), "pair");
    Scan();
    ASSERT_EQ(view.rows.size(), 2u);
    view.selected = {0, 1};
    outPath.savePathClick();
    form.outputFolder = out;
    view.shown.clear();
    Convert();
    const Bytes kept = ReadBytes(Join(out, "HeyJude.MID"));
    EXPECT_NE(std::search(kept.begin(), kept.end(), kLyric.begin(), kLyric.end()), kept.end())
        << "the first song's output, with its lyric, stays";
    EXPECT_NE(view.Shown("summary: ")
                  .at(0)
                  .find(second + ": the output " + Join(out, "HeyJude.MID") + " is that of " +
                        first + ", earlier in this run"),
              std::string::npos)
        << view.Shown("summary: ").at(0);
}

TEST_F(BatchTest, TheButtonStopsARunningBatch) {
    view.selected = {0, 2};
    form.LMDButton3Click();
    EXPECT_TRUE(form.Converting());
    form.LMDButton3Click(); // it reads "Stop" now
    view.Settle();
    EXPECT_EQ(view.Shown("summary: "),
              std::vector<std::string>{
                  "summary: Stopped: 0 files converted. 2 files not converted. | " + Songs("")});
    EXPECT_FALSE(fs::exists(Songs("Hey.Jude.MID")));
    EXPECT_FALSE(view.progressVisible);
    EXPECT_EQ(view.shown.back().substr(0, 8), "summary:");
}

TEST_F(BatchTest, AWorkerThatCannotStartLeavesTheWindowAsItWas) {
    view.selected = {0, 2};
    view.refuseWorkers = true;
    Convert();
    EXPECT_FALSE(form.Converting());
    EXPECT_FALSE(view.progressVisible);
    EXPECT_EQ(view.shown.back().substr(0, 36), "error: Cannot start the conversion: ");
    EXPECT_NE(std::find(view.shown.begin(), view.shown.end(), "button: Convert File/s"),
              view.shown.end());
}

// A step that cannot be handed to the UI thread stops the batch, whose end
// still arrives: the button is the convert button again.
TEST_F(BatchTest, TheEndOfABatchArrivesWhenAStepCannotBeHandedOver) {
    view.selected = {0, 2};
    view.postsBeforeFailing = 0;
    Convert();
    EXPECT_FALSE(form.Converting());
    EXPECT_EQ(view.Shown("summary: ").size(), 1u);
    EXPECT_EQ(view.Shown("button: ").back(), "button: Convert File/s");
}

// The head keeps its lines; every refused or failed file gets a line of
// the details, however many there are, and only they make the box warn.
TEST(BatchSummary, HeadDetailsAndIconForEachEnding) {
    const BatchSummary one = SummaryOf({1, 0, 0, false, {}});
    EXPECT_EQ(one.head, "1 file converted.");
    EXPECT_TRUE(one.details.empty());
    EXPECT_FALSE(one.warning);

    BatchTally many{3, 2, 0, false, {}};
    for (int i = 0; i < 50; ++i)
        many.failed.emplace_back("s" + std::to_string(i), "why");
    const BatchSummary refused = SummaryOf(many);
    EXPECT_EQ(refused.head, "3 files converted.\n2 files judged \"Bad\" skipped.\n\n"
                            "50 files refused or failed:");
    ASSERT_EQ(refused.details.size(), 50u);
    EXPECT_EQ(refused.details.front(), "s0: why");
    EXPECT_EQ(refused.details.back(), "s49: why");
    EXPECT_TRUE(refused.warning);

    const BatchSummary stopped = SummaryOf({0, 0, 5, true, {}});
    EXPECT_EQ(stopped.head, "Stopped: 0 files converted. 5 files not converted.");
    EXPECT_FALSE(stopped.warning) << "a stop the user asked for is no fault";
    EXPECT_EQ(ScanCountsText(19, 18), "19 files, 18 good");
}

TEST(ElidePath, FoldersInTheMiddleGoFirst) {
    const auto within = [](std::size_t width) {
        return [width](const std::string& text) { return text.size() <= width; };
    };
    const std::string path = "/home/user/music/karaoke/deeper/song.kar";
    EXPECT_EQ(ElideMiddle(path, PathRules::Posix(), "…", within(100)), path);
    EXPECT_EQ(ElideMiddle(path, PathRules::Posix(), "...", within(33)),
              "/home/.../karaoke/deeper/song.kar");
    EXPECT_EQ(ElideMiddle(path, PathRules::Posix(), "...", within(32)),
              "/home/.../deeper/song.kar");
    EXPECT_EQ(ElideMiddle(path, PathRules::Posix(), "...", within(3)), "/home/.../song.kar")
        << "the first folder and the name always stay";
    EXPECT_EQ(ElideMiddle("C:\\Songs\\Pop\\Old\\a.kar", PathRules::Windows(), "...", within(19)),
              "C:\\Songs\\...\\a.kar");
    EXPECT_EQ(ElideMiddle("a.kar", PathRules::Posix(), "...", within(1)), "a.kar");
}

TEST(ErrorBox, AFullStopIsAddedAfterALetterOrDigit) {
    EXPECT_EQ(ErrorBoxText("Cannot open file a.kar"), "Cannot open file a.kar.");
    EXPECT_EQ(ErrorBoxText("I/O error 5"), "I/O error 5.");
    EXPECT_EQ(ErrorBoxText("IO-Error!"), "IO-Error!");
    EXPECT_EQ(ErrorBoxText("Done."), "Done.");
    EXPECT_EQ(ErrorBoxText("a,"), "a,");
    EXPECT_EQ(ErrorBoxText(""), "");
    EXPECT_EQ(ErrorBoxText("Caf\xc3\xa9"), "Caf\xc3\xa9.")
        << "a letter beyond ASCII sorts after \".\" too";
}

TEST(ErrorBox, CallHandlerShowsWhatAHandlerRaisesAndGoesOn) {
    FakeMainView view;
    CallHandler(view, [] { throw FileError::CannotOpen("x.kar"); });
    CallHandler(view, [] {});
    EXPECT_EQ(view.shown, std::vector<std::string>{"error: Cannot open file x.kar."});
}

} // namespace
} // namespace lyricast::test
