// Files large enough that the file's bytes, the records and their texts each take blocks
// of huge pages: every value and every NULL reads back as written, the records stay
// editable after loading, and a copied store keeps its own bytes.
#include "DataSetTestSupport.h"

#include "platform/dataset/RecordStore.h"

namespace {

constexpr int Rows = 80000;

// Every fourth row has no text; the others have texts of 10 to 80 bytes.
QString TextOf(int row)
{
    return row % 4 == 0 ? QString() : QStringLiteral("回答%1").arg(row, 6, 10, QLatin1Char('0')).repeated(row % 8 + 1);
}

struct DataSetLargeFile : testing::Test {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Reply.cds"));

    static void Define(TClientDataSet& ds)
    {
        ds.FieldDefs().Add(QStringLiteral("NO"), ftInteger);
        ds.FieldDefs().Add(QStringLiteral("START"), ftDateTime);
        ds.FieldDefs().Add(QStringLiteral("DATA"), ftString, 255);
        ds.FieldDefs().Add(QStringLiteral("CLEAR"), ftBoolean);
    }
    void Write()
    {
        TClientDataSet ds;
        Define(ds);
        ds.CreateDataSet();
        for (int i = 0; i < Rows; ++i) {
            ds.Append();
            ds.FieldByName(QStringLiteral("NO")).SetAsInteger(i - Rows / 2);
            ds.FieldByName(QStringLiteral("START")).SetAsDateTime(45000.0 + i / 1000.0);
            if (!TextOf(i).isNull())
                ds.FieldByName(QStringLiteral("DATA")).SetAsString(TextOf(i));
            if (i % 3 != 0)
                ds.FieldByName(QStringLiteral("CLEAR")).SetAsBoolean(i % 3 == 1);
            ds.Post();
        }
        ds.SaveToFile(path);
    }
    // Row i holds its values, with DATA as text(i).
    template <class Text>
    static void ExpectRows(TClientDataSet& ds, Text text)
    {
        ASSERT_EQ(ds.RecordCount(), Rows);
        TField& no = ds.FieldByName(QStringLiteral("NO"));
        TField& start = ds.FieldByName(QStringLiteral("START"));
        TField& data = ds.FieldByName(QStringLiteral("DATA"));
        TField& clear = ds.FieldByName(QStringLiteral("CLEAR"));
        int i = 0;
        for (ds.First(); !ds.Eof(); ds.Next(), ++i) {
            ASSERT_EQ(no.AsInteger(), i - Rows / 2);
            ASSERT_NEAR(start.AsDateTime(), 45000.0 + i / 1000.0, 1e-9) << i;
            ASSERT_EQ(data.IsNull(), text(i).isNull()) << i;
            ASSERT_EQ(data.AsString(), text(i)) << i;
            ASSERT_EQ(clear.IsNull(), i % 3 == 0) << i;
            ASSERT_EQ(clear.AsBoolean(), i % 3 == 1) << i;
        }
    }
};

TEST_F(DataSetLargeFile, EveryValueReadsBackAndStaysEditable)
{
    Write();
    ASSERT_GT(QFileInfo(path).size(), 4 << 20);
    TClientDataSet ds;
    ds.LoadFromFile(path);
    ExpectRows(ds, TextOf);

    // New texts for every other row: the pool grows past its block and drops what is replaced.
    const auto edited = [](int i) { return i % 2 == 0 ? QStringLiteral("編集%1").arg(i) : TextOf(i); };
    TField& data = ds.FieldByName(QStringLiteral("DATA"));
    int i = 0;
    for (ds.First(); !ds.Eof(); ds.Next(), ++i) {
        if (i % 2 == 0) {
            ds.Edit();
            data.SetAsString(edited(i));
            ds.Post();
        }
    }
    ExpectRows(ds, edited);
    ds.SaveToFile(path);
    TClientDataSet again;
    again.LoadFromFile(path);
    ExpectRows(again, edited);
}

TEST_F(DataSetLargeFile, CopiedStoresKeepTheirOwnBytes)
{
    TRecordStore store;
    store.Reset(1);
    const QByteArray value(1000, 'v');
    for (int i = 0; i < 3000; ++i)
        store.SetBytes(store.NewRecord(), 0, value + QByteArray::number(i));
    TRecordStore copy = store;
    for (int i = 0; i < 3000; ++i)
        store.SetBytes(i, 0, QByteArray::number(i));
    for (int i = 0; i < 3000; ++i) {
        ASSERT_EQ(copy.Bytes(i, 0), value + QByteArray::number(i));
        ASSERT_EQ(store.Bytes(i, 0), QByteArray::number(i));
    }
}

} // namespace
