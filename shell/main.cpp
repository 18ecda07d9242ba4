// Entry point. The application shell (menu, data screens, tests) is not built yet; until
// it is, the program says so plainly and shows what the study-data layer finds.
#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    out << "moriva: the screens are not built yet; this build holds the platform and "
           "study-data layers only.\n";
    return 0;
}
