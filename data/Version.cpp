#include "data/Version.h"

#include <QStringList>

TAppVersion AppVersion;

namespace {

const QString FileVersionPath = QStringLiteral("StringFileInfo\\041103A4\\FileVersion");

// Piece `index` of the dotted text as a decimal number; 0 when missing or not a number.
quint32 VersionPiece(const QStringList& pieces, qsizetype index)
{
    return index < pieces.size() ? pieces[index].toUInt(nullptr, 10) : 0;
}

} // namespace

void ReadFileVersion(const QString& executable)
{
    AppVersion = {};
    const quint32 size = GetFileVersionInfoSize(executable);
    if (size == 0)
        return;
    QByteArray buffer(static_cast<qsizetype>(size), '\0');
    if (!GetFileVersionInfo(executable, buffer))
        return;
    const std::optional<QString> text = VerQueryValue(buffer, FileVersionPath);
    if (!text)
        return;
    const QStringList pieces = text->split(QLatin1Char('.'));
    AppVersion.Major = VersionPiece(pieces, 0);
    AppVersion.Minor = VersionPiece(pieces, 1);
    AppVersion.Release = VersionPiece(pieces, 2);
    AppVersion.Build = VersionPiece(pieces, 3);
    AppVersion.VersionString = *text;
}

void InitializeVersion() { ReadFileVersion(); }

void FinalizeVersion() { AppVersion = {}; }
