#pragma once

#include <QDialog>

namespace lyricast {

class TMainForm;

// The output folder dialog: where converted files go.
class ToutPathForm : public QDialog {
    Q_OBJECT
public:
    explicit ToutPathForm(TMainForm* mainForm);

private:
    TMainForm* mainForm_;
};

} // namespace lyricast
