#include "platform/FileError.h"
#include "support/SmfBuilder.h"
#include "support/TempDir.h"
#include "ui/qt/ErrorBox.h"
#include "window/ErrorBox.h"
#include "ui/qt/TAboutBox.h"
#include "ui/qt/FileListView.h"
#include "ui/qt/TApplication.h"
#include "ui/qt/TDirectoryListBox.h"
#include "ui/qt/TDriveComboBox.h"
#include "ui/qt/MainWindow.h"
#include "WindowTestSupport.h"

#include <QMessageBox>
#include <QProgressBar>
#include <QLabel>
#include <QStyleOptionViewItem>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <unistd.h>

using namespace lyricast;
using namespace lyricast::test;
namespace fs = std::filesystem;

namespace {

// The rows of the file list as "caption|ext|status|tracks|mark".
QStringList Rows(const MainWindow& form) {
    QStringList rows;
    const FileListView* list = form.fileListView;
    for (int r = 0; r < list->rowCount(); ++r)
        rows << QStringList{list->item(r, 0)->text(), list->item(r, 1)->text(), list->item(r, 2)->text(),
                            list->item(r, 3)->text(), QString::number(list->GoodMark(r))}
                    .join(QLatin1Char('|'));
    return rows;
}

QString Row(const std::string& caption, const char* status, int tracks) {
    const int mark = QString::fromLatin1(status) == QLatin1String("Good") ? 1 : 0;
    return QStringLiteral("%1|.KAR|%2|%3|%4").arg(QString::fromStdString(caption)).arg(status).arg(tracks).arg(mark);
}

int TakenSlots(const MainWindow& form) {
    int taken = 0;
    for (const auto& slot : form.form.scanThreads) taken += slot.taken ? 1 : 0;
    return taken;
}

int ItemIndex(const TDirectoryListBox* list, const std::string& text) {
    for (int i = 0; i < list->count(); ++i)
        if (list->core.ItemText(i) == text) return i;
    return -1;
}

// Double-clicks the folder list's item of that name, as a person would.
void DoubleClickFolder(MainWindow& form, const std::string& name) {
    TDirectoryListBox* list = form.DirectoryListBox1;
    const int index = ItemIndex(list, name);
    QVERIFY2(index >= 0, name.c_str());
    const std::string target = list->core.ItemPath(index);
    const QPoint centre = list->visualItemRect(list->item(index)).center();
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
    // The folder list opens the folder in a call of its own, right after the click.
    QTRY_COMPARE(list->core.Directory(), target);
}

// Shows the tree's top folder again, so the list holds folders made since.
void ReopenTop(MainWindow& form, const TempDir& tree) {
    form.DirectoryListBox1->core.SetDirectory((tree.path() / "other").string());
    form.DirectoryListBox1->core.SetDirectory(tree.str());
}

} // namespace

class MainFormTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempDir> tree;
    std::unique_ptr<MainWindow> form;
    std::string start;
    std::string songs;

private slots:
    void init() {
        if (!CorpusPresent()) QSKIP("the corpus folder ../shared/corpus is absent");
        start = fs::current_path().string();
        tree = std::make_unique<TempDir>();
        songs = tree->path() / "songs";
        CopyCorpus("kar/twinkle.kar", tree->path() / "songs/twinkle.kar");
        CopyCorpus("kar/ANG_PAGIBIG_KONG_ITO_218425.kar", tree->path() / "songs/ANG_PAGIBIG_KONG_ITO_218425.kar");
        CopyCorpus("malformed/PiDamaged.mid", tree->path() / "songs/broken.kar");
        CopyCorpus("malformed/namusic.mid", tree->path() / "songs/notmidi.KAR");
        CopyCorpus("kar/Negra_Sombra.kar", tree->path() / "songs/sub/Negra_Sombra.kar");
        CopyCorpus("kar/jingle_bells.kar", tree->path() / "songs/Box.kar/inner.kar");
        CopyCorpus("kar/BUWAN.kar", tree->path() / "songs/.hidden/skipped.kar");
        WriteBytes(tree->path() / "songs/readme.txt", {});
        CopyCorpus("kar/Dont_be_Cruel.kar", tree->path() / "other/Dont_be_Cruel.kar");

        form = std::make_unique<MainWindow>();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->DirectoryListBox1->core.SetDirectory(tree->str());
    }

    void cleanup() {
        form.reset();
        tree.reset();
        if (!start.empty()) fs::current_path(start);
    }

    void startsEmpty() {
        QCOMPARE(form->windowTitle(), QStringLiteral("Lyricast Convert Vers. 2.1 By Lyricast Team"));
        QCOMPARE(form->fileListView->rowCount(), 0);
        QVERIFY(form->ProgressBar1->isHidden());
        QCOMPARE(form->ProgressBar1->maximum(), 100);
        QVERIFY(form->ShowOnlyKAR1->isChecked());
        QVERIFY(!form->subDir->isChecked());
        QCOMPARE(form->form.scanIndex, 0);
        QCOMPARE(TakenSlots(*form), 0);
        QVERIFY(form->form.programFolder.ends_with('/'));
    }

    void doubleClickScansTheOpenedFolder() {
        DoubleClickFolder(*form, "songs");
        QCOMPARE(form->DirectoryListBox1->core.Directory(), songs);
        QTRY_VERIFY(!ScanRunning(*form));
        QCOMPARE(Rows(*form), (QStringList{
                                  Row(songs + "/ANG_PAGIBIG_KONG_ITO_218425.kar", "Good", 17),
                                  Row(songs + "/Box.kar", "Bad", 0),  // a folder, judged as a file
                                  Row(songs + "/broken.kar", "Bad", 30),
                                  Row(songs + "/notmidi.KAR", "Bad", 0),
                                  Row(songs + "/twinkle.kar", "Good", 6),
                              }));
        QVERIFY(form->ProgressBar1->isVisible());
        QCOMPARE(form->ProgressBar1->value(), 0);
        QCOMPARE(form->StatusBar1->text(), QString());
    }

    void subFoldersDepthFirstSkippingDotFolders() {
        form->subDir->trigger();
        QVERIFY(form->subDir->isChecked());
        DoubleClickFolder(*form, "songs");
        QTRY_VERIFY(!ScanRunning(*form));
        QCOMPARE(Rows(*form), (QStringList{
                                  Row(songs + "/ANG_PAGIBIG_KONG_ITO_218425.kar", "Good", 17),
                                  Row(songs + "/Box.kar/inner.kar", "Good", 9),
                                  Row(songs + "/broken.kar", "Bad", 30),
                                  Row(songs + "/notmidi.KAR", "Bad", 0),
                                  Row(songs + "/sub/Negra_Sombra.kar", "Good", 8),
                                  Row(songs + "/twinkle.kar", "Good", 6),
                              }));
    }

    void rowsAreColouredByVerdict() {
        DoubleClickFolder(*form, "songs");
        QTRY_VERIFY(!ScanRunning(*form));
        // And the list really draws them so: look for the colours in rows 0 (good) and 1 (bad).
        form->fileListView->clearSelection();
        const QImage image = form->fileListView->viewport()->grab().toImage();
        auto rowHas = [&](int row, QColor colour) {
            const QRect rect = form->fileListView->visualRect(form->fileListView->model()->index(row, 0));
            for (int y = rect.top(); y <= rect.bottom(); ++y)
                for (int x = rect.left(); x <= rect.right(); ++x)
                    if (image.pixelColor(x, y) == colour) return true;
            return false;
        };
        QVERIFY(rowHas(0, QColor(0, 0, 255)));
        QVERIFY(rowHas(1, QColor(0, 128, 0)));
        QVERIFY(!rowHas(1, QColor(0, 0, 255)));
    }

    void secondDoubleClickDuringAWalkLeavesOnlyItsRows() {
        // Many folders, so the first walk pauses again and again while it runs.
        for (int i = 0; i < 40; ++i) CopyCorpus("kar/twinkle.kar", tree->path() / ("many/f" + std::to_string(i) + "/t.kar"));
        ReopenTop(*form, *tree);
        form->subDir->trigger();
        DoubleClickFolder(*form, "many");
        bool secondStarted = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            // Timers only fire in the walk's pause while it runs.
            if (secondStarted || form->fileListView->rowCount() == 0) return;
            secondStarted = true;
            QVERIFY(ScanRunning(*form));
            form->DirectoryListBox1->core.SetDirectory((tree->path() / "other").string());
            form->form.DirectoryListBox1DblClick();
        });
        poll.start(0);
        QTRY_VERIFY(secondStarted && !ScanRunning(*form));
        QCOMPARE(Rows(*form), QStringList{Row((tree->path() / "other/Dont_be_Cruel.kar").string(), "Good", 10)});
    }

    void seventeenScansWalkTheRing() {
        QList<int> used;
        for (int i = 0; i < 17; ++i) {
            form->form.DirectoryListBox1Change();
            used << form->form.scanIndex;
            QCOMPARE(TakenSlots(*form), 1);
            QVERIFY(form->form.scanThreads[static_cast<std::size_t>(form->form.scanIndex)].taken);
        }
        QCOMPARE(used, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0}));
        QTRY_VERIFY(!ScanRunning(*form));
    }

    void showOnlyKarTogglesAndEmpties() {
        DoubleClickFolder(*form, "songs");
        QTRY_VERIFY(!ScanRunning(*form));
        QVERIFY(form->fileListView->rowCount() > 0);
        form->ShowOnlyKAR1->trigger();
        QVERIFY(!form->ShowOnlyKAR1->isChecked());
        QTRY_COMPARE(form->fileListView->rowCount(), 0);
        form->fileListView->AddRow("x", ".KAR", "Good", "1", 1);
        form->ShowOnlyKAR1->trigger();
        QVERIFY(form->ShowOnlyKAR1->isChecked());
        QTRY_COMPARE(form->fileListView->rowCount(), 0);
    }

    void enterAndDriveChangesStartNoScan() {
        DoubleClickFolder(*form, "songs");
        QTRY_VERIFY(!ScanRunning(*form));
        const QStringList rows = Rows(*form);
        const int index = form->form.scanIndex;

        TDirectoryListBox* list = form->DirectoryListBox1;
        list->setCurrentRow(ItemIndex(list, "sub"));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        QTRY_COMPARE(list->core.Directory(), songs + "/sub");
        QTest::qWait(50);
        QCOMPARE(Rows(*form), rows);
        QCOMPARE(form->form.scanIndex, index);
        QCOMPARE(TakenSlots(*form), 1);

        TDriveComboBox* drives = form->DriveComboBox1;
        for (int i = 0; i < drives->count(); ++i) {
            if (drives->core.Entries()[static_cast<std::size_t>(i)].root == drives->core.Drive()) continue;
            try {
                drives->core.SetDrive(drives->core.Entries()[static_cast<std::size_t>(i)].root);
            } catch (const std::exception&) {
                continue;  // a volume we may not enter: no scan either way
            }
            break;
        }
        QTest::qWait(50);
        QCOMPARE(Rows(*form), rows);
        QCOMPARE(form->form.scanIndex, index);
    }

    void helpOpensThePageBesideTheProgram() {
        std::vector<std::string> opened;
        form->shellOpen = [&](const std::string& path) { opened.push_back(path); };
        form->form.programFolder = tree->str() + "/";
        form->Help2->trigger();
        QTest::qWait(20);
        QVERIFY(opened.empty());  // no Help folder there: nothing happens

        WriteBytes(tree->path() / "Help/Help.html", Hex("3c 68 74 6d 6c 3e"));
        form->Help2->trigger();
        QTRY_COMPARE(opened, std::vector<std::string>{tree->str() + "//Help/Help.html"});
    }

    void aboutBoxAndExit() {
        ModalAnswers modals;
        modals.Close(QStringLiteral("LMDAboutDlg1"));
        form->About1->trigger();
        QTRY_VERIFY(modals.Done());
        QVERIFY(form->LMDAboutDlg1->findChild<QLabel*>(QStringLiteral("versionText"))->text() ==
                QStringLiteral("Vers. 2.1"));
        form->Exit1->trigger();
        QTRY_VERIFY(!form->isVisible());
    }

    void errorLeavingAHandlerIsShownInTheErrorBox() {
        // A handler raising an error, called as the window calls its handlers.
        ModalAnswers modals;
        modals.Close(QStringLiteral("errorBox"));
        CallHandler(*form, [] { throw FileError::CannotOpen("x.kar"); });
        QTRY_VERIFY(modals.Done());
        QCOMPARE(modals.seen, QStringList{QStringLiteral("Lyricast Convert|Cannot open file x.kar.")});
        QVERIFY(form->isVisible());  // and the program goes on
    }

    void closingDuringALongWalkStopsIt() {
        for (int i = 0; i < 300; ++i) CopyCorpus("kar/twinkle.kar", tree->path() / ("many/f" + std::to_string(i) + "/t.kar"));
        ReopenTop(*form, *tree);
        form->subDir->trigger();
        DoubleClickFolder(*form, "many");
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            if (form->fileListView->rowCount() >= 3 && form->isVisible()) form->close();
        });
        poll.start(0);
        QTRY_VERIFY(!form->isVisible() && !ScanRunning(*form));
        QVERIFY(form->fileListView->rowCount() < 300);
        form.reset();  // no thread left, no hang
    }
};

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    MainFormTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "MainFormTest.moc"
