// Times the window's scan of one folder: the real main window, on whatever
// platform Qt is given (bench.py runs it offscreen), from the folder list's
// change until the scan has ended and its last row is in the file list, and
// on until the Lyrics column of every "Good" row is in. All the while, every
// few milliseconds, the File menu is opened as a click would open it, and the
// longest it waited for the UI thread and took to show is kept.
//   scan_bench FOLDER
// Prints the seconds until the last row, the number of rows, the seconds
// until the Lyrics column was complete, and the slowest menu in milliseconds.
#include "ui/qt/FileListView.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/TApplication.h"
#include "ui/qt/TDirectoryListBox.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <algorithm>
#include <iostream>

namespace {

bool ScanShown(const lyricast::MainWindow& window) {
    return !window.form.ScanRunning() &&
           static_cast<std::size_t>(window.fileListView->rowCount()) == window.form.rows.size();
}

// Opens and closes `menu` from the event queue, as a click does, and keeps
// the longest time from the click to the menu shown.
class MenuProbe {
public:
    explicit MenuProbe(QMenu& menu) : menu_(menu) {}

    void Click() {
        clicked_.start();
        QTimer::singleShot(0, &menu_, [this] {
            menu_.popup(QPoint(0, 0));
            slowest_ = std::max(slowest_, static_cast<double>(clicked_.nsecsElapsed()) / 1e6);
            menu_.hide();
        });
    }
    double SlowestMs() const { return slowest_; }

private:
    QMenu& menu_;
    QElapsedTimer clicked_;
    double slowest_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    lyricast::TApplication application(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: scan_bench FOLDER\n";
        return 2;
    }
    lyricast::MainWindow window;
    window.show();
    window.DirectoryListBox1->core.SetDirectory(argv[1]);
    QCoreApplication::processEvents();
    MenuProbe probe(*window.menuBar()->findChild<QMenu*>(QStringLiteral("File1")));

    QElapsedTimer timer;
    timer.start();
    window.form.DirectoryListBox1Change();
    // A real event loop, as the scan's worker is deleted only from one; the
    // check every few milliseconds costs the scan next to nothing.
    QEventLoop loop;
    QTimer check;
    double scanSeconds = 0;
    QObject::connect(&check, &QTimer::timeout, [&] {
        if (scanSeconds == 0 && ScanShown(window))
            scanSeconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
        if (scanSeconds > 0 && window.form.LyricsColumnComplete())
            loop.quit();
    });
    check.start(2);
    QTimer menu;
    QObject::connect(&menu, &QTimer::timeout, [&] { probe.Click(); });
    menu.start(25);
    loop.exec();
    const double lyricsSeconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;

    std::cout << scanSeconds << ' ' << window.fileListView->rowCount() << ' ' << lyricsSeconds
              << ' ' << probe.SlowestMs() << '\n';
    window.form.FinishWork();
    return 0;
}
