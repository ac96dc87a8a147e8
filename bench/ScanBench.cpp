// Times the window's scan of one folder: the real main window, on whatever
// platform Qt is given (bench.py runs it offscreen), from the folder list's
// change until the scan has ended and its last row is in the file list.
//   scan_bench FOLDER
// Prints the seconds and the number of rows.
#include "ui/qt/FileListView.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/TApplication.h"
#include "ui/qt/TDirectoryListBox.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <iostream>

namespace {

bool ScanShown(const lyricast::MainWindow& window) {
    return !window.form.ScanRunning() &&
           static_cast<std::size_t>(window.fileListView->rowCount()) == window.form.rows.size();
}

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

    QElapsedTimer timer;
    timer.start();
    window.form.DirectoryListBox1Change();
    // A real event loop, as the scan's worker is deleted only from one; the
    // check every few milliseconds costs the scan next to nothing.
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, [&] {
        if (ScanShown(window))
            loop.quit();
    });
    check.start(2);
    loop.exec();
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;

    std::cout << seconds << ' ' << window.fileListView->rowCount() << '\n';
    window.form.FinishWork();
    return 0;
}
