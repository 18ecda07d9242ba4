#pragma once
// Whole-or-nothing replacement of a file; every writer of the system saves through here.
//  - The new content goes to a temporary file beside the target, named
//    ".<target name>.moriva-tmp-XXXXXX" (hidden, and saying whose it is), which the save
//    holds under an exclusive lock (flock) while it lives.
//  - Commit flushes that file to disk, renames it over the target and flushes the folder,
//    so a completed save survives a crash or a power loss; until the rename the old file
//    stays as it was. A save that fails or is given up removes its temporary file.
//  - Open first removes what earlier saves of the same target left when their process
//    died: every such temporary file that no live save holds locked.
//  - A target that is a symbolic link: the file it points to is replaced. A replaced file
//    keeps its permission bits; a new one gets 0666 less the umask.
//  - A target that exists but that this process may not write (its permission bits, as a
//    write in place would find them) is not replaced: Open and Commit fail with
//    "Permission denied" and the file keeps its bytes and mode.
// The path is used as given (Windows-style names are resolved by the callers).

#include <QByteArrayView>
#include <QString>

class TAtomicFile {
public:
    explicit TAtomicFile(const QString& target);
    ~TAtomicFile(); // removes the temporary file unless committed
    TAtomicFile(const TAtomicFile&) = delete;
    TAtomicFile& operator=(const TAtomicFile&) = delete;

    // Each returns false on failure, with ErrorString saying why; after a failure the
    // later steps fail too, so a caller may check only Commit.
    bool Open();
    bool Write(QByteArrayView bytes);
    bool Commit();
    QString ErrorString() const { return error_; }

    // The name part that marks temporary files of saves.
    static constexpr char TempMarker[] = ".moriva-tmp-";

    // Called, when set, once the temporary file is complete and flushed, right before it
    // replaces the target: tests stop a save there.
    static inline void (*BeforeReplace)() = nullptr;

private:
    bool Fail(int error);
    void RemoveLeftovers() const;
    bool CreateTemporary();
    bool RefuseForbiddenTarget();

    QString target_;  // the file replaced (a link resolved)
    QString folder_;
    QString tempPath_;
    int fd_ = -1;
    bool failed_ = false;
    QString error_;
};

// Writes bytes to target through a TAtomicFile; false with *error set when that fails.
bool SaveFileAtomically(const QString& target, QByteArrayView bytes, QString* error = nullptr);
