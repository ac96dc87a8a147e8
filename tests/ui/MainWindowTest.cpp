// The Qt window as a view of the window core: what it draws and what it
// reports. What the window decides is tested through fake views in
// tests/window; here the real widgets are driven as a person would.
#include "WindowTestSupport.h"
#include "platform/FileError.h"
#include "support/SmfBuilder.h"
#include "support/TempDir.h"
#include "ui/qt/FileListView.h"
#include "ui/qt/OutPathDialog.h"
#include "ui/qt/TAboutBox.h"
#include "ui/qt/TApplication.h"
#include "ui/qt/TDirectoryListBox.h"
#include "ui/qt/TFolderBrowseDialog.h"
#include "window/ErrorBox.h"

#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <filesystem>

using namespace lyricast;
using namespace lyricast::test;
namespace fs = std::filesystem;

namespace {

const Bytes kKaraoke = Smf(1, {Track("00 ff 01 03 61 2f 62  00 ff 2f 00"), Track("00 91 3c 64  00 ff 2f 00")});

int ItemIndex(const TDirectoryListBox* list, const std::string& text) {
    for (int i = 0; i < list->count(); ++i)
        if (list->core.ItemText(i) == text) return i;
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

QStringList Rows(const MainWindow& window) {
    QStringList rows;
    const FileListView* list = window.fileListView;
    for (int r = 0; r < list->rowCount(); ++r)
        rows << QStringList{QString::fromLocal8Bit(fs::path(list->item(r, 0)->text().toLocal8Bit().toStdString())
                                                       .filename()
                                                       .string()),
                            list->item(r, 1)->text(), list->item(r, 2)->text(), list->item(r, 3)->text(),
                            QString::number(list->GoodMark(r))}
                    .join(QLatin1Char('|'));
    return rows;
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
        QCOMPARE(window->windowTitle(), QStringLiteral("Lyricast Convert Vers. 2.1 By Lyricast Team"));
        QStringList menus;
        for (QAction* menu : window->menuBar()->actions()) menus << menu->text();
        QCOMPARE(menus, (QStringList{QStringLiteral("File"), QStringLiteral("Options"), QStringLiteral("Help")}));
        QCOMPARE(window->ShowOnlyKAR1->text(), QStringLiteral("Show Only  KAR"));
        QVERIFY(window->ShowOnlyKAR1->isChecked());
        QVERIFY(!window->subDir->isChecked());
        QCOMPARE(window->LMDButton3->text(), QStringLiteral("Convert File/s"));
        QVERIFY(window->ProgressBar1->isHidden());
        QCOMPARE(window->StatusBar1->width(), 300);
        QCOMPARE(window->fileListView->rowCount(), 0);
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
            const QRect rect = window->fileListView->visualRect(window->fileListView->model()->index(row, 0));
            for (int y = rect.top(); y <= rect.bottom(); ++y)
                for (int x = rect.left(); x <= rect.right(); ++x)
                    if (image.pixelColor(x, y) == colour) return true;
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
        QCOMPARE(modals.seen, QStringList{QStringLiteral("Lyricast Convert|1 file converted.\n1 file judged \"Bad\" skipped.")});
        QVERIFY(fs::exists(tree->path() / "songs/good.MID"));
        QVERIFY(!fs::exists(tree->path() / "songs/notmidi.MID"));
        QVERIFY(window->ProgressBar1->isHidden());
        QCOMPARE(window->LMDButton3->text(), QStringLiteral("Convert File/s"));
        QCOMPARE(window->fileListView->selectionModel()->selectedRows().count(), 2);  // rows keep their selection
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
        window->SelectDestinationFolder1->trigger();
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
        QVERIFY((outPath->frameGeometry().center() - window->frameGeometry().center()).manhattanLength() <= 6);
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

    void browseDialogMakesNewFolders() {
        TFolderBrowseDialog browse(outPath.get(), QStringLiteral("Output Folder"), tree->str());
        QCOMPARE(browse.windowTitle(), QStringLiteral("Output Folder"));
        ModalAnswers modals;
        modals.Then(QStringLiteral("QInputDialog"), [](QWidget* w) {
                  auto* input = static_cast<QInputDialog*>(w);
                  input->setTextValue(QStringLiteral("Fresh"));
                  input->accept();
              })
            .Then(QStringLiteral("QInputDialog"), [](QWidget* w) {
                auto* input = static_cast<QInputDialog*>(w);
                input->setTextValue(QStringLiteral("nowhere/deeper"));
                input->accept();
            })
            .Close(QStringLiteral("QMessageBox"))
            .Then(QStringLiteral("LMDDirDlg1"), [](QWidget* w) { static_cast<QDialog*>(w)->accept(); });
        QTimer::singleShot(0, [&browse] { browse.newFolderButton->click(); });
        QTimer::singleShot(200, [&browse] { browse.newFolderButton->click(); });
        QCOMPARE(browse.exec(), int(QDialog::Accepted));
        QVERIFY(modals.Done());
        QVERIFY(fs::is_directory(tree->path() / "Fresh"));
        QCOMPARE(browse.Folder(), (tree->path() / "Fresh").string());
        QCOMPARE(modals.seen.at(2), QStringLiteral("Lyricast Convert|IO-Error!\nCould not create folder."));
    }

    void menuEntriesReachTheCore() {
        std::vector<std::string> opened;
        window->shellOpen = [&](const std::string& path) { opened.push_back(path); };
        window->form.programFolder = tree->str() + "/";
        WriteBytes((tree->path() / "Help/Help.html").string(), Hex("3c 68 74 6d 6c 3e"));
        window->Help2->trigger();
        QCOMPARE(opened, std::vector<std::string>{tree->str() + "//Help/Help.html"});

        window->subDir->trigger();
        QVERIFY(window->form.subDir);
        QVERIFY(window->subDir->isChecked());

        ModalAnswers modals;
        modals.Close(QStringLiteral("LMDAboutDlg1"));
        window->About1->trigger();
        QTRY_VERIFY(modals.Done());
        QCOMPARE(window->LMDAboutDlg1->findChild<QLabel*>(QStringLiteral("versionText"))->text(), QStringLiteral("Vers. 2.1"));
        window->Exit1->trigger();
        QTRY_VERIFY(!window->isVisible());
    }

    void anErrorOfAHandlerIsShownInTheErrorBox() {
        ModalAnswers modals;
        modals.Close(QStringLiteral("errorBox"));
        CallHandler(*window, [] { throw FileError::CannotCreate("x.MID", "No space left on device"); });
        QTRY_VERIFY(modals.Done());
        QCOMPARE(modals.seen, QStringList{QStringLiteral("Lyricast Convert|Cannot create file x.MID.\nNo space left on device")});
        QVERIFY(window->isVisible());  // and the program goes on
    }

    void closingDuringALongScanStopsIt() {
        for (int i = 0; i < 300; ++i)
            WriteBytes((tree->path() / ("many/f" + std::to_string(i) + "/t.kar")).string(), kKaraoke);
        window->DirectoryListBox1->core.SetDirectory((tree->path() / "songs").string());
        window->DirectoryListBox1->core.SetDirectory(tree->str());
        window->subDir->trigger();
        DoubleClickFolder(*window, "many");
        window->close();
        QTRY_VERIFY(!window->isVisible());
        outPath.reset();
        window.reset();  // waits for the scan's worker: no thread left, no hang
    }
};

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "MainWindowTest.moc"
