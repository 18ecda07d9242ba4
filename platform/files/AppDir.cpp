#include "platform/files/AppDir.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

QString& OverrideFolder()
{
    static QString folder;
    return folder;
}

QString WithTrailingSlash(QString folder)
{
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

} // namespace

QString GetAppDir()
{
    if (!OverrideFolder().isEmpty())
        return OverrideFolder();
    if (QCoreApplication::instance())
        return WithTrailingSlash(QCoreApplication::applicationDirPath());
    return WithTrailingSlash(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(u'/', 0, -2));
}

void SetAppDirOverride(const QString& folder)
{
    OverrideFolder() = folder.isEmpty() ? QString() : WithTrailingSlash(folder);
}

void ClearAppDirOverride() { OverrideFolder().clear(); }

QString AppDirOverride() { return OverrideFolder(); }
