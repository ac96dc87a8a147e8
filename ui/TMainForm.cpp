#include "ui/TMainForm.h"

#include "platform/PathRules.h"
#include "platform/ShellOpen.h"
#include "scan/FileScanning.h"
#include "ui/ErrorBox.h"
#include "ui/FileListView.h"
#include "ui/TAboutBox.h"
#include "ui/TDirectoryListBox.h"
#include "ui/TDriveComboBox.h"
#include "ui/TFileListBox.h"
#include "ui/ToutPathForm.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QStyleOptionViewItem>
#include <QVBoxLayout>
#include <filesystem>

namespace lyricast {
namespace {

QFrame* Panel(const char* name, QWidget* parent, QFrame::Shape shape = QFrame::NoFrame) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameShape(shape);
    if (shape != QFrame::NoFrame) panel->setFrameShadow(QFrame::Raised);
    return panel;
}

QString NativeSeparator() { return QString(QLatin1Char(PathRules::Native().separator)); }

} // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent), shellOpen(ShellOpen) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowIcon(QIcon(QStringLiteral(":/lyricast-convert.png")));
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
    move(187, 112);
    resize(781, 464 + menuBar()->sizeHint().height());
    FormCreate();
}

TMainForm::~TMainForm() {
    FinishScans();
    FormDestroy();
}

void TMainForm::CreateMenus() {
    File1 = menuBar()->addMenu(QStringLiteral("File"));
    Exit1 = AddMenuEntry(File1, "Exit1", "Exit", &TMainForm::Exit1Click);

    Options1 = menuBar()->addMenu(QStringLiteral("Options"));
    ShowOnlyKAR1 = AddMenuEntry(Options1, "ShowOnlyKAR1", "Show Only  KAR", &TMainForm::ShowOnlyKAR1Click);
    ShowOnlyKAR1->setCheckable(true);
    ShowOnlyKAR1->setChecked(true);
    Options1->addSeparator();
    SelectDestinationFolder1 = AddMenuEntry(Options1, "SelectDestinationFolder1", "Select Output Folder",
                                            &TMainForm::SelectDestinationFolder1Click);
    Options1->addSeparator();
    subDir = AddMenuEntry(Options1, "subDir", "Include Sub Dir", &TMainForm::subDirClick);
    subDir->setCheckable(true);

    Help1 = menuBar()->addMenu(QStringLiteral("Help"));
    Help2 = AddMenuEntry(Help1, "Help2", "Help", &TMainForm::Help2Click);
    Help1->addSeparator();
    About1 = AddMenuEntry(Help1, "About1", "About", &TMainForm::About1Click);
}

// Handlers run in a queued call after the menu or button has done its part,
// so an error they raise leaves through the application's event dispatch
// (and its error box) rather than through the widget's own code.
QAction* TMainForm::AddMenuEntry(QMenu* menu, const char* name, const char* caption, void (TMainForm::*handler)()) {
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, handler, Qt::QueuedConnection);
    return action;
}

void TMainForm::CreateLeftPane() {
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
    connect(DirectoryListBox1, &TDirectoryListBox::OnDblClick, this, &TMainForm::DirectoryListBox1DblClick);
    connect(FileListBox1, &TFileListBox::OnChange, this, &TMainForm::FileListBox1Change);
}

void TMainForm::CreateListPane() {
    LMDPanelFill3 = Panel("LMDPanelFill3", Splitter2, QFrame::Panel);
    auto* layout = new QVBoxLayout(LMDPanelFill3);
    layout->setContentsMargins(1, 1, 1, 1);
    fileListView = new FileListView(LMDPanelFill3);
    fileListView->customDrawItem = [this](int goodMark, QStyleOptionViewItem& option) {
        fileListViewCustomDrawItem(goodMark, option);
    };
    layout->addWidget(fileListView);
}

void TMainForm::CreateBottomBar() {
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
    LMDButton3 = new QPushButton(QStringLiteral("Convert File/s"), LMDPanelFill4);
    LMDButton3->setObjectName(QStringLiteral("LMDButton3"));
    LMDButton3->setGeometry(30, 2, 163, 25);
    connect(LMDButton3, &QPushButton::clicked, this, &TMainForm::LMDButton3Click, Qt::QueuedConnection);
    layout->addWidget(LMDPanelFill4, 0, Qt::AlignRight);  // docked right, bar shown or not
}

void TMainForm::CreateStatusBar() {
    StatusBar1 = new QLabel(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedWidth(300);
    statusBar()->addWidget(StatusBar1);
    statusBar()->setSizeGripEnabled(true);
}

void TMainForm::FormCreate() {
    smfFile = std::make_unique<TSmfFile>();
    scanIndex = 0;
    scanThreads = {};
    setWindowTitle(QStringLiteral("Lyricast Convert ") + kVersionText + QStringLiteral(" By ") + kMakerName);
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TMainForm::FormShow() {
    programFolder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath()) + NativeSeparator();
}

void TMainForm::FormDestroy() { smfFile.reset(); }

void TMainForm::closeEvent(QCloseEvent* event) {
    // A walk may be running below this handler; it unwinds at its next check point.
    StopScans();
    QMainWindow::closeEvent(event);
}

void TMainForm::StopScans() {
    for (ScanSlot& slot : scanThreads)
        if (slot.scan) slot.scan->Stop();
}

void TMainForm::FinishScans() {
    StopScans();
    for (ScanSlot& slot : scanThreads) {
        // A scan still waiting for the UI thread needs it to answer: its walk returns at once.
        while (slot.scan && !slot.scan->wait(QDeadlineTimer(10))) QCoreApplication::processEvents();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TMainForm::DirectoryListBox1DblClick() { DirectoryListBox1Change(); }

void TMainForm::DirectoryListBox1Change() {
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    fileListView->setRowCount(0);
    ScanSlot& current = scanThreads[static_cast<std::size_t>(scanIndex)];
    if (current.taken) {
        if (current.scan) current.scan->Stop();
        current = {};
        scanIndex = (scanIndex + 1) % kScanSlots;
    }
    scanThreads[static_cast<std::size_t>(scanIndex)] = {true, FileScanning::Start(*this)};
}

void TMainForm::FileListBox1Change() {}

void TMainForm::fileListViewCustomDrawItem(int goodMark, QStyleOptionViewItem& option) {
    option.palette.setColor(QPalette::Text, goodMark != 0 ? QColor(0, 0, 255) : QColor(0, 128, 0));
}

void TMainForm::ShowOnlyKAR1Click() { fileListView->setRowCount(0); }

void TMainForm::subDirClick() {
    // The check mark is all there is: the walk reads it at every folder entry.
}

void TMainForm::SelectDestinationFolder1Click() {
    if (outPathForm != nullptr) outPathForm->exec();
}

void TMainForm::Help2Click() {
    const QString sep = NativeSeparator();
    const QString relative = QStringLiteral("Help") + sep + QStringLiteral("Help.html");
    const QString path = programFolder.isEmpty() ? relative : programFolder + sep + relative;
    // A missing page is simply not opened: the desktop would only complain on our behalf.
    if (std::filesystem::is_regular_file(path.toLocal8Bit().toStdString())) shellOpen(path.toLocal8Bit().toStdString());
}

void TMainForm::About1Click() { LMDAboutDlg1->exec(); }

void TMainForm::Exit1Click() { close(); }

std::string TMainForm::ScanRoot() const { return DirectoryListBox1->Directory(); }

bool TMainForm::IncludeSubDir() const { return subDir->isChecked(); }

void TMainForm::ShowStatus(const QString& text) {
    StatusBar1->setText(text);
    StatusBar1->repaint();
}

void TMainForm::AddScanRow(const std::string& caption, const std::string& extension, const Judgement& judgement) {
    fileListView->AddRow(QString::fromLocal8Bit(caption), QString::fromLocal8Bit(extension),
                         judgement.good ? QStringLiteral("Good") : QStringLiteral("Bad"),
                         QString::number(judgement.trackCount), judgement.good ? 1 : 0);
}

TSmfFile& TMainForm::ScanSong() { return *smfFile; }

} // namespace lyricast
