// The history store over real UnitHistory.cds files: the file made when missing, where
// new rows are inserted and when, rows written once, failures that keep the rows, the
// unit keys, deleting one unit's rows (a quote in the subset name included), clearing,
// and the column widths of [単位履歴幅].
#include "UUnitHistoryTestSupport.h"

#include "platform/core/Exception.h"
#include "platform/ini/IniFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

using HistoryStore = HistoryFolder;

const TDateTime Day = EncodeDateTime(2026, 4, 1, 9, 0, 0, 0);

THistoryRow Unit(int no, TDateTime date, const QString& name = QStringLiteral("全ての問題"),
                 int count = 10)
{
    return {count, no, name, date, -2.0 * HistorySecond, 10, 7, 5};
}

} // namespace

TEST_F(HistoryStore, BeforeAnyCategoryTheStoreDoesNothingAndWritesNothing)
{
    ASSERT_TRUE(dynamic_cast<TUnitHistoryControlNull*>(UnitHistoryControl.get()));
    Add(Unit(1, Day));
    TStringList lines;
    lines.Add(QStringLiteral("kept"));
    UnitHistoryControl->GetStatistics(10, 1, QStringLiteral("全ての問題"), lines);
    EXPECT_EQ(lines.Lines(), QStringList{QStringLiteral("kept")});
    TListView list;
    UnitHistoryControl->SetupColumns(list);
    EXPECT_EQ(list.ColumnCount(), 0);
    UnitHistoryControl->SavePending();
    UnitHistoryControl->DeleteRecords(10, 1, QStringLiteral("全ての問題"));
    UnitHistoryControl->ClearAll();
    FinalizeUUnitHistoryControl();
    EXPECT_TRUE(QDir(Folder()).isEmpty());
    InitializeUUnitHistoryControl();
}

TEST_F(HistoryStore, AMissingFileIsMadeWithTheEightFieldsAndNoRows)
{
    Open();
    ASSERT_TRUE(QFile::exists(HistoryPath()));
    TClientDataSet ds;
    ds.LoadFromFile(HistoryPath());
    EXPECT_EQ(ds.RecordCount(), 0);
    const QStringList names = {"COUNT", "NO", "SUBCATEGORY", "TESTDATE", "TESTCOUNT",
                               "ANSWERCOUNT", "CLEARCOUNT", "AVERAGE"};
    const std::vector<TFieldType> types = {ftInteger, ftInteger,  ftString,  ftDateTime,
                                           ftInteger, ftInteger, ftInteger, ftDateTime};
    ASSERT_EQ(ds.FieldDefs().Count(), 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(ds.FieldDefs()[i].Name, names[i]);
        EXPECT_EQ(ds.FieldDefs()[i].DataType, types[static_cast<std::size_t>(i)]) << i;
    }
    EXPECT_EQ(ds.FieldDefs()[2].Size, 255);
    EXPECT_EQ(HistoryStatistics(10, 1, QStringLiteral("全ての問題")),
              (QStringList{"EndDate=", "AllDate=", "TestCount=0"}));
}

TEST_F(HistoryStore, NewRowsIntoAnEmptyFileEndAsBCA)
{
    Open();
    Add(Unit(1, Day));     // A
    Add(Unit(2, Day + 1)); // B
    Add(Unit(3, Day + 2)); // C
    EXPECT_EQ(HistoryChainNumbers(UnitHistoryControl->Head.get()), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(StoredNumbers(), std::vector<int>{}); // nothing written yet
    UnitHistoryControlClass->CreateInstance(OtherFolder());
    EXPECT_EQ(StoredNumbers(), (std::vector<int>{2, 3, 1}));
}

TEST_F(HistoryStore, NewRowsGoJustBeforeTheLastStoredRowAtProgramEnd)
{
    WriteHistory({Unit(11, Day), Unit(12, Day), Unit(13, Day)});
    Open();
    Add(Unit(1, Day + 1));
    Add(Unit(2, Day + 2));
    Add(Unit(3, Day + 3));
    FinalizeUUnitHistoryControl();
    EXPECT_EQ(StoredNumbers(), (std::vector<int>{11, 12, 1, 2, 3, 13}));
    InitializeUUnitHistoryControl();
    Open();
    EXPECT_EQ(HistoryChainNumbers(UnitHistoryControl->Head.get()),
              (std::vector<int>{11, 12, 1, 2, 3, 13}));
}

TEST_F(HistoryStore, EveryValueOfARowReachesTheFile)
{
    Open();
    const THistoryRow row{20, 4, QStringLiteral("動詞"), Day + 0.25, -4.125 * HistorySecond, 17, 9, 3};
    Add(row);
    UnitHistoryControl->SavePending();
    const std::vector<THistoryRow> stored = StoredHistory();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].Count, 20);
    EXPECT_EQ(stored[0].No, 4);
    EXPECT_EQ(stored[0].SubCategory, QStringLiteral("動詞"));
    EXPECT_DOUBLE_EQ(stored[0].TestDate, row.TestDate);
    // The engine stores a date-time between -1 and 0 by its magnitude: the mean time
    // reads back positive, which every display takes anyway.
    EXPECT_DOUBLE_EQ(stored[0].Average, -row.Average);
    EXPECT_EQ(stored[0].TestCount, 17);
    EXPECT_EQ(stored[0].AnswerCount, 9);
    EXPECT_EQ(stored[0].ClearCount, 3);
}

TEST_F(HistoryStore, SavingPendingRowsAfterEachTestWritesEachRowOnce)
{
    WriteHistory({Unit(9, Day)});
    Open();
    Add(Unit(1, Day + 1));
    UnitHistoryControl->SavePending();
    EXPECT_EQ(StoredNumbers(), (std::vector<int>{1, 9}));
    UnitHistoryControl->SavePending();
    Add(Unit(2, Day + 2));
    UnitHistoryControl->SavePending();
    UnitHistoryControlClass->CreateInstance(Folder());
    EXPECT_EQ(StoredNumbers(), (std::vector<int>{1, 2, 9}));
    FinalizeUUnitHistoryControl();
    EXPECT_EQ(StoredNumbers(), (std::vector<int>{1, 2, 9}));
    InitializeUUnitHistoryControl();
}

TEST_F(HistoryStore, AFailedWriteKeepsTheRowsPendingAndTheStoreCurrent)
{
    Open();
    Add(Unit(1, Day));
    // A folder where the file should be: it can be neither read nor made.
    ASSERT_TRUE(QFile::remove(HistoryPath()));
    program_.MakeDir(QStringLiteral("VEKTest/UnitHistory.cds"));
    EXPECT_THROW(UnitHistoryControl->SavePending(), Exception);
    const TUnitHistoryControl* store = UnitHistoryControl.get();
    EXPECT_THROW(UnitHistoryControlClass->CreateInstance(OtherFolder()), Exception);
    EXPECT_EQ(UnitHistoryControl.get(), store);
    EXPECT_EQ(HistoryStatistics(10, 1, QStringLiteral("全ての問題")).last(), QStringLiteral("TestCount=1"));

    ASSERT_TRUE(QDir(HistoryPath()).removeRecursively());
    UnitHistoryControlClass->CreateInstance(OtherFolder());
    EXPECT_EQ(StoredNumbers(), std::vector<int>{1});
    EXPECT_EQ(Log(), QString());
}

TEST_F(HistoryStore, AWriteThatFailsAtProgramEndIsLogged)
{
    Open();
    Add(Unit(1, Day));
    ASSERT_TRUE(QFile::remove(HistoryPath()));
    program_.MakeDir(QStringLiteral("VEKTest/UnitHistory.cds"));
    FinalizeUUnitHistoryControl();
    EXPECT_TRUE(Log().contains(QStringLiteral("TUnitHistoryControl.Destroy.")));
    InitializeUUnitHistoryControl();
}

TEST_F(HistoryStore, ADamagedFileIsSetAsideAndANewFileRecordsTheRows)
{
    program_.Write(QStringLiteral("VEKTest/UnitHistory.cds"), "damaged");
    EXPECT_NO_THROW(Open());
    EXPECT_EQ(UnitHistoryControl->SetAsideFile, HistoryPath() + QStringLiteral(".damaged"));
    EXPECT_EQ(program_.Read(QStringLiteral("VEKTest/UnitHistory.cds.damaged")), QByteArray("damaged"));
    EXPECT_EQ(Log().count(QStringLiteral("TUnitHistoryControl.CreateInstance.")), 1);
    Add(Unit(1, Day));
    UnitHistoryControl->SavePending();
    EXPECT_EQ(StoredNumbers(), std::vector<int>({1}));

    // A file without the AVERAGE column goes the same way, beside the earlier one.
    TClientDataSet ds;
    DefineHistoryFields(ds.FieldDefs());
    TClientDataSet partial;
    for (int i = 0; i < ds.FieldDefs().Count() - 1; ++i)
        partial.FieldDefs().Add(ds.FieldDefs()[i].Name, ds.FieldDefs()[i].DataType, ds.FieldDefs()[i].Size);
    partial.CreateDataSet();
    partial.SaveToFile(HistoryPath());
    Open();
    EXPECT_EQ(UnitHistoryControl->SetAsideFile, HistoryPath() + QStringLiteral(".damaged2"));
    EXPECT_EQ(program_.Read(QStringLiteral("VEKTest/UnitHistory.cds.damaged")), QByteArray("damaged"));
    EXPECT_TRUE(StoredHistory().empty());
}

TEST_F(HistoryStore, AFileThatCannotBeSetAsideRaisesAndLeavesTheNullStore)
{
    program_.MakeDir(QStringLiteral("VEKTest/UnitHistory.cds"));
    EXPECT_THROW(Open(), Exception);
    ASSERT_TRUE(dynamic_cast<TUnitHistoryControlNull*>(UnitHistoryControl.get()));
    EXPECT_TRUE(QFileInfo(HistoryPath()).isDir());
    EXPECT_FALSE(QFileInfo::exists(HistoryPath() + QStringLiteral(".damaged")));
}

TEST_F(HistoryStore, AUnitIsItsSizeNumberAndExactSubsetName)
{
    WriteHistory({Unit(1, Day, QStringLiteral("Verbs")), Unit(1, Day + 1, QStringLiteral("verbs")),
                  Unit(1, Day + 2, QStringLiteral("Verbs"), 20), Unit(2, Day + 3, QStringLiteral("Verbs")),
                  Unit(1, Day + 4, QStringLiteral("Verbs "))});
    Open();
    Add(Unit(1, Day + 5, QStringLiteral("Verbs")));
    EXPECT_EQ(HistoryStatistics(10, 1, QStringLiteral("Verbs")).last(), QStringLiteral("TestCount=2"));
    EXPECT_EQ(HistoryStatistics(10, 1, QStringLiteral("verbs")).last(), QStringLiteral("TestCount=1"));
    EXPECT_EQ(HistoryStatistics(20, 1, QStringLiteral("Verbs")).last(), QStringLiteral("TestCount=1"));
    EXPECT_EQ(HistoryStatistics(10, 2, QStringLiteral("Verbs")).last(), QStringLiteral("TestCount=1"));
    EXPECT_EQ(HistoryStatistics(10, 1, QStringLiteral("Verbs ")).last(), QStringLiteral("TestCount=1"));
    EXPECT_EQ(HistoryStatistics(10, 3, QStringLiteral("Verbs")).last(), QStringLiteral("TestCount=0"));
    EXPECT_EQ(HistoryStatistics(-99, -99, QStringLiteral("NULL")).last(), QStringLiteral("TestCount=0"));
}

TEST_F(HistoryStore, DeletingAUnitKeepsEveryOtherRowPendingOnesIncluded)
{
    const QString toms = QStringLiteral("Tom's verbs");
    WriteHistory({Unit(1, Day, toms), Unit(1, Day, QStringLiteral("Tom")), Unit(2, Day, toms),
                  Unit(1, Day, toms, 20), Unit(1, Day, QStringLiteral("tom's verbs")),
                  Unit(1, Day, toms)});
    Open();
    Add(Unit(1, Day + 1, toms));                    // of the unit: goes too
    Add(Unit(5, Day + 1, QStringLiteral("Tom")));  // another unit: kept and written
    UnitHistoryControl->DeleteRecords(10, 1, toms);
    const std::vector<THistoryRow> stored = StoredHistory();
    QStringList kept;
    for (const THistoryRow& row : stored)
        kept << QStringLiteral("%1/%2/%3").arg(row.Count).arg(row.No).arg(row.SubCategory);
    EXPECT_EQ(kept, (QStringList{"10/1/Tom", "10/2/Tom's verbs", "20/1/Tom's verbs",
                                 "10/1/tom's verbs", "10/5/Tom"}));
    EXPECT_EQ(HistoryChainNumbers(UnitHistoryControl->Head.get()), (std::vector<int>{1, 2, 1, 1, 5}));
    EXPECT_EQ(HistoryStatistics(10, 1, toms).last(), QStringLiteral("TestCount=0"));
    // Nothing is pending any more: replacing the store writes no row again.
    UnitHistoryControlClass->CreateInstance(Folder());
    EXPECT_EQ(StoredHistory().size(), 5u);
}

TEST_F(HistoryStore, AFailedDeletionLeavesTheChainLoaded)
{
    WriteHistory({Unit(1, Day), Unit(2, Day)});
    Open();
    program_.Write(QStringLiteral("VEKTest/UnitHistory.cds"), "damaged since");
    EXPECT_THROW(UnitHistoryControl->DeleteRecords(10, 1, QStringLiteral("全ての問題")), Exception);
    EXPECT_EQ(HistoryChainNumbers(UnitHistoryControl->Head.get()), (std::vector<int>{1, 2}));
    EXPECT_EQ(HistoryStatistics(10, 1, QStringLiteral("全ての問題")).last(), QStringLiteral("TestCount=1"));
    EXPECT_THROW(UnitHistoryControl->ClearAll(), Exception);
    EXPECT_EQ(HistoryChainNumbers(UnitHistoryControl->Head.get()), (std::vector<int>{1, 2}));
}

TEST_F(HistoryStore, ClearingAllLeavesTheFieldsAndDropsNewRowsToo)
{
    WriteHistory({Unit(1, Day), Unit(2, Day)});
    Open();
    Add(Unit(3, Day + 1));
    UnitHistoryControl->ClearAll();
    EXPECT_EQ(HistoryChainNumbers(UnitHistoryControl->Head.get()), std::vector<int>{});
    ASSERT_TRUE(dynamic_cast<TUnitHistoryNull*>(UnitHistoryControl->Head.get()));
    FinalizeUUnitHistoryControl();
    TClientDataSet ds;
    ds.LoadFromFile(HistoryPath());
    EXPECT_EQ(ds.RecordCount(), 0);
    EXPECT_EQ(ds.FieldDefs().Count(), 8);
    InitializeUUnitHistoryControl();
}

TEST_F(HistoryStore, ColumnsAreRightAlignedWithStoredOrDefaultWidthsSavedAsAtLeastTen)
{
    program_.Write(QStringLiteral("VEKTest/Control.inf"),
                   EncodeAnsi(QStringLiteral("[単位履歴幅]\r\n平均=75\r\n問題数=0\r\n")));
    Open();
    TListView list;
    list.SetOwnerData(true);
    UnitHistoryControl->SetupColumns(list);
    ASSERT_EQ(list.ColumnCount(), 8);
    const std::vector<int> widths = {122, 0, 50, 50, 60, 75, 50, 50};
    for (int i = 0; i < 8; ++i) {
        const std::size_t u = static_cast<std::size_t>(i);
        EXPECT_EQ(list.Column(i).Caption(), UnitHistoryColumnCaptions[u]);
        EXPECT_EQ(list.Column(i).Width(), widths[u]) << i;
        EXPECT_EQ(list.Column(i).Alignment(), TAlignment::taRightJustify);
    }
    EXPECT_EQ(UnitHistoryColumnCaptions[0], QStringLiteral("ﾃｽﾄ時刻"));
    EXPECT_EQ(UnitHistoryColumnCaptions[7], QStringLiteral("合格率"));

    list.Column(2).SetWidth(4);
    UnitHistoryControl->SaveColumnWidths(list);
    const TIniFile ini(Folder() + QStringLiteral("Control.inf"));
    const std::vector<int> saved = {122, 10, 10, 50, 60, 75, 50, 50};
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_EQ(ini.ReadInteger(QStringLiteral("単位履歴幅"), UnitHistoryColumnCaptions[i], -1), saved[i]) << i;
}
