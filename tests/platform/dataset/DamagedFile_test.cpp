// Damaged, truncated and foreign files raise EDataSetError with the file name and the
// fault, never a crash or an allocation driven by a length field.
#include "DataSetTestSupport.h"

#include "platform/dataset/PacketReader.h"

namespace {

struct DataSetDamaged : testing::Test {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("bad.cds"));

    QString ErrorOf(const QByteArray& bytes)
    {
        WriteBytes(path, bytes);
        TClientDataSet ds;
        try {
            ds.LoadFromFile(path);
        } catch (const EDataSetError& e) {
            EXPECT_TRUE(e.Message().contains(path)) << e.what();
            return e.Message();
        }
        return QStringLiteral("no error");
    }
    static QByteArray Example()
    {
        TTestPacket p;
        p.Field("NO", 0x00010004);
        p.Field("NAME", 0x00490001, TTestPacket::Width(10), 1);
        p.Row(0, QByteArray(1, '\0'), Le(1, 4) + Ansi1("abc"));
        p.Row(0, QByteArray(1, '\x04'), Le(2, 4));
        return p.Bytes();
    }
    static QByteArray WithField(std::uint32_t type)
    {
        TTestPacket p;
        p.Field("F", type);
        return p.Bytes();
    }
};

TEST_F(DataSetDamaged, EveryTruncationRaises)
{
    for (const QString& sample : {SamplePath(QStringLiteral("SampleData_GetTree2.cds")),
                                  SamplePath(QStringLiteral("SampleData_DBList.cds"))}) {
        const QByteArray whole = ReadBytes(sample);
        for (qsizetype n = 0; n < whole.size(); ++n) {
            const QByteArray part = whole.left(n);
            EXPECT_THROW(TPacketReader(part, sample, 1251).Read(), EDataSetError) << n;
        }
    }
    EXPECT_TRUE(ErrorOf(Example().chopped(2)).contains(QStringLiteral("row 2 is truncated")));
    EXPECT_TRUE(ErrorOf(Example().left(30)).contains(QStringLiteral("field descriptor 1 is truncated")));
    EXPECT_TRUE(ErrorOf(Example().left(10)).contains(QStringLiteral("header is truncated")));
}

TEST_F(DataSetDamaged, FaultsAreNamed)
{
    QByteArray bytes = Example();
    bytes[0] = 'X';
    EXPECT_TRUE(ErrorOf(bytes).contains(QStringLiteral("bad magic")));
    EXPECT_TRUE(ErrorOf(Example() + "x").contains(QStringLiteral("1 trailing bytes")));
    EXPECT_TRUE(ErrorOf(WithField(0x003E0004)).contains(QStringLiteral("unknown field type 003E0004")));
    EXPECT_TRUE(ErrorOf(WithField(0x010C0002)).contains(QStringLiteral("composite")));
    EXPECT_TRUE(ErrorOf(WithField(0x050E0001)).contains(QStringLiteral("composite")));
    EXPECT_TRUE(ErrorOf(WithField(0x00010003)).contains(QStringLiteral("invalid field type")));
    EXPECT_TRUE(ErrorOf(WithField(0x00490001)).contains(QStringLiteral("WIDTH")));
    bytes = Example();
    bytes[4] = 4; // version 4.0
    EXPECT_TRUE(ErrorOf(bytes).contains(QStringLiteral("version")));
    bytes = Example();
    bytes[18] = 0; // no metadata flag
    EXPECT_TRUE(ErrorOf(bytes).contains(QStringLiteral("metadata")));
    bytes = Example();
    bytes[22] = static_cast<char>(bytes[22] + 1);
    EXPECT_TRUE(ErrorOf(bytes).contains(QStringLiteral("data offset")));
    EXPECT_TRUE(ErrorOf("plain text").contains(QStringLiteral("too short")));
    EXPECT_TRUE(ErrorOf(QByteArray(100, 'z')).contains(QStringLiteral("bad magic")));
}

TEST_F(DataSetDamaged, LengthFieldsDoNotDriveAllocations)
{
    QByteArray bytes = Example();
    bytes.replace(14, 4, Le(0xFFFFFFFF, 4)); // four billion rows
    EXPECT_TRUE(ErrorOf(bytes).contains(QStringLiteral("more than the file can hold")));

    TTestPacket blob;
    blob.Field("B", 0x004B0004);
    blob.Row(0, QByteArray(1, '\0'), Le(0x7FFFFFF0, 4) + "abc"); // a BLOB claiming 2 GiB
    EXPECT_TRUE(ErrorOf(blob.Bytes()).contains(QStringLiteral("row 1 is truncated")));

    TTestPacket param;
    param.Field("N", 0x00010004);
    param.Param("BIG", 0x00820004, Le(0x40000000, 4)); // an array of a billion entries
    EXPECT_TRUE(ErrorOf(param.Bytes()).contains(QStringLiteral("dataset parameters are truncated")));
}

TEST_F(DataSetDamaged, MissingFilesRaiseToo)
{
    TClientDataSet ds;
    EXPECT_THROW(ds.LoadFromFile(dir.filePath(QStringLiteral("none.cds"))), EDataSetError);
    EXPECT_FALSE(ds.Active());
}

TEST_F(DataSetDamaged, FoldersAndEmptyFilesRaise)
{
    TClientDataSet ds;
    try {
        ds.LoadFromFile(dir.path());
        ADD_FAILURE() << "a folder was read";
    } catch (const EDataSetError& e) {
        EXPECT_TRUE(e.Message().contains(dir.path())) << e.what();
    }
    EXPECT_FALSE(ds.Active());
    EXPECT_TRUE(ErrorOf(QByteArray()).contains(QStringLiteral("too short for a data packet (0 bytes)")));
}

} // namespace
