#pragma once
// Windows-style names on a case-sensitive file system. The system stores names such as
// "help\guide.html", the DATA of a question or "ImageAnswer\x.BMP", written for a file
// system that ignores letter case.
//  - "\" and "/" both separate path elements (a "\" is never part of a name); repeated
//    separators count as one; a trailing separator is kept (as "/").
//  - Each element that does not exist under its exact name is looked up among the
//    entries of its folder ignoring letter case (ASCII and Unicode simple case folding);
//    of several matches the first in folder order (FolderList.h) is taken.
//  - When nothing matches, the element and all after it are kept as given, so a file or
//    folder about to be created gets exactly the given name.
// Every function of this layer that takes a path resolves it this way first.

#include <QString>

// The path on disk for path (absolute, or relative to the current folder).
QString ResolvePath(const QString& path);
// The path on disk for name taken relative to baseFolder (a path on disk, with or
// without a trailing separator); a leading separator of name does not make it absolute.
QString ResolvePath(const QString& baseFolder, const QString& name);
