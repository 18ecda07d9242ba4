// Saves, as an unprivileged user, into files that user may not write: the save fails as a
// write in place would, and the file keeps its bytes and mode. The saves run in a second
// process (tests/support/probes/AtomicSaveProbe), which a root test run starts as "nobody".
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uid_t Nobody = 65534;

class UnwritableTarget : public testing::Test {
protected:
    UnwritableTarget()
    {
        // A folder of the user's own inside one every user may pass through.
        chmod(QFile::encodeName(dir_.path()).constData(), 0755);
        folder_ = dir_.filePath(QStringLiteral("program"));
        QDir().mkdir(folder_);
        Own(folder_, 0755);
    }

    static bool AsRoot() { return geteuid() == 0; }
    static uid_t User() { return AsRoot() ? Nobody : geteuid(); }
    static gid_t Group() { return AsRoot() ? Nobody : getegid(); }

    QString Path(const QString& name) const { return folder_ + u'/' + name; }

    // Writes the file, owned by the user (or by root when byRoot), with mode.
    void Put(const QString& name, const QByteArray& bytes, mode_t mode, bool byRoot = false) const
    {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        if (!byRoot)
            Own(Path(name), mode);
        chmod(QFile::encodeName(Path(name)).constData(), mode);
    }

    // The probe's answer to a save as the user: "saved" or "failed <why>".
    static QString Probe(const QStringList& arguments)
    {
        QProcess probe;
        probe.start(QStringLiteral(MORIVA_SAVE_PROBE),
                    QStringList{QString::number(User()), QString::number(Group())} + arguments);
        EXPECT_TRUE(probe.waitForFinished(10000));
        return QString::fromLocal8Bit(probe.readAllStandardOutput()).trimmed();
    }
    QString SaveFile(const QString& name, const QString& text) const
    {
        return Probe({QStringLiteral("file"), Path(name), text});
    }
    QString SaveIni(const QString& name) const
    {
        return Probe({QStringLiteral("ini"), Path(name), QStringLiteral("Web"), QStringLiteral("URL"),
                      QStringLiteral("new")});
    }

    QByteArray Read(const QString& name) const
    {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    mode_t Mode(const QString& name) const
    {
        struct stat info {};
        stat(QFile::encodeName(Path(name)).constData(), &info);
        return info.st_mode & 07777;
    }
    QStringList Entries() const
    {
        return QDir(folder_).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }

private:
    static void Own(const QString& path, mode_t mode)
    {
        const QByteArray name = QFile::encodeName(path);
        if (AsRoot()) {
            ASSERT_EQ(chown(name.constData(), Nobody, Nobody), 0);
        }
        chmod(name.constData(), mode);
    }

    QTemporaryDir dir_;
    QString folder_;
};

} // namespace

TEST_F(UnwritableTarget, AReadOnlyFileIsNeitherReplacedNorChanged)
{
    const QByteArray old = "[Web]\r\nURL=old\r\n";
    Put(QStringLiteral("Menu.inf"), old, 0444);
    EXPECT_EQ(SaveFile(QStringLiteral("Menu.inf"), QStringLiteral("new")), QStringLiteral("failed Permission denied"));
    EXPECT_EQ(SaveIni(QStringLiteral("Menu.inf")),
              QStringLiteral("failed Cannot write the INI file %1: Permission denied").arg(Path(QStringLiteral("Menu.inf"))));
    EXPECT_EQ(Read(QStringLiteral("Menu.inf")), old);
    EXPECT_EQ(Mode(QStringLiteral("Menu.inf")), mode_t(0444));
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("Menu.inf")}); // no temporary file left
}

TEST_F(UnwritableTarget, AnotherUsersFileInTheUsersFolderIsNotReplaced)
{
    if (!AsRoot())
        GTEST_SKIP() << "making a file of another user needs root";
    // The folder would let the rename through; the file's own mode forbids the write.
    Put(QStringLiteral("Control.inf"), "[A]\r\nk=1\r\n", 0644, true);
    EXPECT_EQ(SaveIni(QStringLiteral("Control.inf")),
              QStringLiteral("failed Cannot write the INI file %1: Permission denied").arg(Path(QStringLiteral("Control.inf"))));
    EXPECT_EQ(Read(QStringLiteral("Control.inf")), "[A]\r\nk=1\r\n");
    EXPECT_EQ(Mode(QStringLiteral("Control.inf")), mode_t(0644));
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("Control.inf")});
}

TEST_F(UnwritableTarget, AWritableFileAndANewFileAreSavedAsBefore)
{
    Put(QStringLiteral("Menu.inf"), "[Web]\r\nURL=old\r\n", 0640);
    EXPECT_EQ(SaveIni(QStringLiteral("Menu.inf")), QStringLiteral("saved"));
    EXPECT_EQ(Read(QStringLiteral("Menu.inf")), "[Web]\r\nURL=new\r\n");
    EXPECT_EQ(Mode(QStringLiteral("Menu.inf")), mode_t(0640));
    EXPECT_EQ(SaveFile(QStringLiteral("new.txt"), QStringLiteral("text")), QStringLiteral("saved"));
    EXPECT_EQ(Read(QStringLiteral("new.txt")), "text");
}
