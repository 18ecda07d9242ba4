#include "platform/winapi/VersionInfo.h"

#include "platform/winapi/ElfSection.h"
#include "platform/winapi/VersionRecord.h"

#include <QFileInfo>
#include <algorithm>

namespace {

// A version record is a few lines; anything larger is not one of ours.
constexpr qint64 MaxRecordSize = 64 * 1024;

std::optional<QByteArray> ReadRecord(const QString& fileName)
{
    return ReadElfSection(fileName, VersionSectionName, MaxRecordSize);
}

} // namespace

QString GetModuleFileName()
{
    return QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
}

quint32 GetFileVersionInfoSize(const QString& fileName)
{
    const std::optional<QByteArray> record = ReadRecord(fileName);
    return record ? static_cast<quint32>(record->size()) : 0;
}

bool GetFileVersionInfo(const QString& fileName, QByteArray& data)
{
    const std::optional<QByteArray> record = ReadRecord(fileName);
    if (!record || record->isEmpty())
        return false;
    const qsizetype length = std::min(data.size(), record->size());
    std::copy_n(record->constData(), length, data.data());
    return true;
}

std::optional<QString> VerQueryValue(const QByteArray& data, const QString& subBlock)
{
    const QByteArray key = subBlock.toLatin1() + '=';
    // The record ends at its first zero byte (the section may be padded).
    const QByteArray text(data.constData(),
                          static_cast<qsizetype>(qstrnlen(data.constData(), data.size())));
    for (const QByteArray& line : text.split('\n')) {
        if (line.startsWith(key))
            return QString::fromLatin1(line.sliced(key.size()));
    }
    return std::nullopt;
}
