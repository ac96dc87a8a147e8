#include "ui/ToutPathForm.h"

#include "ui/TMainForm.h"

namespace lyricast {

ToutPathForm::ToutPathForm(TMainForm* mainForm) : QDialog(mainForm), mainForm_(mainForm) {
    setObjectName(QStringLiteral("outPathForm"));
    setWindowTitle(QStringLiteral("Output Path"));
}

} // namespace lyricast
