#include "ui/qt/ErrorBox.h"

#include "window/AppInfo.h"

#include <QMessageBox>

namespace lyricast {

void ShowErrorBox(const QString& message, QWidget* parent) {
    QMessageBox box(QMessageBox::Critical, QString::fromStdString(kApplicationTitle), message,
                    QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("errorBox"));
    box.exec();
}

std::function<void(const std::string&)> ErrorBoxOver(QWidget* widget) {
    return [widget](const std::string& text) {
        ShowErrorBox(QString::fromLocal8Bit(text), widget->window());
    };
}

} // namespace lyricast
