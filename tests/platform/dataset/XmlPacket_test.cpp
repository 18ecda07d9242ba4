// The XML form of a data packet, which a .cds file may hold.
#include "DataSetTestSupport.h"

namespace {

struct DataSetXml : testing::Test {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("x.cds"));
};

TEST_F(DataSetXml, ReadsFieldsParamsAndRows)
{
    WriteBytes(path, QByteArray(
        "<?xml version=\"1.0\" standalone=\"yes\"?>  <DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
        "<FIELD attrname=\"NO\" fieldtype=\"i4\" required=\"true\"/>"
        "<FIELD attrname=\"NAME\" fieldtype=\"string\" WIDTH=\"20\"/>"
        "<FIELD attrname=\"NOTE\" fieldtype=\"bin.hex\" SUBTYPE=\"Text\" WIDTH=\"1\"/>"
        "<FIELD attrname=\"WHEN\" fieldtype=\"dateTime\"/>"
        "<FIELD attrname=\"DAY\" fieldtype=\"date\"/>"
        "<FIELD attrname=\"AT\" fieldtype=\"time\"/>"
        "<FIELD attrname=\"OK\" fieldtype=\"boolean\"/>"
        "<FIELD attrname=\"PRICE\" fieldtype=\"r8\"/>"
        "</FIELDS><PARAMS CHANGE_LOG=\"1 0 4 2 0 4 2 0 2\" DEFAULT_ORDER=\"1\" LCID=\"1033\"/></METADATA>"
        "<ROWDATA>"
        "<ROW RowState=\"4\" NO=\"2\" NAME=\"a &amp; b\" NOTE=\"line1&#13;&#10;line2\" WHEN=\"20240229T12:00:00000\""
        " DAY=\"19960615\" AT=\"10:30:15250\" OK=\"TRUE\" PRICE=\"2.5\"/>"
        "<ROW RowState=\"6\" NO=\"9\"/>"
        "<ROW NO=\"1\" NAME=\"日本\" WHEN=\"20240229\"/>"
        "</ROWDATA></DATAPACKET>"));
    TClientDataSet ds;
    ds.LoadFromFile(path);
    ASSERT_EQ(ds.FieldDefs().Count(), 8);
    EXPECT_EQ(ds.FieldDefs()[2].DataType, ftMemo);
    ASSERT_EQ(ds.RecordCount(), 2); // the deleted row is gone; DEFAULT_ORDER sorts by NO
    EXPECT_EQ(ds.FieldByName(QStringLiteral("NO")).AsInteger(), 1);
    EXPECT_EQ(ds.FieldByName(QStringLiteral("NAME")).AsString(), QStringLiteral("日本"));
    EXPECT_DOUBLE_EQ(ds.FieldByName(QStringLiteral("WHEN")).AsDateTime(), 45351.0);
    EXPECT_TRUE(ds.FieldByName(QStringLiteral("NOTE")).IsNull());
    ds.Next();
    EXPECT_EQ(ds.FieldByName(QStringLiteral("NAME")).AsString(), QStringLiteral("a & b"));
    EXPECT_EQ(ds.FieldByName(QStringLiteral("NOTE")).AsString(), QStringLiteral("line1\r\nline2"));
    EXPECT_DOUBLE_EQ(ds.FieldByName(QStringLiteral("WHEN")).AsDateTime(), 45351.5);
    EXPECT_EQ(ds.FieldByName(QStringLiteral("DAY")).AsString(), QStringLiteral("1996/06/15"));
    EXPECT_NEAR(ds.FieldByName(QStringLiteral("AT")).AsDateTime(), (10 * 3600 + 30 * 60 + 15.25) / 86400, 1e-12);
    EXPECT_TRUE(ds.FieldByName(QStringLiteral("OK")).AsBoolean());
    EXPECT_EQ(ds.FieldByName(QStringLiteral("PRICE")).AsString(), QStringLiteral("2.5"));

    ds.SaveToFile(path); // written back in the binary form
    TClientDataSet back;
    back.LoadFromFile(path);
    EXPECT_EQ(back.RecordCount(), 2);
    EXPECT_TRUE(ReadBytes(path).startsWith("\x96\x19\xE0\xBD"));
}

TEST_F(DataSetXml, RefusesWhatItCannotRead)
{
    const char* bad[] = {
        "<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"N\" fieldtype=\"nested\"/></FIELDS></METADATA></DATAPACKET>",
        "<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"N\" fieldtype=\"weird\"/></FIELDS></METADATA></DATAPACKET>",
        "<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"N\" fieldtype=\"i4\"/></FIELDS></METADATA>"
        "<ROWDATA><ROW N=\"x\"/></ROWDATA></DATAPACKET>",
        "<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"N\" fieldtype=\"i4\"/></FIELDS>",
        "<OTHER/>",
        "  <DATAPACKET><ROWDATA/></DATAPACKET>",
    };
    for (const char* xml : bad) {
        WriteBytes(path, xml);
        TClientDataSet ds;
        try {
            ds.LoadFromFile(path);
            ADD_FAILURE() << xml;
        } catch (const EDataSetError& e) {
            EXPECT_TRUE(e.Message().contains(path)) << e.what();
        }
    }
}

} // namespace
