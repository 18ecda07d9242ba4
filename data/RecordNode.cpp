#include "data/RecordNode.h"

#include "platform/core/Exception.h"
#include "platform/files/Files.h"

QString ErrorText(const std::exception& e)
{
    const auto* own = dynamic_cast<const Exception*>(&e);
    return own ? own->Message() : QString::fromLocal8Bit(e.what());
}

QString RecordErrorText(const std::exception& e, const QString& prefix, int no,
                        const QString& folder, const QString& data)
{
    const QChar tab(u'\t');
    return prefix + tab + ErrorText(e) + tab + QStringLiteral("<No=") + QString::number(no) + tab
        + QStringLiteral("Folder=") + folder + tab + QStringLiteral("Data=") + data
        + QLatin1Char('>');
}

QString RecordDataPath(const QString& folder, const QString& data)
{
    return ResolvePath(folder, data);
}
