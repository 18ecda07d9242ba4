// Fuzz target of the news check's server texts: any reply body is read as name=value
// lines with File and Ini entries. Whatever an entry is allowed to do must stay inside
// the program folder: every File entry carried out fetches an http or https address into
// a file below the folder that is not the program, and every Ini entry carried out
// writes an .inf or .ini file below the folder.
#include "screens/startup/UServerText.h"

#include <QDir>
#include <cstdint>
#include <cstdlib>

namespace {

const QString Base = QStringLiteral("/program/");
const QString Program = QStringLiteral("moriva");

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

// The path as the file system would take it, "\" being a separator.
QString Placed(const QString& relative)
{
    return QDir::cleanPath(Base + QString(relative).replace(u'\\', u'/'));
}

bool Below(const QString& relative)
{
    const QString placed = Placed(relative);
    return placed.startsWith(Base) && placed.size() > Base.size();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TStringList lines;
    SetServerText(lines, QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    for (const char* key : {"Info", "Version", "VersionUpURL"})
        (void)IsWebAddress(ServerValue(lines, QString::fromLatin1(key)));
    (void)VersionTextName(ServerValue(lines, QStringLiteral("Version")));

    for (const TFileEntry& entry : FileEntries(lines, Program)) {
        if (!entry.Refusal.isEmpty())
            continue;
        Require(IsWebAddress(entry.Url));
        Require(Below(entry.Target));
        Require(Placed(entry.Target).compare(Base + Program, Qt::CaseInsensitive) != 0);
    }
    const std::vector<TIniEntry> ini = IniEntries(lines);
    for (std::size_t i = 0; i < ini.size(); ++i) {
        const TIniEntry& entry = ini[i];
        Require(!entry.Stop || i + 1 == ini.size());
        if (!entry.Refusal.isEmpty())
            continue;
        Require(Below(entry.File));
        Require(entry.File.endsWith(QStringLiteral(".inf"), Qt::CaseInsensitive)
                || entry.File.endsWith(QStringLiteral(".ini"), Qt::CaseInsensitive));
    }
    return 0;
}
