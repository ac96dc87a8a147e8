// The Qt window as a view of the window core: what it draws and what it
// reports. What the window decides is tested through fake views in
// tests/window; here the real widgets are driven as a person would.
#include "WindowTestSupport.h"
#include "platform/FileError.h"
#include "support/SmfBuilder.h"
#include "support/TempDir.h"
#include "ui/qt/FileListView.h"
#include "ui/qt/LyricStyleDialog.h"
#include "ui/qt/LyricsPaneWidget.h"
#include "ui/qt/OutPathDialog.h"
#include "ui/qt/QtProgram.h"
#include "ui/qt/QtSettingsStore.h"
#include "ui/qt/StartThread.h"
#include "ui/qt/SummaryDialog.h"
#include "ui/qt/TAboutBox.h"
#include "ui/qt/TApplication.h"
#include "ui/qt/TDirectoryListBox.h"
#include "ui/qt/TDriveComboBox.h"
#include "ui/qt/TFolderBrowseDialog.h"
#include "window/BatchSummary.h"
#include "window/ErrorBox.h"
#include "window/ExistingChoice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSplitter>
#include <QtTest>
#include <filesystem>

using namespace lyricast;
using namespace lyricast::test;
namespace fs = std::filesystem;

namespace {

const Bytes kKaraoke =
    Smf(1, {Track("00 ff 01 03 61 2f 62  00 ff 2f 00"), Track("00 91 3c 64  00 ff 2f 00")});

int ItemIndex(const TDirectoryListBox* list, const std::string& text) {
    for (int i = 0; i < list->count(); ++i)
        if (list->core.ItemText(i) == text)
            return i;
    return -1;
}

// Double-clicks the folder list's item of that name, as a person would.
void DoubleClickFolder(MainWindow& window, const std::string& name) {
    TDirectoryListBox* list = window.DirectoryListBox1;
    const int index = ItemIndex(list, name);
    QVERIFY2(index >= 0, name.c_str());
    const std::string target = list->core.ItemPath(index);
    const QPoint centre = list->visualItemRect(list->item(index)).center();
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTRY_COMPARE(list->core.Directory(), target);
}

// A caption as shown: its mnemonic marks are underlines, not letters.
QString Visible(QString caption) {
    return caption.remove(QLatin1Char('&'));
}

QString Local(const std::string& bytes) {
    return QString::fromLocal8Bit(bytes);
}

QStringList Rows(const MainWindow& window) {
    QStringList rows;
    const FileListView* list = window.fileListView;
    for (int r = 0; r < list->rowCount(); ++r)
        rows << QStringList{QString::fromLocal8Bit(
                                fs::path(list->item(r, 0)->text().toLocal8Bit().toStdString())
                                    .filename()
                                    .string()),
                            list->item(r, 1)->text(), list->item(r, 2)->text(),
                            list->item(r, 3)->text(), QString::number(list->GoodMark(r))}
                    .join(QLatin1Char('|'));
    return rows;
}

bool SameImage(const QPixmap& a, const QPixmap& b) {
    return !a.isNull() && a.toImage() == b.toImage();
}

// The program as it starts from the command line, its event loop run until
// its scan has listed what it was given; the rows are kept as "path|verdict".
class ProgramOfTest : public QtProgram {
public:
    explicit ProgramOfTest(std::vector<std::string> arguments)
        : QtProgram(argc_, nullptr), arguments_(std::move(arguments)) {}

    std::vector<std::string> CreateApplication() override { return arguments_; }
    int RunEventLoop() override {
        if (!QTest::qWaitFor([this] { return !mainWindow->form.ScanRunning(); }, 20000))
            return 1;
        for (int r = 0; r < mainWindow->fileListView->rowCount(); ++r)
            rows << mainWindow->fileListView->item(r, 0)->text() + QLatin1Char('|') +
                        mainWindow->fileListView->item(r, 2)->text();
        folder = mainWindow->CurrentFolder();
        mainWindow->close();
        return 0;
    }

    QStringList rows;
    std::string folder;

private:
    int argc_ = 0;
    std::vector<std::string> arguments_;
};

// The icon a message box of the widget's style shows.
QPixmap IconOfStyle(QWidget* widget, QStyle::StandardPixmap icon) {
    const int size = widget->style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, widget);
    return widget->style()->standardIcon(icon, nullptr, widget).pixmap(size, size);
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempDir> tree;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<OutPathDialog> outPath;
    std::string start;

    void Open(const std::string& name) {
        DoubleClickFolder(*window, name);
        QTRY_VERIFY(!window->form.ScanRunning());
    }

private slots:
    void init() {
        start = fs::current_path().string();
        tree = std::make_unique<TempDir>();
        WriteBytes((tree->path() / "songs/good.kar").string(), kKaraoke);
        WriteBytes((tree->path() / "songs/notmidi.KAR").string(), Hex("00 01 02"));
        WriteBytes((tree->path() / "songs/readme.txt").string(), {});
        window = std::make_unique<MainWindow>();
        outPath = std::make_unique<OutPathDialog>(window.get());
        window->outPathForm = outPath.get();
        window->form.outPathForm = &outPath->form;
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->DirectoryListBox1->core.SetDirectory(tree->str());
    }

    void cleanup() {
        outPath.reset();
        window.reset();
        tree.reset();
        fs::current_path(start);
    }

    void startsWithItsCaptions() {
        QCOMPARE(window->windowTitle(),
                 QStringLiteral("Lyricast Convert Vers. 2.1 By Lyricast Team"));
        QStringList menus;
        for (QAction* menu : window->menuBar()->actions())
            menus << Visible(menu->text());
        QCOMPARE(menus, (QStringList{QStringLiteral("File"), QStringLiteral("Options"),
                                     QStringLiteral("Help")}));
        QStringList entries;
        for (const char* name : {"File1", "Options1", "Help1"})
            for (QAction* entry : MenuNamed(*window, name)->actions())
                if (!entry->isSeparator())
                    entries << Visible(entry->text());
        QCOMPARE(
            entries,
            (QStringList{QStringLiteral("Open Folder..."), QStringLiteral("Scan Again"),
                         QStringLiteral("Stop"), QStringLiteral("Exit"),
                         QStringLiteral("Show Only  KAR"), QStringLiteral("Select Output Folder"),
                         QStringLiteral("Include Sub Dir"), QStringLiteral("Lyric Style..."),
                         QStringLiteral("Help"), QStringLiteral("About")}));
        QStringList keys;
        for (const char* name : {"OpenFolder1", "ScanAgain1", "Stop1", "Help2"})
            keys << EntryNamed(*window, name)->shortcut().toString();
        QCOMPARE(keys, (QStringList{QStringLiteral("Ctrl+O"), QStringLiteral("F5"),
                                    QStringLiteral("Esc"), QStringLiteral("F1")}));
        QVERIFY(EntryNamed(*window, "ShowOnlyKAR1")->isChecked());
        QVERIFY(!EntryNamed(*window, "subDir")->isChecked());
        QCOMPARE(window->LMDButton3->text(), QStringLiteral("Convert File/s"));
        QVERIFY(window->ProgressBar1->isHidden());
        QCOMPARE(window->StatusBar1->width(), 300);
        QCOMPARE(window->fileListView->rowCount(), 0);
    }

    // The icon is a resource of the window's library: it must be registered to be found.
    void theIconIsInTheTitleBarAndTheAboutBox() {
        QVERIFY(QFile::exists(QStringLiteral(":/lyricast-convert.png")));
        QVERIFY(!window->windowIcon().pixmap(32, 32).isNull());
        const auto* icon = window->LMDAboutDlg1->findChild<QLabel*>(QStringLiteral("programIcon"));
        QVERIFY(icon != nullptr);
        QVERIFY(!icon->pixmap().isNull());
        QCOMPARE(icon->pixmap().size(), QSize(64, 64));
    }

    void aDoubleClickedFolderIsScannedAndDrawn() {
        Open("songs");
        QCOMPARE(Rows(*window), (QStringList{QStringLiteral("good.kar|.KAR|Good|2|1"),
                                             QStringLiteral("notmidi.KAR|.KAR|Bad|0|0")}));
        QCOMPARE(window->StatusBar2->text(), QStringLiteral("2 files, 1 good"));
        QVERIFY(window->ProgressBar1->isVisible());

        // Good rows in blue, the others in green: look for the colours in the drawn rows.
        window->fileListView->clearSelection();
        const QImage image = window->fileListView->viewport()->grab().toImage();
        const auto rowHas = [&](int row, QColor colour) {
            const QRect rect =
                window->fileListView->visualRect(window->fileListView->model()->index(row, 0));
            for (int y = rect.top(); y <= rect.bottom(); ++y)
                for (int x = rect.left(); x <= rect.right(); ++x)
                    if (image.pixelColor(x, y) == colour)
                        return true;
            return false;
        };
        QVERIFY(rowHas(0, QColor(0, 0, 255)));
        QVERIFY(rowHas(1, QColor(0, 128, 0)));
        QVERIFY(!rowHas(1, QColor(0, 0, 255)));
    }

    void theButtonConvertsTheSelectionAndSumsUp() {
        Open("songs");
        window->fileListView->selectAll();
        ModalAnswers modals;
        modals.Close(QStringLiteral("summaryBox"));
        QTest::mouseClick(window->LMDButton3, Qt::LeftButton);
        QTRY_VERIFY(modals.Done());
        QCOMPARE(modals.seen,
                 QStringList{QStringLiteral(
                     "Lyricast Convert|1 file converted.\n1 file judged \"Bad\" skipped.")});
        QVERIFY(fs::exists(tree->path() / "songs/good.MID"));
        QVERIFY(!fs::exists(tree->path() / "songs/notmidi.MID"));
        QVERIFY(window->ProgressBar1->isHidden());
        QCOMPARE(window->LMDButton3->text(), QStringLiteral("Convert File/s"));
        QCOMPARE(window->fileListView->selectionModel()->selectedRows().count(),
                 2); // rows keep their selection
    }

    // Files the system refuses make the box warn and are listed below its
    // head; "Open Folder" asks the file manager, and its absence is told.
    void refusedFilesAreListedAndOpenFolderAsksTheFileManager() {
        Open("songs");
        window->fileListView->selectAll();
        const std::string missing = (tree->path() / "missing").string();
        outPath->form.Choose(true);
        window->form.outputFolder = missing;
        std::vector<std::string> asked;
        window->fileManager = [&asked](const std::string& folder) {
            asked.push_back(folder);
            return false;
        };
        QStringList details;
        bool warns = false;
        ModalAnswers modals;
        modals
            .Then(QStringLiteral("summaryBox"),
                  [&](QWidget* w) {
                      auto* box = static_cast<SummaryDialog*>(w);
                      details = box->details->toPlainText().split(QLatin1Char('\n'));
                      warns = SameImage(box->icon->pixmap(),
                                        IconOfStyle(box, QStyle::SP_MessageBoxWarning));
                      box->openFolder->click();
                  })
            .Close(QStringLiteral("QMessageBox"));
        QTest::mouseClick(window->LMDButton3, Qt::LeftButton);
        QTRY_VERIFY(modals.Done());
        QCOMPARE(modals.seen.at(0), QStringLiteral("Lyricast Convert|0 files converted.\n"
                                                   "1 file judged \"Bad\" skipped.\n\n"
                                                   "1 file refused or failed:"));
        QCOMPARE(details.size(), 1);
        QVERIFY2(details.front().startsWith(Local((tree->path() / "songs/good.kar").string()) +
                                            QStringLiteral(": Cannot create file ")),
                 qPrintable(details.front()));
        QVERIFY(warns);
        QCOMPARE(asked, std::vector<std::string>{missing});
        QCOMPARE(modals.seen.at(1),
                 QStringLiteral("Lyricast Convert|") + Local(NoFileManagerText(missing)));
    }

    // Fifty refused files: the box still fits a 1024 x 768 screen with its
    // buttons in reach, and its list scrolls through every one of them.
    void theSummaryOfManyRefusedFilesFitsTheScreen() {
        BatchTally tally{3, 0, 0, false, {}};
        for (int i = 0; i < 50; ++i)
            tally.failed.emplace_back("/home/someone/Karaoke/A long folder of songs/Artist " +
                                          std::to_string(i) + " - A long song title.kar",
                                      "the output /home/someone/Converted/Song.MID is that of "
                                      "/home/someone/Karaoke/Song.kar, earlier in this run");
        SummaryDialog box(SummaryOf(tally), QStringLiteral("/home/someone/Converted"),
                          window.get());
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QCOMPARE(box.head->text(),
                 QStringLiteral("3 files converted.\n\n50 files refused or failed:"));
        const QRect frame = box.frameGeometry();
        QVERIFY2(frame.width() <= 1024 && frame.height() <= 768,
                 qPrintable(QStringLiteral("%1 x %2").arg(frame.width()).arg(frame.height())));
        for (QPushButton* button : {box.ok, box.openFolder}) {
            QVERIFY(button->isVisible());
            QVERIFY(box.rect().contains(QRect(button->mapTo(&box, QPoint()), button->size())));
        }
        QCOMPARE(box.details->document()->blockCount(), 50);
        QVERIFY(box.details->isReadOnly());
        QVERIFY(box.details->verticalScrollBar()->maximum() > 0);
        QVERIFY(SameImage(box.icon->pixmap(), IconOfStyle(&box, QStyle::SP_MessageBoxWarning)));
        QVERIFY(box.ok->isDefault());

        SummaryDialog fine(SummaryOf({3, 0, 0, false, {}}), QString(), window.get());
        QVERIFY(fine.details == nullptr);
        QVERIFY(
            SameImage(fine.icon->pixmap(), IconOfStyle(&fine, QStyle::SP_MessageBoxInformation)));
    }

    void nothingSelectedSaysSo() {
        ModalAnswers modals;
        modals.Close(QStringLiteral("QMessageBox"));
        QTest::mouseClick(window->LMDButton3, Qt::LeftButton);
        QTRY_VERIFY(modals.Done());
        QCOMPARE(modals.seen, QStringList{QStringLiteral("Lyricast Convert|Please select file/s")});
    }

    void outputDialogDrawsAndReportsTheChoice() {
        ModalAnswers shown;
        shown.Then(QStringLiteral("outPathForm"), [](QWidget* dialog) {
            static_cast<OutPathDialog*>(dialog)->LMDButton2->click();
        });
        EntryNamed(*window, "SelectDestinationFolder1")->trigger();
        QTRY_VERIFY(shown.Done());
        QTRY_VERIFY(!outPath->isVisible());

        // Beside the sources, no folder, centred on the main window, fixed size.
        window->move(60, 40);
        outPath->show();
        QVERIFY(outPath->saveOri->isChecked());
        QCOMPARE(outPath->Edit1->text(), QString());
        QVERIFY(outPath->Edit1->isReadOnly());
        QCOMPARE(outPath->windowTitle(), QStringLiteral("Output Path"));
        QCOMPARE(outPath->saveOri->text(), QStringLiteral("Save to original file's paht"));
        QVERIFY((outPath->frameGeometry().center() - window->frameGeometry().center())
                    .manhattanLength() <= 6);
        QCOMPARE(outPath->minimumSize(), outPath->maximumSize());
        QCOMPARE(outPath->savePath->nextInFocusChain(), outPath->Edit1);

        // "..." with a folder chosen: the choice and the folder reach the core and show.
        const std::string out = (tree->path() / "out").string();
        fs::create_directories(out);
        ModalAnswers browse;
        browse.Then(QStringLiteral("LMDDirDlg1"), [out](QWidget* dialog) {
            auto* dirDialog = static_cast<TFolderBrowseDialog*>(dialog);
            dirDialog->folderList->core.SetDirectory(out);
            dirDialog->accept();
        });
        QTest::mouseClick(outPath->LMDButton1, Qt::LeftButton);
        QTRY_VERIFY(browse.Done());
        QTRY_COMPARE(window->form.outputFolder, out);
        QVERIFY(outPath->savePath->isChecked());
        QVERIFY(outPath->form.savePath);
        QCOMPARE(outPath->Edit1->text(), QString::fromStdString(out));
        outPath->saveOri->click();
        QVERIFY(!outPath->form.savePath);
        outPath->LMDButton2->click();
    }

    // The dialog opens on the window's style; the longest line counts with
    // Keyboard only; OK makes the choice the window's, Cancel does not.
    void lyricStyleDialogDrawsAndReportsTheChoice() {
        ModalAnswers shown;
        shown.Then(QStringLiteral("lyricStyleForm"), [](QWidget* modal) {
            auto* dialog = static_cast<LyricStyleDialog*>(modal);
            QVERIFY(dialog->asWritten->isChecked());
            QVERIFY(!dialog->lineLength->isEnabled());
            dialog->keyboard->click();
            QVERIFY(dialog->lineLength->isEnabled());
            dialog->lineLength->setText(QStringLiteral("40"));
            dialog->okButton->click();
        });
        EntryNamed(*window, "LyricStyle1")->trigger();
        QTRY_VERIFY(shown.Done());
        QCOMPARE(window->form.lyricStyle, (LyricStyle{LyricStyle::Kind::Keyboard, 40}));

        ModalAnswers cancelled;
        cancelled.Then(QStringLiteral("lyricStyleForm"), [](QWidget* modal) {
            auto* dialog = static_cast<LyricStyleDialog*>(modal);
            QVERIFY(dialog->keyboard->isChecked());
            QCOMPARE(dialog->lineLength->text(), QStringLiteral("40"));
            dialog->asWritten->click();
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        EntryNamed(*window, "LyricStyle1")->trigger();
        QTRY_VERIFY(cancelled.Done());
        QCOMPARE(window->form.lyricStyle, (LyricStyle{LyricStyle::Kind::Keyboard, 40}));
    }

    void browseDialogMakesNewFolders() {
        TFolderBrowseDialog browse(outPath.get(), QStringLiteral("Output Folder"), tree->str());
        QCOMPARE(browse.windowTitle(), QStringLiteral("Output Folder"));
        ModalAnswers modals;
        modals
            .Then(QStringLiteral("QInputDialog"),
                  [](QWidget* w) {
                      auto* input = static_cast<QInputDialog*>(w);
                      input->setTextValue(QStringLiteral("Fresh"));
                      input->accept();
                  })
            .Then(QStringLiteral("QInputDialog"),
                  [](QWidget* w) {
                      auto* input = static_cast<QInputDialog*>(w);
                      input->setTextValue(QStringLiteral("nowhere/deeper"));
                      input->accept();
                  })
            .Close(QStringLiteral("QMessageBox"))
            .Then(QStringLiteral("LMDDirDlg1"),
                  [](QWidget* w) { static_cast<QDialog*>(w)->accept(); });
        QTimer::singleShot(0, [&browse] { browse.newFolderButton->click(); });
        QTimer::singleShot(200, [&browse] { browse.newFolderButton->click(); });
        QCOMPARE(browse.exec(), int(QDialog::Accepted));
        QVERIFY(modals.Done());
        QVERIFY(fs::is_directory(tree->path() / "Fresh"));
        QCOMPARE(browse.Folder(), (tree->path() / "Fresh").string());
        QCOMPARE(modals.seen.at(2),
                 QStringLiteral("Lyricast Convert|IO-Error!\nCould not create folder."));
    }

    void menuEntriesReachTheCore() {
        std::vector<std::string> opened;
        window->shellOpen = [&](const std::string& path) { opened.push_back(path); };
        window->form.programFolder = tree->str() + "/";
        WriteBytes((tree->path() / "Help/Help.html").string(), Hex("3c 68 74 6d 6c 3e"));
        EntryNamed(*window, "Help2")->trigger();
        QCOMPARE(opened, std::vector<std::string>{tree->str() + "//Help/Help.html"});

        EntryNamed(*window, "subDir")->trigger();
        QVERIFY(window->form.subDir);
        QVERIFY(EntryNamed(*window, "subDir")->isChecked());

        ModalAnswers modals;
        modals.Close(QStringLiteral("LMDAboutDlg1"));
        EntryNamed(*window, "About1")->trigger();
        QTRY_VERIFY(modals.Done());
        QCOMPARE(window->LMDAboutDlg1->findChild<QLabel*>(QStringLiteral("versionText"))->text(),
                 QStringLiteral("Vers. 2.1"));
        EntryNamed(*window, "Exit1")->trigger();
        QTRY_VERIFY(!window->isVisible());
    }

    void anErrorOfAHandlerIsShownInTheErrorBox() {
        ModalAnswers modals;
        modals.Close(QStringLiteral("errorBox"));
        CallHandler(*window,
                    [] { throw FileError::CannotCreate("x.MID", "No space left on device"); });
        QTRY_VERIFY(modals.Done());
        QCOMPARE(modals.seen,
                 QStringList{QStringLiteral(
                     "Lyricast Convert|Cannot create file x.MID.\nNo space left on device")});
        QVERIFY(window->isVisible()); // and the program goes on
    }

    void closingDuringALongScanStopsIt() {
        for (int i = 0; i < 300; ++i)
            WriteBytes((tree->path() / ("many/f" + std::to_string(i) + "/t.kar")).string(),
                       kKaraoke);
        window->DirectoryListBox1->core.SetDirectory((tree->path() / "songs").string());
        window->DirectoryListBox1->core.SetDirectory(tree->str());
        EntryNamed(*window, "subDir")->trigger();
        DoubleClickFolder(*window, "many");
        window->close();
        QTRY_VERIFY(!window->isVisible());
        outPath.reset();
        window.reset(); // waits for the scan's worker: no thread left, no hang
    }

    // Every action has a key: mnemonics on the menus, F1, F5, Esc, Ctrl+O,
    // Ctrl+A in the list, Enter in the folder list, and Tab in a sensible order.
    void everyActionHasAKey() {
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));

        // Enter on a folder opens it and scans it.
        window->DirectoryListBox1->setFocus();
        window->DirectoryListBox1->setCurrentRow(ItemIndex(window->DirectoryListBox1, "songs"));
        QTest::keyClick(window->DirectoryListBox1, Qt::Key_Return);
        QCOMPARE(window->CurrentFolder(), (tree->path() / "songs").string());
        QTRY_COMPARE(window->fileListView->rowCount(), 2);
        QTRY_VERIFY(!window->form.ScanRunning());

        // Ctrl+A in the list selects every row.
        window->fileListView->setFocus();
        QTest::keyClick(window->fileListView, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(window->fileListView->selectionModel()->selectedRows().count(), 2);

        // F5 scans the current folder again.
        WriteBytes((tree->path() / "songs/later.kar").string(), kKaraoke);
        QTest::keyClick(window.get(), Qt::Key_F5);
        QTRY_COMPARE(window->fileListView->rowCount(), 3);
        QTRY_VERIFY(!window->form.ScanRunning());

        // Esc stops the scan that has just started.
        QTest::keyClick(window.get(), Qt::Key_F5);
        QTest::keyClick(window.get(), Qt::Key_Escape);
        QCOMPARE(window->StatusBar2->text(), QStringLiteral("0 files, 0 good (stopped)"));
        QTRY_VERIFY(!window->form.ScanRunning());

        // Ctrl+O asks for a folder, opens it and scans it.
        fs::create_directories(tree->path() / "other");
        WriteBytes((tree->path() / "other/x.kar").string(), kKaraoke);
        window->askFolder = [this](const QString&, const QString&) {
            return QString::fromStdString((tree->path() / "other").string());
        };
        QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(window->CurrentFolder(), (tree->path() / "other").string());
        QTRY_COMPARE(Rows(*window), QStringList{QStringLiteral("x.kar|.KAR|Good|2|1")});
        window->askFolder = [](const QString&, const QString&) {
            return QString(); // cancelled: nothing moves
        };
        QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(window->CurrentFolder(), (tree->path() / "other").string());

        // F1 opens the help page, and says so when it is missing.
        window->form.programFolder = tree->str() + "/";
        ModalAnswers modals;
        modals.Close(QStringLiteral("QMessageBox"));
        QTest::keyClick(window.get(), Qt::Key_F1);
        QTRY_VERIFY(modals.Done());
        QCOMPARE(modals.seen.size(), 1);
        QVERIFY2(modals.seen.front().startsWith(
                     QStringLiteral("Lyricast Convert|Cannot open the help page ")),
                 qPrintable(modals.seen.front()));

        // Tab: drive box, folder list, file list, convert button.
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        window->DriveComboBox1->setFocus();
        QStringList order;
        for (int i = 0; i < 4; ++i) {
            QWidget* focus = QApplication::focusWidget();
            QVERIFY2(focus != nullptr, qPrintable(order.join(QLatin1Char(','))));
            order << focus->objectName();
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        QCOMPARE(order,
                 (QStringList{QStringLiteral("DriveComboBox1"), QStringLiteral("DirectoryListBox1"),
                              QStringLiteral("fileListView"), QStringLiteral("LMDButton3")}));

        // Alt+O opens Options; S is "Include Sub Dir". (Last: the offscreen
        // screen leaves the closed menu the active window.)
        QTest::keyClick(window.get(), Qt::Key_O, Qt::AltModifier);
        QTRY_VERIFY(MenuNamed(*window, "Options1")->isVisible());
        QTest::keyClick(MenuNamed(*window, "Options1"), Qt::Key_S);
        QTRY_VERIFY(window->form.subDir);
        QTRY_VERIFY(EntryNamed(*window, "subDir")->isChecked());
        QTRY_VERIFY(!MenuNamed(*window, "Options1")->isVisible());
    }

    // A folder dropped from the file manager is opened and scanned; files are listed as they are.
    void droppedFoldersAreScannedAndFilesListed() {
        const auto drop = [this](const QList<QUrl>& urls) {
            QMimeData data;
            data.setUrls(urls);
            QDragEnterEvent enter(QPoint(300, 200), Qt::CopyAction, &data, Qt::LeftButton,
                                  Qt::NoModifier);
            QApplication::sendEvent(window.get(), &enter);
            if (!enter.isAccepted())
                return false;
            QDropEvent dropped(QPointF(300, 200), Qt::CopyAction, &data, Qt::LeftButton,
                               Qt::NoModifier);
            QApplication::sendEvent(window.get(), &dropped);
            return dropped.isAccepted();
        };
        const auto url = [this](const std::string& relative) {
            // As a file manager sends it: the name's bytes percent-encoded, whatever their
            // encoding.
            return QUrl::fromEncoded("file://" +
                                     QByteArray::fromStdString((tree->path() / relative).string())
                                         .toPercentEncoding("/"));
        };
        QVERIFY(drop({url("songs")}));
        QCOMPARE(window->CurrentFolder(), (tree->path() / "songs").string());
        QTRY_COMPARE(window->fileListView->rowCount(), 2);
        QTRY_VERIFY(!window->form.ScanRunning());

        WriteBytes((tree->path() / "Caf\xe9.kar").string(), kKaraoke);
        QVERIFY(drop({url("Caf\xe9.kar"), url("songs/readme.txt")}));
        QTRY_COMPARE(window->fileListView->rowCount(), 2);
        QTRY_VERIFY(!window->form.ScanRunning());
        QCOMPARE(window->form.rows.front().path, (tree->path() / "Caf\xe9.kar").string());
        QCOMPARE(window->CurrentFolder(), (tree->path() / "songs").string());

        QVERIFY(!drop(
            {QUrl(QStringLiteral("https://example.org/song.kar"))})); // nothing local: refused
    }

    // The header reports the column; the core sorts. Paths fit by their middle, whole in the
    // tooltip.
    void theListSortsByItsHeaderAndFitsLongPaths() {
        const std::string deep =
            "songs/a rather long folder name/and another long one/deeper still";
        WriteBytes((tree->path() / deep / "one.kar").string(), kKaraoke);
        WriteBytes((tree->path() / deep / "two.kar").string(), Hex("00 01 02"));
        window->form.OpenFolder((tree->path() / deep).string());
        QTRY_COMPARE(window->fileListView->rowCount(), 2);
        QTRY_VERIFY(!window->form.ScanRunning());

        FileListView* list = window->fileListView;
        QVERIFY(!list->isSortingEnabled());
        const auto clickHeader = [list](int column) {
            QHeaderView* header = list->horizontalHeader();
            const QPoint at(header->sectionViewportPosition(column) +
                                header->sectionSize(column) / 2,
                            header->height() / 2);
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
        };
        clickHeader(2); // Status: "Bad" first
        QCOMPARE(list->item(0, 2)->text(), QStringLiteral("Bad"));
        clickHeader(2);
        QCOMPARE(list->item(0, 2)->text(), QStringLiteral("Good"));

        const QString whole = Local((tree->path() / deep / "one.kar").string());
        QCOMPARE(list->item(0, 0)->toolTip(), whole);
        QCOMPARE(list->FittedCaption(0, 5000), whole);
        const QString fitted = list->FittedCaption(
            0,
            list->fontMetrics().horizontalAdvance(QStringLiteral("/tmp/…/deeper still/one.kar")) +
                12);
        QVERIFY2(fitted.contains(QChar(0x2026)) &&
                     fitted.endsWith(QStringLiteral("/deeper still/one.kar")),
                 qPrintable(fitted));
        QVERIFY(list->fontMetrics().horizontalAdvance(fitted) <
                list->fontMetrics().horizontalAdvance(whole));

        // The narrow columns hold their header text and their widest content.
        for (int column = 1; column < 4; ++column) {
            const QString title = list->model()->headerData(column, Qt::Horizontal).toString();
            QVERIFY2(list->columnWidth(column) >
                         list->horizontalHeader()->fontMetrics().horizontalAdvance(title),
                     qPrintable(title));
        }
        QVERIFY(list->columnWidth(2) >
                list->fontMetrics().horizontalAdvance(QStringLiteral("Good")));
    }

    // What the window remembers comes back in the next run: a folder named in
    // Latin-1 byte for byte, the options, the geometry, the splitter and the
    // columns; a folder gone since leaves the pane where it starts.
    // The remembered folder moves the current one before the command line is
    // read; the file named there is still the one where the program started.
    void theCommandLineIsReadWhereTheProgramStarted() {
        TempDir config;
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           QString::fromStdString(config.str()));
        const std::string other = (tree->path() / "other").string();
        WriteBytes(other + "/good.kar", Hex("00 01 02"));
        QtSettingsStore().Write("Folder", other);
        fs::current_path(tree->path() / "songs");
        ProgramOfTest program({"good.kar"});
        QCOMPARE(RunWindowProgram(program), 0);
        QCOMPARE(program.folder, other);
        QCOMPARE(program.rows,
                 QStringList{Local((tree->path() / "songs/good.kar").string()) + "|Good"});
    }

    // QThread::start only warns when the system starts no thread; the window
    // must know, or the work it hands over would never run.
    void aThreadTheSystemDoesNotStartIsReported() {
        bool ran = false;
        std::unique_ptr<QThread> refused(QThread::create([&ran] { ran = true; }));
        refused->setStackSize(1); // below what any system allows
        QVERIFY_THROWS_EXCEPTION(std::system_error, StartThread(*refused));
        std::unique_ptr<QThread> started(QThread::create([&ran] { ran = true; }));
        StartThread(*started);
        started->wait();
        QVERIFY(ran);
    }

    // The choices the dialog adds keep clear of the design's controls, and
    // report to the core; "Keep sub-folders" only with "Always save to".
    void outputDialogAddsTheExistingFilesAndTreeChoices() {
        outPath->show();
        QVERIFY(QTest::qWaitForWindowExposed(outPath.get()));
        QCOMPARE(outPath->keepTree->text(), QStringLiteral("&Keep sub-folders"));
        QCOMPARE(outPath->existingLabel->text(), QStringLiteral("If a file exists:"));
        QCOMPARE((QStringList{outPath->existingReplace->text(), outPath->existingSkip->text(),
                              outPath->existingAsk->text()}),
                 (QStringList{QStringLiteral("&Replace"), QStringLiteral("&Skip"),
                              QStringLiteral("&Ask")}));
        QVERIFY(outPath->existingReplace->isChecked());
        QVERIFY(!outPath->keepTree->isEnabled());
        QCOMPARE(outPath->LMDButton2->geometry(), QRect(176, 104, 75, 25));
        const QList<QWidget*> placed = {
            outPath->Label1,       outPath->savePath,      outPath->Edit1,
            outPath->LMDButton1,   outPath->saveOri,       outPath->LMDButton2,
            outPath->keepTree,     outPath->existingLabel, outPath->existingReplace,
            outPath->existingSkip, outPath->existingAsk};
        for (QWidget* a : placed) {
            QVERIFY2(outPath->rect().contains(a->geometry()), qPrintable(a->objectName()));
            for (QWidget* b : placed)
                QVERIFY2(a == b || !a->geometry().intersects(b->geometry()),
                         qPrintable(a->objectName() + QStringLiteral(" on ") + b->objectName()));
        }
        // The text box that cannot be typed in does not look like one that can.
        QCOMPARE(outPath->Edit1->palette().color(QPalette::Base),
                 outPath->palette().color(QPalette::Window));

        outPath->savePath->click();
        QVERIFY(outPath->keepTree->isEnabled());
        outPath->keepTree->click();
        QVERIFY(outPath->form.KeepsTree());
        outPath->existingSkip->click();
        QCOMPARE(outPath->form.ifExists, ExistingChoice::Skip);
        outPath->saveOri->click();
        QVERIFY(!outPath->keepTree->isEnabled());
        QVERIFY2(outPath->keepTree->isChecked(), "kept for when it counts again");
        outPath->LMDButton2->click();
    }

    // Ask: one box with the four answers, No by default; "Save Report..."
    // in the summary asks where and writes the report, the box staying open.
    void existingFilesAreAskedAboutAndTheReportIsSaved() {
        const std::string out = (tree->path() / "out").string();
        WriteBytes(out + "/good.MID", Hex("6f 6c 64"));
        Open("songs");
        window->fileListView->selectAll();
        outPath->form.Choose(true);
        outPath->form.ChooseExisting(ExistingChoice::Ask);
        window->form.outputFolder = out;
        const std::string report = (tree->path() / "report.csv").string();
        QStringList asked;
        window->askSaveFile = [&](const QString& title, const QString& suggested) {
            asked << title + QLatin1Char('|') + suggested;
            return Local(report);
        };
        QStringList buttons;
        QString defaultButton;
        ModalAnswers modals;
        modals
            .Then(QStringLiteral("existingQuestion"),
                  [&](QWidget* w) {
                      auto* box = static_cast<QMessageBox*>(w);
                      for (QAbstractButton* button : box->buttons())
                          buttons << button->text();
                      defaultButton = box->defaultButton()->text();
                      box->buttons().at(1)->click(); // Yes to All
                  })
            .Then(QStringLiteral("summaryBox"), [](QWidget* w) {
                auto* box = static_cast<SummaryDialog*>(w);
                box->saveReport->click();
                QVERIFY(box->isVisible());
                box->ok->click();
            });
        QTest::mouseClick(window->LMDButton3, Qt::LeftButton);
        QTRY_VERIFY(modals.Done());
        QCOMPARE(buttons, (QStringList{QStringLiteral("&Yes"), QStringLiteral("Yes to &All"),
                                       QStringLiteral("&No"), QStringLiteral("N&o to All")}));
        QCOMPARE(defaultButton, QStringLiteral("&No"));
        QVERIFY(modals.seen.at(0).startsWith(
            QStringLiteral("Lyricast Convert|1 file to be written is there already:\n")));
        QCOMPARE(modals.seen.at(1), QStringLiteral("Lyricast Convert|1 file converted.\n1 "
                                                   "existing file replaced.\n1 file judged "
                                                   "\"Bad\" skipped."));
        QVERIFY2(outPath->existingReplace->isChecked(), "to All: the choice for later");
        QCOMPARE(asked,
                 QStringList{QStringLiteral("Save Report|") + Local(out + "/lyricast-report.csv")});
        const Bytes written = ReadBytes(report);
        QVERIFY(std::string(written.begin(), written.end())
                    .starts_with("source,output,result,reason,lyrics\r\n"));
    }

    // The Lyrics column fills once the scan's rows are in; the one row
    // selected shows its song in the pane, in the code page picked there.
    void theLyricsColumnFillsAndThePaneShowsTheSelectedSong() {
        WriteBytes((tree->path() / "songs/privet.kar").string(),
                   Smf(1, {Track("00 ff 01 06 cf f0 e8 e2 e5 f2  00 ff 2f 00")}));
        Open("songs");
        FileListView* list = window->fileListView;
        QCOMPARE(list->horizontalHeaderItem(4)->text(), QStringLiteral("Lyrics"));
        QTRY_VERIFY(window->form.LyricsColumnComplete());
        QStringList column;
        int privet = -1;
        for (int row = 0; row < list->rowCount(); ++row) {
            column << list->item(row, 4)->text();
            if (list->item(row, 0)->text().endsWith(QStringLiteral("privet.kar")))
                privet = row;
        }
        column.sort();
        QCOMPARE(column, (QStringList{QString(), QStringLiteral("1 / 1 lines"),
                                      QStringLiteral("1 / 2 lines")}));

        LyricsPaneWidget* pane = window->lyricsPane;
        QCOMPARE(pane->noteLabel->text(), QStringLiteral("Select a file to see its lyrics."));
        list->selectRow(privet);
        QTRY_VERIFY(pane->noteLabel->text().startsWith(QStringLiteral("Text shown in")));
        const auto pages = DisplayCodePages();
        const auto indexOf = [&pages](CodePage page) {
            return static_cast<int>(std::find(pages.begin(), pages.end(), page) - pages.begin());
        };
        QCOMPARE(pane->codePageCombo->count(), static_cast<int>(pages.size()));
        pane->codePageCombo->setCurrentIndex(indexOf(CodePage::Cyrillic1251));
        QCOMPARE(pane->linesBox->toPlainText(),
                 QString::fromUtf8("\u041f\u0440\u0438\u0432\u0435\u0442"));
        QVERIFY(pane->warningsLabel->isHidden());
        pane->codePageCombo->setCurrentIndex(indexOf(CodePage::Utf8));
        QVERIFY(pane->warningsLabel->text().contains(QStringLiteral("not valid in UTF-8")));
        QVERIFY(!pane->warningsLabel->isHidden());
        list->selectAll();
        QCOMPARE(pane->noteLabel->text(),
                 QStringLiteral("3 files selected: select one to see its lyrics."));
        QVERIFY(pane->linesBox->toPlainText().isEmpty());
    }

    // The file name column takes what the others leave as the window
    // changes; a selected row keeps its colour on a light fill; a long
    // status text gives up folders in its middle.
    void theListFillsItsWidthAndSelectedRowsKeepTheirColours() {
        Open("songs");
        FileListView* list = window->fileListView;
        const auto others = [list] {
            return list->columnWidth(1) + list->columnWidth(2) + list->columnWidth(3) +
                   list->columnWidth(4);
        };
        QCOMPARE(list->columnWidth(0) + others(), list->viewport()->width());
        window->resize(window->width() + 200, window->height());
        QTRY_COMPARE(list->columnWidth(0) + others(), list->viewport()->width());

        list->selectAll();
        const QImage image = list->viewport()->grab().toImage();
        const auto rowHas = [&](int row, QColor colour) {
            const QRect rect = list->visualRect(list->model()->index(row, 0));
            for (int y = rect.top(); y <= rect.bottom(); ++y)
                for (int x = rect.left(); x <= rect.right(); ++x)
                    if (image.pixelColor(x, y) == colour)
                        return true;
            return false;
        };
        const RowColour fill = TMainForm::SelectedRowFill();
        QVERIFY(rowHas(0, QColor(0, 0, 255)));
        QVERIFY(rowHas(1, QColor(0, 128, 0)));
        QVERIFY(rowHas(0, QColor(fill.red, fill.green, fill.blue)));

        const std::string path = "/home/someone/Karaoke/A long folder of songs/set 08/"
                                 "Youre_The_One.kar";
        window->ShowStatus({"Converting : ", path});
        const QString shown = window->StatusBar1->text();
        QVERIFY2(shown.startsWith(QStringLiteral("Converting : /home/")) &&
                     shown.contains(QChar(0x2026)) &&
                     shown.endsWith(QStringLiteral("/Youre_The_One.kar")),
                 qPrintable(shown));
        QVERIFY2(window->StatusBar1->fontMetrics().horizontalAdvance(shown) <=
                     window->StatusBar1->width(),
                 qPrintable(QStringLiteral("%1 in %2")
                                .arg(window->StatusBar1->fontMetrics().horizontalAdvance(shown))
                                .arg(window->StatusBar1->width())));
        QCOMPARE(window->StatusBar1->toolTip(), Local(path));
    }

    void settingsComeBackInTheNextRun() {
        TempDir config;
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           QString::fromStdString(config.str()));
        const std::string latin1 = (tree->path() / "Caf\xe9").string();
        fs::create_directories(latin1);
        window->ShowFolder(latin1);
        EntryNamed(*window, "subDir")->trigger();
        EntryNamed(*window, "ShowOnlyKAR1")->trigger();
        outPath->existingAsk->click();
        outPath->savePath->click();
        outPath->keepTree->click();
        window->Splitter2->setSizes({300, 477});
        window->lyricsSplitter->setSizes({200, 240});
        window->lyricsPane->codePageCombo->setCurrentIndex(3);
        window->fileListView->setColumnWidth(1, 88);
        window->resize(700, 480);
        const QList<int> sizes = window->Splitter2->sizes();
        const QList<int> paneSizes = window->lyricsSplitter->sizes();
        {
            QtSettingsStore store;
            window->SaveSettings(store);
        }
        QVERIFY(fs::exists(config.path() / "Lyricast" / "Lyricast Convert.ini"));

        const auto nextRun = [this] {
            outPath.reset();
            window = std::make_unique<MainWindow>();
            outPath = std::make_unique<OutPathDialog>(window.get());
            window->outPathForm = outPath.get();
            window->form.outPathForm = &outPath->form;
            QtSettingsStore store;
            window->RestoreSettings(store);
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        };
        nextRun();
        QCOMPARE(window->CurrentFolder(), latin1);
        QVERIFY(window->form.subDir);
        QVERIFY(EntryNamed(*window, "subDir")->isChecked());
        QVERIFY(!window->form.showOnlyKar);
        QVERIFY(outPath->existingAsk->isChecked());
        QVERIFY(outPath->keepTree->isChecked());
        QVERIFY(!EntryNamed(*window, "ShowOnlyKAR1")->isChecked());
        QCOMPARE(window->size(), QSize(700, 480));
        QCOMPARE(window->Splitter2->sizes(), sizes);
        QCOMPARE(window->lyricsSplitter->sizes(), paneSizes);
        QCOMPARE(window->lyricsPane->codePageCombo->currentIndex(), 3);
        QCOMPARE(window->fileListView->columnWidth(1), 88);
        QCOMPARE(window->fileListView->horizontalHeader()->sectionResizeMode(0),
                 QHeaderView::Stretch);

        fs::remove(latin1);
        outPath.reset();
        window.reset();
        fs::current_path(tree->path());
        ModalAnswers none;
        none.Close(QStringLiteral("errorBox"));
        nextRun();
        QCOMPARE(window->CurrentFolder(), tree->str()); // where a window starts: the current folder
        QVERIFY(!none.Done());                          // and no error box
    }
};

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "MainWindowTest.moc"
