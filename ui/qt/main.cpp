#include "ui/qt/QtProgram.h"

int main(int argc, char** argv) {
    lyricast::QtProgram program(argc, argv);
    return lyricast::RunWindowProgram(program);
}
