#include "ui/qt/TFileListBox.h"

#include <QGuiApplication>

namespace lyricast {

TFileListBox::TFileListBox(QWidget* parent) : QListWidget(parent), core(*this) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    core.ReRead();
}

void TFileListBox::ClearFiles() {
    clear();
}

void TFileListBox::AddFile(const std::string& name) {
    addItem(QString::fromLocal8Bit(name));
}

void TFileListBox::ShowBusy(bool busy) {
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

} // namespace lyricast
