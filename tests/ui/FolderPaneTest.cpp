// What the folder pane's Qt widgets draw and what they report to their
// cores; what the cores decide is tested in tests/window without Qt.
#include "platform/CurrentDirectory.h"
#include "support/FakeVolumes.h"
#include "support/TempDir.h"
#include "ui/qt/Glyphs.h"
#include "ui/qt/TDirectoryListBox.h"
#include "ui/qt/TDriveComboBox.h"
#include "ui/qt/TFileListBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QMessageBox>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <memory>
#include <set>

namespace lyricast::test {
namespace {

namespace fs = std::filesystem;

std::string Real(const fs::path& path) {
    return fs::canonical(path).string();
}

void Touch(const fs::path& path) {
    std::ofstream(path) << "x";
}

QStringList Texts(const QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts << list.item(i)->text();
    return texts;
}

int RowOf(const TDirectoryListBox& list, const std::string& text) {
    for (int i = 0; i < list.core.ItemCount(); ++i)
        if (list.core.ItemText(i) == text)
            return i;
    return -1;
}

// Shows a list and waits until it is on the screen, so that it takes clicks.
bool Shown(QWidget& widget) {
    widget.resize(400, 300);
    widget.show();
    return QTest::qWaitForWindowExposed(&widget);
}

void DoubleClick(TDirectoryListBox& list, int row) {
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {},
                       list.visualItemRect(list.item(row)).center());
}

} // namespace

class FolderPaneTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void glyphsAreSixteenColourResources_data();
    void glyphsAreSixteenColourResources();

    void listShowsTheCoresItems();
    void itemsAreDrawnAtTheirIndents();
    void itemHeightIsAtLeastTheOpenFolderPlusOne();
    void doubleClickRaisesOnDblClickBeforeTheFolderChanges();
    void enterOpensWithoutOnDblClick();
    void singleClickOnlySelects();
    void anErrorOfTheUsersActionIsShownInTheErrorBox();

    void driveBoxShowsTheCoresEntries();
    void driveEntriesAreDrawnWithTheirGlyphs();
    void aChosenDriveEntryReachesTheCore();
    void aDriveWithoutDiscIsReportedThroughTheHook();

    void fileListShowsTheCoresFiles();
    void fileListShowsTheBusyCursorFromTheHundredthEntry();

private:
    std::string Folder(const std::string& relative) const { return Real(tree_->path() / relative); }

    fs::path saved_;
    std::unique_ptr<TempDir> tree_;
    std::string b_; // the folder two levels below the tree: A/B
    FakeVolumeTable volumes_;
};

void FolderPaneTest::init() {
    saved_ = fs::current_path();
    tree_ = std::make_unique<TempDir>();
    for (const char* folder : {"A/B/c1", "A/B/C2", "A/B/sub3", "volA/songs"})
        fs::create_directories(tree_->path() / folder);
    for (const char* file : {"A/B/x.kar", "A/B/Y.txt", "A/B/C2/song.KAR"})
        Touch(tree_->path() / file);
    b_ = Folder("A/B");
    volumes_.volumes = {
        {"/", VolumeKind::Fixed, "System", ""},
        {Folder("volA"), VolumeKind::Removable, "STICK", ""},
        {Real(tree_->path()) + "/nodisc", VolumeKind::CdRom, "", ""},
    };
    volumes_.volumeCase = {};
    SetCurrentDir(b_);
}

void FolderPaneTest::cleanup() {
    fs::current_path(saved_);
    tree_.reset();
}

void FolderPaneTest::glyphsAreSixteenColourResources_data() {
    QTest::addColumn<int>("glyph");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    const QSize drive(16, 11);
    const QSize folder(16, 15);
    QTest::newRow("FLOPPY") << int(GlyphName::Floppy) << "FLOPPY" << drive;
    QTest::newRow("HARD") << int(GlyphName::Hard) << "HARD" << drive;
    QTest::newRow("NETWORK") << int(GlyphName::Network) << "NETWORK" << drive;
    QTest::newRow("CDROM") << int(GlyphName::CdRom) << "CDROM" << drive;
    QTest::newRow("RAM") << int(GlyphName::Ram) << "RAM" << drive;
    QTest::newRow("OPENFOLDER") << int(GlyphName::OpenFolder) << "OPENFOLDER" << folder;
    QTest::newRow("CURRENTFOLDER") << int(GlyphName::CurrentFolder) << "CURRENTFOLDER" << folder;
    QTest::newRow("CLOSEDFOLDER") << int(GlyphName::ClosedFolder) << "CLOSEDFOLDER" << folder;
}

void FolderPaneTest::glyphsAreSixteenColourResources() {
    QFETCH(int, glyph);
    QFETCH(QString, name);
    QFETCH(QSize, size);
    const QImage& drawn = Glyph(static_cast<GlyphName>(glyph));
    QCOMPARE(GlyphResource(static_cast<GlyphName>(glyph)), ":/" + name);
    const QImage resource = QImage(":/" + name).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(resource.size(), size);
    QCOMPARE(drawn.size(), size);

    // The sixteen colours of the standard palette, and nothing else.
    static const std::set<QRgb> palette = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    const QRgb key = resource.pixel(0, size.height() - 1);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const QRgb colour = resource.pixel(x, y);
            QVERIFY2(palette.count(colour) == 1, qPrintable(QString("pixel %1,%2").arg(x).arg(y)));
            // The bottom-left pixel's colour is transparent, every other colour opaque.
            QCOMPARE(qAlpha(drawn.pixel(x, y)), colour == key ? 0 : 255);
            if (colour != key)
                QCOMPARE(drawn.pixel(x, y), colour);
        }
    }
}

void FolderPaneTest::listShowsTheCoresItems() {
    volumes_.volumeCase = {false, false};
    TDirectoryListBox list(nullptr, volumes_);
    QCOMPARE(list.selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(list.count(), list.core.ItemCount());
    for (int i = 0; i < list.count(); ++i) {
        QCOMPARE(list.item(i)->text(), QString::fromLocal8Bit(list.core.DisplayText(i)));
        QCOMPARE(list.Item(i).kind, list.core.ItemKind(i));
        QCOMPARE(list.Item(i).indent, list.core.ItemIndent(i));
    }
    QCOMPARE(list.item(RowOf(list, "C2"))->text(), QString("c2")); // as the volume's flags show it
    QCOMPARE(list.currentRow(), RowOf(list, "B"));

    list.core.SetDirectory(b_ + "/C2");
    QCOMPARE(Texts(list).size(), list.core.ItemCount());
    QCOMPARE(list.currentRow(), list.count() - 1);
}

// The glyph at the indent, centred vertically, the bottom-left colour showing
// the row's background; nothing else drawn before the text's start.
void FolderPaneTest::itemsAreDrawnAtTheirIndents() {
    TDirectoryListBox list(nullptr, volumes_);
    list.setFocusPolicy(Qt::NoFocus);
    list.resize(400, 300);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    const QImage shot = list.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shot.devicePixelRatio(), 1.0);

    for (int i = 0; i < list.count(); ++i) {
        const QRect rect = list.visualItemRect(list.item(i));
        const bool selected = i == list.currentRow();
        const QRgb background =
            list.palette().color(selected ? QPalette::Highlight : QPalette::Base).rgb();
        const QImage& glyph = Glyph(GlyphOfLadderItem(list.core.ItemKind(i)));
        const int left = rect.left() + list.core.ItemIndent(i);
        const int top = rect.top() + (rect.height() - glyph.height()) / 2;
        for (int y = 0; y < glyph.height(); ++y) {
            for (int x = 0; x < glyph.width(); ++x) {
                const QRgb want = qAlpha(glyph.pixel(x, y)) == 0 ? background : glyph.pixel(x, y);
                QVERIFY2(shot.pixel(left + x, top + y) == want,
                         qPrintable(QString("item %1, glyph pixel %2,%3").arg(i).arg(x).arg(y)));
            }
        }
        const int textStart = left + glyph.width() + 4;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x < left; ++x)
                QCOMPARE(shot.pixel(x, y), background);
            for (int x = left + glyph.width(); x < textStart; ++x)
                QCOMPARE(shot.pixel(x, y), background);
        }
    }
}

void FolderPaneTest::itemHeightIsAtLeastTheOpenFolderPlusOne() {
    TDirectoryListBox list(nullptr, volumes_);
    QCOMPARE(list.ItemHeight(), std::max(list.fontMetrics().height(), 16));
    list.resize(300, 300);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QCOMPARE(list.visualItemRect(list.item(0)).height(), list.ItemHeight());

    QFont tiny = list.font();
    tiny.setPixelSize(6);
    list.setFont(tiny);
    QCOMPARE(list.ItemHeight(), 16);
}

void FolderPaneTest::doubleClickRaisesOnDblClickBeforeTheFolderChanges() {
    TDirectoryListBox list(nullptr, volumes_);
    QVERIFY(Shown(list));
    int doubleClicks = 0;
    int changes = 0;
    std::string seenFolder;
    list.core.OnDblClick = [&] {
        ++doubleClicks;
        seenFolder = GetCurrentDir();
    };
    list.core.OnChange = [&] { ++changes; };

    DoubleClick(list, RowOf(list, "C2"));
    QCOMPARE(doubleClicks, 1);
    QCOMPARE(seenFolder, b_);
    QCOMPARE(list.core.Directory(), b_ + "/C2");
    QCOMPARE(changes, 1);
    QCOMPARE(list.item(list.currentRow())->text(), QString("C2"));

    // The right button opens nothing.
    QTest::mouseDClick(list.viewport(), Qt::RightButton, {},
                       list.visualItemRect(list.item(0)).center());
    QCOMPARE(doubleClicks, 1);
    QCOMPARE(list.core.Directory(), b_ + "/C2");
}

void FolderPaneTest::enterOpensWithoutOnDblClick() {
    TDirectoryListBox list(nullptr, volumes_);
    int doubleClicks = 0;
    list.core.OnDblClick = [&] { ++doubleClicks; };

    list.setCurrentRow(RowOf(list, "sub3"));
    QTest::keyClick(&list, Qt::Key_Return);
    QCOMPARE(list.core.Directory(), b_ + "/sub3");
    list.setCurrentRow(RowOf(list, "A"));
    QTest::keyClick(&list, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(list.core.Directory(), Folder("A"));
    QCOMPARE(doubleClicks, 0);

    // Other keys still move the selection.
    QTest::keyClick(&list, Qt::Key_Up);
    QCOMPARE(list.currentRow(), RowOf(list, "A") - 1);
    QCOMPARE(list.core.Directory(), Folder("A"));
}

void FolderPaneTest::singleClickOnlySelects() {
    TDirectoryListBox list(nullptr, volumes_);
    QVERIFY(Shown(list));
    int reports = 0;
    list.core.OnDblClick = [&] { ++reports; };
    list.core.OnChange = [&] { ++reports; };

    const int row = RowOf(list, "c1");
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      list.visualItemRect(list.item(row)).center());
    QCOMPARE(list.currentRow(), row);
    QCOMPARE(list.core.Directory(), b_);
    QCOMPARE(GetCurrentDir(), b_);
    QCOMPARE(reports, 0);
}

// Enter and a double-click on a folder that is gone: the handler's error is
// shown in the error box (the default of a list used alone), the list stays.
void FolderPaneTest::anErrorOfTheUsersActionIsShownInTheErrorBox() {
    TDirectoryListBox list(nullptr, volumes_);
    QVERIFY(Shown(list));
    const QStringList before = Texts(list);
    const int row = RowOf(list, "sub3");
    fs::remove(tree_->path() / "A/B/sub3");

    QStringList shown;
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || box->objectName() != "errorBox")
            return;
        shown << box->windowTitle() + "|" + box->text();
        box->close();
    });
    answer.start(10);
    list.setCurrentRow(row);
    QTest::keyClick(&list, Qt::Key_Return);
    DoubleClick(list, row);
    QCOMPARE(shown, QStringList(2, "Lyricast Convert|File not found."));

    QCOMPARE(list.core.Directory(), b_);
    QCOMPARE(Texts(list), before);
    QCOMPARE(list.currentRow(), row);
}

void FolderPaneTest::driveBoxShowsTheCoresEntries() {
    TDriveComboBox box(nullptr, volumes_);
    QVERIFY(!box.isEditable());
    QCOMPARE(box.count(), 3);
    QCOMPARE(box.itemText(0), QString("/ [system]"));
    QCOMPARE(box.itemText(1), QString::fromStdString(Folder("volA") + " [stick]"));
    QCOMPARE(box.currentIndex(), 0);

    box.core.SetTextCase(TextCase::tcUpperCase);
    QCOMPARE(box.itemText(1), QString::fromStdString(Folder("volA") + " [STICK]"));
    QCOMPARE(box.currentIndex(), 0);
}

// Glyph 2 pixels in and centred vertically, text from the glyph's width + 6.
void FolderPaneTest::driveEntriesAreDrawnWithTheirGlyphs() {
    TDriveComboBox box(nullptr, volumes_);
    QAbstractItemDelegate* delegate = box.view()->itemDelegate();
    for (int i = 0; i < box.count(); ++i) {
        QStyleOptionViewItem option;
        option.initFrom(box.view());
        option.state &= ~QStyle::State_Selected;
        const QSize hint = delegate->sizeHint(option, box.model()->index(i, 0));
        QCOMPARE(hint.height(), std::max(box.fontMetrics().height(), 11));
        option.rect = QRect(0, 0, 300, hint.height());
        QImage image(300, hint.height(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        delegate->paint(&painter, option, box.model()->index(i, 0));
        painter.end();

        const QRgb background = box.palette().color(QPalette::Base).rgb();
        const QImage& glyph =
            Glyph(GlyphOfVolume(box.core.Entries()[static_cast<std::size_t>(i)].kind));
        const int top = (hint.height() - glyph.height()) / 2;
        for (int y = 0; y < glyph.height(); ++y)
            for (int x = 0; x < glyph.width(); ++x)
                QCOMPARE(image.pixel(2 + x, top + y),
                         qAlpha(glyph.pixel(x, y)) == 0 ? background : glyph.pixel(x, y));
        for (int y = 0; y < hint.height(); ++y) {
            for (int x = 0; x < 2; ++x)
                QCOMPARE(image.pixel(x, y), background);
            for (int x = 2 + glyph.width(); x < glyph.width() + 6; ++x)
                QCOMPARE(image.pixel(x, y), background);
        }
    }
}

void FolderPaneTest::aChosenDriveEntryReachesTheCore() {
    TDriveComboBox box(nullptr, volumes_);
    TDirectoryListBox list(nullptr, volumes_);
    box.SetDirList(&list);
    QCOMPARE(list.core.DriveCombo(), &box.core);
    int changes = 0;
    box.core.OnChange = [&] { ++changes; };

    // Down arrow: the next entry, volA, never visited: its mount point.
    QTest::keyClick(&box, Qt::Key_Down);
    QCOMPARE(box.core.Drive(), Folder("volA"));
    QCOMPARE(list.core.Directory(), Folder("volA"));
    QCOMPARE(Texts(list).last(), QString("songs"));
    QCOMPARE(changes, 1);

    // A folder on another volume moves the box's selection.
    list.core.SetDirectory(b_);
    QCOMPARE(box.currentIndex(), 0);
}

void FolderPaneTest::aDriveWithoutDiscIsReportedThroughTheHook() {
    TDriveComboBox box(nullptr, volumes_);
    TDirectoryListBox list(nullptr, volumes_);
    box.SetDirList(&list);
    std::vector<std::string> errors;
    box.showError = [&](const std::string& text) { errors.push_back(text); };
    const QStringList before = Texts(list);

    box.setCurrentIndex(2);
    emit box.activated(2);
    QCOMPARE(errors, std::vector<std::string>{"File not found."});
    QCOMPARE(box.currentIndex(), 2); // the box shows the new drive
    QCOMPARE(list.core.Directory(), b_);
    QCOMPARE(Texts(list), before);
}

void FolderPaneTest::fileListShowsTheCoresFiles() {
    TFileListBox files;
    QCOMPARE(files.selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(Texts(files), (QStringList{"x.kar", "Y.txt"}));
    files.core.SetMask("*.KAR");
    QCOMPARE(Texts(files), QStringList{"x.kar"});
}

void FolderPaneTest::fileListShowsTheBusyCursorFromTheHundredthEntry() {
    for (int i = 0; i < 150; ++i)
        Touch(tree_->path() / "A/B/C2" / ("f" + std::to_string(i)));
    TFileListBox files;
    int busyInserts = 0;
    connect(files.model(), &QAbstractItemModel::rowsInserted, this, [&] {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        if (cursor != nullptr && cursor->shape() == Qt::WaitCursor)
            ++busyInserts;
    });
    bool busyAtChange = true;
    files.core.OnChange = [&] { busyAtChange = QGuiApplication::overrideCursor() != nullptr; };

    files.core.SetDirectory(b_ + "/C2");
    QCOMPARE(files.count(), 151);
    QCOMPARE(busyInserts, 51); // from the 101st entry on
    QVERIFY(!busyAtChange);

    busyInserts = 0;
    files.core.SetDirectory(b_);
    QCOMPARE(busyInserts, 0);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace lyricast::test

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    lyricast::test::FolderPaneTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "FolderPaneTest.moc"
