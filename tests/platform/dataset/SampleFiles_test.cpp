// The sample files written by the real engine read with the content their notes state, and
// files without a change log are written back byte for byte.
#include "DataSetTestSupport.h"

#include <QStringList>

namespace {

constexpr int Cyrillic = 1251;

struct DataSetSample : testing::Test {
    TClientDataSet ds;
    QTemporaryDir dir;
    void Load(const char* name)
    {
        ds.SetCodePage(Cyrillic);
        ds.LoadFromFile(SamplePath(QString::fromLatin1(name)));
    }
    // The fields of the current record as text; NULL as "<null>".
    QStringList Row()
    {
        QStringList row;
        for (int i = 0; i < ds.FieldDefs().Count(); ++i) {
            TField& f = ds.FieldByName(ds.FieldDefs()[i].Name);
            row << (f.IsNull() ? QStringLiteral("<null>") : f.AsString());
        }
        return row;
    }
};

TEST_F(DataSetSample, DbListGivesTheTwoInsertedRowsOfItsChangeLog)
{
    Load("SampleData_DBList.cds");
    ASSERT_EQ(ds.FieldDefs().Count(), 5);
    EXPECT_EQ(ds.FieldDefs()[1].Name, QStringLiteral("_UserName"));
    EXPECT_EQ(ds.FieldDefs()[1].DataType, ftString);
    EXPECT_EQ(ds.FieldDefs()[1].Size, 256);
    EXPECT_EQ(ds.FieldDefs()[2].DataType, ftInteger);
    ASSERT_EQ(ds.RecordCount(), 2);
    EXPECT_EQ(Row(), (QStringList{QStringLiteral("Демо"), QStringLiteral("Пользователь"), QStringLiteral("1"),
                                  QStringLiteral("upWFm56J"), QString()}));
    EXPECT_FALSE(ds.FieldByName(QStringLiteral("_Connected")).IsNull()); // empty, not NULL
    ds.Next();
    EXPECT_EQ(Row(), (QStringList{QStringLiteral("ДемоМашиностроение"), QStringLiteral("Машиностроитель"),
                                  QStringLiteral("2"), QStringLiteral("pJCfhZCH"), QString()}));
    ds.Next();
    EXPECT_TRUE(ds.Eof());
}

TEST_F(DataSetSample, DbListIsWrittenMergedAndReadsTheSame)
{
    Load("SampleData_DBList.cds");
    const QString copy = dir.filePath(QStringLiteral("DBList.cds"));
    ds.SaveToFile(copy);
    const QByteArray bytes = ReadBytes(copy);
    EXPECT_FALSE(bytes.contains("CHANGE_LOG"));
    TClientDataSet again;
    again.SetCodePage(Cyrillic);
    again.LoadFromFile(copy);
    ASSERT_EQ(again.RecordCount(), 2);
    EXPECT_EQ(again.FieldByName(QStringLiteral("_DataBase")).AsString(), QStringLiteral("Демо"));
    EXPECT_FALSE(again.FieldByName(QStringLiteral("_Connected")).IsNull());
}

TEST_F(DataSetSample, GetStateListHasAutoincIdsNamesAndIcons)
{
    Load("SampleData_GetStateList.cds");
    ASSERT_EQ(ds.FieldDefs().Count(), 3);
    EXPECT_EQ(ds.FieldDefs()[0].DataType, ftAutoInc);
    EXPECT_EQ(ds.FieldDefs()[1].Size, 255);
    EXPECT_EQ(ds.FieldDefs()[2].DataType, ftBlob);
    ASSERT_EQ(ds.RecordCount(), 20);
    const struct { int id; const char* name; int blob; } first[] = {
        {29, "Аннулирован", 578}, {30, "Архив", 1078}, {45, "Внедрено", 1078}};
    for (const auto& row : first) {
        EXPECT_EQ(ds.FieldByName(QStringLiteral("_ID")).AsInteger(), row.id);
        EXPECT_EQ(ds.FieldByName(QStringLiteral("_NAME")).AsString(), QString::fromUtf8(row.name));
        EXPECT_EQ(ds.FieldByName(QStringLiteral("_ICON")).AsString().size(), row.blob);
        ds.Next();
    }
}

TEST_F(DataSetSample, GetTree2HasNullsAndANonAsciiFieldName)
{
    Load("SampleData_GetTree2.cds");
    ASSERT_EQ(ds.FieldDefs().Count(), 14);
    EXPECT_GE(ds.FieldDefs().IndexOf(QStringLiteral("Наименование")), 0);
    EXPECT_EQ(ds.FieldDefs()[ds.FieldDefs().IndexOf(QStringLiteral("_VERSION"))].Size, 25);
    ASSERT_EQ(ds.RecordCount(), 24);
    const QString null = QStringLiteral("<null>");
    EXPECT_EQ(Row(), (QStringList{"23956", "13079", "291", "078.505.9.0100.00123", "1", "36", "30", "0", "756",
                                  "3", "23956", null, null, null}));
    ds.Next();
    EXPECT_EQ(Row(), (QStringList{"17442", "10163", "291", QStringLiteral("078.505.9.0100.00 ВОБ"), "1", "40",
                                  "30", "0", null, "3", "17442", QStringLiteral("Ведомость оснастки"), null, null}));
}

TEST_F(DataSetSample, FilesWithoutChangeLogAreWrittenBackByteForByte)
{
    for (const char* name : {"SampleData_GetStateList.cds", "SampleData_GetTree2.cds"}) {
        Load(name);
        const QString copy = dir.filePath(QString::fromLatin1(name));
        ds.SaveToFile(copy);
        EXPECT_EQ(ReadBytes(copy), ReadBytes(SamplePath(QString::fromLatin1(name)))) << name;
    }
}

} // namespace
