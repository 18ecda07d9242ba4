#pragma once
// Listing a folder in a stable order: by name ignoring letter case (QString's caseless
// comparison, which folds to lower case, so "_" sorts before the letters), names equal
// but for case by their exact text. Two listings of an unchanged folder give the same order.

#include <QList>
#include <QString>

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
