#pragma once

#include "platform/Volumes.h"

#include <QComboBox>
#include <QPointer>

#include <string>
#include <vector>

namespace lyricast {

class TDirectoryListBox;

enum class TextCase { tcLowerCase, tcUpperCase };

// The drive box: one entry per volume of its table, drawn with the volume's
// glyph. Choosing an entry sets the drive, which moves the linked folder list
// to that volume's own current folder. A drive is named by its volume's root
// ("c:\" on Windows, a mount point such as "/media/stick" elsewhere).
//
// Errors (a drive that cannot be entered) are raised as DirectoryError from
// SetDrive. A choice made by the user is handled in a queued call, so that
// such an error leaves through the application's event dispatch
// (QApplication::notify), where the main window shows it, and never unwinds
// through Qt's widget code, which is built without exceptions.
class TDriveComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit TDriveComboBox(QWidget* parent = nullptr,
                            const VolumeTable& volumes = SystemVolumeTable());

    // The stored drive: the root of the selected volume, empty for none.
    const std::string& Drive() const { return drive_; }
    // Selects the volume of `root` (empty clears the selection), tells the
    // linked folder list, then raises OnChange; nothing happens when that
    // drive is already selected.
    void SetDrive(const std::string& root);

    TextCase GetTextCase() const { return textCase_; }
    // Refills the entries in the new case.
    void SetTextCase(TextCase textCase);

    // The folder list this box drives; the link is two-way.
    TDirectoryListBox* DirList() const;
    void SetDirList(TDirectoryListBox* dirList);

    // Fills the entries from the volume table again and reselects the drive.
    void BuildList();
    // The volume shown by an entry.
    const Volume& VolumeAt(int index) const { return entries_.at(static_cast<std::size_t>(index)); }
    const VolumeTable& Volumes() const { return *volumes_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void OnChange();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    friend class TDirectoryListBox;
    friend class DriveEntryDelegate;

    void EntryChosen(int index);
    int EntryHeight() const;
    void DrawEntry(QPainter& painter, const QRect& rect, int index, bool selected) const;

    const VolumeTable* volumes_;
    std::vector<Volume> entries_;
    std::string drive_;
    TextCase textCase_ = TextCase::tcLowerCase;
    QPointer<TDirectoryListBox> dirList_;
    QObject deferred_; // receives the queued calls of the user's choices
};

} // namespace lyricast
