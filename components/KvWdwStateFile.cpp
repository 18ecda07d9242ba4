#include "components/KvWdwStateFile.h"

#include "platform/files/Files.h"

#include <QFile>

bool ReadWdwStateFile(const QString& path, TKvWdwStateData& data, TWdwStateLog log)
{
    if (!FileExists(path))
        return false;
    QFile file(ResolvePath(path));
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.read(TKvWdwStateData::Size) : QByteArray();
    const std::optional<TKvWdwStateData> record = TKvWdwStateData::FromBytes(bytes);
    if (!record) {
        log(QStringLiteral("KvUserWdwStateReadData"),
                 QStringLiteral("%1: %2 bytes, no window-state record of %3; the window keeps its own placement")
                     .arg(path)
                     .arg(bytes.size())
                     .arg(TKvWdwStateData::Size));
        return false;
    }
    data = *record;
    return true;
}

void SaveWdwStateFile(const QString& path, const TKvWdwStateData& data)
{
    WriteFileAtomic(path, data.ToBytes());
}
