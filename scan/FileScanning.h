#pragma once

#include <QThread>
#include <string>

namespace lyricast {

class ScanTarget;

// One scan of the folder list's current folder for karaoke files. The thread
// only hands the walk to the UI thread and waits for it: every row, status
// text and engine call happens there, while the walk lets the UI handle its
// pending events once at the start of every folder. The object releases
// itself when its thread ends.
class FileScanning : public QThread {
    Q_OBJECT
public:
    // Creates a scan, running, that deletes itself when done.
    static FileScanning* Start(ScanTarget& target);

    // Asks the walk to stop at its next check point; nothing waits for it.
    void Stop() { requestInterruption(); }

protected:
    void run() override;

private:
    explicit FileScanning(ScanTarget& target);

    void ScanFolder();
    void CheckFile(const std::string& path, const std::string& extension);

    ScanTarget& target_;
};

} // namespace lyricast
