// Atomic saves: a save killed before its rename leaves the old file and a leftover that
// says whose it is; the next save of that file removes it. Every writer of the platform
// saves this way.
#include "platform/dataset/ClientDataSet.h"
#include "platform/files/Files.h"
#include "platform/ini/IniFile.h"
#include "platform/text/Ansi.h"
#include "platform/text/StringList.h"
#include "platform/vcl/BmpFile.h"
#include "tests/support/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class AtomicSave : public testing::Test {
protected:
    QStringList Entries() const
    {
        return QDir(folder.Path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }

    // Runs save in a child process that is killed once its temporary file is complete.
    static void KilledBeforeRename(const std::function<void()>& save)
    {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            TAtomicFile::BeforeReplace = [] { raise(SIGKILL); };
            try {
                save();
            } catch (...) {
            }
            _exit(0); // not reached when the save got that far
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the save ended by itself";
    }

    TempProgramFolder folder;
};

// A dataset with one integer field and the given values.
void SaveNumbers(const QString& path, std::initializer_list<int> values)
{
    TClientDataSet ds;
    ds.FieldDefs().Add(QStringLiteral("NO"), ftInteger);
    ds.CreateDataSet();
    for (int value : values) {
        ds.Append();
        ds.FieldByName(QStringLiteral("NO")).SetAsInteger(value);
        ds.Post();
    }
    ds.SaveToFile(path);
}

} // namespace

TEST_F(AtomicSave, AKilledSaveKeepsTheOldFileAndTheNextSaveRemovesItsLeftover)
{
    const QString path = folder.FilePath("Control.inf");
    folder.Write("Control.inf", "[A]\r\nk=old\r\n");
    KilledBeforeRename([&] { TIniFile(path).WriteString("A", "k", "new"); });

    EXPECT_EQ(folder.Read("Control.inf"), QByteArray("[A]\r\nk=old\r\n"));
    const QStringList left = Entries();
    ASSERT_EQ(left.size(), 2) << left.join(' ').toStdString();
    EXPECT_EQ(left[1], "Control.inf");
    EXPECT_TRUE(left[0].startsWith(".Control.inf.moriva-tmp-")) << left[0].toStdString();
    EXPECT_EQ(folder.Read(left[0]), QByteArray("[A]\r\nk=new\r\n")); // complete, not yet renamed

    TIniFile(path).WriteString("A", "k", "newer");
    EXPECT_EQ(folder.Read("Control.inf"), QByteArray("[A]\r\nk=newer\r\n"));
    EXPECT_EQ(Entries(), QStringList{"Control.inf"});
}

TEST_F(AtomicSave, EveryWriterSavesThisWay)
{
    const QString dir = folder.Path();
    TStringList list;
    list.Add(QStringLiteral("一"));
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    const struct {
        QString Name;
        std::function<void()> Save;
    } writers[] = {
        {"Verbs.sub", [&] { WriteFileAtomic(dir + "VERBS.sub", "1,2\r\n"); }},
        {"Menu.inf", [&] { TIniFile(dir + "Menu.inf").WriteInteger("A", "k", 1); }},
        {"List.txt", [&] { list.SaveToFile(dir + "List.txt"); }},
        {"Reply.cds", [&] { SaveNumbers(dir + "Reply.cds", {1, 2, 3}); }},
        {"Answer1.bmp", [&] { WriteBmpFile(image, dir + "Answer1.bmp"); }},
        {"Copy.sub", [&] { ASSERT_TRUE(CopyFile(dir + "Verbs.sub", dir + "Copy.sub", false)); }},
    };
    for (const auto& writer : writers) {
        SCOPED_TRACE(writer.Name.toStdString());
        folder.Write(writer.Name, "old");
        if (writer.Name == "Copy.sub")
            folder.Write("Verbs.sub", "1,2\r\n");
        KilledBeforeRename(writer.Save);
        EXPECT_EQ(folder.Read(writer.Name), QByteArray("old"));
        EXPECT_EQ(Entries().filter("." + writer.Name + ".moriva-tmp-").size(), 1);

        writer.Save();
        EXPECT_NE(folder.Read(writer.Name), QByteArray("old"));
        EXPECT_TRUE(Entries().filter(".moriva-tmp-").isEmpty()) << Entries().join(' ').toStdString();
    }
}

TEST_F(AtomicSave, OnlyAbandonedLeftoversOfTheSameFileAreRemoved)
{
    const QString path = folder.FilePath("Reply.cds");
    folder.Write(".Reply.cds.moriva-tmp-AbC123", "being written by a live save");
    folder.Write(".Reply.cds.moriva-tmp-dead00", "left by a killed save");
    folder.Write(".Answer.cds.moriva-tmp-dead00", "another file's");
    folder.Write(".Reply.cds.moriva-tmp-toolong", "not a name the saves make");
    const int live = open(QFile::encodeName(folder.FilePath(".Reply.cds.moriva-tmp-AbC123")).constData(), O_RDONLY);
    ASSERT_GE(live, 0);
    ASSERT_EQ(flock(live, LOCK_EX), 0);

    ASSERT_TRUE(SaveFileAtomically(path, "rows"));
    EXPECT_EQ(Entries(), QStringList({".Answer.cds.moriva-tmp-dead00", ".Reply.cds.moriva-tmp-AbC123",
                                      ".Reply.cds.moriva-tmp-toolong", "Reply.cds"}));
    close(live);
    ASSERT_TRUE(SaveFileAtomically(path, "rows"));
    EXPECT_EQ(Entries(), QStringList({".Answer.cds.moriva-tmp-dead00", ".Reply.cds.moriva-tmp-toolong", "Reply.cds"}));
}

TEST_F(AtomicSave, ALinkedFileIsReplacedAndKeepsItsPermissions)
{
    folder.MakeDir("data");
    folder.Write("data/Form.dat", "old");
    const QString target = folder.FilePath("data/Form.dat");
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    const QFile::Permissions permissions = QFile::permissions(target);
    ASSERT_TRUE(QFile::link(target, folder.FilePath("Form.dat")));

    ASSERT_TRUE(SaveFileAtomically(folder.FilePath("Form.dat"), "new"));
    EXPECT_TRUE(QFileInfo(folder.FilePath("Form.dat")).isSymLink());
    EXPECT_EQ(folder.Read("data/Form.dat"), QByteArray("new"));
    EXPECT_EQ(QFile::permissions(target), permissions);
    EXPECT_FALSE(permissions & QFile::ReadOther);
}

TEST_F(AtomicSave, ALongNameGetsAShortenedTemporaryName)
{
    // 80 three-byte characters: 240 bytes, too long to take the marker in full.
    const QString name = QString(80, QChar(u'語'));
    ASSERT_TRUE(SaveFileAtomically(folder.FilePath(name), EncodeAnsi(name)));
    EXPECT_EQ(folder.Read(name), EncodeAnsi(name));
    EXPECT_EQ(Entries(), QStringList{name});
}

TEST_F(AtomicSave, AFailedSaveSaysWhyAndLeavesNothing)
{
    QString error;
    EXPECT_FALSE(SaveFileAtomically(folder.FilePath("gone/Reply.cds"), "x", &error));
    EXPECT_EQ(error, "No such file or directory");
    EXPECT_FALSE(SaveFileAtomically(QString(), "x", &error));
    EXPECT_TRUE(Entries().isEmpty());
}
