#include "screens/menu/MenuHelpPages.h"

#include "data/UConst.h"
#include "platform/files/WindowsPath.h"

#include <QUrl>

QString LocalHelpPage(int tag)
{
    return ResolvePath(GetAppDir(), HelpFiles[tag]);
}

int HelpPageOf(const QString& address)
{
    const QString path = QUrl::fromUserInput(address).path().replace(QLatin1Char('\\'), QLatin1Char('/'));
    for (int tag = 2; tag <= 3; ++tag) {
        const QString page = QLatin1Char('/') + QString(HelpFiles[tag]).replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (path.endsWith(page, Qt::CaseInsensitive))
            return tag;
    }
    return 1;
}
