#include "ui/ErrorBox.h"
#include "ui/TApplication.h"
#include "ui/TMainForm.h"
#include "ui/ToutPathForm.h"

#include <exception>

int main(int argc, char** argv) {
    lyricast::TApplication application(argc, argv);
    try {
        lyricast::TMainForm mainForm;
        lyricast::ToutPathForm outPathForm(&mainForm);
        mainForm.outPathForm = &outPathForm;
        mainForm.show();
        const int status = application.exec();
        mainForm.FinishScans();
        return status;
    } catch (const std::exception& error) {
        lyricast::ShowErrorBox(QString::fromLocal8Bit(error.what()));
        return 1;
    }
}
