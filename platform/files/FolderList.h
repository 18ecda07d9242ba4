#pragma once
// Listing a folder in a stable order: by name ignoring letter case (QString's caseless
// comparison, which folds to lower case, so "_" sorts before the letters), names equal
// but for case by their exact text. Two listings of an unchanged folder give the same order.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct TFolderEntry {
    QString name;
    bool isDirectory = false; // a folder, or a link to one
    bool isHidden = false;    // the name begins with "."
};

// The entries of the folder at path (resolved as in WindowsPath.h), without "." and
// "..": files, folders, links and special files. Empty when the folder cannot be read.
QList<TFolderEntry> ListFolder(const QString& path);

// The order of ListFolder.
bool FolderOrderLess(const QString& a, const QString& b);

// An entry whose name is not valid UTF-8 (raw Shift_JIS bytes, as a zip made on Windows
// unpacks them). Qt cannot name it, so ListFolder shows it with replacement characters
// and no path built from that name reaches it.
struct TUndecodableEntry {
    QByteArray name;          // the name's bytes as the file system holds them
    bool isDirectory = false; // a folder, or a link to one
    QStringList entries;      // for a folder: the names of its own entries
};

// The entries of the folder at path whose names are not valid UTF-8, in byte order;
// empty when the folder cannot be read.
QList<TUndecodableEntry> ListUndecodableEntries(const QString& path);
