#include "bench/BenchApplication.h"

#include <QApplication>

void EnsureBenchApplication()
{
    static int argc = 1;
    static char name[] = "moriva_bench";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
}
