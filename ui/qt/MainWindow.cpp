#include "ui/qt/MainWindow.h"

#include "platform/ShellOpen.h"
#include "ui/qt/AppIcon.h"
#include "ui/qt/ErrorBox.h"
#include "ui/qt/FileListView.h"
#include "ui/qt/LyricStyleDialog.h"
#include "ui/qt/LyricsPaneWidget.h"
#include "ui/qt/OutPathDialog.h"
#include "ui/qt/QtSettingsStore.h"
#include "ui/qt/StartThread.h"
#include "ui/qt/SummaryDialog.h"
#include "ui/qt/TAboutBox.h"
#include "ui/qt/TDirectoryListBox.h"
#include "ui/qt/TDriveComboBox.h"
#include "ui/qt/TFileListBox.h"
#include "window/AppInfo.h"
#include "window/ErrorBox.h"
#include "window/FileColumns.h"
#include "window/MainMenu.h"
#include "window/StatusText.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QThread>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace lyricast {
namespace {

QFrame* Panel(const char* name, QWidget* parent, QFrame::Shape shape = QFrame::NoFrame) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameShape(shape);
    if (shape != QFrame::NoFrame)
        panel->setFrameShadow(QFrame::Raised);
    return panel;
}

std::string Bytes(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// The local files among the dragged URLs, as the system's bytes.
std::vector<std::string> DroppedPaths(const QMimeData* data) {
    std::vector<std::string> paths;
    if (data == nullptr || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls())
        // The URL's own percent-encoded bytes, not its decoded text: a name
        // that is not valid in the locale's encoding keeps its bytes.
        if (url.isLocalFile())
            paths.push_back(
                Bytes(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1())));
    return paths;
}

QString Local(const std::string& bytes) {
    return QString::fromLocal8Bit(bytes);
}

// A dialog opened from a box that is open goes over that box.
QWidget* ModalParent(QWidget* window) {
    QWidget* modal = QApplication::activeModalWidget();
    return modal != nullptr ? modal : window;
}

constexpr const char* kGeometryKey = "Window/Geometry";
constexpr const char* kSplitterKey = "Window/Splitter";
constexpr const char* kColumnsKey = "Window/Columns";
constexpr const char* kLyricsSplitterKey = "Window/LyricsSplitter";

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), form(*this), shellOpen(ShellOpen), fileManager(ShellOpenFolder),
      askFolder([this](const QString& title, const QString& start) {
          return QFileDialog::getExistingDirectory(this, title, start);
      }),
      askSaveFile([this](const QString& title, const QString& suggested) {
          return QFileDialog::getSaveFileName(ModalParent(this), title, suggested,
                                              QStringLiteral("CSV (*.csv)"));
      }) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowIcon(AppIcon());
    CreateMenus();
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Splitter2 = new QSplitter(Qt::Horizontal, central);
    Splitter2->setObjectName(QStringLiteral("Splitter2"));
    Splitter2->setHandleWidth(4);
    Splitter2->setChildrenCollapsible(false);
    layout->addWidget(Splitter2, 1);
    setCentralWidget(central);
    CreateLeftPane();
    CreateListPane();
    Splitter2->setSizes({233, 544});
    CreateBottomBar();
    layout->addWidget(LMDPanelFill2);
    CreateStatusBar();
    LMDAboutDlg1 = new TAboutBox(this);
    SetTabOrder();
    setAcceptDrops(true);
    move(187, 112);
    resize(781, 464 + menuBar()->sizeHint().height());
    setWindowTitle(QString::fromStdString(MainWindowCaption()));
}

MainWindow::~MainWindow() {
    form.FinishWork();
}

// Every menu, entry, separator and key as MainMenu describes them, each
// entry calling its handler and the check marks following the options.
void MainWindow::CreateMenus() {
    for (const Menu& menu : MainMenu()) {
        QMenu* shown = menuBar()->addMenu(QString::fromLatin1(menu.caption));
        shown->setObjectName(QString::fromLatin1(menu.name));
        for (const MenuEntry& entry : menu.entries) {
            QAction* action = entry.IsSeparator()
                                  ? shown->addSeparator()
                                  : shown->addAction(QString::fromLatin1(entry.caption));
            action->setObjectName(QString::fromLatin1(entry.name));
            if (entry.IsSeparator())
                continue;
            action->setShortcut(QKeySequence(QString::fromStdString(KeyText(entry.key)),
                                             QKeySequence::PortableText));
            action->setCheckable(entry.checked != nullptr);
            if (entry.checked != nullptr)
                checkedEntries_.emplace_back(&entry, action);
            connect(action, &QAction::triggered, this, [this, handler = entry.handler] {
                CallHandler(*this, [this, handler] { (form.*handler)(); });
                ShowMenuChecks();
            });
        }
    }
    ShowMenuChecks();
}

void MainWindow::ShowMenuChecks() {
    for (const auto& [entry, action] : checkedEntries_)
        action->setChecked(entry->checked(form));
}

// Tab walks the drive box, the folder list, the file list and the convert button.
void MainWindow::SetTabOrder() {
    setTabOrder(DriveComboBox1, DirectoryListBox1);
    setTabOrder(DirectoryListBox1, fileListView);
    setTabOrder(fileListView, LMDButton3);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedPaths(event->mimeData()).empty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    std::vector<std::string> paths = DroppedPaths(event->mimeData());
    if (paths.empty())
        return;
    event->acceptProposedAction();
    CallHandler(*this, [this, &paths] { form.OpenPaths(std::move(paths)); });
}

void MainWindow::RestoreSettings(QtSettingsStore& store) {
    CallHandler(*this, [this, &store] { form.RestoreSettings(store); });
    ShowMenuChecks();
    QSettings& own = store.Toolkit();
    if (const QByteArray geometry = own.value(QString::fromLatin1(kGeometryKey)).toByteArray();
        !geometry.isEmpty())
        restoreGeometry(geometry);
    Splitter2->restoreState(own.value(QString::fromLatin1(kSplitterKey)).toByteArray());
    lyricsSplitter->restoreState(own.value(QString::fromLatin1(kLyricsSplitterKey)).toByteArray());
    RestoreColumns(own.value(QString::fromLatin1(kColumnsKey)).toByteArray());
}

void MainWindow::SaveSettings(QtSettingsStore& store) {
    form.SaveSettings(store);
    QSettings& own = store.Toolkit();
    own.setValue(QString::fromLatin1(kGeometryKey), saveGeometry());
    own.setValue(QString::fromLatin1(kSplitterKey), Splitter2->saveState());
    own.setValue(QString::fromLatin1(kLyricsSplitterKey), lyricsSplitter->saveState());
    own.setValue(QString::fromLatin1(kColumnsKey), fileListView->horizontalHeader()->saveState());
    own.sync();
}

void MainWindow::CreateLeftPane() {
    LMDPanelFill1 = Panel("LMDPanelFill1", Splitter2, QFrame::Panel);
    auto* layout = new QVBoxLayout(LMDPanelFill1);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);

    Panel1 = Panel("Panel1", LMDPanelFill1);
    Panel1->setFixedHeight(33);
    DriveComboBox1 = new TDriveComboBox(Panel1);
    DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
    DriveComboBox1->setGeometry(6, 5, 225, 19);
    layout->addWidget(Panel1);

    Panel2 = Panel("Panel2", LMDPanelFill1);
    auto* folderArea = new QVBoxLayout(Panel2);
    folderArea->setContentsMargins(0, 0, 0, 0);
    DirectoryListBox1 = new TDirectoryListBox(Panel2);
    DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
    folderArea->addWidget(DirectoryListBox1);
    layout->addWidget(Panel2, 1);

    FileListBox1 = new TFileListBox(LMDPanelFill1);
    FileListBox1->setObjectName(QStringLiteral("FileListBox1"));
    FileListBox1->setFixedHeight(0);
    FileListBox1->hide();
    layout->addWidget(FileListBox1);

    DriveComboBox1->SetDirList(DirectoryListBox1);
    DirectoryListBox1->SetFileList(FileListBox1);
    // The pane's handlers run where its widgets call them; their errors come here.
    DriveComboBox1->showError = [this](const std::string& text) { ShowError(text); };
    DirectoryListBox1->showError = [this](const std::string& text) { ShowError(text); };
    form.LinkFolderList(DirectoryListBox1->core);
}

// Column widths saved by a version with other columns are left alone: the
// header would take their number with them.
void MainWindow::RestoreColumns(const QByteArray& state) {
    QHeaderView* header = fileListView->horizontalHeader();
    const QByteArray fresh = header->saveState();
    if (header->restoreState(state) && header->count() != static_cast<int>(FileColumns().size()))
        header->restoreState(fresh);
    fileListView->FillWidth();
}

void MainWindow::CreateListPane() {
    LMDPanelFill3 = Panel("LMDPanelFill3", Splitter2, QFrame::Panel);
    auto* layout = new QVBoxLayout(LMDPanelFill3);
    layout->setContentsMargins(1, 1, 1, 1);
    lyricsSplitter = new QSplitter(Qt::Vertical, LMDPanelFill3);
    lyricsSplitter->setObjectName(QStringLiteral("lyricsSplitter"));
    lyricsSplitter->setHandleWidth(4);
    lyricsSplitter->setChildrenCollapsible(false);
    fileListView = new FileListView(lyricsSplitter);
    fileListView->customDrawItem = [](int goodMark, QStyleOptionViewItem& option) {
        const RowColour colour = TMainForm::fileListViewCustomDrawItem(goodMark);
        const RowColour fill = TMainForm::SelectedRowFill();
        const QColor text(colour.red, colour.green, colour.blue);
        option.palette.setColor(QPalette::Text, text);
        option.palette.setColor(QPalette::HighlightedText, text);
        option.palette.setColor(QPalette::Highlight, QColor(fill.red, fill.green, fill.blue));
    };
    lyricsPane = new LyricsPaneWidget(lyricsSplitter);
    lyricsPane->showError = [this](const std::string& text) { ShowError(text); };
    lyricsSplitter->addWidget(fileListView);
    lyricsSplitter->addWidget(lyricsPane);
    lyricsSplitter->setStretchFactor(0, 1);
    lyricsSplitter->setSizes({290, 150});
    layout->addWidget(lyricsSplitter);
    // The core sorts the rows; the header only reports which column was clicked.
    connect(fileListView->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) {
                CallHandler(*this, [this, column] { form.fileListViewColumnClick(column); });
            });
    connect(fileListView, &QTableWidget::itemSelectionChanged, this,
            [this] { CallHandler(*this, [this] { form.fileListViewSelectItem(); }); });
    form.LinkLyricsPane(lyricsPane->core);
}

void MainWindow::CreateBottomBar() {
    LMDPanelFill2 = Panel("LMDPanelFill2", centralWidget(), QFrame::Panel);
    LMDPanelFill2->setFixedHeight(28);
    auto* layout = new QHBoxLayout(LMDPanelFill2);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    ProgressBar1 = new QProgressBar(LMDPanelFill2);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->hide();
    layout->addWidget(ProgressBar1, 1);

    LMDPanelFill4 = Panel("LMDPanelFill4", LMDPanelFill2);
    LMDPanelFill4->setFixedWidth(209);
    LMDButton3 = new QPushButton(Local(form.LMDButton3Caption()), LMDPanelFill4);
    LMDButton3->setObjectName(QStringLiteral("LMDButton3"));
    LMDButton3->setGeometry(30, 2, 163, 25);
    connect(LMDButton3, &QPushButton::clicked, this,
            [this] { CallHandler(*this, [this] { form.LMDButton3Click(); }); });
    layout->addWidget(LMDPanelFill4, 0, Qt::AlignRight); // docked right, bar shown or not
}

void MainWindow::CreateStatusBar() {
    StatusBar1 = new QLabel(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedWidth(300);
    statusBar()->addWidget(StatusBar1);
    StatusBar2 = new QLabel(this);
    StatusBar2->setObjectName(QStringLiteral("StatusBar2"));
    statusBar()->addWidget(StatusBar2, 1);
    statusBar()->setSizeGripEnabled(true);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        form.FormShow(Bytes(
            QFile::encodeName(QDir::toNativeSeparators(QCoreApplication::applicationFilePath()))));
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A batch ends after the files being converted; the program then exits.
    form.StopWork();
    QMainWindow::closeEvent(event);
}

void MainWindow::ClearRows() {
    fileListView->setRowCount(0);
}

void MainWindow::AddRows(std::span<const FileRow> rows) {
    fileListView->setUpdatesEnabled(false);
    for (const FileRow& row : rows) {
        QStringList texts;
        for (const std::string& text : RowTexts(row))
            texts << Local(text);
        fileListView->AddRow(QByteArray::fromStdString(row.path), texts, row.GoodMark());
    }
    fileListView->setUpdatesEnabled(true);
}

void MainWindow::ShowLyricsCells(std::span<const LyricsCell> cells) {
    const int column = static_cast<int>(kLyricsColumn);
    for (const LyricsCell& cell : cells)
        if (QTableWidgetItem* item = fileListView->item(static_cast<int>(cell.row), column))
            item->setText(
                QString::fromUtf8(cell.text.data(), static_cast<qsizetype>(cell.text.size())));
}

std::vector<std::size_t> MainWindow::SelectedRows() const {
    std::vector<std::size_t> selected;
    for (int row = 0; row < fileListView->rowCount(); ++row)
        if (fileListView->item(row, 0)->isSelected())
            selected.push_back(static_cast<std::size_t>(row));
    return selected;
}

void MainWindow::ShowProgress(int position, int maximum) {
    ProgressBar1->setMaximum(maximum);
    ProgressBar1->setValue(position);
    ProgressBar1->show();
}

void MainWindow::HideProgress() {
    ProgressBar1->hide();
}

void MainWindow::ShowStatus(const StatusText& status) {
    const QFontMetrics metrics = StatusBar1->fontMetrics();
    const int room = StatusBar1->contentsRect().width() - 2 * StatusBar1->margin();
    static const std::string ellipsis = QString(QChar(0x2026)).toLocal8Bit().toStdString();
    StatusBar1->setText(
        Local(FittedStatus(status, PathRules::Native(), ellipsis, [&](const std::string& text) {
            return metrics.horizontalAdvance(Local(text)) <= room;
        })));
    StatusBar1->setToolTip(Local(status.path));
    StatusBar1->repaint();
}

void MainWindow::ShowCounts(const std::string& text) {
    StatusBar2->setText(Local(text));
}

void MainWindow::ShowConvertCaption(const std::string& caption) {
    LMDButton3->setText(Local(caption));
}

void MainWindow::ShowMessage(const std::string& text) {
    QMessageBox box(QMessageBox::Information, QString::fromStdString(kApplicationTitle),
                    Local(text), QMessageBox::Ok, this);
    box.exec();
}

void MainWindow::ShowError(const std::string& text) {
    ShowErrorBox(Local(text), this);
}

bool MainWindow::ShowSummary(const BatchSummary& summary, const std::string& folder,
                             const std::function<void()>& saveReport) {
    SummaryDialog box(summary, Local(folder), this);
    box.onSaveReport = [this, &saveReport] { CallHandler(*this, saveReport); };
    box.exec();
    return box.OpenFolderChosen();
}

ExistingAnswer MainWindow::AskAboutExisting(const std::string& question) {
    QMessageBox box(QMessageBox::Question, QString::fromStdString(kApplicationTitle),
                    Local(question), QMessageBox::NoButton, this);
    box.setObjectName(QStringLiteral("existingQuestion"));
    std::vector<std::pair<QAbstractButton*, ExistingAnswer>> buttons;
    for (const ExistingAnswerButton& button : ExistingAnswerButtons()) {
        QPushButton* shown =
            box.addButton(QString::fromLatin1(button.caption), QMessageBox::ActionRole);
        buttons.emplace_back(shown, button.answer);
        if (button.answer == kExistingAnswerByDefault) {
            box.setDefaultButton(shown);
            box.setEscapeButton(shown);
        }
    }
    box.exec();
    for (const auto& [button, answer] : buttons)
        if (box.clickedButton() == button)
            return answer;
    return kExistingAnswerByDefault;
}

std::string MainWindow::CurrentFolder() const {
    return DirectoryListBox1->core.Directory();
}

void MainWindow::ShowFolder(const std::string& folder) {
    DirectoryListBox1->core.SetDirectory(folder);
}

void MainWindow::StartWorker(std::function<void()> work) {
    std::erase_if(workers_, [](const QPointer<QThread>& worker) { return worker.isNull(); });
    QThread* worker = QThread::create(std::move(work));
    connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    try {
        StartThread(*worker);
    } catch (...) {
        delete worker;
        throw;
    }
    workers_.emplace_back(worker);
}

// Queued on the window: a step still waiting when the window goes is dropped with it.
void MainWindow::PostToUi(std::function<void()> step) {
    QMetaObject::invokeMethod(this, std::move(step), Qt::QueuedConnection);
}

// Workers never wait for the UI thread, so they end without its help.
void MainWindow::WaitForWorkers() {
    for (const QPointer<QThread>& worker : workers_)
        if (worker)
            worker->wait();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    workers_.clear();
}

std::optional<std::string> MainWindow::AskFolder(const std::string& title,
                                                 const std::string& start) {
    const QString folder = askFolder(Local(title), Local(start));
    if (folder.isEmpty())
        return std::nullopt;
    return Bytes(QFile::encodeName(folder));
}

std::optional<std::string> MainWindow::AskSaveFile(const std::string& title,
                                                   const std::string& suggested) {
    const QString file = askSaveFile(Local(title), Local(suggested));
    if (file.isEmpty())
        return std::nullopt;
    return Bytes(QFile::encodeName(file));
}

void MainWindow::ShowOutputDialog() {
    if (outPathForm != nullptr)
        outPathForm->exec();
}

void MainWindow::ShowLyricStyleDialog() {
    LyricStyleDialog dialog(this);
    dialog.exec();
}

void MainWindow::ShowAbout() {
    LMDAboutDlg1->exec();
}

void MainWindow::CloseWindow() {
    close();
}

void MainWindow::OpenDocument(const std::string& path) {
    shellOpen(path);
}

bool MainWindow::OpenInFileManager(const std::string& folder) {
    return fileManager(folder);
}

} // namespace lyricast
