// Entry point. The category menu and the data screen, through which the test screens are
// reached, are not built yet; until they are, the program says so plainly and lists what
// the study-data layer finds in its program folder: the version record and the category
// folders with their question counts.
#include "data/UConst.h"
#include "data/Version.h"
#include "platform/core/Units.h"
#include "platform/text/StringList.h"
#include "shell/ProgramUnits.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    TUnits units(ProgramUnits());
    QTextStream out(stdout);
    out << "moriva " << AppVersion.VersionString << "\n"
        << "The category menu and the data screen are not built yet, so no screen can be "
           "reached from here.\n"
        << "Program folder: " << GetAppDir() << "\n";
    TStringList folders;
    ListCategoryFolders(folders);
    out << "Categories: " << folders.Count() << "\n";
    for (int i = 0; i < folders.Count(); ++i) {
        const QString folder = folders[i];
        out << "  " << folder.mid(3) << " (" << GetAnswerRecordCount(GetAppDir() + folder + "/")
            << " questions)\n";
    }
    return 0;
}
