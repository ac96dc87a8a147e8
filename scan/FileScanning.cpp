#include "scan/FileScanning.h"

#include "scan/FileJudgement.h"
#include "scan/FolderWalk.h"
#include "scan/ScanTarget.h"

#include <QCoreApplication>
#include <exception>
#include <stdexcept>

namespace lyricast {

FileScanning* FileScanning::Start(ScanTarget& target) {
    auto* scan = new FileScanning(target);
    connect(scan, &QThread::finished, scan, &QObject::deleteLater);
    scan->start();
    return scan;
}

FileScanning::FileScanning(ScanTarget& target) : target_(target) {}

void FileScanning::run() {
    try {
        while (!isInterruptionRequested()) {
            std::exception_ptr error;
            // The object lives on the UI thread, so the call runs there while this thread waits.
            QMetaObject::invokeMethod(
                this,
                [this, &error] {
                    try {
                        ScanFolder();
                    } catch (...) {
                        error = std::current_exception();
                    }
                },
                Qt::BlockingQueuedConnection);
            if (error) std::rethrow_exception(error);
        }
    } catch (const std::exception& error) {
        // Nothing can be shown from this thread: hand the error to the UI
        // thread, where the application's error box catches it.
        const std::string message = error.what();
        QMetaObject::invokeMethod(qApp, [message] { throw std::runtime_error(message); }, Qt::QueuedConnection);
    }
}

void FileScanning::ScanFolder() {
    // A scan stopped before it began (the window closing) walks nothing.
    if (!isInterruptionRequested()) {
        WalkHooks hooks{[] { QCoreApplication::processEvents(); },
                        [this] { return target_.IncludeSubDir(); },
                        [this] { return isInterruptionRequested(); },
                        [this](const std::string& path, const std::string& extension) { CheckFile(path, extension); }};
        FolderWalk(std::move(hooks), PathRules::Native()).WalkFolder(target_.ScanRoot());
    }
    requestInterruption();
    target_.ShowStatus(QString());
}

void FileScanning::CheckFile(const std::string& path, const std::string& extension) {
    target_.ShowStatus(QStringLiteral("Scanning : ") + QString::fromLocal8Bit(path));
    target_.AddScanRow(path, extension, JudgeFile(target_.ScanSong(), path));
}

} // namespace lyricast
