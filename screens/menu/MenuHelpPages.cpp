#include "screens/menu/MenuHelpPages.h"

#include "data/UConst.h"
#include "platform/files/WindowsPath.h"

#include <QDir>
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

QString SitePageOfLocalCopy(const QString& address)
{
    const QString text = address.trimmed();
    const QUrl url = text.startsWith(QLatin1Char('/')) ? QUrl::fromLocalFile(text) : QUrl(text);
    if (!url.isLocalFile())
        return address;
    const QString path = QDir::cleanPath(url.toLocalFile());
    for (int tag = 1; tag <= 3; ++tag) {
        const QString page = QDir::cleanPath(GetAppDir() + QString(HelpFiles[tag]).replace(QLatin1Char('\\'), QLatin1Char('/')));
        if (path.compare(page, Qt::CaseInsensitive) == 0)
            return HelpSitePage(tag);
    }
    return address;
}
