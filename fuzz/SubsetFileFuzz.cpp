// Fuzz target of subset files: the input is the bytes of a ".sub" file in a category
// folder. Checked: the folder lists the subset; its first line reads and splits into
// question-number entries; those entries, written as a subset file and read again, are
// the same entries. The folder lies in memory (/dev/shm) when the system has one.
#include "data/UConst.h"
#include "platform/core/Exception.h"
#include "platform/text/CommaText.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

QString Folder()
{
    static const std::unique_ptr<QTemporaryDir> dir = [] {
        const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        return std::make_unique<QTemporaryDir>(base + QStringLiteral("/moriva-fuzz-XXXXXX"));
    }();
    return dir->path() + u'/';
}

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString folder = Folder();
    {
        QFile file(folder + QStringLiteral("Verbs.sub"));
        Check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        Check(file.write(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)) == qint64(size));
    }
    TStringList names;
    ListSubFiles(folder, names);
    Check(names.Count() == 1 && names[0] == QStringLiteral("Verbs"));

    const QString line = ReadSubFile(folder + QStringLiteral("verbs"));
    Check(!line.contains(u'\r') && !line.contains(u'\n'));
    const QStringList entries = SplitSubsetCommaText(line);

    WriteSubFile(folder + QStringLiteral("Verbs"), JoinCommaText(entries));
    Check(SplitSubsetCommaText(ReadSubFile(folder + QStringLiteral("Verbs"))) == entries);
    return 0;
}
