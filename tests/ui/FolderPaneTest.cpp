#include "PaneTestSupport.h"

#include "platform/CurrentDirectory.h"
#include "platform/DirectoryError.h"
#include "platform/FolderListing.h"
#include "support/TempDir.h"
#include "ui/qt/Glyphs.h"
#include "ui/qt/TDirectoryListBox.h"
#include "ui/qt/TDriveComboBox.h"
#include "ui/qt/TFileListBox.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QSignalSpy>
#include <QStyledItemDelegate>
#include <QTest>

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
    for (int i = 0; i < list.count(); ++i) texts << list.item(i)->text();
    return texts;
}

struct ExpectedItem {
    std::string text;
    LadderKind kind;
    int indent;
    std::string path;
};

// The folder list's items for `folder` (an absolute POSIX path), worked out
// here from the rules of the ladder: "/" (open, indent 2), one open item per folder
// down to the current one, then its sub-folders (closed, separators x 4 + 6).
std::vector<ExpectedItem> ExpectedLadder(const std::string& folder,
                                         const std::vector<std::string>& subFolders) {
    std::vector<ExpectedItem> items;
    std::vector<std::string> parts;
    for (std::size_t at = 1; at < folder.size();) {
        const std::size_t end = std::min(folder.find('/', at), folder.size());
        parts.push_back(folder.substr(at, end - at));
        at = end + 1;
    }
    items.push_back({"/", parts.empty() ? LadderKind::Current : LadderKind::Open, 2, "/"});
    std::string path;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        path += "/" + parts[i];
        const bool last = i + 1 == parts.size();
        items.push_back({parts[i], last ? LadderKind::Current : LadderKind::Open,
                         static_cast<int>(i + 1) * 4 + 2, path});
    }
    const int separators = static_cast<int>(std::count(folder.begin(), folder.end(), '/'));
    for (const std::string& name : subFolders)
        items.push_back({name, LadderKind::Closed, separators * 4 + 6,
                         folder == "/" ? "/" + name : folder + "/" + name});
    return items;
}

void CheckLadder(const TDirectoryListBox& list, const std::string& folder,
                 const std::vector<std::string>& subFolders) {
    const auto expected = ExpectedLadder(folder, subFolders);
    QCOMPARE(list.Directory(), folder);
    QCOMPARE(list.count(), static_cast<int>(expected.size()));
    for (int i = 0; i < list.count(); ++i) {
        const ExpectedItem& item = expected[static_cast<std::size_t>(i)];
        QCOMPARE(list.ItemText(i), item.text);
        QCOMPARE(list.ItemKind(i), item.kind);
        QCOMPARE(list.ItemIndent(i), item.indent);
        QCOMPARE(list.ItemPath(i), item.path);
    }
    const int current = static_cast<int>(expected.size() - subFolders.size()) - 1;
    QCOMPARE(list.currentRow(), current);
    QCOMPARE(list.ItemKind(current), LadderKind::Current);
}

// The sub-folders of a folder as the list must show them: no dot folders,
// sorted without regard to case.
std::vector<std::string> VisibleSubFolders(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        std::error_code ignored;
        if (!name.starts_with('.') && entry.is_directory(ignored)) names.push_back(name);
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return LessIgnoringCase(a, b); });
    return names;
}

int RowOf(const TDirectoryListBox& list, const std::string& text) {
    for (int i = 0; i < list.count(); ++i)
        if (list.ItemText(i) == text) return i;
    return -1;
}

} // namespace

class FolderPaneTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void glyphsAreSixteenColourResources_data();
    void glyphsAreSixteenColourResources();

    void ladderTwoLevelsDownRightAfterCreation();
    void ladderAtTheRoot();
    void ladderAtTheRootRightAfterCreation();
    void itemsAreDrawnAtTheirIndents();
    void itemHeightIsAtLeastTheOpenFolderPlusOne();

    void doubleClickRaisesOnDblClickBeforeTheFolderChanges();
    void doubleClickOnTheCurrentItemKeepsTheFolder();
    void enterOpensWithoutOnDblClick();
    void singleClickOnlySelects();
    void openItemsLeadUpTheLadder();
    void setDirectoryToTheSamePathDoesNothing();
    void setDirectoryToAFileOrPatternEntersItsFolder();
    void removedFolderRaisesFileNotFoundAndKeepsTheList();
    void caseIsShownByTheVolumesFlags();

    void driveBoxOffersTheVolumesWithTheirCaptions();
    void driveEntriesAreDrawnWithTheirGlyphs();
    void choosingTheSelectedDriveDoesNothing();
    void choosingADriveOpensItsLastVisitedFolder();
    void aDriveWithoutDiscRaisesTheErrorAndKeepsTheFolder();
    void aFolderOnAnotherVolumeMovesTheDriveBox();

    void fileListFollowsTheFolderList();
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
    for (const char* folder : {"A/B/c1", "A/B/C2", "A/B/sub3", "A/B/.hidden", "volA/songs", "volB"})
        fs::create_directories(tree_->path() / folder);
    for (const char* file : {"A/B/x.kar", "A/B/Y.txt", "A/B/.h.kar", "A/B/C2/song.KAR"})
        Touch(tree_->path() / file);
    b_ = Folder("A/B");
    volumes_.volumes = {
        {"/", VolumeKind::Fixed, "System", ""},
        {Folder("volA"), VolumeKind::Removable, "STICK", ""},
        {Folder("volB"), VolumeKind::CdRom, "Disc", ""},
        {Real(tree_->path()) + "/nodisc", VolumeKind::CdRom, "", ""},
    };
    volumes_.volumeCase = {};
    SetCurrentDir(b_);
    ErrorCatchingApplication::Instance().TakeErrors();
}

void FolderPaneTest::cleanup() {
    fs::current_path(saved_);
    tree_.reset();
    QCOMPARE(ErrorCatchingApplication::Instance().TakeErrors(), QStringList());
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
            if (colour != key) QCOMPARE(drawn.pixel(x, y), colour);
        }
    }
}

void FolderPaneTest::ladderTwoLevelsDownRightAfterCreation() {
    TDirectoryListBox list(nullptr, volumes_);
    CheckLadder(list, b_, {"c1", "C2", "sub3"});
    QCOMPARE(GetCurrentDir(), b_);
}

void FolderPaneTest::ladderAtTheRoot() {
    TDirectoryListBox list(nullptr, volumes_);
    QSignalSpy changes(&list, &TDirectoryListBox::OnChange);
    list.SetDirectory("/");
    CheckLadder(list, "/", VisibleSubFolders("/"));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(GetCurrentDir(), std::string("/"));
}

void FolderPaneTest::ladderAtTheRootRightAfterCreation() {
    SetCurrentDir("/");
    TDirectoryListBox list(nullptr, volumes_);
    CheckLadder(list, "/", VisibleSubFolders("/"));
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
        const QImage& glyph = Glyph(GlyphOfLadderItem(list.ItemKind(i)));
        const int left = rect.left() + list.ItemIndent(i);
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
            for (int x = rect.left(); x < left; ++x) QCOMPARE(shot.pixel(x, y), background);
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
    list.resize(400, 300);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    std::string seenFolder;
    std::string seenCurrentDir;
    connect(&list, &TDirectoryListBox::OnDblClick, this, [&] {
        seenFolder = list.Directory();
        seenCurrentDir = GetCurrentDir();
    });
    QSignalSpy doubleClicks(&list, &TDirectoryListBox::OnDblClick);
    QSignalSpy changes(&list, &TDirectoryListBox::OnChange);

    const int row = RowOf(list, "C2");
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {},
                       list.visualItemRect(list.item(row)).center());
    QCoreApplication::processEvents(); // the opening runs right after the input event

    QCOMPARE(doubleClicks.count(), 1);
    QCOMPARE(seenFolder, b_);
    QCOMPARE(seenCurrentDir, b_);
    QCOMPARE(list.Directory(), b_ + "/C2");
    QCOMPARE(GetCurrentDir(), b_ + "/C2");
    QCOMPARE(changes.count(), 1);
    CheckLadder(list, b_ + "/C2", {});
}

void FolderPaneTest::doubleClickOnTheCurrentItemKeepsTheFolder() {
    TDirectoryListBox list(nullptr, volumes_);
    list.resize(400, 300);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QSignalSpy doubleClicks(&list, &TDirectoryListBox::OnDblClick);
    QSignalSpy changes(&list, &TDirectoryListBox::OnChange);

    const int row = RowOf(list, "B");
    QCOMPARE(list.ItemKind(row), LadderKind::Current);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {},
                       list.visualItemRect(list.item(row)).center());
    QCoreApplication::processEvents(); // the opening runs right after the input event

    QCOMPARE(doubleClicks.count(), 1);
    QCOMPARE(changes.count(), 0);
    CheckLadder(list, b_, {"c1", "C2", "sub3"});
}

void FolderPaneTest::enterOpensWithoutOnDblClick() {
    TDirectoryListBox list(nullptr, volumes_);
    QSignalSpy doubleClicks(&list, &TDirectoryListBox::OnDblClick);
    QSignalSpy changes(&list, &TDirectoryListBox::OnChange);

    list.setCurrentRow(RowOf(list, "sub3"));
    QTest::keyClick(&list, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(list.Directory(), b_ + "/sub3");
    QCOMPARE(GetCurrentDir(), b_ + "/sub3");

    list.setCurrentRow(RowOf(list, "A"));
    QTest::keyClick(&list, Qt::Key_Enter, Qt::KeypadModifier);
    QCoreApplication::processEvents();
    QCOMPARE(list.Directory(), Folder("A"));

    QCOMPARE(doubleClicks.count(), 0);
    QCOMPARE(changes.count(), 2);
}

void FolderPaneTest::singleClickOnlySelects() {
    TDirectoryListBox list(nullptr, volumes_);
    list.resize(400, 300);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QSignalSpy doubleClicks(&list, &TDirectoryListBox::OnDblClick);
    QSignalSpy changes(&list, &TDirectoryListBox::OnChange);

    const int row = RowOf(list, "c1");
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      list.visualItemRect(list.item(row)).center());
    QCOMPARE(list.currentRow(), row);
    QCOMPARE(list.Directory(), b_);
    QCOMPARE(GetCurrentDir(), b_);
    QCOMPARE(doubleClicks.count(), 0);
    QCOMPARE(changes.count(), 0);
}

void FolderPaneTest::openItemsLeadUpTheLadder() {
    TDirectoryListBox list(nullptr, volumes_);
    // Every open item's path, then opening it.
    const int a = RowOf(list, "A");
    QCOMPARE(list.ItemKind(a), LadderKind::Open);
    QCOMPARE(list.ItemPath(a), Folder("A"));
    QCOMPARE(list.ItemPath(0), std::string("/"));
    QCOMPARE(list.ItemPath(RowOf(list, "C2")), b_ + "/C2");
    QCOMPARE(list.ItemPath(RowOf(list, "B")), b_);
    QCOMPARE(list.ItemPath(-1), std::string());
    QCOMPARE(list.ItemPath(list.count()), std::string());
    list.setCurrentRow(a);
    list.OpenCurrent();
    CheckLadder(list, Folder("A"), {"B"});
}

void FolderPaneTest::setDirectoryToTheSamePathDoesNothing() {
    TDirectoryListBox list(nullptr, volumes_);
    QSignalSpy changes(&list, &TDirectoryListBox::OnChange);
    list.setCurrentRow(RowOf(list, "c1"));
    list.SetDirectory(b_);
    list.SetDirectory("");
    QCOMPARE(changes.count(), 0);
    QCOMPARE(list.currentRow(), RowOf(list, "c1"));
}

void FolderPaneTest::setDirectoryToAFileOrPatternEntersItsFolder() {
    TDirectoryListBox list(nullptr, volumes_);
    list.SetDirectory(b_ + "/C2/*.kar");
    QCOMPARE(list.Directory(), b_ + "/C2");
    list.SetDirectory(b_ + "/x.kar");
    QCOMPARE(list.Directory(), b_);
    list.SetDirectory("sub3"); // relative to the current folder
    QCOMPARE(list.Directory(), b_ + "/sub3");
}

void FolderPaneTest::removedFolderRaisesFileNotFoundAndKeepsTheList() {
    TDirectoryListBox list(nullptr, volumes_);
    list.resize(400, 300);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    const QStringList before = Texts(list);
    const int row = RowOf(list, "sub3");
    fs::remove(tree_->path() / "A/B/sub3");
    QSignalSpy changes(&list, &TDirectoryListBox::OnChange);

    // Through the event dispatch, as the user meets it: Enter, then a double-click.
    list.setCurrentRow(row);
    QTest::keyClick(&list, Qt::Key_Return);
    QCoreApplication::processEvents();
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {},
                       list.visualItemRect(list.item(row)).center());
    QCoreApplication::processEvents();
    QCOMPARE(ErrorCatchingApplication::Instance().TakeErrors(),
             (QStringList{"File not found", "File not found"}));

    // And called directly.
    QVERIFY_THROWS_EXCEPTION(DirectoryError, list.SetDirectory(b_ + "/sub3"));
    try {
        list.OpenCurrent();
        QFAIL("no error");
    } catch (const DirectoryError& error) {
        QCOMPARE(std::string(error.what()), std::string("File not found"));
        QCOMPARE(error.code(), 2);
    }

    QCOMPARE(list.Directory(), b_);
    QCOMPARE(GetCurrentDir(), b_);
    QCOMPARE(Texts(list), before);
    QCOMPARE(list.currentRow(), row);
    QCOMPARE(changes.count(), 0);
}

void FolderPaneTest::caseIsShownByTheVolumesFlags() {
    volumes_.volumeCase = {false, false};
    TDirectoryListBox list(nullptr, volumes_);
    QVERIFY(!list.PreservesCase());
    QVERIFY(!list.CaseSensitive());
    const int row = RowOf(list, "C2");
    QCOMPARE(list.ItemText(row), std::string("C2"));
    QCOMPARE(list.DisplayText(row), QString("c2"));
    QCOMPARE(list.item(row)->text(), QString("c2"));
    QCOMPARE(list.DisplayText(RowOf(list, "B")), QString("b"));

    // On a volume that does not mind case, another spelling is the same folder.
    QSignalSpy changes(&list, &TDirectoryListBox::OnChange);
    std::string upper = b_;
    std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
    list.SetDirectory(upper);
    QCOMPARE(changes.count(), 0);

    volumes_.volumeCase = {true, false};
    list.SetDirectory(b_ + "/C2");
    QVERIFY(list.PreservesCase());
    QCOMPARE(list.DisplayText(RowOf(list, "C2")), QString("C2"));
}

void FolderPaneTest::driveBoxOffersTheVolumesWithTheirCaptions() {
    TDriveComboBox box(nullptr, volumes_);
    QCOMPARE(box.count(), 4);
    QCOMPARE(box.itemText(0), QString("/ [system]"));
    QCOMPARE(box.itemText(1), QString::fromStdString(Folder("volA") + " [stick]"));
    QCOMPARE(box.itemText(3), QString::fromStdString(Real(tree_->path()) + "/nodisc []"));
    QCOMPARE(box.currentIndex(), 0);
    QCOMPARE(box.Drive(), std::string("/"));
    QVERIFY(!box.isEditable());

    box.SetTextCase(TextCase::tcUpperCase);
    QCOMPARE(box.itemText(1), QString::fromStdString(Folder("volA") + " [STICK]"));
    QCOMPARE(box.currentIndex(), 0);

    SetCurrentDir(Folder("volB"));
    TDriveComboBox onDisc(nullptr, volumes_);
    QCOMPARE(onDisc.Drive(), Folder("volB"));
    QCOMPARE(onDisc.currentIndex(), 2);
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
        const QImage& glyph = Glyph(GlyphOfVolume(box.VolumeAt(i).kind));
        const int top = (hint.height() - glyph.height()) / 2;
        for (int y = 0; y < glyph.height(); ++y)
            for (int x = 0; x < glyph.width(); ++x)
                QCOMPARE(image.pixel(2 + x, top + y),
                         qAlpha(glyph.pixel(x, y)) == 0 ? background : glyph.pixel(x, y));
        for (int y = 0; y < hint.height(); ++y) {
            for (int x = 0; x < 2; ++x) QCOMPARE(image.pixel(x, y), background);
            for (int x = 2 + glyph.width(); x < glyph.width() + 6; ++x)
                QCOMPARE(image.pixel(x, y), background);
        }
    }
    QCOMPARE(box.VolumeAt(0).kind, VolumeKind::Fixed);
    QCOMPARE(box.VolumeAt(1).kind, VolumeKind::Removable);
}

void FolderPaneTest::choosingTheSelectedDriveDoesNothing() {
    TDriveComboBox box(nullptr, volumes_);
    TDirectoryListBox list(nullptr, volumes_);
    box.SetDirList(&list);
    QCOMPARE(list.DriveCombo(), &box);
    QCOMPARE(box.DirList(), &list);
    QSignalSpy boxChanges(&box, &TDriveComboBox::OnChange);
    QSignalSpy listChanges(&list, &TDirectoryListBox::OnChange);

    box.SetDrive("/");
    emit box.activated(box.currentIndex()); // the user picks the selected entry
    QCoreApplication::processEvents();

    QCOMPARE(boxChanges.count(), 0);
    QCOMPARE(listChanges.count(), 0);
    QCOMPARE(list.Directory(), b_);
}

void FolderPaneTest::choosingADriveOpensItsLastVisitedFolder() {
    TDriveComboBox box(nullptr, volumes_);
    TDirectoryListBox list(nullptr, volumes_);
    box.SetDirList(&list);
    QSignalSpy boxChanges(&box, &TDriveComboBox::OnChange);
    QSignalSpy listChanges(&list, &TDirectoryListBox::OnChange);

    // Down arrow: the next entry, volA, never visited: its mount point.
    QTest::keyClick(&box, Qt::Key_Down);
    QTRY_COMPARE(list.Directory(), Folder("volA"));
    QCOMPARE(GetCurrentDir(), Folder("volA"));
    QCOMPARE(box.Drive(), Folder("volA"));
    QCOMPARE(boxChanges.count(), 1);
    QCOMPARE(listChanges.count(), 1);
    CheckLadder(list, Folder("volA"), {"songs"});

    list.SetDirectory(Folder("volA/songs"));
    QCOMPARE(box.Drive(), Folder("volA"));

    QTest::keyClick(&box, Qt::Key_Down);
    QTRY_COMPARE(list.Directory(), Folder("volB"));

    // Back on volA: the folder last visited there; back on "/": A/B.
    box.setCurrentIndex(1);
    emit box.activated(1);
    QTRY_COMPARE(list.Directory(), Folder("volA/songs"));
    box.setCurrentIndex(0);
    emit box.activated(0);
    QTRY_COMPARE(list.Directory(), b_);
    QCOMPARE(GetCurrentDir(), b_);
}

void FolderPaneTest::aDriveWithoutDiscRaisesTheErrorAndKeepsTheFolder() {
    TDriveComboBox box(nullptr, volumes_);
    TDirectoryListBox list(nullptr, volumes_);
    TFileListBox files;
    box.SetDirList(&list);
    list.SetFileList(&files);
    const QStringList before = Texts(list);
    QSignalSpy listChanges(&list, &TDirectoryListBox::OnChange);

    box.setCurrentIndex(3);
    emit box.activated(3);
    QCoreApplication::processEvents(); // the queued choice
    QCOMPARE(ErrorCatchingApplication::Instance().TakeErrors(), QStringList{"File not found"});

    QCOMPARE(box.currentIndex(), 3); // the box shows the new drive
    QCOMPARE(list.Directory(), b_);  // the list keeps its folder
    QCOMPARE(GetCurrentDir(), b_);
    QCOMPARE(Texts(list), before);
    QCOMPARE(files.Directory(), b_);
    QCOMPARE(listChanges.count(), 0);

    QVERIFY_THROWS_EXCEPTION(DirectoryError, list.DriveChange(Real(tree_->path()) + "/nodisc"));
}

void FolderPaneTest::aFolderOnAnotherVolumeMovesTheDriveBox() {
    TDriveComboBox box(nullptr, volumes_);
    TDirectoryListBox list(nullptr, volumes_);
    box.SetDirList(&list);
    QSignalSpy boxChanges(&box, &TDriveComboBox::OnChange);
    QSignalSpy listChanges(&list, &TDirectoryListBox::OnChange);

    list.SetDirectory(Folder("volB"));
    QCOMPARE(box.Drive(), Folder("volB"));
    QCOMPARE(box.currentIndex(), 2);
    QCOMPARE(boxChanges.count(), 1);
    QCOMPARE(listChanges.count(), 1); // the drive change inside does not rebuild or notify
    CheckLadder(list, Folder("volB"), {});

    list.SetDirectory(b_ + "/c1");
    QCOMPARE(box.currentIndex(), 0);
    QCOMPARE(list.Directory(), b_ + "/c1");
}

void FolderPaneTest::fileListFollowsTheFolderList() {
    TDirectoryListBox list(nullptr, volumes_);
    TFileListBox files;
    QCOMPARE(files.Mask(), std::string("*.*"));
    QCOMPARE(files.selectionMode(), QAbstractItemView::SingleSelection);
    list.SetFileList(&files);
    QCOMPARE(list.FileList(), &files);
    QCOMPARE(files.DirList(), &list);
    QCOMPARE(files.Directory(), b_);
    QCOMPARE(Texts(files), (QStringList{"x.kar", "Y.txt"}));

    QSignalSpy fileChanges(&files, &TFileListBox::OnChange);
    list.SetDirectory(b_ + "/C2");
    QCOMPARE(files.Directory(), b_ + "/C2");
    QCOMPARE(Texts(files), QStringList{"song.KAR"});
    QCOMPARE(fileChanges.count(), 1);

    files.SetMask("*.txt;*.mid");
    QCOMPARE(Texts(files), QStringList());
    list.SetDirectory(b_);
    QCOMPARE(Texts(files), QStringList{"Y.txt"});
    QCOMPARE(GetCurrentDir(), b_);
}

void FolderPaneTest::fileListShowsTheBusyCursorFromTheHundredthEntry() {
    for (int i = 0; i < 150; ++i) Touch(tree_->path() / "A/B/C2" / ("f" + std::to_string(i)));
    TFileListBox files;
    int busyInserts = 0;
    connect(files.model(), &QAbstractItemModel::rowsInserted, this, [&] {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        if (cursor != nullptr && cursor->shape() == Qt::WaitCursor) ++busyInserts;
    });
    bool busyAtChange = true;
    connect(&files, &TFileListBox::OnChange, this,
            [&] { busyAtChange = QGuiApplication::overrideCursor() != nullptr; });

    files.SetDirectory(b_ + "/C2");
    QCOMPARE(files.count(), 151);
    QCOMPARE(busyInserts, 51); // from the 101st entry on
    QVERIFY(!busyAtChange);

    busyInserts = 0;
    files.SetDirectory(b_);
    QCOMPARE(busyInserts, 0);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace lyricast::test

int main(int argc, char** argv) {
    lyricast::test::ErrorCatchingApplication app(argc, argv);
    lyricast::test::FolderPaneTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "FolderPaneTest.moc"
