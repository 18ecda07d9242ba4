#include "platform/ini/IniFile.h"

#include "platform/core/Exception.h"
#include "platform/files/AtomicFile.h"
#include "platform/ini/IniText.h"
#include "platform/ini/IniTextCache.h"
#include "platform/ini/ProfileInteger.h"
#include "platform/text/Ansi.h"

#include <QFile>
#include <QFileInfo>
#include <optional>

namespace {

std::optional<TIniText> ReadText(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return ParsedIniText(fileName, bytes);
}

// The text a write starts from: empty for a missing file; a file that exists but cannot
// be read is not overwritten.
TIniText TextToChange(const QString& fileName)
{
    if (std::optional<TIniText> text = ReadText(fileName))
        return *text;
    if (QFileInfo::exists(fileName))
        throw Exception(QStringLiteral("Cannot read the INI file %1").arg(fileName));
    return TIniText();
}

void WriteText(const QString& fileName, const TIniText& text)
{
    QString error;
    const QByteArray bytes = text.Bytes();
    if (!SaveFileAtomically(fileName, bytes, &error))
        throw Exception(QStringLiteral("Cannot write the INI file %1: %2").arg(fileName, error));
    RememberIniText(fileName, bytes, text); // its lines were parsed as they were changed
}

void RefuseBadEntry(const QString& fileName, const QString& section, const QString& key, const QString& value)
{
    const QString fault = TIniText::EntryFault(section, key, value);
    if (!fault.isEmpty())
        throw Exception(QStringLiteral("%1 for %2: [%3] %4").arg(fault, fileName, section, key));
}

} // namespace

TIniFile::TIniFile(const QString& fileName) : fileName_(fileName) {}

bool TIniFile::KeyReadsBack(const QString& key)
{
    if (key.isEmpty() || key.contains(u'\r') || key.contains(u'\n') || key.startsWith(u'['))
        return false;
    const QString section = QStringLiteral("s");
    const TIniText text(EncodeAnsi(u'[' + section + QStringLiteral("]\r\n") + key
                                   + QStringLiteral("=0\r\n")));
    const int line = text.FindKey(section, key);
    return line == 1 && text.Name(line) == key;
}

QString TIniFile::KeyMatchForm(const QString& key)
{
    return TIniText::FoldedName(key);
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& def) const
{
    const std::optional<TIniText> text = ReadText(fileName_);
    const int line = text ? text->FindKey(section, key) : -1;
    return line < 0 ? def : text->Value(line);
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int def) const
{
    return ParseProfileInteger(ReadString(section, key, QString())).value_or(def);
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool TIniFile::ValueExists(const QString& section, const QString& key) const
{
    const std::optional<TIniText> text = ReadText(fileName_);
    return text && text->FindKey(section, key) >= 0;
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    RefuseBadEntry(fileName_, section, key, value);
    TIniText text = TextToChange(fileName_);
    text.SetValue(section, key, value);
    WriteText(fileName_, text);
}

void TIniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}
