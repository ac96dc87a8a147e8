#pragma once

#include <QThread>
#include <memory>

namespace lyricast {

class FileScanning;
class MainWindow;

// The thread of one scan. It only hands the scan's walk to the UI thread and
// waits for it: every row, status text and engine call happens there, while
// the walk lets the UI handle its pending events once at the start of every
// folder. The object releases itself when its thread ends.
class ScanWorker : public QThread {
    Q_OBJECT
public:
    ScanWorker(MainWindow& window, std::shared_ptr<FileScanning> scan);

protected:
    void run() override;

private:
    MainWindow& window_;
    std::shared_ptr<FileScanning> scan_;
};

} // namespace lyricast
