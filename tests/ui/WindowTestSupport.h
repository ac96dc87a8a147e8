#pragma once

#include "ui/qt/MainWindow.h"
#include "ui/qt/SummaryDialog.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <functional>

namespace lyricast::test {

// A menu, or an entry of a menu, of the window's menu bar by its name in MainMenu.
inline QMenu* MenuNamed(const MainWindow& window, const char* name) {
    return window.findChild<QMenu*>(QString::fromLatin1(name));
}
inline QAction* EntryNamed(const MainWindow& window, const char* name) {
    return window.findChild<QAction*>(QString::fromLatin1(name));
}

// Answers the modal windows that open, one step each, in order. A modal
// window runs its own event loop until closed, so the steps run from a timer
// that looks for the active modal window. A step waits for a window whose
// object or class name is the one given. Message boxes and the batch's
// summary are recorded as "title|text" in `seen`, other windows by their
// object name.
class ModalAnswers {
public:
    using Action = std::function<void(QWidget*)>;

    ModalAnswers() {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
        timer_.start(10);
    }

    ModalAnswers& Then(const QString& name, Action action) {
        steps_.push_back({name, std::move(action)});
        return *this;
    }
    ModalAnswers& Close(const QString& name) {
        return Then(name, [](QWidget* modal) { modal->close(); });
    }

    bool Done() const { return steps_.empty(); }
    QStringList seen;

private:
    struct Step {
        QString name;
        Action action;
    };

    void Tick() {
        QWidget* modal = QApplication::activeModalWidget();
        if (steps_.empty() || modal == nullptr || !modal->isVisible())
            return;
        const Step& next = steps_.front();
        if (modal->objectName() != next.name &&
            QString::fromLatin1(modal->metaObject()->className()) != next.name)
            return;
        const Step step = next;
        steps_.erase(steps_.begin());
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            seen << box->windowTitle() + QLatin1Char('|') + box->text();
        else if (auto* summary = qobject_cast<SummaryDialog*>(modal))
            seen << summary->windowTitle() + QLatin1Char('|') + summary->head->text();
        else
            seen << modal->objectName();
        step.action(modal);
    }

    std::vector<Step> steps_;
    QTimer timer_;
};

} // namespace lyricast::test
