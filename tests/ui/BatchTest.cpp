#include "WindowTestSupport.h"
#include "cli/Kar2mid.h"
#include "support/TempDir.h"
#include "ui/qt/FileListView.h"
#include "ui/qt/TApplication.h"
#include "ui/qt/TDirectoryListBox.h"
#include "ui/qt/TFolderBrowseDialog.h"
#include "ui/qt/OutPathDialog.h"

#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>
#include <sstream>
#include <unistd.h>

using namespace lyricast;
using namespace lyricast::test;
namespace fs = std::filesystem;

namespace {

const char* const kSources[][2] = {
    {"kar/HeyJude.kar", "HeyJude.kar"},
    {"malformed/namusic.mid", "NotMidi.kar"},
    {"kar/Negra_Sombra.kar", "Negra.Sombra.kar"},
    {"kar/twinkle.kar", "twinkle.KAR"},
};

std::vector<std::string> MidFiles(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".MID") names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

class BatchTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempDir> tree;
    std::unique_ptr<MainWindow> form;
    std::unique_ptr<OutPathDialog> outPath;
    std::string start;
    fs::path songs;

    // Rows, in walk order: HeyJude (good), Negra.Sombra (good), NotMidi (bad), twinkle (good).
    void Select(std::initializer_list<int> rows) {
        FileListView* list = form->fileListView;
        list->clearSelection();
        for (int row : rows)
            list->selectionModel()->select(list->model()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    void Convert() {
        QTest::mouseClick(form->LMDButton3, Qt::LeftButton);
        QTest::qWait(20);
    }

    void ChooseOutputFolder(const QString& folder) {
        ModalAnswers modals;
        modals.Then(QStringLiteral("LMDDirDlg1"), [folder](QWidget* dialog) {
            auto* browse = static_cast<TFolderBrowseDialog*>(dialog);
            browse->folderList->core.SetDirectory(folder.toStdString());
            browse->accept();
        });
        QTest::mouseClick(outPath->LMDButton1, Qt::LeftButton);
        QTRY_VERIFY(modals.Done());
        QTRY_COMPARE(QString::fromStdString(form->form.outputFolder), folder);
    }

private slots:
    void init() {
        if (!CorpusPresent()) QSKIP("the corpus folder ../shared/corpus is absent");
        start = fs::current_path().string();
        tree = std::make_unique<TempDir>();
        songs = tree->path() / "songs";
        for (const auto& [from, to] : kSources) CopyCorpus(from, songs / to);
        fs::create_directories(tree->path() / "out");

        form = std::make_unique<MainWindow>();
        outPath = std::make_unique<OutPathDialog>(form.get());
        form->outPathForm = outPath.get();
        form->form.outPathForm = &outPath->form;
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->DirectoryListBox1->core.SetDirectory(songs.string());
        form->form.DirectoryListBox1Change();
        QTRY_VERIFY(!ScanRunning(*form));
        QCOMPARE(form->fileListView->rowCount(), 4);
    }

    void cleanup() {
        outPath.reset();
        form.reset();
        tree.reset();
        if (!start.empty()) fs::current_path(start);
    }

    void convertsSelectedGoodRowsBesideTheirSources() {
        Select({0, 1, 2});
        QSignalSpy progress(form->ProgressBar1, &QProgressBar::valueChanged);
        Convert();
        QCOMPARE(form->ProgressBar1->maximum(), 3);
        QCOMPARE(progress.count(), 2);  // 0 was already the value: two steps, the bad row gives none
        QCOMPARE(progress.at(1).at(0).toInt(), 2);
        QCOMPARE(MidFiles(songs), (std::vector<std::string>{"HeyJude.MID", "Negra.Sombra.MID"}));
        QVERIFY(form->ProgressBar1->isHidden());
        QCOMPARE(form->StatusBar1->text(), QString());
        QCOMPARE(form->fileListView->selectionModel()->selectedRows().count(), 3);  // rows keep their selection
    }

    void nothingSelectedSaysSo() {
        form->fileListView->clearSelection();
        ModalAnswers modals;
        modals.Close(QStringLiteral("QMessageBox"));
        Convert();
        QTRY_VERIFY(modals.Done());
        QCOMPARE(modals.seen, QStringList{QStringLiteral("Lyricast Convert|Please select file/s")});
        QVERIFY(MidFiles(songs).empty());
        QVERIFY(form->ProgressBar1->isVisible());  // as the scan left it: the batch never started
    }

    void outputFolderDialogAcrossShowings() {
        // The menu shows the dialog modally.
        ModalAnswers shown;
        shown.Then(QStringLiteral("outPathForm"), [](QWidget* dialog) {
            static_cast<OutPathDialog*>(dialog)->LMDButton2->click();
        });
        form->SelectDestinationFolder1->trigger();
        QTRY_VERIFY(shown.Done());
        QTRY_VERIFY(!outPath->isVisible());

        // First showing: beside the sources, no folder, centred on the main window, fixed size.
        form->move(60, 40);
        outPath->show();
        QVERIFY(outPath->saveOri->isChecked());
        QVERIFY(!outPath->savePath->isChecked());
        QCOMPARE(outPath->Edit1->text(), QString());
        QVERIFY(outPath->Edit1->isReadOnly());
        QCOMPARE(outPath->windowTitle(), QStringLiteral("Output Path"));
        QCOMPARE(outPath->saveOri->text(), QStringLiteral("Save to original file's paht"));
        // Centred to within the dialog's own frame, which is known only once it is shown.
        QVERIFY((outPath->frameGeometry().center() - form->frameGeometry().center()).manhattanLength() <= 6);
        QCOMPARE(outPath->minimumSize(), outPath->maximumSize());

        // "..." and cancel: the choice becomes the folder, still none chosen.
        ModalAnswers cancel;
        cancel.Then(QStringLiteral("LMDDirDlg1"), [](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
        QTest::mouseClick(outPath->LMDButton1, Qt::LeftButton);
        QTRY_VERIFY(cancel.Done());
        QTRY_VERIFY(outPath->savePath->isChecked());
        QVERIFY(form->form.outputFolder.empty());
        QCOMPARE(outPath->Edit1->text(), QString());
        outPath->LMDButton2->click();
        QVERIFY(!outPath->isVisible());

        // Converting now would write into the root of the drive: refused.
        Select({0});
        ModalAnswers modals;
        modals.Close(QStringLiteral("QMessageBox"));
        Convert();
        QTRY_VERIFY(modals.Done());
        QCOMPARE(modals.seen, QStringList{QStringLiteral("Lyricast Convert|Please select an output folder")});
        QVERIFY(MidFiles(songs).empty());

        // A confirmed folder; the next browse starts there.
        const QString out = QString::fromStdString((tree->path() / "out").string());
        ChooseOutputFolder(out);
        QCOMPARE(outPath->Edit1->text(), out);
        QString startedAt;
        ModalAnswers again;
        again.Then(QStringLiteral("LMDDirDlg1"), [&startedAt](QWidget* dialog) {
            startedAt = QString::fromStdString(static_cast<TFolderBrowseDialog*>(dialog)->Folder());
            static_cast<QDialog*>(dialog)->reject();
        });
        QTest::mouseClick(outPath->LMDButton1, Qt::LeftButton);
        QTRY_VERIFY(again.Done());
        QCOMPARE(startedAt, out);
        QCOMPARE(QString::fromStdString(form->form.outputFolder), out);

        // Back to beside the sources: the folder is kept for later.
        outPath->saveOri->click();
        Select({0});
        Convert();
        QCOMPARE(MidFiles(songs), std::vector<std::string>{"HeyJude.MID"});
        QVERIFY(MidFiles(tree->path() / "out").empty());
        outPath->savePath->click();
        Select({1, 3});
        Convert();
        QCOMPARE(MidFiles(tree->path() / "out"), (std::vector<std::string>{"Negra.Sombra.MID", "twinkle.MID"}));
        QCOMPARE(outPath->Edit1->text(), out);
    }

    void outputsMatchTheCommandLineByteForByte() {
        ChooseOutputFolder(QString::fromStdString((tree->path() / "out").string()));
        Select({0, 1, 2, 3});
        Convert();
        fs::create_directories(tree->path() / "cli");
        std::ostringstream out, err;
        const std::vector<std::string> args{"--output-dir", (tree->path() / "cli").string(), songs.string()};
        QCOMPARE(RunKar2mid(args, out, err, false), 1);  // NotMidi.kar fails there too
        const auto written = MidFiles(tree->path() / "out");
        QCOMPARE(written.size(), std::size_t(3));
        QCOMPARE(written, MidFiles(tree->path() / "cli"));
        for (const std::string& name : written)
            QVERIFY2(ReadBytes((tree->path() / "out" / name).string()) == ReadBytes((tree->path() / "cli" / name).string()),
                     name.c_str());
    }

    void existingOutputIsReplaced() {
        WriteBytes((songs / "HeyJude.MID").string(), std::vector<std::uint8_t>(100000, 0xEE));
        Select({0});
        Convert();
        const auto bytes = ReadBytes((songs / "HeyJude.MID").string());
        QVERIFY(bytes.size() < 100000);
        QCOMPARE(std::string(bytes.begin(), bytes.begin() + 4), std::string("MThd"));
    }

    void outputFolderAtARoot() {
        const std::string root = PathRules::Native().separator == '/' ? "/" : "C:\\";
        if (::access(root.c_str(), W_OK) != 0) QSKIP("the root folder cannot be written here");
        // A name of its own, removed again afterwards.
        const std::string name = "lyricast-root-test-" + std::to_string(::getpid());
        fs::rename(songs / "twinkle.KAR", songs / (name + ".kar"));
        form->form.DirectoryListBox1Change();
        QTRY_VERIFY(!ScanRunning(*form));
        ChooseOutputFolder(QString::fromStdString(root));
        Select({1});  // the renamed file now comes second
        QCOMPARE(form->fileListView->Caption(1), QString::fromStdString((songs / (name + ".kar")).string()));
        Convert();
        const fs::path written = fs::path(root) / (name + ".MID");
        const bool exists = fs::exists(written);
        fs::remove(written);
        QVERIFY(exists);
    }

    void unwritableOutputFolderStopsTheBatchWithAnError() {
        const std::string gone = (tree->path() / "gone").string();
        fs::create_directories(gone);
        ChooseOutputFolder(QString::fromStdString(gone));
        fs::remove(gone);
        Select({0, 2, 3});
        ModalAnswers modals;
        modals.Close(QStringLiteral("errorBox"));
        Convert();
        QTRY_VERIFY(modals.Done());
        QCOMPARE(modals.seen, QStringList{QStringLiteral("Lyricast Convert|Cannot create file %1/HeyJude.MID.")
                                              .arg(QString::fromStdString(gone))});
        QVERIFY(form->ProgressBar1->isVisible());
        QCOMPARE(form->ProgressBar1->value(), 0);
        QCOMPARE(form->StatusBar1->text(), QStringLiteral("Converting : ") + form->fileListView->Caption(0));
        QVERIFY(MidFiles(songs).empty());
    }

    void browseDialogMakesNewFolders() {
        TFolderBrowseDialog browse(outPath.get(), QStringLiteral("Output Folder"), (tree->path() / "out").string());
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
        QVERIFY(fs::is_directory(tree->path() / "out/Fresh"));
        QCOMPARE(browse.Folder(), (tree->path() / "out/Fresh").string());
        QCOMPARE(modals.seen.at(2), QStringLiteral("Lyricast Convert|IO-Error!\nCould not create folder."));
        QVERIFY(!fs::exists(tree->path() / "out/Fresh/nowhere"));
    }
};

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    BatchTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "BatchTest.moc"
