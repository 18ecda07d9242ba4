// The category chain made from real category folders: names, folders, counts and
// visibility, folders that are not categories, damaged files, names that Menu.inf
// cannot hold, names that are not UTF-8, and a very long chain on a small stack.
#include "data/UCategory.h"
#include "data/UCategoryControl.h"
#include "data/UConst.h"
#include "shell/ProgramUnits.h"
#include "platform/ini/IniFile.h"
#include "tests/support/CategoryFolder.h"
#include "tests/support/QtPrinters.h"

#include <QFile>
#include <QThread>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

class CategoryChain : public testing::Test {
protected:
    CategoryChain()
        : units_(ProgramUnits({"UCategory", "UCategoryControl"}))
    {
    }

    static void Open() { CategoryControlClass->CreateInstance(); }

    // The categories of the current store, in chain order (the chain's end left out).
    static std::vector<TCategory*> Chain()
    {
        std::vector<TCategory*> nodes;
        for (TCategory* node = CategoryControl->Head.get(); node && node->Next; node = node->Next.get())
            nodes.push_back(node);
        return nodes;
    }

    static QStringList Names()
    {
        QStringList names;
        for (const TCategory* category : Chain())
            names << category->Name;
        return names;
    }

    TempProgramFolder program_;
    TUnits units_;
};

// A call per category of 10,000 would need several times this (frames are larger under
// the address sanitizer, so its stack is larger too).
#if defined(__SANITIZE_ADDRESS__)
constexpr unsigned SmallStack = 256 * 1024;
#else
constexpr unsigned SmallStack = 64 * 1024;
#endif

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

TEST_F(CategoryChain, EachCategoryFolderGivesNameFolderCountAndVisibilityInFolderOrder)
{
    WriteCategoryFolder(program_, QStringLiteral("vekKanji"), 3);
    WriteCategoryFolder(program_, QStringLiteral("VEKalgebra"), 2);
    WriteCategoryFolder(program_, QStringLiteral("VekBio"), 1);
    WriteCategoryFolder(program_, QStringLiteral("VEK"), 1);
    WriteCategoryFolder(program_, QStringLiteral("VEK "), 1);
    WriteCategoryFolder(program_, QStringLiteral(".VEKhidden"), 1);
    WriteCategoryFolder(program_, QStringLiteral("VEKhalf"), 1);
    QFile::remove(program_.FilePath(QStringLiteral("VEKhalf/Answer.cds")));
    WriteMenuInf(program_, "[表示]\r\nBio=0\r\n");

    Open();
    ASSERT_EQ(Names(), QStringList({"algebra", "Bio", "Kanji"}));
    const TCategory& kanji = *Chain()[2];
    EXPECT_EQ(kanji.Folder, program_.Path() + QStringLiteral("vekKanji/"));
    EXPECT_EQ(kanji.QuestionCount, 3);
    EXPECT_TRUE(kanji.Visible);
    EXPECT_FALSE(Chain()[1]->Visible);
    EXPECT_EQ(Chain()[0]->QuestionCount, 2);
    // The folder that lost a data file is named; the others are no categories at all.
    const QStringList log = ReadLogLines(program_);
    ASSERT_EQ(log.size(), 1) << log.join(u'\n').toStdString();
    EXPECT_TRUE(log[0].contains(QStringLiteral("\"VEKhalf\" holds no Answer.cds"))) << log[0].toStdString();
}

TEST_F(CategoryChain, SetVisibleStoresAtOnceAndShowAllShowsEveryCategory)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKa"), 1);
    WriteCategoryFolder(program_, QStringLiteral("VEKb"), 1);
    Open();
    Chain()[1]->SetVisible(false);
    EXPECT_FALSE(GetCategoryVisible(QStringLiteral("b")));
    EXPECT_TRUE(ReadMenuInf(program_).contains(QStringLiteral("b=0\r\n")));

    CategoryControl->ShowAll();
    EXPECT_TRUE(Chain()[1]->Visible);
    EXPECT_EQ(ReadMenuInf(program_), Text("[表示]\r\nb=1\r\na=1\r\n"));

    // Made again, the store reads what was stored.
    Chain()[0]->Visible = false;
    CategoryControl->SaveVisibility();
    Open();
    EXPECT_FALSE(Chain()[0]->Visible);
    EXPECT_TRUE(Chain()[1]->Visible);
}

TEST_F(CategoryChain, ADamagedAnswerFileCountsZeroWithOneLogLineAndTheOthersAreListed)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKa"), 2);
    WriteCategoryFolder(program_, QStringLiteral("VEKb"), 5);
    program_.Write(QStringLiteral("VEKb/Answer.cds"), "not a data packet");
    WriteCategoryFolder(program_, QStringLiteral("VEKc"), 4);

    ASSERT_NO_THROW(Open());
    ASSERT_EQ(Names(), QStringList({"a", "b", "c"}));
    EXPECT_EQ(Chain()[0]->QuestionCount, 2);
    EXPECT_EQ(Chain()[1]->QuestionCount, 0);
    EXPECT_EQ(Chain()[2]->QuestionCount, 4);
    const QStringList log = ReadLogLines(program_);
    ASSERT_EQ(log.size(), 1);
    EXPECT_TRUE(log[0].contains(QStringLiteral("TCategory.")));
    EXPECT_TRUE(log[0].contains(program_.Path() + QStringLiteral("VEKb/"))) << log[0].toStdString();
    EXPECT_TRUE(log[0].contains(QStringLiteral("E.Message="))) << log[0].toStdString();
}

TEST_F(CategoryChain, TenThousandFoldersAreBuiltAndFreedOnASmallStack)
{
    constexpr int count = 10000;
    // In memory where the system has it: 20,000 files are slow to make on a busy disk.
    const TempProgramFolder program(QStringLiteral("/dev/shm"));
    WriteMenuInf(program, "[表示]\r\n"); // the menu makes it before the store
    WriteCategoryFolder(program, QStringLiteral("VEK00000"), 1);
    const QByteArray answers = program.Read(QStringLiteral("VEK00000/Answer.cds"));
    const QByteArray questions = program.Read(QStringLiteral("VEK00000/Question.cds"));
    for (int i = 1; i < count; ++i) {
        const QString name = QStringLiteral("VEK%1").arg(i, 5, 10, QLatin1Char('0'));
        program.Write(name + QStringLiteral("/Answer.cds"), answers);
        program.Write(name + QStringLiteral("/Question.cds"), questions);
    }

    int built = 0;
    QString last;
    // Built and freed on a stack far smaller than one call per category would need.
    std::unique_ptr<QThread> thread(QThread::create([&] {
        Open();
        const std::vector<TCategory*> chain = Chain();
        built = static_cast<int>(chain.size());
        last = chain.back()->Name;
        CategoryControl = CategoryControlNullClass->Create();
    }));
    thread->setStackSize(SmallStack);
    thread->start();
    thread->wait();
    EXPECT_EQ(built, count);
    EXPECT_EQ(last, QStringLiteral("09999"));
}

// Display names that would not read back as the same key of Menu.inf are listed, but
// none of their keys is read or written; a plain name beside them works as before.
TEST_F(CategoryChain, NamesThatMenuInfCannotHoldAsKeysNeverTouchIt)
{
    const char* const unusable[] = {"VEKa=b", "VEK[x]", "VEK;c", "VEK pad", "VEK日本한", "VEK[Server]"};
    for (const char* name : unusable)
        WriteCategoryFolder(program_, Text(name), 1);
    WriteCategoryFolder(program_, QStringLiteral("VEKpad"), 1);
    const char* const menu = "[表示]\r\npad=0\r\na=1\r\n[Server]\r\nFile=http://example.org/news.txt\r\n";
    WriteMenuInf(program_, menu);

    Open();
    const std::vector<TCategory*> chain = Chain();
    ASSERT_EQ(chain.size(), 7u);
    const QStringList log = ReadLogLines(program_);
    EXPECT_EQ(log.size(), 6) << log.join(u'\n').toStdString();
    EXPECT_TRUE(log.join(u'\n').contains(QStringLiteral("Name=\"a=b\"")));
    for (TCategory* category : chain) {
        if (category->Name == QStringLiteral("pad")) {
            EXPECT_FALSE(category->Visible);
            continue;
        }
        EXPECT_TRUE(category->Visible) << category->Name.toStdString();
        for (int use = 0; use < 5; ++use) {
            category->SetVisible(false);
            CountCategorySelection(category->Name);
        }
        EXPECT_EQ(GetCategorySelectCount(category->Name), 0);
        EXPECT_EQ(GetCategoryUpdated(category->Name), QStringLiteral("-"));
        EXPECT_TRUE(GetCategoryVisible(category->Name));
    }
    CategoryControl->SaveVisibility();
    EXPECT_EQ(ReadMenuInf(program_), Text(menu));
    EXPECT_EQ(TIniFile(program_.FilePath(QStringLiteral("Menu.inf")))
                  .ReadString(QStringLiteral("Server"), QStringLiteral("File"), QString()),
              QStringLiteral("http://example.org/news.txt"));
}

// A folder named by raw Shift_JIS bytes, as a zip made on Windows unpacks it.
TEST_F(CategoryChain, AFolderNameThatIsNotUtf8IsNotListedAndLoggedOnce)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKgood"), 1);
    const QByteArray answers = program_.Read(QStringLiteral("VEKgood/Answer.cds"));
    const QByteArray base = QFile::encodeName(program_.Path());
    const auto makeRaw = [&](const QByteArray& name, bool withFiles) {
        ASSERT_EQ(::mkdir((base + name).constData(), 0755), 0);
        if (!withFiles)
            return;
        for (const char* file : {"/Answer.cds", "/question.CDS"}) {
            const int fd = ::open((base + name + file).constData(), O_WRONLY | O_CREAT, 0644);
            ASSERT_GE(fd, 0);
            ASSERT_EQ(::write(fd, answers.constData(), answers.size()), answers.size());
            ::close(fd);
        }
    };
    const QList<QByteArray> raw = {"VEK\x8a\xbf\x8e\x9a", // VEK漢字
                                   "VEK\x83\x65\x83\x58", // VEKテス, without data files
                                   "\x8a\xbf\x8e\x9a"};   // 漢字, without the prefix
    for (const QByteArray& name : raw)
        makeRaw(name, name != raw[1]);

    Open();
    EXPECT_EQ(Names(), QStringList({"good"}));
    const QStringList log = ReadLogLines(program_);
    ASSERT_EQ(log.size(), 1);
    EXPECT_TRUE(log[0].contains(Text("\"VEK漢字\""))) << log[0].toStdString();
    EXPECT_TRUE(log[0].contains(QStringLiteral("rename"))) << log[0].toStdString();

    // Qt cannot name these folders, so the temporary folder could not remove them.
    for (const QByteArray& name : raw) {
        for (const char* file : {"/Answer.cds", "/question.CDS"})
            ::unlink((base + name + file).constData());
        ::rmdir((base + name).constData());
    }
}

// Display names that differ only in ASCII letter case are one key of Menu.inf: the first
// folder of them in folder order keeps it, the later ones are listed without keys.
TEST_F(CategoryChain, NamesThatDifferOnlyInLetterCaseLeaveTheKeysToTheFirstFolder)
{
    // Folder order: "VEKA", "VEKa", "vekA" (equal but for case: by exact text), "VEKb",
    // then the full-width "VEKＡ" and "VEKａ", which are two keys.
    for (const char* name : {"VEKa", "VEKA", "vekA", "VEKb", "VEKａ", "VEKＡ"})
        WriteCategoryFolder(program_, Text(name), 1);
    const char* const menu = "[表示]\r\na=0\r\nｂ=0\r\n[選択回数]\r\nA=4\r\n";
    WriteMenuInf(program_, menu);

    Open();
    const std::vector<TCategory*> chain = Chain();
    ASSERT_EQ(Names(), QStringList({"A", "a", "A", "b", Text("Ａ"), Text("ａ")}));
    const QStringList keys = {"A", "", "", "b", Text("Ａ"), Text("ａ")};
    for (size_t i = 0; i < chain.size(); ++i) {
        EXPECT_EQ(chain[i]->KeyName, keys[int(i)]) << i;
        EXPECT_EQ(CategoryKeyName(chain[i]->Folder), keys[int(i)]) << i;
    }
    EXPECT_FALSE(chain[0]->Visible); // "a=0" is the key of "A"
    EXPECT_TRUE(chain[1]->Visible);
    EXPECT_TRUE(chain[2]->Visible);
    const QStringList log = ReadLogLines(program_);
    ASSERT_EQ(log.size(), 2) << log.join(u'\n').toStdString();
    EXPECT_TRUE(log[0].contains(QStringLiteral("Name=\"a\" is the same key of Menu.inf as that of the folder \"VEKA\"")))
        << log[0].toStdString();
    EXPECT_TRUE(log[1].contains(QStringLiteral("Name=\"A\" is the same key"))) << log[1].toStdString();

    // The later ones neither write nor count; the first one's keys are untouched by them.
    for (TCategory* later : {chain[1], chain[2]}) {
        later->SetVisible(false);
        CountCategorySelection(CategoryKeyName(later->Folder));
    }
    EXPECT_EQ(ReadMenuInf(program_), Text(menu));
    chain[0]->SetVisible(true);
    CategoryControl->SaveVisibility();
    EXPECT_TRUE(GetCategoryVisible(QStringLiteral("a")));
    EXPECT_EQ(GetCategorySelectCount(QStringLiteral("a")), 4);
    EXPECT_EQ(GetCategoryUpdated(QStringLiteral("a")), QStringLiteral("-"));

    // Made again, the same folder keeps the keys.
    Open();
    EXPECT_TRUE(Chain()[0]->Visible);
    EXPECT_EQ(Chain()[0]->KeyName, QStringLiteral("A"));
    EXPECT_EQ(Chain()[1]->KeyName, QString());
}
