// A packet with an unmerged change log gives the rows the engine shows: current versions
// only, "not changed" BLOBs taken from the version they replaced.
#include "DataSetTestSupport.h"

namespace {

struct DataSetChangeLog : testing::Test {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("log.cds"));
    TTestPacket p;

    void SetUp() override
    {
        p.Field("ID", 0x00010004);
        p.Field("NAME", 0x00490001, TTestPacket::Width(10), 1);
        p.Field("NOTE", 0x004B0004, TTestPacket::Subtype("Text"), 1);
    }
    static QByteArray Nulls(int id, int name, int note) { return QByteArray(1, static_cast<char>(id | name << 2 | note << 4)); }
    QStringList Rows(TClientDataSet& ds)
    {
        QStringList rows;
        for (ds.First(); !ds.Eof(); ds.Next()) {
            QStringList row;
            for (const char* f : {"ID", "NAME", "NOTE"}) {
                TField& field = ds.FieldByName(QString::fromLatin1(f));
                row << (field.IsNull() ? QStringLiteral("-") : field.AsString());
            }
            rows << row.join(QLatin1Char('|'));
        }
        return rows;
    }
};

TEST_F(DataSetChangeLog, GivesTheCurrentVersionOfEachRecord)
{
    p.Row(0x05, Nulls(0, 0, 0), Le(1, 4) + Ansi1("a") + Blob("memo1")); // 1: inserted, later edited
    p.Row(0x0C, Nulls(0, 0, 2), Le(1, 4) + Ansi1("a2"));                // 2: its new version, memo unchanged
    p.Row(0x06, Nulls(0, 0, 1), Le(3, 4) + Ansi1("gone"));              // 3: inserted, then deleted
    p.Row(0x05, Nulls(0, 0, 1), Le(4, 4) + Ansi1("new"));               // 4: inserted, later edited
    p.Row(0x0D, Nulls(0, 0, 2), Le(4, 4) + Ansi1("new5"));              // 5: intermediate version
    p.Row(0x0C, Nulls(0, 0, 2), Le(4, 4) + Ansi1("new6"));              // 6: current version of 4
    p.Row(0x04, Nulls(2, 0, 1), Ansi1("six"));                          // 7: ID never assigned
    p.Row(0x20, Nulls(1, 1, 1), QByteArray());                          // 8: an unused hole
    p.ChangeLog({1, 0, 4, 2, 1, 8, 3, 0, 4, 3, 0, 2, 4, 0, 4, 5, 4, 8, 6, 5, 8, 7, 0, 4});
    WriteBytes(path, p.Bytes());
    TClientDataSet ds;
    ds.LoadFromFile(path);
    EXPECT_EQ(Rows(ds), (QStringList{"1|a2|memo1", "4|new6|-", "-|six|-"}));
    EXPECT_EQ(ds.RecordCount(), 3);
}

TEST_F(DataSetChangeLog, NotChangedBlobsFollowTheChainOfVersions)
{
    p.Row(0x05, Nulls(0, 0, 0), Le(1, 4) + Ansi1("v1") + Blob("original"));
    p.Row(0x0D, Nulls(0, 0, 2), Le(1, 4) + Ansi1("v2"));
    p.Row(0x0C, Nulls(0, 0, 2), Le(1, 4) + Ansi1("v3"));
    p.ChangeLog({1, 0, 4, 2, 1, 8, 3, 2, 8});
    WriteBytes(path, p.Bytes());
    TClientDataSet ds;
    ds.LoadFromFile(path);
    EXPECT_EQ(Rows(ds), QStringList{"1|v3|original"});
    ds.SaveToFile(path); // written merged: one row, status 0, no log
    TClientDataSet back;
    back.LoadFromFile(path);
    EXPECT_EQ(Rows(back), QStringList{"1|v3|original"});
    EXPECT_FALSE(ReadBytes(path).contains("CHANGE_LOG"));
}

TEST_F(DataSetChangeLog, DefaultOrderSortsTheRows)
{
    p.Row(0, Nulls(0, 0, 1), Le(2, 4) + Ansi1("b"));
    p.Row(0, Nulls(0, 0, 1), Le(1, 4) + Ansi1("a"));
    p.Row(0, Nulls(1, 0, 1), Ansi1("null"));
    p.Param("DEFAULT_ORDER", 0x00820002, Le(1, 4) + Le(1, 2));
    WriteBytes(path, p.Bytes());
    TClientDataSet ds;
    ds.LoadFromFile(path);
    EXPECT_EQ(Rows(ds), (QStringList{"-|null|-", "1|a|-", "2|b|-"}));
    ds.Last();
    ds.Insert();
    ds.FieldByName(QStringLiteral("ID")).SetAsInteger(0);
    ds.Post();
    ds.SaveToFile(path); // still stored in the default order
    TClientDataSet back;
    back.LoadFromFile(path);
    EXPECT_EQ(Rows(back), (QStringList{"-|null|-", "0|-|-", "1|a|-", "2|b|-"}));
}

TEST_F(DataSetChangeLog, DamagedLogsAreRefused)
{
    p.Row(0x04, Nulls(0, 0, 1), Le(1, 4) + Ansi1("a"));
    p.Row(0x0C, Nulls(0, 0, 2), Le(1, 4) + Ansi1("b"));
    for (const std::vector<std::uint32_t>& log : std::vector<std::vector<std::uint32_t>>{
             {1, 2, 8, 2, 1, 8}, // versions replacing each other
             {9, 1, 8},          // a record outside the file
             {2, 2, 8},          // a record replacing itself
             {1, 0}}) {          // not whole triples
        TTestPacket bad = p;
        bad.ChangeLog(log);
        WriteBytes(path, bad.Bytes());
        TClientDataSet ds;
        EXPECT_THROW(ds.LoadFromFile(path), EDataSetError) << log.size();
    }
}

} // namespace
