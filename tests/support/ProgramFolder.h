#pragma once
// A fresh, empty program folder for one test: a temporary folder that GetAppDir returns
// while the object lives. The folder and everything in it are removed on destruction,
// and GetAppDir returns to what it was before (folders may nest).
// Relative names use "/" or "\" as separators and are taken exactly as given (no case
// matching), so a test can create names that differ in case from what the system asks.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

class TempProgramFolder {
public:
    TempProgramFolder();
    // A program folder inside parent (for example a memory file system for tests with
    // many thousands of files); the system's temporary folder when parent is missing.
    explicit TempProgramFolder(const QString& parent);
    ~TempProgramFolder();
    TempProgramFolder(const TempProgramFolder&) = delete;
    TempProgramFolder& operator=(const TempProgramFolder&) = delete;

    // The folder, with a trailing "/".
    QString Path() const;
    // Path() followed by relativeName, with "\" turned into "/".
    QString FilePath(const QString& relativeName) const;

    // Creates or replaces the file, creating missing folders; fails the test on error.
    void Write(const QString& relativeName, const QByteArray& bytes) const;
    // The file's bytes; fails the test (and gives empty bytes) when it cannot be read.
    QByteArray Read(const QString& relativeName) const;
    // Creates the folder with its missing parents; fails the test on error.
    void MakeDir(const QString& relativeName) const;
    // Copies every file of the folder source (not its subfolders) into the folder
    // relativeName, as an installation lays them out; fails the test on error.
    void CopyFiles(const QString& source, const QString& relativeName) const;

private:
    QTemporaryDir dir_;
    QString previousOverride_;
};
