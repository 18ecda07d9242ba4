// Entry point: the embedded browser's settings that must precede the application
// object, the application object, then the program (MainProgram.h).
#include "platform/web/WebEngineSetup.h"
#include "shell/MainProgram.h"

#include <QApplication>

int main(int argc, char** argv)
{
    PrepareWebEngine();
    QApplication app(argc, argv);
    return MainProgram();
}
