#include "platform/files/Files.h"

#include "platform/core/Exception.h"
#include "platform/files/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool FileExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo(ResolvePath(path)).isFile();
}

bool DirectoryExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo(ResolvePath(path)).isDir();
}

bool DeleteFile(const QString& path)
{
    const QString resolved = ResolvePath(path);
    const QFileInfo info(resolved);
    if (path.isEmpty() || (info.isDir() && !info.isSymLink()))
        return false;
    return QFile::remove(resolved);
}

bool CopyFile(const QString& source, const QString& target, bool failIfExists)
{
    QFile in(ResolvePath(source));
    if (source.isEmpty() || target.isEmpty() || !in.open(QIODevice::ReadOnly))
        return false;
    const QString to = ResolvePath(target);
    const QFileInfo toInfo(to);
    if (failIfExists && (toInfo.exists() || toInfo.isSymLink()))
        return false;
    TAtomicFile out(to);
    if (!out.Open())
        return false;
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 16);
        if (in.error() != QFileDevice::NoError || !out.Write(chunk))
            return false; // out is discarded unwritten
    }
    return out.Commit();
}

bool ForceDirectories(const QString& path)
{
    return !path.isEmpty() && QDir().mkpath(ResolvePath(path));
}

namespace {

void WriteResolvedAtomic(const QString& resolved, const QByteArray& bytes)
{
    QString error;
    if (!SaveFileAtomically(resolved, bytes, &error))
        throw Exception(QStringLiteral("Cannot write the file %1: %2").arg(resolved, error));
}

} // namespace

void WriteFileAtomic(const QString& path, const QByteArray& bytes)
{
    WriteResolvedAtomic(ResolvePath(path), bytes);
}

void WriteFileAtomicAs(const QString& folder, const QString& fileName, const QByteArray& bytes)
{
    if (fileName.isEmpty() || fileName.contains(u'/') || fileName.contains(u'\\'))
        throw Exception(QStringLiteral("Cannot write the file \"%1\": not a plain file name").arg(fileName));
    QString base = ResolvePath(folder);
    if (!base.isEmpty() && !base.endsWith(u'/'))
        base += u'/';
    WriteResolvedAtomic(base + fileName, bytes);
}

QByteArray ReadFileBytes(const QString& path)
{
    const QString resolved = ResolvePath(path);
    QFile file(resolved);
    if (file.open(QIODevice::ReadOnly)) {
        QByteArray bytes = file.readAll();
        if (file.error() == QFileDevice::NoError)
            return bytes;
    }
    throw Exception(QStringLiteral("Cannot read the file %1: %2").arg(resolved, file.errorString()));
}
