// The subset editor's subset commands: new, rename, delete, choosing another subset, and
// "設　定" with what it writes, also when it cannot write.
#include "tests/screens/subset/CategoryEditorSupport.h"

namespace {

class SubsetCommands : public CategoryEditor {
protected:
    // Questions 1..5; Alpha holds 1,2 and Beta holds 3.
    void TwoSubsets()
    {
        WriteTextCategory(5);
        WriteSubset(QStringLiteral("Alpha"), QStringLiteral("1,2 \r\n"));
        WriteSubset(QStringLiteral("Beta"), QStringLiteral("3 \r\n"));
        SaveChoice(QStringLiteral("Alpha"));
        Open();
    }
};

const QString Caution = QStringLiteral("終了確認");

} // namespace

TEST_F(SubsetCommands, ANewSubsetStartsEmptyAndTheOldOnesKeepTheirEdits)
{
    TwoSubsets();
    const int result = Run([&] {
        SelectRows(LeftList(), {0}); // question 3 joins Alpha before the new subset comes
        Click(Form().btnRight);
        NameWith(Form().btnNew, QStringLiteral("  Verbs 1  "));
        EXPECT_EQ(Subsets(), (QStringList{"Alpha", "Beta", "  Verbs 1  "}));
        EXPECT_EQ(Form().cmbCategory->ItemIndex(), 2);
        EXPECT_TRUE(Shown(RightList()).empty());
        EXPECT_EQ(Shown(LeftList()), (std::vector<int>{1, 2, 3, 4, 5}));
        SelectRows(LeftList(), {4});
        Click(Form().btnRight);
        Click(Form().btnSetting);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(SubsetFiles(), (QStringList{"  Verbs 1  .sub", "Alpha.sub", "Beta.sub"}));
    EXPECT_EQ(Bytes(QStringLiteral("Alpha.sub")), QByteArray("1,2,3 \r\n"));
    EXPECT_EQ(Bytes(QStringLiteral("  Verbs 1  .sub")), QByteArray("5 \r\n"));
    EXPECT_EQ(SavedChoice(), QStringLiteral("  Verbs 1  "));
}

TEST_F(SubsetCommands, ChoosingAnotherSubsetKeepsTheEditsOfTheFirst)
{
    TwoSubsets();
    Run([&] {
        Click(Form().btnLeftAll);
        ChooseSubset(1);
        EXPECT_EQ(Shown(RightList()), std::vector<int>{3});
        ChooseSubset(0);
        EXPECT_TRUE(Shown(RightList()).empty());
        Click(Form().btnSetting);
    });
    EXPECT_EQ(Bytes(QStringLiteral("Alpha.sub")), QByteArray(" \r\n"));
    EXPECT_EQ(Bytes(QStringLiteral("Beta.sub")), QByteArray("3 \r\n"));
    EXPECT_EQ(SavedChoice(), QStringLiteral("Alpha"));
}

TEST_F(SubsetCommands, ARenamedSubsetIsWrittenUnderItsNewNameWithTheListAsItStands)
{
    TwoSubsets();
    Run([&] {
        SelectRows(LeftList(), {2}); // question 5
        Click(Form().btnRight);
        NameWith(Form().btnEdit, QStringLiteral("Words"));
        EXPECT_EQ(Subsets(), (QStringList{"Words", "Beta"}));
        EXPECT_EQ(Form().cmbCategory->Text(), QStringLiteral("Words"));
        Click(Form().btnSetting);
    });
    EXPECT_EQ(SubsetFiles(), (QStringList{"Beta.sub", "Words.sub"}));
    EXPECT_EQ(Bytes(QStringLiteral("Words.sub")), QByteArray("1,2,5 \r\n"));
    EXPECT_EQ(SavedChoice(), QStringLiteral("Words"));
}

TEST_F(SubsetCommands, ARenameInLetterCaseOnlyLeavesTheFileUnderTheNewSpelling)
{
    WriteTextCategory(3);
    WriteSubset(QStringLiteral("abc"), QStringLiteral("2 \r\n"));
    SaveChoice(QStringLiteral("abc"));
    Open();
    Run([&] {
        WhenNameDialog([](TfrmCategoryName& dialog) {
            dialog.edtName->selectAll();
            QTest::keyClicks(dialog.edtName, QStringLiteral("ABC"));
            EXPECT_FALSE(dialog.btnOK->isEnabled()); // "abc" itself is taken
            QTest::keyClick(dialog.edtName, Qt::Key_Return);
            EXPECT_TRUE(dialog.isVisible());
            QTest::keyClick(dialog.edtName, Qt::Key_Escape);
        });
        Click(Form().btnEdit);
        EXPECT_EQ(Form().cmbCategory->Text(), QStringLiteral("abc"));
        NameWith(Form().btnEdit, QStringLiteral("tmp"));
        NameWith(Form().btnEdit, QStringLiteral("ABC"));
        Click(Form().btnSetting);
    });
    EXPECT_EQ(SubsetFiles(), QStringList{"ABC.sub"});
    EXPECT_EQ(Bytes(QStringLiteral("ABC.sub")), QByteArray("2 \r\n"));
    EXPECT_EQ(SavedChoice(), QStringLiteral("ABC"));
    TComboBox box; // as the data screen fills its subset box afterwards
    SubCategory->FillComboBox(box);
    EXPECT_EQ(box.Text(), QStringLiteral("ABC"));
}

TEST_F(SubsetCommands, DeletingOneOfSeveralAsksNothingAndCancelKeepsItsFile)
{
    TwoSubsets();
    const int result = Run([&] {
        Click(Form().btnDelete);
        EXPECT_TRUE(dialogs_.empty());
        EXPECT_EQ(Subsets(), QStringList{"Beta"});
        EXPECT_EQ(Shown(RightList()), std::vector<int>{3});
        Click(Form().btnCancel);
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(SubsetFiles(), (QStringList{"Alpha.sub", "Beta.sub"}));
    EXPECT_EQ(SavedChoice(), QStringLiteral("Alpha"));
}

TEST_F(SubsetCommands, DeletingTheOnlySubsetAsksAndYesDeletesEverySubsetFile)
{
    WriteTextCategory(3);
    WriteSubset(QStringLiteral("Only"), QStringLiteral("1 \r\n"));
    SaveChoice(QStringLiteral("Only"));
    Open();
    Answer({mrNo});
    Run([&] {
        Click(Form().btnDelete);
        ASSERT_EQ(dialogs_.size(), 1u);
        EXPECT_EQ(dialogs_[0].Caption, Caution);
        EXPECT_EQ(dialogs_[0].Text, QStringLiteral("カテゴリー数が１件です。カテゴリーを削除しますか？\r\n"
                                                   "「はい」でカテゴリー作成画面を終了します。"));
        EXPECT_EQ(dialogs_[0].DefaultButton, QStringLiteral("いいえ(&N)"));
        EXPECT_EQ(Subsets(), QStringList{"Only"});
        Answer({mrYes});
        Click(Form().btnDelete);
    });
    EXPECT_EQ(dialogs_.size(), 2u);
    EXPECT_TRUE(SubsetFiles().isEmpty());
    EXPECT_EQ(SavedChoice(), QString());
}

TEST_F(SubsetCommands, DeletingTheOnlySubsetReturnsOk)
{
    WriteTextCategory(3);
    WriteSubset(QStringLiteral("Only"), QStringLiteral("1 \r\n"));
    Open();
    Answer({mrYes});
    EXPECT_EQ(Run([&] { Click(Form().btnDelete); }), mrOk);
}

TEST_F(SubsetCommands, SubsetsWhoseNamesDifferOnlyInCaseStayApart)
{
    WriteTextCategory(4);
    WriteSubset(QStringLiteral("Kanji"), QStringLiteral("1 \r\n"));
    WriteSubset(QStringLiteral("kanji"), QStringLiteral("2 \r\n"));
    SaveChoice(QStringLiteral("kanji"));
    Open();
    Run([&] {
        EXPECT_EQ(Subsets(), (QStringList{"Kanji", "kanji"}));
        EXPECT_EQ(Form().cmbCategory->ItemIndex(), 1);
        EXPECT_EQ(Shown(RightList()), std::vector<int>{2});
        SelectRows(LeftList(), {2}); // question 4
        Click(Form().btnRight);
        ChooseSubset(0);
        EXPECT_EQ(Shown(RightList()), std::vector<int>{1});
        ChooseSubset(1);
        EXPECT_EQ(Shown(RightList()), (std::vector<int>{2, 4}));
        Click(Form().btnSetting);
    });
    EXPECT_EQ(Bytes(QStringLiteral("Kanji.sub")), QByteArray("1 \r\n"));
    EXPECT_EQ(Bytes(QStringLiteral("kanji.sub")), QByteArray("2,4 \r\n"));
    EXPECT_EQ(SavedChoice(), QStringLiteral("kanji"));
}

TEST_F(SubsetCommands, FilesWhoseNamesCannotBeSubsetNamesAreNotOfferedAndLeftAlone)
{
    WriteTextCategory(3);
    WriteSubset(QStringLiteral("a=b"), QStringLiteral("1,2 \r\n"));
    program_.Write(QString::fromUtf8("VEKTest/caf\xc3\xa9.sub"), "3,4\r\n");
    WriteSubset(QStringLiteral("Kanji"), QStringLiteral("3 \r\n"));
    Open();
    Run([&] {
        EXPECT_EQ(Subsets(), QStringList{"Kanji"});
        Click(Form().btnLeftAll);
        Click(Form().btnSetting);
    });
    EXPECT_EQ(Bytes(QStringLiteral("a=b.sub")), QByteArray("1,2 \r\n"));
    EXPECT_EQ(Bytes(QString::fromUtf8("caf\xc3\xa9.sub")), QByteArray("3,4\r\n"));
    EXPECT_EQ(Bytes(QStringLiteral("Kanji.sub")), QByteArray(" \r\n"));
    EXPECT_EQ(Log().count(QStringLiteral("TSubCategory.SetFolder")), 2);
}

TEST_F(SubsetCommands, ASettingThatCannotWriteKeepsTheEditorOpenWithTheEdits)
{
    TwoSubsets();
    program_.MakeDir(QStringLiteral("VEKTest/Blocked.sub")); // no file can take its place
    Answer({mrYes});
    const int result = Run([&] {
        NameWith(Form().btnNew, QStringLiteral("Blocked"));
        Click(Form().btnRightAll);
        Click(Form().btnSetting);
        QTest::qWait(50); // the editor would close now
        EXPECT_TRUE(Form().isVisible());
        ASSERT_EQ(dialogs_.size(), 1u);
        EXPECT_EQ(dialogs_[0].Text, QStringLiteral("カテゴリーファイルの書き込みに失敗しました。\r\n"
                                                   "編集した内容は画面に残っています。"));
        EXPECT_EQ(dialogs_[0].Type, TMsgDlgType::mtError);
        EXPECT_EQ(Subsets(), (QStringList{"Alpha", "Beta", "Blocked"}));
        EXPECT_EQ(Shown(RightList()), (std::vector<int>{1, 2, 3, 4, 5}));
        Key(Qt::Key_Escape);
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(SubsetFiles(), (QStringList{"Alpha.sub", "Beta.sub"}));
    EXPECT_EQ(Bytes(QStringLiteral("Alpha.sub")), QByteArray("1,2 \r\n"));
    EXPECT_EQ(Bytes(QStringLiteral("Beta.sub")), QByteArray("3 \r\n"));
    EXPECT_EQ(SavedChoice(), QStringLiteral("Alpha"));
    EXPECT_TRUE(Log().contains(QStringLiteral("TfrmCategoryCreateControl.SaveAll"))) << Log().toStdString();
}
