// The category store on list views: the menu list with its widths and order, the check
// list of the display settings dialog, ticks taken back as visibility.
#include "data/UCategory.h"
#include "data/UCategoryControl.h"
#include "data/UConst.h"
#include "shell/ProgramUnits.h"
#include "platform/vcl/ListView.h"
#include "tests/support/CategoryFolder.h"
#include "tests/support/QtPrinters.h"

#include <QApplication>
#include <QFile>
#include <algorithm>
#include <string>
#include <gtest/gtest.h>

namespace {

class CategoryLists : public testing::Test {
protected:
    CategoryLists()
        : units_(ProgramUnits({"UCategory", "UCategoryControl"}))
    {
        list_.resize(600, 300);
        list_.show();
        QApplication::processEvents();
    }

    static void Open() { CategoryControlClass->CreateInstance(); }

    // Captions of the list's rows, in row order.
    QStringList Rows()
    {
        QStringList rows;
        for (int i = 0; i < list_.ItemCount(); ++i)
            rows << list_.Item(i).Caption;
        return rows;
    }

    // The three categories Alpha (2 questions), Beta (5, hidden) and Gamma (1).
    void ThreeCategories(const char* moreMenuInf = "")
    {
        WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 2);
        WriteCategoryFolder(program_, QStringLiteral("VEKBeta"), 5);
        WriteCategoryFolder(program_, QStringLiteral("VEKGamma"), 1);
        WriteMenuInf(program_, (std::string("[表示]\r\nBeta=0\r\n") + moreMenuInf).c_str());
        Open();
    }

    int Underscore() const { return list_.TextWidth(QStringLiteral("_")); }

    TempProgramFolder program_;
    TUnits units_;
    TListView list_;
};

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

TEST_F(CategoryLists, TheMenuListShowsTheVisibleCategoriesWithCountsAndLastUse)
{
    ThreeCategories("[選択回数]\r\nGamma=4\r\n[更新日時]\r\nGamma=2012/01/02 03:04:05\r\n");
    CategoryControl->SetupColumns(list_);
    CategoryControl->FillListView(list_);

    ASSERT_EQ(list_.ColumnCount(), 4);
    const TAlignment alignments[] = {TAlignment::taLeftJustify, TAlignment::taRightJustify,
                                     TAlignment::taRightJustify, TAlignment::taCenter};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(list_.Column(i).Caption(), CategoryColumnCaptions[i]);
        EXPECT_EQ(list_.Column(i).Alignment(), alignments[i]);
        EXPECT_EQ(list_.Column(i).MinWidth(), 50);
        EXPECT_EQ(list_.Column(i).MaxWidth(), 300);
    }
    EXPECT_EQ(CategoryColumnCaptions[1], Text("選択回数"));

    ASSERT_EQ(Rows(), QStringList({"Alpha", "Gamma"}));
    EXPECT_EQ(list_.Item(0).SubItems, QStringList({"0", "2", "-"}));
    EXPECT_EQ(list_.Item(1).SubItems, QStringList({"4", "1", "2012/01/02 03:04:05"}));
    EXPECT_EQ(static_cast<TCategory*>(list_.Item(1).Data)->Folder,
              program_.Path() + QStringLiteral("VEKGamma/"));

    // Counts and dates are read afresh at every fill.
    CountCategorySelection(QStringLiteral("Alpha"));
    CategoryControl->FillListView(list_);
    EXPECT_EQ(list_.Item(0).SubItems[0], QStringLiteral("1"));
}

TEST_F(CategoryLists, StoredWidthsAreKeptWithin50To300AndMissingOrImpossibleOnesTakeTheDefault)
{
    ThreeCategories("[ｶﾃｺﾞﾘ幅]\r\n名称=1000\r\n選択回数=10\r\n問題数=-5\r\n");
    CategoryControl->SetupColumns(list_);
    EXPECT_EQ(list_.Column(0).Width(), 300);
    EXPECT_EQ(list_.Column(1).Width(), 50);
    EXPECT_EQ(list_.Column(2).Width(), std::clamp(Underscore() * 8 + 25, 50, 300));
    EXPECT_EQ(list_.Column(3).Width(), std::clamp(Underscore() * 25 + 25, 50, 300));

    // Widths the user gave are written under the captions and read back.
    list_.Column(0).SetWidth(120);
    list_.Column(3).SetWidth(77);
    CategoryControl->SaveColumnWidths(list_);
    EXPECT_TRUE(ReadMenuInf(program_).contains(Text("[ｶﾃｺﾞﾘ幅]\r\n名称=120\r\n選択回数=50\r\n")));
    TListView other;
    CategoryControl->SetupColumns(other);
    EXPECT_EQ(other.Column(0).Width(), 120);
    EXPECT_EQ(other.Column(3).Width(), 77);
}

TEST_F(CategoryLists, WithoutMenuInfTheWidthsComeFromTheListsFont)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 2);
    Open();
    QFont font = list_.font();
    font.setPointSize(4);
    list_.setFont(font);
    CategoryControl->SetupColumns(list_);
    EXPECT_EQ(list_.Column(0).Width(), std::clamp(Underscore() * 35 + 25, 50, 300));
    EXPECT_EQ(list_.Column(1).Width(), std::clamp(Underscore() * 10 + 25, 50, 300));
    EXPECT_FALSE(QFile::exists(program_.FilePath(QStringLiteral("Menu.inf"))));
}

// The menu sorts as a Japanese reader expects: Latin first, then kana by their reading
// (katakana, hiragana and half-width alike), whatever the system locale; the check list
// keeps the chain (folder) order.
TEST_F(CategoryLists, TheMenuListSortsInJapaneseCollationTheCheckListKeepsTheChainOrder)
{
    for (const char* name : {"VEKいぬ", "VEKアリ", "VEKｶﾒ", "VEKきつね", "VEKZebra", "VEKapple"})
        WriteCategoryFolder(program_, Text(name), 1);
    Open();
    CategoryControl->SetupColumns(list_);
    CategoryControl->FillListView(list_);
    EXPECT_EQ(Rows(), QStringList({"apple", "Zebra", Text("アリ"), Text("いぬ"), Text("ｶﾒ"), Text("きつね")}));

    TListView checks;
    CategoryControl->FillCheckList(checks);
    QStringList chain;
    for (int i = 0; i < checks.ItemCount(); ++i)
        chain << checks.Item(i).Caption;
    EXPECT_EQ(chain, QStringList({"apple", "Zebra", Text("いぬ"), Text("きつね"), Text("アリ"), Text("ｶﾒ")}));
}

TEST_F(CategoryLists, TheCheckListHoldsEveryCategoryTickedWhenShown)
{
    ThreeCategories();
    CategoryControl->SetupColumns(list_);
    CategoryControl->FillListView(list_);
    EXPECT_EQ(Rows(), QStringList({"Alpha", "Gamma"}));

    list_.SetCheckboxes(true);
    CategoryControl->FillCheckList(list_);
    ASSERT_EQ(list_.ColumnCount(), 1);
    EXPECT_EQ(list_.Column(0).Caption(), Text("カテゴリー"));
    EXPECT_EQ(list_.Column(0).Alignment(), TAlignment::taLeftJustify);
    EXPECT_EQ(list_.Column(0).Width(), 400);
    ASSERT_EQ(Rows(), QStringList({"Alpha", "Beta", "Gamma"}));
    EXPECT_TRUE(list_.Item(0).Checked);
    EXPECT_FALSE(list_.Item(1).Checked);
    EXPECT_EQ(static_cast<TCategory*>(list_.Item(1).Data)->Name, QStringLiteral("Beta"));

    CategoryControl->ShowAll();
    CategoryControl->SetupColumns(list_);
    CategoryControl->FillListView(list_);
    EXPECT_EQ(Rows(), QStringList({"Alpha", "Beta", "Gamma"}));
    EXPECT_TRUE(GetCategoryVisible(QStringLiteral("Beta")));
    EXPECT_TRUE(ReadMenuInf(program_).contains(QStringLiteral("Beta=1\r\n")));
}

TEST_F(CategoryLists, TheCheckListsColumnIsCappedOnlyByTheListsWidth)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 1);
    Open();
    const std::pair<const char*, int> cases[] = {
        {"1000", 600}, {"20", 20}, {"450", 450}, {"0", 400}, {"-1", 400}, {"-3", 400}, {"abc", 400}};
    for (const auto& [stored, width] : cases) {
        WriteMenuInf(program_, (std::string("[表示設定画面]\r\nｶﾃｺﾞﾘｰ幅=") + stored + "\r\n").c_str());
        CategoryControl->FillCheckList(list_);
        EXPECT_EQ(list_.Column(0).Width(), width) << stored;
    }
    list_.resize(300, 300);
    CategoryControl->FillCheckList(list_);
    EXPECT_EQ(list_.Column(0).Width(), 300);
}

TEST_F(CategoryLists, TicksBecomeVisibilityOnlyWhenReadAndAreStoredOnlyWhenSaved)
{
    ThreeCategories();
    list_.SetCheckboxes(true);
    CategoryControl->FillCheckList(list_);
    const QString before = ReadMenuInf(program_);
    for (int i = 0; i < list_.ItemCount(); ++i)
        list_.SetItemChecked(i, i == 1);

    CategoryControl->ReadChecks(list_);
    EXPECT_EQ(ReadMenuInf(program_), before);
    CategoryControl->SaveVisibility();
    EXPECT_EQ(ReadMenuInf(program_), Text("[表示]\r\nBeta=1\r\nAlpha=0\r\nGamma=0\r\n"));
    CategoryControl->FillListView(list_);
    EXPECT_EQ(Rows(), QStringList({"Beta"}));

    // A category without a row keeps its visibility.
    TListView empty;
    CategoryControl->ReadChecks(empty);
    CategoryControl->FillListView(list_);
    EXPECT_EQ(Rows(), QStringList({"Beta"}));
}

TEST_F(CategoryLists, TheStoreOfNoCategoriesLeavesTheListsAlone)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 1);
    list_.AddColumn().SetCaption(QStringLiteral("kept"));
    list_.AddItem().Caption = QStringLiteral("row");
    CategoryControl->SetupColumns(list_);
    CategoryControl->FillListView(list_);
    CategoryControl->FillCheckList(list_);
    CategoryControl->ReadChecks(list_);
    CategoryControl->ShowAll();
    CategoryControl->SaveColumnWidths(list_);
    EXPECT_EQ(list_.ColumnCount(), 1);
    EXPECT_EQ(Rows(), QStringList({"row"}));
    EXPECT_FALSE(QFile::exists(program_.FilePath(QStringLiteral("Menu.inf"))));
}
