// The subset editor's import and export of subset files.
#include "tests/screens/subset/CategoryEditorSupport.h"

#include <map>

namespace {

class SubsetTransfer : public CategoryEditor {
protected:
    SubsetTransfer() { program_.MakeDir(QStringLiteral("Elsewhere")); }

    // Questions 1..8; Kanji holds 3,1,7 and is the saved choice.
    void Category()
    {
        WriteTextCategory(8);
        WriteSubset(QStringLiteral("Kanji"), QStringLiteral("3,1,7 \r\n"));
        SaveChoice(QStringLiteral("Kanji"));
        Open();
    }
    // A file outside the category, as a user picks it for an import.
    QString Outside(const QString& fileName, const QByteArray& bytes) const
    {
        program_.Write(QStringLiteral("Elsewhere/") + fileName, bytes);
        return program_.FilePath(QStringLiteral("Elsewhere/") + fileName);
    }
    QString DialogText(std::size_t i) const { return i < dialogs_.size() ? dialogs_[i].Text : QString(); }
    // Every file of the category folder with its bytes.
    std::map<QString, QByteArray> FolderContents() const
    {
        std::map<QString, QByteArray> contents;
        for (const QString& name : QDir(Folder()).entryList(QDir::Files | QDir::Hidden))
            contents[name] = Bytes(name);
        return contents;
    }
};

const QString Overwrite = QStringLiteral("同じ名称のカテゴリーがあります。上書きしますか？");
const QString WriteFailed = QStringLiteral("ファイルの書き込みに失敗しました。");

} // namespace

TEST_F(SubsetTransfer, ExportWritesTheRightListWithoutTheTrailingBlank)
{
    Category();
    const QString path = program_.FilePath(QStringLiteral("Elsewhere/out.sub"));
    ChooseFile(path);
    Run([&] {
        Click(Form().btnExport);
        ASSERT_EQ(fileQuestions_.size(), 1u);
        EXPECT_TRUE(fileQuestions_[0].Save);
        EXPECT_EQ(fileQuestions_[0].FileName, QStringLiteral("Kanji.Sub"));
        EXPECT_EQ(fileQuestions_[0].NameFilters,
                  (QStringList{QStringLiteral("カテゴリーファイル (*.sub)"), QStringLiteral("全てのファイル (*)")}));
        EXPECT_EQ(program_.Read(QStringLiteral("Elsewhere/out.sub")), QByteArray("3,1,7\r\n"));

        Click(Form().btnLeftAll); // not stored yet: the export takes the list as it stands
        Answer({mrNo});
        Click(Form().btnExport);
        EXPECT_EQ(DialogText(0), Overwrite);
        EXPECT_EQ(dialogs_[0].Type, TMsgDlgType::mtWarning);
        EXPECT_EQ(program_.Read(QStringLiteral("Elsewhere/out.sub")), QByteArray("3,1,7\r\n"));
        Answer({mrYes});
        Click(Form().btnExport);
        EXPECT_EQ(program_.Read(QStringLiteral("Elsewhere/out.sub")), QByteArray());

        ChooseFile(std::nullopt);
        Click(Form().btnExport); // cancelled: nothing
        EXPECT_EQ(dialogs_.size(), 2u);
        Key(Qt::Key_Escape);
    });
    EXPECT_EQ(Bytes(QStringLiteral("Kanji.sub")), QByteArray("3,1,7 \r\n"));
}

TEST_F(SubsetTransfer, ExportNeverReplacesACategoryDataFile)
{
    Category();
    const QByteArray answers = Bytes(QStringLiteral("Answer.cds"));
    const auto contents = FolderContents();
    Run([&] {
        for (const QString& name : {QStringLiteral("answer.CDS"), QStringLiteral("Control.inf"),
                                    QStringLiteral("FORM.DAT"), QStringLiteral("UnitHistory.cds"),
                                    QStringLiteral("Question.cds"), QStringLiteral("REPLY.cds")}) {
            dialogs_.clear();
            ChooseFile(Folder() + name);
            Answer({mrYes});
            Click(Form().btnExport);
            ASSERT_EQ(dialogs_.size(), 1u) << name.toStdString();
            EXPECT_EQ(DialogText(0), QStringLiteral("「%1」はカテゴリーのデータファイルの名前です。書き出せません。").arg(name));
            EXPECT_EQ(dialogs_[0].Type, TMsgDlgType::mtError);
        }
        Key(Qt::Key_Escape);
    });
    EXPECT_EQ(Bytes(QStringLiteral("Answer.cds")), answers);
    EXPECT_FALSE(Exists(QStringLiteral("Form.dat")));
    EXPECT_FALSE(Exists(QStringLiteral("UnitHistory.cds")));
    EXPECT_EQ(FolderContents(), contents);
}

TEST_F(SubsetTransfer, AnExportThatCannotBeWrittenSaysSo)
{
    Category();
    ChooseFile(program_.FilePath(QStringLiteral("Missing/out.sub")));
    Answer({mrYes});
    Run([&] {
        Click(Form().btnExport);
        EXPECT_EQ(DialogText(0), WriteFailed);
        EXPECT_EQ(dialogs_[0].Buttons, QStringList{QStringLiteral("はい(&Y)")});
        Key(Qt::Key_Escape);
    });
}

TEST_F(SubsetTransfer, AnImportJoinsTheListSoThatSettingKeepsItAndCancelLeavesIt)
{
    for (const bool setting : {true, false}) {
        SCOPED_TRACE(setting);
        Category();
        QFile::remove(Folder() + QStringLiteral("Verbs.sub"));
        ChooseFile(Outside(QStringLiteral("Verbs.sub"), "2,4 \r\nsecond line\r\n"));
        const int result = Run([&] {
            SelectRows(LeftList(), {0}); // question 2 joins Kanji before the import
            Click(Form().btnRight);
            Click(Form().btnImport);
            EXPECT_TRUE(dialogs_.empty());
            EXPECT_EQ(fileQuestions_.back().NameFilters.size(), 2);
            EXPECT_EQ(Subsets(), (QStringList{"Kanji", "Verbs"}));
            EXPECT_EQ(Form().cmbCategory->ItemIndex(), 0);
            EXPECT_EQ(Shown(RightList()), (std::vector<int>{3, 1, 7, 2}));
            EXPECT_EQ(SavedChoice(), QStringLiteral("Verbs"));
            ChooseSubset(1);
            EXPECT_EQ(Shown(RightList()), (std::vector<int>{2, 4}));
            Click(setting ? Form().btnSetting : Form().btnCancel);
        });
        EXPECT_EQ(result, setting ? mrOk : mrCancel);
        EXPECT_EQ(Bytes(QStringLiteral("Verbs.sub")),
                  setting ? QByteArray("2,4 \r\n") : QByteArray("2,4 \r\nsecond line\r\n"));
        EXPECT_EQ(Bytes(QStringLiteral("Kanji.sub")), setting ? QByteArray("3,1,7,2 \r\n") : QByteArray("3,1,7 \r\n"));
        EXPECT_EQ(SavedChoice(), QStringLiteral("Verbs"));
    }
}

TEST_F(SubsetTransfer, AnImportOverASubsetOfTheSameNameAsksFirst)
{
    Category();
    ChooseFile(Outside(QStringLiteral("KANJI.sub"), "5,6\r\n"));
    Answer({mrNo});
    Run([&] {
        Click(Form().btnImport);
        EXPECT_EQ(DialogText(0), Overwrite);
        EXPECT_EQ(dialogs_[0].Type, TMsgDlgType::mtWarning);
        EXPECT_EQ(Bytes(QStringLiteral("Kanji.sub")), QByteArray("3,1,7 \r\n"));
        EXPECT_EQ(SavedChoice(), QStringLiteral("Kanji"));

        Answer({mrYes});
        Click(Form().btnImport); // replaces the file of the other spelling
        EXPECT_EQ(dialogs_.size(), 2u);
        EXPECT_EQ(SubsetFiles(), QStringList{"Kanji.sub"});
        EXPECT_EQ(Bytes(QStringLiteral("Kanji.sub")), QByteArray("5,6\r\n"));
        EXPECT_EQ(SavedChoice(), QStringLiteral("Kanji"));
        EXPECT_EQ(Subsets(), QStringList{"Kanji"});
        EXPECT_EQ(Shown(RightList()), (std::vector<int>{5, 6}));
        Click(Form().btnSetting);
    });
    EXPECT_EQ(Bytes(QStringLiteral("Kanji.sub")), QByteArray("5,6 \r\n"));
}

TEST_F(SubsetTransfer, AnImportOverTwoSpellingsOfItsNameReplacesTheFirstInFolderOrderOnly)
{
    Category();
    WriteSubset(QStringLiteral("kanji"), QStringLiteral("2\r\n"));
    SaveChoice(QStringLiteral("kanji"));
    ChooseFile(Outside(QStringLiteral("KANJI.sub"), "5,6\r\n"));
    Answer({mrYes});
    Run([&] {
        Click(Form().btnImport); // "Kanji.sub" sorts before "kanji.sub" (FolderList.h)
        ASSERT_EQ(dialogs_.size(), 1u);
        EXPECT_EQ(DialogText(0), Overwrite);
        EXPECT_EQ(dialogs_[0].Type, TMsgDlgType::mtWarning);
        EXPECT_EQ(SubsetFiles(), (QStringList{"Kanji.sub", "kanji.sub"}));
        EXPECT_EQ(Bytes(QStringLiteral("Kanji.sub")), QByteArray("5,6\r\n"));
        EXPECT_EQ(Bytes(QStringLiteral("kanji.sub")), QByteArray("2\r\n"));
        EXPECT_EQ(SavedChoice(), QStringLiteral("Kanji"));
        EXPECT_EQ(Subsets(), (QStringList{"Kanji", "kanji"}));
        EXPECT_EQ(Shown(RightList()), std::vector<int>{2});
        ChooseSubset(0);
        EXPECT_EQ(Shown(RightList()), (std::vector<int>{5, 6}));
        Key(Qt::Key_Escape);
    });
    EXPECT_EQ(Bytes(QStringLiteral("Kanji.sub")), QByteArray("5,6\r\n"));
    EXPECT_EQ(Bytes(QStringLiteral("kanji.sub")), QByteArray("2\r\n"));
}

TEST_F(SubsetTransfer, AnImportOverANewSubsetOfTheSameNameAsksAndReplacesIt)
{
    Category();
    ChooseFile(Outside(QStringLiteral("verbs.sub"), "8\r\n"));
    Answer({mrYes});
    Run([&] {
        NameWith(Form().btnNew, QStringLiteral("Verbs"));
        Click(Form().btnImport);
        EXPECT_EQ(DialogText(0), Overwrite);
        EXPECT_EQ(Subsets(), (QStringList{"Kanji", "verbs"}));
        EXPECT_EQ(Shown(RightList()), std::vector<int>{8});
        Click(Form().btnSetting);
    });
    EXPECT_EQ(SubsetFiles(), (QStringList{"Kanji.sub", "verbs.sub"}));
    EXPECT_EQ(SavedChoice(), QStringLiteral("verbs"));
}

TEST_F(SubsetTransfer, ImportingTheFileThatIsAlreadyThereKeepsIt)
{
    Category();
    ChooseFile(Folder() + QStringLiteral("Kanji.sub"));
    SaveChoice(QStringLiteral("全ての問題"));
    Run([&] {
        Click(Form().btnImport);
        EXPECT_TRUE(dialogs_.empty());
        EXPECT_EQ(Subsets(), QStringList{"Kanji"});
        Key(Qt::Key_Escape);
    });
    EXPECT_EQ(Bytes(QStringLiteral("Kanji.sub")), QByteArray("3,1,7 \r\n"));
    EXPECT_EQ(SavedChoice(), QStringLiteral("Kanji"));
}

TEST_F(SubsetTransfer, ImportsThatWouldReplaceDataFilesOrBreakSubsetNamesAreRefused)
{
    Category();
    const QByteArray answers = Bytes(QStringLiteral("Answer.cds"));
    const auto contents = FolderContents();
    const std::vector<std::pair<QString, QString>> refused = {
        {QStringLiteral("answer.cds"), QStringLiteral("「answer.cds」はカテゴリーのデータファイルの名前です。インポートできません。")},
        {QStringLiteral("Control.INF"), QStringLiteral("「Control.INF」はカテゴリーのデータファイルの名前です。インポートできません。")},
        {QStringLiteral("Form.dat"), QStringLiteral("「Form.dat」はカテゴリーのデータファイルの名前です。インポートできません。")},
        {QStringLiteral("QUESTION.CDS"), QStringLiteral("「QUESTION.CDS」はカテゴリーのデータファイルの名前です。インポートできません。")},
        {QStringLiteral("Answer.cds"), QStringLiteral("「Answer.cds」はカテゴリーのデータファイルの名前です。インポートできません。")},
        {QStringLiteral("reply.Cds"), QStringLiteral("「reply.Cds」はカテゴリーのデータファイルの名前です。インポートできません。")},
        {QStringLiteral("unithistory.CDS"), QStringLiteral("「unithistory.CDS」はカテゴリーのデータファイルの名前です。インポートできません。")},
        {QStringLiteral("control.inf"), QStringLiteral("「control.inf」はカテゴリーのデータファイルの名前です。インポートできません。")},
        {QStringLiteral("FORM.DAT"), QStringLiteral("「FORM.DAT」はカテゴリーのデータファイルの名前です。インポートできません。")},
        {QStringLiteral("全ての問題.sub"),
         QStringLiteral("「全ての問題.sub」はカテゴリー名として使えません。\r\n「全ての問題」は使えません。")},
        {QStringLiteral("a=b.sub"),
         QStringLiteral("「a=b.sub」はカテゴリー名として使えません。\r\n「=」「/」「\\」は使えません。")},
        {QStringLiteral("..sub"),
         QStringLiteral("「..sub」はカテゴリー名として使えません。\r\n「.」「..」は使えません。")},
        {QStringLiteral("café.sub"),
         QStringLiteral("「café.sub」はカテゴリー名として使えません。\r\nシフトJISにない文字は使えません。")},
        {QStringLiteral("tab\t.sub"),
         QStringLiteral("「tab\t.sub」はカテゴリー名として使えません。\r\n制御文字は使えません。")},
    };
    Run([&] {
        for (const auto& [fileName, text] : refused) {
            SCOPED_TRACE(fileName.toStdString());
            dialogs_.clear();
            ChooseFile(Outside(fileName, "5\r\n"));
            Answer({mrYes});
            Click(Form().btnImport);
            ASSERT_EQ(dialogs_.size(), 1u);
            EXPECT_EQ(DialogText(0), text);
            EXPECT_EQ(dialogs_[0].Type, TMsgDlgType::mtError);
        }
        EXPECT_EQ(Subsets(), QStringList{"Kanji"});
        Key(Qt::Key_Escape);
    });
    EXPECT_EQ(Bytes(QStringLiteral("Answer.cds")), answers);
    EXPECT_EQ(SubsetFiles(), QStringList{"Kanji.sub"});
    EXPECT_FALSE(Exists(QStringLiteral("Form.dat")));
    EXPECT_EQ(SavedChoice(), QStringLiteral("Kanji"));
    EXPECT_EQ(FolderContents(), contents); // nothing copied, nothing replaced
}

TEST_F(SubsetTransfer, AnImportThatCannotBeCopiedSaysSoAndChangesNothing)
{
    Category();
    program_.MakeDir(QStringLiteral("VEKTest/Blocked.sub"));
    ChooseFile(Outside(QStringLiteral("Blocked.sub"), "5\r\n"));
    Answer({mrYes});
    Run([&] {
        Click(Form().btnImport);
        ASSERT_EQ(dialogs_.size(), 1u);
        EXPECT_EQ(DialogText(0), WriteFailed);
        EXPECT_EQ(dialogs_[0].Type, TMsgDlgType::mtError);
        EXPECT_EQ(Subsets(), QStringList{"Kanji"});
        ChooseFile(std::nullopt);
        Click(Form().btnImport); // cancelled: nothing
        EXPECT_EQ(dialogs_.size(), 1u);
        Key(Qt::Key_Escape);
    });
    EXPECT_EQ(SavedChoice(), QStringLiteral("Kanji"));
}
