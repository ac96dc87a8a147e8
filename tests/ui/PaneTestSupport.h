#pragma once

#include "platform/Volumes.h"

#include <QApplication>
#include <QStringList>

#include <exception>
#include <string>
#include <vector>

namespace lyricast::test {

// The application the pane's tests run in. Like the main window's, it catches
// an error that leaves an event handler in one place, its event dispatch; the
// tests read what was caught instead of a message box showing it.
class ErrorCatchingApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            errors_.append(QString::fromLocal8Bit(error.what()));
            return true; // dealt with: the error is reported
        }
    }

    QStringList TakeErrors() {
        QStringList errors;
        errors.swap(errors_);
        return errors;
    }

    static ErrorCatchingApplication& Instance() {
        return *static_cast<ErrorCatchingApplication*>(QCoreApplication::instance());
    }

private:
    QStringList errors_;
};

// A volume table of the test's own: volumes whose mount points are folders of
// a temporary tree, or folders that do not exist (a drive without a disc).
class FakeVolumeTable : public VolumeTable {
public:
    std::vector<Volume> volumes;
    VolumeCase volumeCase;

    std::vector<Volume> List() const override { return volumes; }
    VolumeCase CaseOf(const std::string& /*folder*/) const override { return volumeCase; }
};

} // namespace lyricast::test
