// Entry point: the application object, then the program (MainProgram.h).
#include "shell/MainProgram.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    return MainProgram();
}
