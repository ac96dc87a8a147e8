#include "ui/qt/ScanWorker.h"

#include "ui/qt/MainWindow.h"
#include "window/ErrorBox.h"
#include "window/FileScanning.h"

namespace lyricast {

ScanWorker::ScanWorker(MainWindow& window, std::shared_ptr<FileScanning> scan)
    : window_(window), scan_(std::move(scan)) {
    connect(this, &QThread::finished, this, &QObject::deleteLater);
}

void ScanWorker::run() {
    // The object lives on the UI thread, so the call runs there while this
    // thread waits; the walk's errors are shown there too.
    if (!scan_->Terminated())
        QMetaObject::invokeMethod(
            this, [this] { CallHandler(window_, [this] { window_.form.ScanFolder(*scan_); }); },
            Qt::BlockingQueuedConnection);
    scan_.reset();
}

} // namespace lyricast
