#pragma once
// The subset files of a category folder as they lie on disk: every file whose name ends
// in ".sub" in any letter case (folders never count). The subset name is the file name
// without its last four characters.

#include <QString>
#include <QStringList>

// True when fileName ends in ".sub", ".Sub", ".SUB" or any other letter case of it.
bool IsSubFileName(const QString& fileName);
// The subset name of a subset file name.
QString SubNameOf(const QString& fileName);
// The names of the folder's subset files, sorted by subset name without regard to case
// (names equal but for case, and extensions differing in case, by their exact text), so
// that two listings of an unchanged folder agree. Empty when the folder cannot be read.
QStringList ListSubFileNames(const QString& folder);
