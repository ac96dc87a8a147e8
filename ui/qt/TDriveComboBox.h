#pragma once

#include "window/DriveComboBox.h"

#include <QComboBox>

#include <functional>
#include <string>

namespace lyricast {

class TDirectoryListBox;

// The drive box in Qt: draws its core's entries, each with its volume's
// glyph, and hands the user's choice of an entry to the core.
class TDriveComboBox : public QComboBox, public DriveComboBoxView {
    Q_OBJECT

public:
    explicit TDriveComboBox(QWidget* parent = nullptr,
                            const VolumeTable& volumes = SystemVolumeTable());

    DriveComboBox core;
    // Shows an error of the user's choice (a drive without a disc); the error
    // box over this window unless the window it sits in sets its own.
    std::function<void(const std::string&)> showError;

    // Links the folder list's core to this box's core.
    void SetDirList(TDirectoryListBox* dirList);

    // DriveComboBoxView
    void ShowDrives(const std::vector<DriveEntry>& entries) override;
    void SelectDrive(int index) override;
    // For CallHandler.
    void ShowError(const std::string& text) const { showError(text); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    friend class DriveEntryDelegate;

    const QImage& EntryGlyph(int index) const;
    int EntryHeight() const;
    void DrawEntry(QPainter& painter, const QRect& rect, int index, bool selected) const;
};

} // namespace lyricast
