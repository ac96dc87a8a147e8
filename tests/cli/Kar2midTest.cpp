#include "cli/Kar2mid.h"
#include "cli/PrintableText.h"
#include "platform/CurrentDirectory.h"
#include "platform/PathRules.h"
#include "support/DeepFolders.h"
#include "support/MemoryLimit.h"
#include "support/Platform.h"
#include "support/SmfBuilder.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace lyricast {
namespace {

using namespace test;
namespace fs = std::filesystem;

const Bytes kKaraoke =
    Smf(1, {Track("00 ff 01 04 48 69 2f 5c  00 90 3c 64  60 80 3c 40  00 ff 2f 00")});
const Bytes kConverted =
    Header(0, 1) + Track("00 ff 05 04 48 69 0d 20  00 90 3c 64  60 80 3c 40  00 ff 2f 00");

class Kar2midTest : public ::testing::Test {
protected:
    int Run(std::vector<std::string> args) {
        out.str({});
        err.str({});
        return RunKar2mid(args, out, err, false);
    }
    std::string Add(const std::string& relative, const Bytes& bytes = kKaraoke) {
        WriteBytes(dir / relative, bytes);
        return dir / relative;
    }
    // A path in the test's folder spelled with the platform's own separator,
    // as kar2mid spells the paths it makes.
    std::string Native(const std::string& relative) const {
        return Utf8(dir.path() / FsPath(relative).make_preferred());
    }

    TempDir dir;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(Kar2midTest, UsageErrorsExitWithTwo) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {},
             {"--bogus", "x.kar"},
             {"--output-dir"},
             {"--list"},
             {"--list", "--output-dir", "d", "f"},
             {"--output-dir", "", "x.kar"},
             {"-j", "0", "x.kar"},
             {"--jobs=2x", "x.kar"},
             {"x.kar", "-j"},
             {"--lyric-style", "karaoke", "x.kar"},
             {"x.kar", "--lyric-style"},
             {"--line-length", "40", "x.kar"},
             {"--lyric-style=as-written", "--line-length=4", "x"},
             {"--lyric-style", "keyboard", "--line-length", "-1", "x.kar"},
             {"--list", "--lyric-style", "keyboard", "d"},
             {"--list", "--line-length", "4", "d"},
             {"--lyrics", "d"},
             {"--print-lyrics", "a.kar", "b.kar"},
             {"--print-lyrics", "--list", "a.kar"},
             {"--print-lyrics", "--report", "r.csv", "a.kar"},
             {"--print-lyrics", "--encoding", "latin-9", "a.kar"},
             {"--encoding", "cp1251", "a.kar"}}) {
        EXPECT_EQ(Run(args), 2) << (args.empty() ? "(none)" : args[0]);
        EXPECT_NE(err.str().find("Usage: kar2mid"), std::string::npos);
    }
    EXPECT_EQ(Run({"--line-length", "40", "x.kar"}), 2);
    EXPECT_NE(err.str().find("--line-length goes only with --lyric-style keyboard"),
              std::string::npos);
    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_NE(out.str().find("Usage: kar2mid"), std::string::npos);
    EXPECT_EQ(out.str().find("on a console in their own characters") != std::string::npos, kWindows)
        << "how Windows shows names";
    EXPECT_EQ(Run({"--version"}), 0);
    EXPECT_NE(out.str().find("2.1"), std::string::npos);
}

TEST_F(Kar2midTest, ConvertsBesideTheSourceOrIntoAFolder) {
    const std::string source = Add("My.Song.kar");
    EXPECT_EQ(Run({source}), 0);
    EXPECT_EQ(ReadBytes(dir / "My.Song.MID"), kConverted);
    EXPECT_EQ(out.str(), "converted: " + source + " -> " + (dir / "My.Song.MID") +
                             "\n1 converted, 0 failed\n");

    fs::create_directory(dir.path() / "out");
    EXPECT_EQ(Run({"--output-dir", dir / "out", source}), 0);
    EXPECT_EQ(ReadBytes(dir / "out/My.Song.MID"), kConverted);
}

// The style is the run's, whichever way it is spelled; as written unless told.
TEST_F(Kar2midTest, TheLyricStyleIsChosenForTheRun) {
    const std::string source = Add("song.kar", Smf(1, {Track("00 ff 01 06 40 54 53 6f 6e 67  "
                                                             "00 ff 01 04 2f 48 69 20  "
                                                             "00 ff 01 02 79 6f  00 ff 2f 00")}));
    const Bytes asWritten = Header(0, 1) + Track("00 ff 05 06 40 54 53 6f 6e 67  "
                                                 "00 ff 05 04 0d 48 69 20  00 ff 05 02 79 6f  "
                                                 "00 ff 2f 00");
    const auto keyboard = [](const char* afterHi) {
        return Header(0, 1) + Track("00 ff 03 04 53 6f 6e 67  00 ff 01 06 40 54 53 6f 6e 67  "
                                    "00 ff 05 04 0d 48 69" +
                                    std::string(afterHi) + "00 ff 05 02 79 6f  00 ff 2f 00");
    };
    const std::pair<std::vector<std::string>, Bytes> runs[] = {
        {{}, asWritten},
        {{"--lyric-style", "as-written"}, asWritten},
        {{"--lyric-style", "keyboard"}, keyboard(" 20 ")},
        {{"--lyric-style=keyboard", "--line-length=0"}, keyboard(" 20 ")},
        {{"--line-length", "3", "--lyric-style", "keyboard"}, keyboard(" 0d ")},
    };
    for (const auto& [options, expected] : runs) {
        std::vector<std::string> args = options;
        args.push_back(source);
        EXPECT_EQ(Run(args), 0) << err.str();
        EXPECT_EQ(ReadBytes(dir / "song.MID"), expected) << (options.empty() ? "" : options[0]);
    }
}

TEST_F(Kar2midTest, FailuresAreNamedAndTheRestGoesOn) {
    const std::string noDot = Add("README");
    const std::string text = Add("notes.kar", Hex("68 65 6c 6c 6f 20 77 6f 72 6c 64 21 21 21"));
    const std::string damaged = Add("cut.kar", Header(1, 3) + Track("00 ff 2f 00"));
    const std::string good = Add("good.kar");
    const std::string missing = dir / "missing.kar";

    EXPECT_EQ(Run({noDot, text, damaged, missing, good}), 1);
    EXPECT_EQ(err.str(), "failed: " + noDot +
                             ": its name has no \".\" to put .MID in place of\n"
                             "failed: " +
                             text +
                             ": not a MIDI file\n"
                             "failed: " +
                             damaged +
                             ": damaged track chunk header\n"
                             "failed: " +
                             missing + ": no such file or folder\n");
    EXPECT_NE(out.str().find("1 converted, 4 failed"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir / "good.MID"));
    EXPECT_FALSE(fs::exists(dir / "notes.MID"));
}

TEST_F(Kar2midTest, NeverOverwritesASourceOrItsOwnOutput) {
    const std::string mid = Add("song.MID");
    EXPECT_EQ(Run({mid}), 1);
    EXPECT_NE(err.str().find("would replace the source"), std::string::npos);
    EXPECT_EQ(ReadBytes(mid), kKaraoke);

    const std::string first = Add("a/song.kar");
    const std::string second = Add("b/song.kar", Smf(1, {Track("00 91 3c 64  00 ff 2f 00")}));
    fs::create_directory(dir.path() / "out");
    EXPECT_EQ(Run({"--output-dir", dir / "out", first, second}), 1);
    EXPECT_EQ(err.str(), "failed: " + second + ": the output " + Native("out/song.MID") +
                             " is that of " + first + ", earlier in this run\n");
    EXPECT_EQ(ReadBytes(dir / "out/song.MID"), kConverted) << "the first file's output stays";
}

// Many workers must read exactly as one: the same lines in the same order,
// the same refusals of clashing outputs, the same files written.
TEST_F(Kar2midTest, AnyNumberOfJobsGivesTheSameRun) {
    for (int i = 0; i < 40; ++i) {
        Add("songs/" + std::to_string(i) + ".kar", i % 7 == 3 ? Hex("00 01 02") : kKaraoke);
        if (i % 5 == 0)
            Add("songs/sub/" + std::to_string(i) + ".KAR");
    }
    Add("songs/0.Kar"); // the same output as 0.kar
    std::string expected[3];
    for (const char* jobs : {"1", "4"}) {
        fs::remove_all(dir.path() / "out");
        fs::create_directory(dir.path() / "out");
        const int status =
            Run({"-j", jobs, "--recursive", "--output-dir", dir / "out", dir / "songs"});
        const std::string run[3] = {std::to_string(status), out.str(), err.str()};
        if (std::string(jobs) == "1") {
            std::copy(std::begin(run), std::end(run), expected);
            continue;
        }
        for (int part = 0; part < 3; ++part)
            EXPECT_EQ(run[part], expected[part]) << part;
    }
    EXPECT_EQ(expected[0], "1");
    EXPECT_NE(expected[2].find(", earlier in this run"), std::string::npos);
    EXPECT_EQ(ReadBytes(dir / "out/1.MID"), kConverted);
}

TEST_F(Kar2midTest, FolderArgumentsConvertKarFilesInWalkOrder) {
    Add("B.KAR");
    Add("a.kar");
    Add("other.mid");
    Add("sub/c.Kar");
    EXPECT_EQ(Run({dir.str()}), 0);
    EXPECT_EQ(out.str(), "converted: " + (dir / "a.kar") + " -> " + (dir / "a.MID") + "\n" +
                             "converted: " + (dir / "B.KAR") + " -> " + (dir / "B.MID") + "\n" +
                             "2 converted, 0 failed\n");
    EXPECT_EQ(Run({"--recursive", dir.str()}), 0);
    EXPECT_NE(out.str().find("3 converted"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir / "sub/c.MID"));
}

TEST_F(Kar2midTest, ListShowsTheScanRows) {
    Add("a.kar");
    Add("f0.kar", Smf(0, {Track("00 ff 2f 00")}));
    Add("bad.kar", Hex("00 00 00 00 00 00 00 00 00 00 00 00 00 00"));
    Add("sub/c.kar");
    const std::string sep(1, PathRules::Native().separator);
    const std::string folder = dir.str() + sep;
    EXPECT_EQ(Run({"--list", folder}), 0);
    EXPECT_EQ(out.str(), folder + sep + "a.kar\t.KAR\tGood\t1\n" + folder + sep +
                             "bad.kar\t.KAR\tBad\t0\n" + folder + sep + "f0.kar\t.KAR\tGood\t17\n");
    EXPECT_EQ(Run({"--list", "--recursive", dir.str()}), 0);
    EXPECT_NE(out.str().find(Native("sub/c.kar")), std::string::npos);
    EXPECT_EQ(Run({"--list", dir / "a.kar"}), 1);
}

// "Hi" and "you" on two lines in the text, "Hi" again as a lyric event.
const Bytes kBothStreams = Smf(1, {Track("00 ff 01 02 48 69  00 ff 01 04 2f 79 6f 75  00 ff 2f 00"),
                                   Track("00 ff 05 02 48 69  00 ff 2f 00")});

TEST_F(Kar2midTest, ListWithLyricsAddsTheLyricsColumnInTheStyleNamed) {
    Add("a.kar");
    Add("both.kar", kBothStreams);
    Add("bad.kar", Hex("00 00 00 00 00 00 00 00 00 00 00 00 00 00"));
    Add("none.kar", Smf(1, {Track("00 90 3c 64  60 80 3c 40  00 ff 2f 00")}));
    const std::string sep(1, PathRules::Native().separator);
    const std::string folder = dir.str() + sep;
    EXPECT_EQ(Run({"--list", "--lyrics", dir.str()}), 0) << err.str();
    EXPECT_EQ(out.str(), folder + "a.kar\t.KAR\tGood\t1\t1 / 2 lines\n" + folder +
                             "bad.kar\t.KAR\tBad\t0\t\n" + folder +
                             "both.kar\t.KAR\tGood\t2\t3 / 2 lines (both)\n" + folder +
                             "none.kar\t.KAR\tGood\t1\tnone\n");
    EXPECT_EQ(Run({"--list", "--lyrics", "--lyric-style", "keyboard", dir / "both.kar"}), 1)
        << "a file is no folder to list";
    EXPECT_EQ(Run({"--list", "--lyrics", "--lyric-style", "keyboard", dir.str()}), 0);
    EXPECT_NE(out.str().find("both.kar\t.KAR\tGood\t2\t2 / 2 lines (both)\n"), std::string::npos)
        << out.str();
}

TEST_F(Kar2midTest, PrintLyricsPrintsTheTitleAndLinesDecodedWithWarnings) {
    // "@TL\xe9to" and the words "\xcb\xe5", "/to" in cp1251 (Лето, "Ле", "to").
    const std::string song =
        Add("song.kar", Smf(1, {Track("00 ff 01 06 40 54 4c e9 74 6f  00 ff 01 02 cb e5"
                                      "  00 ff 01 03 2f 74 6f  00 ff 2f 00")}));
    EXPECT_EQ(Run({"--print-lyrics", "--lyric-style", "keyboard", "--encoding", "cp1251", song}),
              0);
    EXPECT_EQ(out.str(), "L\xd0\xb9to\n\n\xd0\x9b\xd0\xb5\nto\n");
    EXPECT_EQ(Run({"--print-lyrics", "--lyric-style", "keyboard", "--encoding", "cp1252", song}),
              0);
    EXPECT_EQ(out.str(), "L\xc3\xa9to\n\n\xc3\x8b\xc3\xa5\nto\n");
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(Run({"--print-lyrics", "--encoding", "utf-8", song}), 0);
    EXPECT_NE(err.str().find("warning: Header tags (@T, @L, ...) are among the words"),
              std::string::npos)
        << "as written the tag shows";
    EXPECT_NE(err.str().find("warning: Some of the text is not valid in UTF-8"), std::string::npos);
    EXPECT_EQ(Run({"--print-lyrics", Add("both.kar", kBothStreams)}), 0);
    EXPECT_EQ(out.str(), "\n\nHi\nyouHi\n") << "as written both streams show";
    EXPECT_NE(err.str().find("may show twice"), std::string::npos);
    EXPECT_EQ(Run({"--print-lyrics", Add("bad.kar", Hex("00 01 02"))}), 1);
    EXPECT_NE(err.str().find("failed: "), std::string::npos);
}

// A song that could never fit in the memory the run has fails at once and
// alone; the run goes on, and nothing of it is left behind.
TEST_F(Kar2midTest, FileTooLargeForTheMemoryLeftFailsAloneAndTheRestGoesOn) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows sets no address-space limit on a process";
#else
    Add("d/a.kar");
    WriteBytes(dir / "d/big.kar", DenseSong(40'000'000));
    Add("d/c.kar");
    const auto oneFails = [&] {
        return Run({"-j", "4", dir / "d"}) == 1 &&
               err.str() == "failed: " + (dir / "d/big.kar") + ": not enough memory to read it\n" &&
               out.str().ends_with("2 converted, 1 failed\n") && !fs::exists(dir / "d/big.MID");
    };
    EXPECT_EQ(StatusUnderMemoryLimit(oneFails, 200u << 20), 0);
    for (const auto& entry : fs::directory_iterator(dir.path() / "d"))
        EXPECT_FALSE(entry.path().extension() == ".tmp") << entry.path();
#endif
}

TEST_F(Kar2midTest, MoreJobsThanItRunsAreCappedAndSaidSo) {
    Add("d/a.kar");
    EXPECT_EQ(Run({"--jobs", "1000", dir / "d"}), 0);
    EXPECT_EQ(err.str(),
              "kar2mid: converting 64 files at once, the most it does, rather than 1000\n");
    EXPECT_TRUE(out.str().ends_with("1 converted, 0 failed\n"));
}

// Folders and files named in the writings karaoke collections hold are
// walked, listed and converted, and every line spells them as they are.
TEST_F(Kar2midTest, NamesInEveryWritingAreListedAndConverted) {
    const std::vector<std::string> names = {
        "\xd0\x9f\xd0\xb5\xd1\x81\xd0\xbd\xd0\xb8/\xd0\x9b\xd0\xb5\xd1\x82\xd0\xbe", // Песни/Лето
        "\xd0\x9f\xd0\xb5\xd1\x81\xd0\xbd\xd0\xb8/\xe6\x97\xa5\xe6\x9c\xac/"
        "\xe5\xa4\x8f\xf0\x9f\x8e\xa4", // Песни/日本/夏🎤
        "\xe0\xb9\x80\xe0\xb8\x9e\xe0\xb8\xa5\xe0\xb8\x87/Se\xc3\xb1orita", // เพลง/Señorita
        "\xe0\xb9\x80\xe0\xb8\x9e\xe0\xb8\xa5\xe0\xb8\x87/Ti\xe1\xba\xbfng Vi\xe1\xbb\x87t", // เพลง/Tiếng
                                                                                             // Việt
    };
    std::string converted, listed;
    for (const std::string& name : names) {
        Add(name + ".kar");
        converted += "converted: " + Native(name + ".kar") + " -> " + Native(name + ".MID") + "\n";
        listed += Native(name + ".kar") + "\t.KAR\tGood\t1\n";
    }
    EXPECT_EQ(Run({"--list", "--recursive", dir.str()}), 0) << err.str();
    EXPECT_EQ(out.str(), listed);
    EXPECT_EQ(Run({"--recursive", dir.str()}), 0) << err.str();
    EXPECT_EQ(out.str(), converted + "4 converted, 0 failed\n");
    for (const std::string& name : names)
        EXPECT_EQ(ReadBytes(Native(name + ".MID")), kConverted) << name;

    const std::string output = Native("\xd0\x92\xd1\x8b\xd0\xb2\xd0\xbe\xd0\xb4"); // Вывод
    fs::create_directory(FsPath(output));
    EXPECT_EQ(Run({"-o", output, Native(names[1] + ".kar")}), 0) << err.str();
    EXPECT_EQ(ReadBytes(PathRules::Native().Join(output, "\xe5\xa4\x8f\xf0\x9f\x8e\xa4.MID")),
              kConverted);
}

TEST_F(Kar2midTest, MistypedSourceIsNamedAsMissing) {
    EXPECT_EQ(Run({dir / "Karaok"}), 1);
    EXPECT_EQ(err.str(), "failed: " + (dir / "Karaok") + ": no such file or folder\n");
}

// A named pipe or a device never holds the run up nor takes its memory: each
// is one failure, and the rest goes on.
TEST_F(Kar2midTest, WhatIsNotARegularFileFailsAtOnce) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has neither named pipes in folders nor /dev";
#else
    Add("d/good.kar");
    ASSERT_EQ(::mkfifo((dir / "d/y.kar").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir / "d/a.kar");
    const auto listsAndConverts = [&] {
        return Run({"--list", dir / "d"}) == 0 &&
               out.str() == (dir / "d/a.kar") + "\t.KAR\tBad\t0\n" + (dir / "d/good.kar") +
                                "\t.KAR\tGood\t1\n" + (dir / "d/y.kar") + "\t.KAR\tBad\t0\n" &&
               Run({dir / "d", dir / "d/y.kar"}) == 1 &&
               err.str() == "failed: " + (dir / "d/a.kar") + ": Cannot open file " +
                                (dir / "d/a.kar") +
                                ": not a regular file\n"
                                "failed: " +
                                (dir / "d/y.kar") + ": Cannot open file " + (dir / "d/y.kar") +
                                ": not a regular file\n"
                                "failed: " +
                                (dir / "d/y.kar") + ": the output " + (dir / "d/y.MID") +
                                " is that of " + (dir / "d/y.kar") + ", earlier in this run\n" &&
               out.str().ends_with("1 converted, 3 failed\n");
    };
    EXPECT_EQ(StatusUnderMemoryLimit(listsAndConverts), 0);
#endif
}

TEST_F(Kar2midTest, FileTooLargeForMemoryFailsAloneAndTheRestGoesOn) {
    const std::string huge = Add("a.kar");
    const std::string good = Add("b.kar");
    std::error_code error;
    fs::resize_file(huge, std::uintmax_t{100} << 30, error);
    if (error)
        GTEST_SKIP() << "this file system makes no 100 GB sparse file: " << error.message();
    EXPECT_EQ(Run({dir.str()}), 1);
    EXPECT_EQ(err.str(), "failed: " + huge + ": not enough memory to read it\n");
    EXPECT_NE(out.str().find("converted: " + good), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "a.MID"));
}

TEST_F(Kar2midTest, OutputFailuresGiveTheSystemsReason) {
    const std::string source = Add("x.kar");
    fs::create_directories(dir.path() / "out/x.MID");
    EXPECT_EQ(Run({"--output-dir", dir / "out", source}), 1);
    EXPECT_TRUE(err.str().starts_with("failed: " + source + ": Cannot create file " +
                                      Native("out/x.MID") + ": "))
        << err.str();
    EXPECT_GT(
        err.str().size(),
        ("failed: " + source + ": Cannot create file " + Native("out/x.MID") + ": \n").size());
}

// The temporary file's name is short and fixed, so any output name that fits can be written.
TEST_F(Kar2midTest, OutputWithALongNameIsWritten) {
    const std::string longName = std::string(246, 'n');
    const std::string longSource = Add(longName + ".kar");
    EXPECT_EQ(Run({longSource}), 0) << err.str();
    EXPECT_EQ(ReadBytes(dir / (longName + ".MID")), kConverted);
}

TEST_F(Kar2midTest, OutputFolderIsCheckedOnceAndJoinedWithOneSeparator) {
    const std::string a = Add("a.kar");
    const std::string b = Add("b.kar");
    EXPECT_EQ(Run({"--output-dir", dir / "missing", a, b}), 2);
    EXPECT_EQ(err.str(), "kar2mid: the output folder " + (dir / "missing") + " does not exist\n");
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(Run({"-o", a, b}), 2);
    EXPECT_EQ(err.str(), "kar2mid: the output folder " + a + " is not a folder\n");
    EXPECT_FALSE(fs::exists(dir / "b.MID"));

    const std::string sep(1, PathRules::Native().separator);
    const test::CurrentFolder inside(dir.path());
    EXPECT_EQ(Run({"--output-dir", "." + sep, "a.kar"}), 0);
    EXPECT_EQ(out.str(), "converted: a.kar -> ." + sep + "a.MID\n1 converted, 0 failed\n");
}

// A relative path is read against the current folder and printed as it was given.
TEST_F(Kar2midTest, RelativePathsWorkAndArePrintedAsGiven) {
    Add("sub/a.kar");
    Add("b.kar");
    fs::create_directory(dir.path() / "out");
    const std::string sep(1, PathRules::Native().separator);
    const test::CurrentFolder inside(dir.path());
    EXPECT_EQ(Run({"sub", "b.kar"}), 0) << err.str();
    EXPECT_EQ(out.str(), "converted: sub" + sep + "a.kar -> sub" + sep +
                             "a.MID\nconverted: b.kar -> b.MID\n2 converted, 0 failed\n");
    EXPECT_EQ(Run({"--list", "sub"}), 0);
    EXPECT_EQ(out.str(), "sub" + sep + "a.kar\t.KAR\tGood\t1\n");
    EXPECT_EQ(Run({"-o", "out", "b.kar"}), 0);
    EXPECT_EQ(out.str(), "converted: b.kar -> out" + sep + "b.MID\n1 converted, 0 failed\n");
}

// "C:" alone is the folder the system keeps for drive C, not its root: every
// name listed there is joined to that folder, for converting, listing and output.
TEST_F(Kar2midTest, ABareDriveIsThatDrivesCurrentFolder) {
    SKIP_WITHOUT_DRIVE_LETTERS();
    Add("sub/a.kar");
    const std::string a = Native("sub/a.kar");
    fs::create_directory(dir.path() / "out");
    const std::string drive = dir.str().substr(0, 2);
    const test::CurrentFolder back(dir.path());
    SetCurrentDir(Native("sub"));
    const std::string converted =
        "converted: " + a + " -> " + Native("sub/a.MID") + "\n1 converted, 0 failed\n";
    EXPECT_EQ(Run({drive}), 0) << err.str();
    EXPECT_EQ(out.str(), converted);
    EXPECT_EQ(Run({"--list", drive}), 0) << err.str();
    EXPECT_EQ(out.str(), a + "\t.KAR\tGood\t1\n");
    SetCurrentDir(dir.str());
    EXPECT_EQ(Run({"--list", drive + "sub"}), 0) << err.str();
    EXPECT_EQ(out.str(), a + "\t.KAR\tGood\t1\n");
    SetCurrentDir(Native("out"));
    EXPECT_EQ(Run({"-o", drive, a}), 0) << err.str();
    EXPECT_EQ(out.str(),
              "converted: " + a + " -> " + Native("out/a.MID") + "\n1 converted, 0 failed\n");
    EXPECT_TRUE(fs::exists(dir / "out/a.MID"));

    // From another drive, "C:" is still C's own current folder.
    SetCurrentDir(Native("sub"));
    const std::string other = drive == "Z:" ? "C:\\" : "Z:\\";
    if (!fs::is_directory(other))
        GTEST_SKIP() << "no drive " << other << " to stand on";
    SetCurrentDir(other);
    EXPECT_EQ(Run({drive}), 0) << err.str();
    EXPECT_EQ(out.str(), converted);
}

TEST_F(Kar2midTest, FolderNamedLikeAKarFileIsSkippedNotFailed) {
    Add("d/a.kar");
    fs::create_directories(dir.path() / "d/sub.kar");
    EXPECT_EQ(Run({dir / "d"}), 0);
    EXPECT_EQ(out.str(), "converted: " + Native("d/a.kar") + " -> " + Native("d/a.MID") + "\n" +
                             "skipped: " + Native("d/sub.kar") +
                             ": a folder\n1 converted, 0 failed, 1 skipped\n");
    EXPECT_EQ(Run({"--list", dir / "d"}), 0);
    EXPECT_NE(out.str().find(Native("d/sub.kar") + "\t.KAR\tBad\t0\n"), std::string::npos);
}

TEST_F(Kar2midTest, LineBreaksTabsAndBackslashesInNamesAreEscaped) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows names hold no line breaks or tabs, and \\ separates folders there";
#else
    Add("d/a\nb\tc\\d.kar");
    EXPECT_EQ(Run({dir / "d"}), 0);
    EXPECT_EQ(out.str(), "converted: " + (dir / "d/a\\nb\\tc\\\\d.kar") + " -> " +
                             (dir / "d/a\\nb\\tc\\\\d.MID") + "\n1 converted, 0 failed\n");
    EXPECT_EQ(Run({"--list", dir / "d"}), 0);
    EXPECT_EQ(out.str(), (dir / "d/a\\nb\\tc\\\\d.kar") + "\t.KAR\tGood\t1\n");
#endif
}

// A name could otherwise move the cursor back over its line, or write a line
// of its own that reads like kar2mid's.
TEST_F(Kar2midTest, ControlCharactersInNamesAreEscapedInEveryLine) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows names hold no control characters";
#else
    Add("d/ok\rconverted: fake\x1b[2K\x7f.kar");
    const std::string shown = dir / "d/ok\\rconverted: fake\\e[2K\\x7f";
    EXPECT_EQ(Run({dir / "d"}), 0);
    EXPECT_EQ(out.str(),
              "converted: " + shown + ".kar -> " + shown + ".MID\n1 converted, 0 failed\n");
    EXPECT_EQ(Run({"--list", dir / "d"}), 0);
    EXPECT_EQ(out.str(), shown + ".kar\t.KAR\tGood\t1\n");
    EXPECT_EQ(Run({dir / "d/gone\x01.kar"}), 1);
    EXPECT_EQ(err.str(), "failed: " + (dir / "d/gone\\x01.kar") + ": no such file or folder\n");
#endif
}

TEST(PrintableText, EveryControlCharacterIsEscapedUnderBothRules) {
    const std::string controls = "a\nb\tc\rd\x1b"
                                 "e\x01"
                                 "f\x7fg\x1fh";
    EXPECT_EQ(PrintableText(controls, PathRules::Posix()), "a\\nb\\tc\\rd\\ee\\x01f\\x7fg\\x1fh");
    EXPECT_EQ(PrintableText(controls, PathRules::Windows()), "a\\nb\\tc\\rd\\ee\\x01f\\x7fg\\x1fh");
    EXPECT_EQ(PrintableText(std::string_view("nul\0", 4), PathRules::Posix()), "nul\\x00");

    // "\" separates folders on Windows only; elsewhere it is a name's own character.
    EXPECT_EQ(PrintableText("C:\\K\\a.kar", PathRules::Windows()), "C:\\K\\a.kar");
    EXPECT_EQ(PrintableText("/k/a\\b.kar", PathRules::Posix()), "/k/a\\\\b.kar");

    // UTF-8's C1 controls are escaped, on Windows too, where names are UTF-8
    // as well; letters, and names in other encodings, are not.
    for (const PathRules* rules : {&PathRules::Posix(), &PathRules::Windows()})
        EXPECT_EQ(PrintableText("csi\xc2\x9b"
                                "2J \xc2\xa0 Caf\xc3\xa9 Caf\xe9 \xc3\x80 \xc2",
                                *rules),
                  "csi\\xc2\\x9b"
                  "2J \xc2\xa0 Caf\xc3\xa9 Caf\xe9 \xc3\x80 \xc2");
}

// Beyond PATH_MAX here, a file is found and fails alone. Windows takes a
// path of any length up to its own limit: beyond MAX_PATH a file is read
// (and judged on what it holds), and under Wine, which follows no path past
// 4,096 bytes, the folders where the walk stops are reported.
TEST_F(Kar2midTest, FilesBeyondTheLongestPathAreReportedNotLeftOut) {
    const std::string name(200, 'd');
#ifdef _WIN32
    const test::DeepFolders deep(dir.path(), 8, name);
    std::string file = dir.str();
    for (int i = 0; i < 8; ++i)
        file += "\\" + name;
    file += "\\deep.kar";
    EXPECT_EQ(Run({"--recursive", dir.str()}), 1);
    EXPECT_EQ(err.str(), "failed: " + file + ": not a MIDI file\n");
    EXPECT_EQ(Run({"--list", "--recursive", dir.str()}), 0);
    EXPECT_EQ(out.str(), file + "\t.KAR\tBad\t0\n");
    const auto tree = test::WineDeepTree();
    if (!tree)
        GTEST_SKIP() << "scripts/test-windows makes the tree deeper than Wine follows";
    EXPECT_EQ(Run({"--list", "--recursive", *tree}), 1);
    EXPECT_EQ(out.str(), *tree + "\\d1\\a.kar\t.KAR\tGood\t17\n" + *tree +
                             "\\d2\\a.kar\t.KAR\tGood\t17\n" + *tree +
                             "\\d3\\a.kar\t.KAR\tGood\t17\n" + *tree +
                             "\\d4\\a.kar\t.KAR\tGood\t17\n" + *tree + "\\z.kar\t.KAR\tGood\t17\n");
    std::istringstream failures(err.str());
    int failed = 0;
    const std::string chain(200, 'n');
    for (std::string line; std::getline(failures, line); ++failed)
        EXPECT_TRUE(line.starts_with("failed: " + *tree + "\\d" + std::to_string(failed + 1) +
                                     "\\" + chain + "\\"))
            << line;
    EXPECT_EQ(failed, 4) << err.str();
#else
    const test::DeepFolders deep(dir.path(), 25, name);
    EXPECT_EQ(Run({"--recursive", dir.str()}), 1);
    EXPECT_NE(err.str().find("deep.kar: Cannot open file "), std::string::npos) << err.str();
    EXPECT_EQ(Run({"--list", "--recursive", dir.str()}), 0);
    EXPECT_TRUE(out.str().ends_with("deep.kar\t.KAR\tBad\t0\n"));
#endif
}

// A stream whose every write fails, as standard output does on a full disk.
class FailingBuffer : public std::streambuf {
protected:
    int overflow(int) override { return traits_type::eof(); }
};

TEST_F(Kar2midTest, OutputThatCannotBeWrittenIsAnError) {
    Add("d/a.kar");
    FailingBuffer failing;
    std::ostream broken(&failing);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--list", dir / "d"}, std::vector<std::string>{dir / "d"},
          std::vector<std::string>{"--version"}}) {
        err.str({});
        EXPECT_EQ(RunKar2mid(args, broken, err, false), 1) << args[0];
        EXPECT_EQ(err.str(), "kar2mid: cannot write the standard output\n") << args[0];
        broken.clear();
    }
}

} // namespace
} // namespace lyricast
