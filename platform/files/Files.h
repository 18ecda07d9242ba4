#pragma once
// File and folder operations of the system. Every path may be a Windows-style name: it
// is resolved as WindowsPath.h describes before use. Whatever is written goes through
// TAtomicFile (AtomicFile.h), so a file is written completely or not at all.

#include "platform/files/AppDir.h"
#include "platform/files/AtomicFile.h"
#include "platform/files/FolderList.h"
#include "platform/files/WindowsPath.h"

#include <QByteArray>
#include <QString>

// True when path is a file (or a link to one); false for folders and missing paths.
bool FileExists(const QString& path);
// True when path is a folder (or a link to one).
bool DirectoryExists(const QString& path);

// Deletes the file; false when it is missing, is a folder or cannot be deleted.
bool DeleteFile(const QString& path);
// Copies the file source to target; false when source cannot be read, when
// failIfExists is set and target exists, or when target cannot be written (it is then
// left as it was).
bool CopyFile(const QString& source, const QString& target, bool failIfExists);
// Creates the folder path with every missing parent; true when it exists afterwards.
bool ForceDirectories(const QString& path);

// Creates or replaces the file with bytes; raises Exception naming the file when that
// cannot be done (missing folder, no permission, disk full), the old file then unchanged.
void WriteFileAtomic(const QString& path, const QByteArray& bytes);
// The same for the file fileName (a name without separators) in folder, where only the
// folder is resolved: the file gets exactly the given name, also when a file whose name
// differs from it only in letter case is there (which stays as it is).
void WriteFileAtomicAs(const QString& folder, const QString& fileName, const QByteArray& bytes);
// The whole content of the file; raises Exception naming the file when it is missing or
// cannot be read.
QByteArray ReadFileBytes(const QString& path);
