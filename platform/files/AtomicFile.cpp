#include "platform/files/AtomicFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

constexpr int RandomLength = 6;
constexpr int MaxLinkDepth = 40;

QByteArray Encoded(const QString& path) { return QFile::encodeName(path); }

// ".<name>.moriva-tmp-", the name cut (at a character boundary) so that a whole temporary
// name stays within the file system's limit of NAME_MAX bytes.
QByteArray TempPrefix(const QString& fileName)
{
    QByteArray name = Encoded(fileName);
    const qsizetype room = NAME_MAX - 1 - qsizetype(std::strlen(TAtomicFile::TempMarker)) - RandomLength;
    if (name.size() > room) {
        qsizetype cut = room;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
            --cut; // not inside a UTF-8 sequence
        name.truncate(cut);
    }
    return '.' + name + TAtomicFile::TempMarker;
}

QByteArray RandomSuffix()
{
    static constexpr char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray suffix(RandomLength, 'x');
    for (char& c : suffix)
        c = Alphabet[QRandomGenerator::global()->bounded(int(sizeof Alphabet - 1))];
    return suffix;
}

// True when path still names the file open as fd (nobody removed or replaced it).
bool SameFile(int fd, const QByteArray& path)
{
    struct stat open {}, named {};
    return fstat(fd, &open) == 0 && lstat(path.constData(), &named) == 0 && open.st_dev == named.st_dev
           && open.st_ino == named.st_ino;
}

// Removes the temporary file at path when no live save holds it.
void RemoveIfAbandoned(const QByteArray& path)
{
    const int fd = open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return;
    if (flock(fd, LOCK_EX | LOCK_NB) == 0 && SameFile(fd, path))
        unlink(path.constData());
    close(fd);
}

// The file a link points to, through every level of links.
QString LinkResolved(const QString& path)
{
    QString resolved = path;
    for (int depth = 0; depth < MaxLinkDepth && QFileInfo(resolved).isSymLink(); ++depth)
        resolved = QFileInfo(resolved).symLinkTarget();
    return resolved;
}

// True when target exists and this process may not write it; the folder's permission,
// which lets the rename replace it anyway, does not count.
bool WriteForbidden(const QByteArray& target)
{
    return faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

void SyncFolder(const QByteArray& folder)
{
    // Best effort: the save is complete once renamed; some file systems cannot sync folders.
    const int fd = open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

} // namespace

TAtomicFile::TAtomicFile(const QString& target) : target_(LinkResolved(target))
{
    folder_ = QFileInfo(target_).path();
}

TAtomicFile::~TAtomicFile()
{
    if (fd_ < 0)
        return;
    unlink(Encoded(tempPath_).constData()); // while still locked, so no one else takes it
    close(fd_);
}

bool TAtomicFile::Fail(int error)
{
    failed_ = true;
    error_ = QString::fromStdString(std::generic_category().message(error));
    return false;
}

void TAtomicFile::RemoveLeftovers() const
{
    const QByteArray folder = Encoded(folder_);
    DIR* dir = opendir(folder.constData());
    if (!dir)
        return;
    const QByteArray prefix = TempPrefix(QFileInfo(target_).fileName());
    while (const dirent* entry = readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name.startsWith(prefix) && name.size() == prefix.size() + RandomLength)
            RemoveIfAbandoned(folder + '/' + name);
    }
    closedir(dir);
}

bool TAtomicFile::CreateTemporary()
{
    const QByteArray prefix = Encoded(folder_) + '/' + TempPrefix(QFileInfo(target_).fileName());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray path = prefix + RandomSuffix();
        const int fd = open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return Fail(errno);
        }
        // A cleaner that took the fresh file for a leftover has it, or has removed it.
        if (flock(fd, LOCK_EX | LOCK_NB) != 0 || !SameFile(fd, path)) {
            close(fd);
            continue;
        }
        fd_ = fd;
        tempPath_ = QFile::decodeName(path);
        return true;
    }
    return Fail(EEXIST);
}

bool TAtomicFile::RefuseForbiddenTarget()
{
    return !WriteForbidden(Encoded(target_)) || Fail(EACCES);
}

bool TAtomicFile::Open()
{
    if (failed_ || fd_ >= 0)
        return !failed_;
    if (target_.isEmpty())
        return Fail(ENOENT);
    if (!RefuseForbiddenTarget())
        return false;
    RemoveLeftovers();
    if (!CreateTemporary())
        return false;
    struct stat existing {};
    if (stat(Encoded(target_).constData(), &existing) == 0 && fchmod(fd_, existing.st_mode & 07777) != 0)
        return Fail(errno);
    return true;
}

bool TAtomicFile::Write(QByteArrayView bytes)
{
    if (failed_ || (fd_ < 0 && !Open()))
        return false;
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = write(fd_, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return Fail(errno);
        }
        data += written;
        left -= written;
    }
    return true;
}

bool TAtomicFile::Commit()
{
    if (failed_ || (fd_ < 0 && !Open()))
        return false;
    if (fsync(fd_) != 0)
        return Fail(errno);
    if (BeforeReplace)
        BeforeReplace();
    if (!RefuseForbiddenTarget()) // its mode may have changed while the file was written
        return false;
    if (rename(Encoded(tempPath_).constData(), Encoded(target_).constData()) != 0)
        return Fail(errno);
    close(fd_); // the lock goes with it, after the rename
    fd_ = -1;
    tempPath_.clear();
    SyncFolder(Encoded(folder_));
    return true;
}

bool SaveFileAtomically(const QString& target, QByteArrayView bytes, QString* error)
{
    TAtomicFile file(target);
    if (file.Open() && file.Write(bytes) && file.Commit())
        return true;
    if (error)
        *error = file.ErrorString();
    return false;
}
