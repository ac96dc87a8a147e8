// Shows the folder pane as the main window lays it out (drive box 225 x 19 at
// 6, 5 in a 33-pixel strip, the folder list below, 233 wide), with the file
// list made visible beside it. For looking at, under xvfb-run:
//   pane_demo [FOLDER] [--popup] [--volumes]
// --volumes offers one made-up volume of each kind (for the drive glyphs);
// --popup opens the drive box's list.
#include "platform/CurrentDirectory.h"
#include "ui/qt/TDirectoryListBox.h"
#include "ui/qt/TDriveComboBox.h"
#include "ui/qt/TFileListBox.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QTimer>
#include <QWidget>

namespace {

class DemoVolumes : public lyricast::VolumeTable {
public:
    std::vector<lyricast::Volume> List() const override {
        using lyricast::VolumeKind;
        std::vector<lyricast::Volume> volumes = lyricast::SystemVolumeTable().List();
        volumes.push_back({"/media/stick", VolumeKind::Removable, "Karaoke & Co", ""});
        volumes.push_back({"/media/cdrom", VolumeKind::CdRom, "", ""});
        volumes.push_back({"/mnt/nas", VolumeKind::Remote, "", "nas:/export/Songs"});
        volumes.push_back({"/mnt/ram", VolumeKind::RamDisk, "", ""});
        return volumes;
    }
    lyricast::VolumeCase CaseOf(const std::string& folder) const override {
        return lyricast::SystemVolumeTable().CaseOf(folder);
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    bool popup = false;
    bool demoVolumes = false;
    for (const QString& argument : app.arguments().mid(1)) {
        if (argument == "--popup") {
            popup = true;
        } else if (argument == "--volumes") {
            demoVolumes = true;
        } else {
            lyricast::SetCurrentDir(argument.toLocal8Bit().toStdString());
        }
    }
    static DemoVolumes volumes;
    const lyricast::VolumeTable& table = demoVolumes
                                             ? static_cast<const lyricast::VolumeTable&>(volumes)
                                             : lyricast::SystemVolumeTable();

    QWidget window;
    window.setWindowTitle("Folder pane");
    window.move(0, 0);
    window.resize(520, 417);
    auto* left = new QWidget(&window);
    left->setFixedWidth(233);
    auto* strip = new QWidget(left);
    strip->setGeometry(0, 0, 233, 33);
    auto* drives = new lyricast::TDriveComboBox(strip, table);
    drives->setGeometry(6, 5, 225, 19);
    auto* folders = new lyricast::TDirectoryListBox(left, table);
    folders->setGeometry(0, 33, 233, 417 - 33);
    auto* files = new lyricast::TFileListBox(&window);
    drives->SetDirList(folders);
    folders->SetFileList(files);

    auto* layout = new QHBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(left);
    layout->addWidget(files);
    window.show();
    folders->setFocus();
    if (popup)
        QTimer::singleShot(300, drives, [drives] { drives->showPopup(); });
    return app.exec();
}
