// Screens opened from the data screen whose files stop being readable while the data
// screen is open: each says what it could not read, logs the cause, closes without
// writing anything, and the data screen goes on. And the data screen itself: lists that
// cannot be loaded close it unsaved; a Control.inf that cannot be written costs only the
// saved choice.
#include "DataScreenSupport.h"

#include <QDir>
#include <QLineEdit>
#include <map>
#include <sys/stat.h>

namespace {

using TFolderBytes = std::map<QString, QByteArray>;

// Every file of the folder (not its subfolders) with its bytes.
TFolderBytes FolderBytes(const QString& folder)
{
    TFolderBytes files;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        QFile file(folder + name);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        files[name] = file.readAll();
    }
    return files;
}

ino_t Inode(const QString& path)
{
    struct stat info {};
    EXPECT_EQ(stat(QFile::encodeName(path).constData(), &info), 0);
    return info.st_ino;
}

} // namespace

class ScreenLoading : public DataScreen {
protected:
    // The file keeps only the first half of its bytes, as a copy broken off.
    void HalfCopy(const QString& name) const
    {
        const QByteArray bytes = program_.Read("VEKTest/" + name);
        program_.Write("VEKTest/" + name, bytes.left(bytes.size() / 2));
    }
    // A folder takes the file's place: it can neither be read nor replaced.
    void FolderInPlaceOf(const QString& name) const
    {
        ASSERT_TRUE(QFile::remove(Folder() + name));
        program_.MakeDir("VEKTest/" + name);
    }
    TFolderBytes Files() const { return FolderBytes(Folder()); }
    QByteArray Bytes(const QString& name) const { return program_.Read("VEKTest/" + name); }

    // The category with two subsets and a chosen one, opened once so that Control.inf holds
    // everything the data screen saves.
    void WriteSubsetCategory()
    {
        WriteCategory(12);
        WriteReplies(FinishingReplies(3, 2));
        WriteSubset("Odd", "1,3,5,7");
        WriteSubset("Even", "2,4,6");
        Ini().WriteString("SubCategoryIndex", "Index", "Odd");
        OpenScreen([] {});
        asked_.clear();
    }

    void ExpectTold(const QString& what, const QString& place)
    {
        ASSERT_EQ(asked_.size(), 1);
        EXPECT_TRUE(asked_[0].startsWith(what + "を読み込めないため、この画面を閉じます。")) << asked_[0].toStdString();
        EXPECT_TRUE(Log().contains(place)) << Log().toStdString();
    }
};

TEST_F(ScreenLoading, TheSubsetEditorOverAHalfCopiedAnswerFileClosesAndWritesNoSubset)
{
    WriteSubsetCategory();
    OpenScreen([&] {
        HalfCopy("Answer.cds");
        const TFolderBytes before = Files();
        QTest::mouseClick(Form().sbtnCategoryCreate, Qt::LeftButton);
        EXPECT_FALSE(frmCategoryCreate);
        ExpectTold("問題と答えのファイル（Question.cds、Answer.cds）", "TfrmCategoryCreateControl.LoadLists");
        EXPECT_EQ(Files(), before);
        // The data screen goes on with its lists.
        EXPECT_TRUE(Form().isVisible());
        EXPECT_EQ(Form().cmbCategory->Text(), "Odd");
        EXPECT_EQ(Captions(*Form().lvAnswer), QStringList({"1", "3", "5", "7"}));
    });
}

TEST_F(ScreenLoading, TheSubsetEditorWhoseFilesBreakWhileItIsOpenClosesAtTheNextListing)
{
    WriteSubsetCategory();
    OpenScreen([&] {
        TFolderBytes before;
        WhenShown(frmCategoryCreate, [&] {
            TfrmCategoryCreate& editor = *frmCategoryCreate;
            // An edit in memory, then the question files break: choosing another subset
            // lists anew and fails.
            QTest::mouseClick(editor.btnLeftAll, Qt::LeftButton);
            HalfCopy("Question.cds");
            before = Files();
            editor.cmbCategory->SetItemIndex(editor.cmbCategory->ItemIndex() == 0 ? 1 : 0);
            editor.cmbCategory->OnChange();
            // Nothing the OK button could still do writes.
            QTest::mouseClick(editor.btnSetting, Qt::LeftButton);
            EXPECT_EQ(Files(), before);
        });
        QTest::mouseClick(Form().sbtnCategoryCreate, Qt::LeftButton);
        EXPECT_FALSE(frmCategoryCreate);
        ExpectTold("問題と答えのファイル（Question.cds、Answer.cds）", "TfrmCategoryCreateControl.LoadLists");
        EXPECT_EQ(Bytes("Odd.sub"), "1,3,5,7\r\n");
        EXPECT_EQ(Bytes("Even.sub"), "2,4,6\r\n");
        EXPECT_EQ(Files(), before);
        EXPECT_TRUE(Form().isVisible());
    });
}

TEST_F(ScreenLoading, ANewSubsetNamedInTheNameDialogOverBrokenFilesClosesTheEditorUnwritten)
{
    WriteSubsetCategory();
    OpenScreen([&] {
        TFolderBytes before;
        WhenShown(frmCategoryCreate, [&] {
            HalfCopy("Answer.cds");
            before = Files();
            WhenShown(frmCategoryName, [] {
                frmCategoryName->edtName->setText("Nouns");
                QTest::mouseClick(frmCategoryName->btnOK, Qt::LeftButton);
            });
            QTest::mouseClick(frmCategoryCreate->btnNew, Qt::LeftButton);
            EXPECT_FALSE(frmCategoryName);
        });
        QTest::mouseClick(Form().sbtnCategoryCreate, Qt::LeftButton);
        EXPECT_FALSE(frmCategoryCreate);
        ExpectTold("問題と答えのファイル（Question.cds、Answer.cds）", "TfrmCategoryCreateControl.LoadLists");
        EXPECT_FALSE(QFile::exists(Folder() + "Nouns.sub"));
        EXPECT_EQ(Files(), before);
        EXPECT_EQ(Form().cmbCategory->Items(), QStringList({"全ての問題", "Even", "Odd"}));
    });
}

TEST_F(ScreenLoading, DataScreenListsThatCannotBeLoadedCloseItWithoutSavingItsLayout)
{
    WriteSubsetCategory();
    const TFolderBytes opened = Files();
    OpenScreen(
        [&] {
            HalfCopy("Answer.cds");
            const TFolderBytes before = Files();
            // Every question of the category comes from Answer.cds.
            Form().cmbCategory->SetItemIndex(0);
            Form().cmbCategory->OnChange();
            ExpectTold("カテゴリー「Test」の単位の一覧（Answer.cds、カテゴリーファイル）",
                       "TfrmDataControl.LoadLists");
            EXPECT_TRUE(QTest::qWaitFor([] { return !frmData || !frmData->isVisible(); }, 2000));
            // Only the choice, which changed, is written.
            TFolderBytes after = Files();
            EXPECT_EQ(Ini().ReadString("SubCategoryIndex", "Index", ""), "全ての問題");
            after.erase("Control.inf");
            TFolderBytes expected = before;
            expected.erase("Control.inf");
            EXPECT_EQ(after, expected);
        },
        false);
    TFolderBytes after = Files();
    EXPECT_EQ(after.at("Form.dat"), opened.at("Form.dat"));
    EXPECT_EQ(after.at("Reply.cds"), opened.at("Reply.cds"));
}

TEST_F(ScreenLoading, TheSavedChoiceIsWrittenOnlyWhenItChanges)
{
    WriteSubsetCategory();
    const ino_t inode = Inode(Folder() + "Control.inf");
    OpenScreen([&] {
        EXPECT_EQ(Inode(Folder() + "Control.inf"), inode); // opening on the saved choice
        QTest::mouseClick(Form().sbtnSelect25, Qt::LeftButton); // a reload on it
        EXPECT_EQ(Inode(Folder() + "Control.inf"), inode);
        Form().cmbCategory->SetItemIndex(1);
        Form().cmbCategory->OnChange();
        EXPECT_EQ(Ini().ReadString("SubCategoryIndex", "Index", ""), "Even");
    });
}

TEST_F(ScreenLoading, AControlInfThatCannotBeWrittenLeavesTheListsShownAndIsLogged)
{
    WriteSubsetCategory();
    FolderInPlaceOf("Control.inf");
    OpenScreen([&] {
        // The choice cannot be read back, so the opening tries to store it and fails.
        EXPECT_TRUE(asked_.isEmpty());
        EXPECT_TRUE(Log().contains("TfrmDataControl.cmbCategoryChange"));
        EXPECT_EQ(Captions(*Form().lvAnswerUnit), QStringList({"1", "2"}));
        EXPECT_EQ(Form().lvAnswer->ItemCount(), 10);
        QTest::mouseClick(Form().sbtnSelect25, Qt::LeftButton);
        EXPECT_EQ(Captions(*Form().lvAnswerUnit), QStringList({"1"}));
        EXPECT_EQ(Form().lvAnswer->ItemCount(), 12);
        EXPECT_TRUE(Form().isVisible());
    });
}
