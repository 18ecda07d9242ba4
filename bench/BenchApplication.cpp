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
    // Never destroyed: the benchmarks keep units and widgets in statics, which end after
    // any static application object would, and a widget must not outlive its application.
    new QApplication(argc, argv);
}
