// The cursor, the stored order that Insert, Append and Delete produce, the index, and the
// file name with Open and Close.
#include "DataSetTestSupport.h"

namespace {

struct DataSetCursor : testing::Test {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Rows.cds"));

    static void Define(TClientDataSet& ds)
    {
        ds.FieldDefs().Add(QStringLiteral("NAME"), ftString, 20);
        ds.FieldDefs().Add(QStringLiteral("KEY"), ftInteger);
    }
    static void Put(TClientDataSet& ds, const char* name, int key = 0, bool insert = true)
    {
        insert ? ds.Insert() : ds.Append();
        ds.FieldByName(QStringLiteral("NAME")).SetAsString(QString::fromLatin1(name));
        ds.FieldByName(QStringLiteral("KEY")).SetAsInteger(key);
        ds.Post();
    }
    static QStringList Names(TClientDataSet& ds)
    {
        QStringList names;
        for (ds.First(); !ds.Eof(); ds.Next())
            names << ds.FieldByName(QStringLiteral("NAME")).AsString();
        return names;
    }
    void MakeFile(std::initializer_list<const char*> names)
    {
        TClientDataSet ds;
        Define(ds);
        ds.CreateDataSet();
        for (const char* n : names)
            Put(ds, n, 0, false);
        ds.SaveToFile(path);
    }
    QStringList FileNames()
    {
        TClientDataSet ds;
        ds.LoadFromFile(path);
        return Names(ds);
    }
};

TEST_F(DataSetCursor, InsertedRecordsStandBeforeTheCurrentOne)
{
    MakeFile({"A", "B"});
    TClientDataSet ds;
    ds.SetFileName(path);
    ds.Open(); // on the first stored record
    for (const char* r : {"r1", "r2", "r3"}) {
        Put(ds, r);
        EXPECT_EQ(ds.FieldByName(QStringLiteral("NAME")).AsString(), QString::fromLatin1(r)); // now current
    }
    ds.Close();
    EXPECT_EQ(FileNames(), (QStringList{"r3", "r2", "r1", "A", "B"}));
}

TEST_F(DataSetCursor, InsertAtTheLastRecordKeepsTheLastRecordLast)
{
    MakeFile({"R1", "R2"});
    TClientDataSet ds;
    ds.LoadFromFile(path);
    for (const char* r : {"A", "B", "C"}) {
        ds.Last();
        Put(ds, r);
    }
    EXPECT_EQ(Names(ds), (QStringList{"R1", "A", "B", "C", "R2"}));

    MakeFile({});
    TClientDataSet empty;
    empty.LoadFromFile(path);
    for (const char* r : {"A", "B", "C"}) {
        empty.Last();
        Put(empty, r);
    }
    EXPECT_EQ(Names(empty), (QStringList{"B", "C", "A"}));
}

TEST_F(DataSetCursor, FirstLastNextPriorAndTheEnds)
{
    TClientDataSet ds;
    Define(ds);
    ds.CreateDataSet();
    EXPECT_TRUE(ds.Eof());
    EXPECT_TRUE(ds.Bof());
    EXPECT_EQ(ds.RecordCount(), 0);
    EXPECT_TRUE(ds.FieldByName(QStringLiteral("NAME")).IsNull()); // no record: NULL
    for (const char* n : {"a", "b", "c"})
        Put(ds, n, 0, false);
    EXPECT_EQ(ds.RecordCount(), 3);
    ds.First();
    EXPECT_TRUE(ds.Bof());
    EXPECT_FALSE(ds.Eof());
    ds.Prior();
    EXPECT_TRUE(ds.Bof());
    ds.Last();
    EXPECT_TRUE(ds.Eof());
    EXPECT_EQ(ds.FieldByName(QStringLiteral("NAME")).AsString(), QStringLiteral("c"));
    ds.Prior();
    EXPECT_FALSE(ds.Eof());
    EXPECT_EQ(ds.FieldByName(QStringLiteral("NAME")).AsString(), QStringLiteral("b"));
    ds.Next();
    ds.Next();
    EXPECT_TRUE(ds.Eof());
    EXPECT_EQ(ds.FieldByName(QStringLiteral("NAME")).AsString(), QStringLiteral("c"));
}

TEST_F(DataSetCursor, DeleteMakesTheFollowingRecordCurrent)
{
    TClientDataSet ds;
    Define(ds);
    ds.CreateDataSet();
    for (const char* n : {"a", "b", "c"})
        Put(ds, n, 0, false);
    ds.First();
    ds.Next();
    ds.Delete();
    EXPECT_EQ(ds.FieldByName(QStringLiteral("NAME")).AsString(), QStringLiteral("c"));
    ds.Delete(); // the last one: the new last record becomes current
    EXPECT_EQ(ds.FieldByName(QStringLiteral("NAME")).AsString(), QStringLiteral("a"));
    EXPECT_FALSE(ds.Eof());
    ds.Delete();
    EXPECT_TRUE(ds.Eof());
    EXPECT_EQ(ds.RecordCount(), 0);
    EXPECT_THROW(ds.Delete(), EDataSetError);
}

TEST_F(DataSetCursor, EditCancelAndAppend)
{
    TClientDataSet ds;
    Define(ds);
    ds.CreateDataSet();
    Put(ds, "a", 1, false);
    Put(ds, "b", 2, false);
    EXPECT_THROW(ds.FieldByName(QStringLiteral("NAME")).SetAsString(QStringLiteral("x")), EDataSetError);
    ds.First();
    ds.Edit();
    ds.FieldByName(QStringLiteral("NAME")).SetAsString(QStringLiteral("changed"));
    ds.Cancel();
    EXPECT_EQ(ds.FieldByName(QStringLiteral("NAME")).AsString(), QStringLiteral("a"));
    ds.Edit();
    ds.FieldByName(QStringLiteral("NAME")).SetAsString(QStringLiteral("edited"));
    ds.Next(); // moving posts the edit
    EXPECT_EQ(Names(ds), (QStringList{"edited", "b"}));
    ds.First();
    ds.Insert();
    ds.Cancel();
    EXPECT_EQ(ds.RecordCount(), 2);
}

TEST_F(DataSetCursor, IndexOrdersByOneFieldWithEqualValuesInStoredOrder)
{
    TClientDataSet ds;
    Define(ds);
    ds.CreateDataSet();
    Put(ds, "k3", 3, false);
    Put(ds, "k1a", 1, false);
    Put(ds, "null", 0, false);
    ds.Last();
    ds.Edit();
    ds.FieldByName(QStringLiteral("KEY")).Clear();
    ds.Post();
    Put(ds, "k2", 2, false);
    Put(ds, "k1b", 1, false);
    ds.SetIndexFieldNames(QStringLiteral("KEY"));
    EXPECT_EQ(Names(ds), (QStringList{"null", "k1a", "k1b", "k2", "k3"}));
    ds.First();
    ds.Next(); // on k1a, stored second
    Put(ds, "k0", 0); // stored before k1a; posting puts it in its place in the index
    EXPECT_EQ(ds.FieldByName(QStringLiteral("NAME")).AsString(), QStringLiteral("k0"));
    EXPECT_EQ(Names(ds), (QStringList{"null", "k0", "k1a", "k1b", "k2", "k3"}));
    ds.SaveToFile(path);
    EXPECT_EQ(FileNames(), (QStringList{"k3", "k0", "k1a", "null", "k2", "k1b"})); // the index is not stored
    ds.SetIndexFieldNames(QString());
    EXPECT_EQ(Names(ds).first(), QStringLiteral("k3"));
    EXPECT_THROW(ds.SetIndexFieldNames(QStringLiteral("NOPE")), EDataSetError);
}

TEST_F(DataSetCursor, IndexSetBeforeLoadingApplies)
{
    MakeFile({"b", "a", "c"});
    TClientDataSet ds;
    ds.SetIndexFieldNames(QStringLiteral("NAME"));
    ds.LoadFromFile(path);
    ds.Open();
    EXPECT_EQ(Names(ds), (QStringList{"a", "b", "c"}));
}

TEST_F(DataSetCursor, CloseWritesOnlyAfterAChange)
{
    MakeFile({"A"});
    const QByteArray marker("not touched");
    {
        TClientDataSet ds;
        ds.SetFileName(path);
        ds.Open();
        EXPECT_EQ(ds.RecordCount(), 1);
        WriteBytes(path, marker); // Close must not write this unchanged dataset back
        ds.Close();
        EXPECT_FALSE(ds.Active());
        EXPECT_EQ(ReadBytes(path), marker);
    }
    MakeFile({"A"});
    TClientDataSet ds;
    ds.SetFileName(path);
    ds.Open();
    ds.Delete();
    ds.Close();
    EXPECT_EQ(FileNames(), QStringList());
}

TEST_F(DataSetCursor, OpenOfAMissingFileCreatesItFromTheDefinitions)
{
    TClientDataSet ds;
    ds.SetFileName(path);
    EXPECT_THROW(ds.Open(), EDataSetError);
    Define(ds);
    ds.Open();
    Put(ds, "new");
    ds.Close();
    EXPECT_EQ(FileNames(), QStringList{"new"});
}

TEST_F(DataSetCursor, EmptyDataSetKeepsTheFields)
{
    MakeFile({"a", "b"});
    TClientDataSet ds;
    ds.LoadFromFile(path);
    ds.EmptyDataSet();
    EXPECT_EQ(ds.RecordCount(), 0);
    EXPECT_TRUE(ds.Eof());
    ds.SaveToFile(path);
    TClientDataSet back;
    back.LoadFromFile(path);
    EXPECT_EQ(back.RecordCount(), 0);
    EXPECT_EQ(back.FieldDefs().Count(), 2);
}

TEST_F(DataSetCursor, UnknownFieldNamesAreNamedInTheError)
{
    TClientDataSet ds;
    Define(ds);
    ds.CreateDataSet();
    try {
        ds.FieldByName(QStringLiteral("MISSING"));
        FAIL();
    } catch (const EDataSetError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("MISSING")));
    }
    EXPECT_EQ(&ds.FieldByName(QStringLiteral("name")), &ds.FieldByName(QStringLiteral("NAME")));
}

TEST_F(DataSetCursor, ReplyFileShapeKeepsEveryValue)
{
    TClientDataSet ds;
    for (const char* n : {"NO", "TYPE", "STATE"})
        ds.FieldDefs().Add(QString::fromLatin1(n), ftInteger);
    for (const char* n : {"REPLYSTART", "STARTTIME", "ENDTIME"})
        ds.FieldDefs().Add(QString::fromLatin1(n), ftDateTime);
    ds.FieldDefs().Add(QStringLiteral("DATA"), ftString, 255);
    ds.FieldDefs().Add(QStringLiteral("CLEAR"), ftBoolean);
    ds.FieldDefs().Add(QStringLiteral("ANSWER"), ftBoolean);
    ds.CreateDataSet();
    ds.SetIndexFieldNames(QStringLiteral("REPLYSTART"));
    for (int i = 0; i < 3; ++i) {
        ds.Insert();
        ds.FieldByName(QStringLiteral("NO")).SetAsInteger(10 - i);
        ds.FieldByName(QStringLiteral("REPLYSTART")).SetAsDateTime(45000.5 - i);
        ds.FieldByName(QStringLiteral("DATA")).SetAsString(QStringLiteral("回答%1").arg(i));
        ds.FieldByName(QStringLiteral("CLEAR")).SetAsBoolean(i % 2 == 0);
        ds.Post();
    }
    ds.SaveToFile(path);
    TClientDataSet back;
    back.LoadFromFile(path);
    back.SetIndexFieldNames(QStringLiteral("REPLYSTART"));
    QList<int> numbers;
    for (back.First(); !back.Eof(); back.Next())
        numbers << back.FieldByName(QStringLiteral("NO")).AsInteger();
    EXPECT_EQ(numbers, (QList<int>{8, 9, 10}));
    back.First();
    EXPECT_EQ(back.FieldByName(QStringLiteral("DATA")).AsString(), QStringLiteral("回答2"));
    EXPECT_TRUE(back.FieldByName(QStringLiteral("CLEAR")).AsBoolean());
    EXPECT_FALSE(back.FieldByName(QStringLiteral("ANSWER")).AsBoolean());
}

} // namespace

namespace {

TEST_F(DataSetCursor, AnIndexFieldTheFileLacksRaisesButKeepsTheRecords)
{
    MakeFile({"a", "b"});
    TClientDataSet ds;
    ds.SetIndexFieldNames(QStringLiteral("MISSING"));
    EXPECT_THROW(ds.LoadFromFile(path), EDataSetError);
    EXPECT_EQ(ds.RecordCount(), 2);
    EXPECT_EQ(ds.FieldByName(QStringLiteral("NAME")).AsString(), QStringLiteral("a"));
}

} // namespace

// Every string and memo value of many records rewritten again and again, some edits
// cancelled and some records deleted: each record reads its latest value throughout, and
// what is saved reads back the same and saves to the same bytes.
TEST_F(DataSetCursor, RewrittenStringsAndMemosKeepTheirLatestValues)
{
    constexpr int Rows = 60;
    const auto memo = [](int row, int round) {
        return QStringLiteral("メモ%1-%2 ").arg(row).arg(round).repeated(40);
    };
    const auto name = [](int row, int round) { return QStringLiteral("n%1.%2").arg(row).arg(round); };
    TClientDataSet ds;
    Define(ds);
    ds.FieldDefs().Add(QStringLiteral("NOTE"), ftMemo);
    ds.CreateDataSet();
    for (int row = 0; row < Rows; ++row) {
        ds.Append();
        ds.FieldByName(QStringLiteral("KEY")).SetAsInteger(row);
        ds.Post();
    }
    TField& nameField = ds.FieldByName(QStringLiteral("NAME"));
    TField& note = ds.FieldByName(QStringLiteral("NOTE"));
    for (int round = 0; round < 12; ++round) {
        int row = 0;
        for (ds.First(); !ds.Eof(); ds.Next(), ++row) {
            ds.Edit();
            nameField.SetAsString(name(row, round));
            note.SetAsString(memo(row, round));
            ds.Post();
            ds.Edit(); // a cancelled edit leaves the posted values
            note.SetAsString(QStringLiteral("cancelled"));
            ds.Cancel();
        }
        row = 0;
        for (ds.First(); !ds.Eof(); ds.Next(), ++row) {
            ASSERT_EQ(nameField.AsString(), name(row, round)) << "round " << round;
            ASSERT_EQ(note.AsString(), memo(row, round)) << "round " << round;
        }
    }
    ds.First();
    ds.Delete();
    ds.SaveToFile(path);

    TClientDataSet loaded;
    loaded.LoadFromFile(path);
    ASSERT_EQ(loaded.RecordCount(), Rows - 1);
    int row = 1;
    for (loaded.First(); !loaded.Eof(); loaded.Next(), ++row) {
        EXPECT_EQ(loaded.FieldByName(QStringLiteral("KEY")).AsInteger(), row);
        EXPECT_EQ(loaded.FieldByName(QStringLiteral("NAME")).AsString(), name(row, 11));
        EXPECT_EQ(loaded.FieldByName(QStringLiteral("NOTE")).AsString(), memo(row, 11));
    }
    const QString again = dir.filePath(QStringLiteral("Again.cds"));
    loaded.SaveToFile(again);
    EXPECT_EQ(ReadBytes(again), ReadBytes(path));
}
