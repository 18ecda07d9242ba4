#include "screens/startup/UServerText.h"

#include "platform/text/Ansi.h"
#include "platform/text/CommaText.h"
#include "platform/text/Trim.h"

#include <QRegularExpression>
#include <QStringList>
#include <QUrl>

namespace {

QStringList PathElements(const QString& path)
{
    static const QRegularExpression separators(QStringLiteral("[\\\\/]"));
    return path.split(separators, Qt::SkipEmptyParts);
}

bool HasControlCharacter(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() < 32 || c.unicode() == 127)
            return true;
    return false;
}

bool IsSharedLibraryName(const QString& name)
{
    static const QRegularExpression library(QStringLiteral("\\.so(\\.|$)"),
                                            QRegularExpression::CaseInsensitiveOption);
    return library.match(name).hasMatch();
}

// The learner's records and settings, and the program's own logs.
bool IsProtectedName(const QString& name)
{
    static const QStringList names = {
        QStringLiteral("Reply.cds"), QStringLiteral("UnitHistory.cds"), QStringLiteral("Control.inf"),
        QStringLiteral("Menu.inf"),  QStringLiteral("Form.dat"),        QStringLiteral("Menu.dat"),
        QStringLiteral("Vek.Log"),
    };
    return names.contains(name, Qt::CaseInsensitive)
        || name.endsWith(QStringLiteral(".sub"), Qt::CaseInsensitive);
}

QStringList EntryNames(const TStringList& lines, const QString& key)
{
    return SplitCommaText(ServerValue(lines, key));
}

QStringList EntryFields(const TStringList& lines, const QString& name)
{
    return SplitCommaText(ServerValue(lines, name));
}

} // namespace

void SetServerText(TStringList& lines, const QByteArray& body)
{
    lines.SetText(Trim(DecodeAnsi(body)));
}

QString ServerValue(const TStringList& lines, const QString& name)
{
    return Trim(lines.Values(name));
}

QString VersionTextName(const QString& version)
{
    return QStringLiteral("info") + QString(version).remove(u'.') + QStringLiteral(".txt");
}

bool IsWebAddress(const QString& address)
{
    const QUrl url(address, QUrl::TolerantMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == u"http" || scheme == u"https") && !url.host().isEmpty();
}

QString CheckBelowProgramFolder(const QString& path)
{
    static const QRegularExpression driveLetter(QStringLiteral("^[A-Za-z]:"));
    if (Trim(path).isEmpty())
        return QStringLiteral("no path");
    if (path.startsWith(u'/') || path.startsWith(u'\\'))
        return QStringLiteral("absolute path");
    if (driveLetter.match(path).hasMatch())
        return QStringLiteral("drive letter");
    if (HasControlCharacter(path))
        return QStringLiteral("control character in the path");
    if (PathElements(path).contains(QStringLiteral("..")))
        return QStringLiteral("path leaves the program folder");
    return {};
}

QString CheckFileTarget(const QString& target, const QString& executableName)
{
    if (QString reason = CheckBelowProgramFolder(target); !reason.isEmpty())
        return reason;
    QStringList elements = PathElements(target);
    elements.removeAll(QStringLiteral("."));
    if (elements.isEmpty() || target.endsWith(u'/') || target.endsWith(u'\\'))
        return QStringLiteral("no file name");
    const QString& name = elements.constLast();
    if (elements.size() == 1 && name.compare(executableName, Qt::CaseInsensitive) == 0)
        return QStringLiteral("the program itself");
    if (IsSharedLibraryName(name))
        return QStringLiteral("a program library");
    if (IsProtectedName(name) || elements.contains(QStringLiteral("ImageAnswer"), Qt::CaseInsensitive))
        return QStringLiteral("the learner's records and settings");
    return {};
}

QString CheckIniFile(const QString& file)
{
    if (QString reason = CheckBelowProgramFolder(file); !reason.isEmpty())
        return reason;
    if (!file.endsWith(QStringLiteral(".inf"), Qt::CaseInsensitive)
        && !file.endsWith(QStringLiteral(".ini"), Qt::CaseInsensitive))
        return QStringLiteral("not an INI file (.inf or .ini)");
    return {};
}

std::vector<TFileEntry> FileEntries(const TStringList& lines, const QString& executableName)
{
    std::vector<TFileEntry> entries;
    for (const QString& name : EntryNames(lines, QStringLiteral("File"))) {
        TFileEntry& entry = entries.emplace_back();
        entry.Name = name;
        const QStringList fields = EntryFields(lines, name);
        if (fields.size() < 2) {
            entry.Refusal = QStringLiteral("fewer than two fields");
            continue;
        }
        entry.Url = fields[0];
        entry.Target = fields[1];
        if (!IsWebAddress(entry.Url))
            entry.Refusal = QStringLiteral("not an http or https address");
        else
            entry.Refusal = CheckFileTarget(entry.Target, executableName);
    }
    return entries;
}

std::vector<TIniEntry> IniEntries(const TStringList& lines)
{
    std::vector<TIniEntry> entries;
    for (const QString& name : EntryNames(lines, QStringLiteral("Ini"))) {
        TIniEntry& entry = entries.emplace_back();
        entry.Name = name;
        const QStringList fields = EntryFields(lines, name);
        if (fields.size() < 4) {
            entry.Refusal = QStringLiteral("fewer than four fields");
            entry.Stop = true;
            break;
        }
        entry.File = fields[0];
        entry.Section = fields[1];
        entry.Key = fields[2];
        entry.Value = fields[3];
        entry.Refusal = CheckIniFile(entry.File);
    }
    return entries;
}
