// What the writer puts into a file, checked byte for byte and by reading it back.
#include "DataSetTestSupport.h"

#include "platform/dataset/DateTimeCodec.h"
#include "platform/text/Ansi.h"

#include <QFileInfo>
#include <cstring>

namespace {

struct DataSetWriter : testing::Test {
    QTemporaryDir dir;
    QString Path(const char* name = "t.cds") { return dir.filePath(QString::fromLatin1(name)); }

    // Saves ds and loads the file into a new dataset.
    std::unique_ptr<TClientDataSet> RoundTrip(TClientDataSet& ds, int codePage = 932)
    {
        ds.SaveToFile(Path());
        auto back = std::make_unique<TClientDataSet>();
        back->SetCodePage(codePage);
        back->LoadFromFile(Path());
        return back;
    }
};

constexpr double LeapDayNoon = 45351.5; // 2024-02-29 12:00

TEST_F(DataSetWriter, ProducesTheExamplePacketByteForByte)
{
    TClientDataSet ds;
    ds.FieldDefs().Add(QStringLiteral("NO"), ftInteger);
    ds.FieldDefs().Add(QStringLiteral("NAME"), ftString, 10);
    ds.FieldDefs().Add(QStringLiteral("WHEN"), ftDateTime);
    ds.CreateDataSet();
    ds.Append();
    ds.FieldByName(QStringLiteral("NO")).SetAsInteger(1);
    ds.FieldByName(QStringLiteral("NAME")).SetAsString(QStringLiteral("abc"));
    ds.FieldByName(QStringLiteral("WHEN")).SetAsDateTime(LeapDayNoon);
    ds.Post();
    ds.Append();
    ds.FieldByName(QStringLiteral("NO")).SetAsInteger(2);
    ds.Post();
    ds.SaveToFile(Path());

    const QByteArray expected = QByteArray::fromHex(
        "9619E0BD 0100 0000 18000000 0300 02000000 03000000 4B00"
        "02 4E4F 04000100 0000 0000"
        "04 4E414D45 01004900 0000 0100 05 5749445448 02000200 0A00"
        "04 5748454E 08000800 0000 0000"
        "0000"
        "00 00 01000000 03 616263 0000C5078608CD42"
        "00 14 02000000");
    ASSERT_EQ(expected.size(), 99);
    EXPECT_EQ(ReadBytes(Path()).toHex(' ').toUpper(), expected.toHex(' ').toUpper());

    TClientDataSet back;
    back.LoadFromFile(Path());
    ASSERT_EQ(back.RecordCount(), 2);
    EXPECT_EQ(back.FieldByName(QStringLiteral("NAME")).AsString(), QStringLiteral("abc"));
    EXPECT_DOUBLE_EQ(back.FieldByName(QStringLiteral("WHEN")).AsDateTime(), LeapDayNoon);
    back.Next();
    EXPECT_EQ(back.FieldByName(QStringLiteral("NO")).AsInteger(), 2);
    EXPECT_TRUE(back.FieldByName(QStringLiteral("NAME")).IsNull());
    EXPECT_TRUE(back.FieldByName(QStringLiteral("WHEN")).IsNull());
}

struct TTypeCase {
    const char* name;
    TFieldType type;
    int size;
    QString value; // assigned as string and read back as string
};

TEST_F(DataSetWriter, EveryTypeKeepsValuesNullsAndEmptyValues)
{
    const std::vector<TTypeCase> cases = {
        {"SMALL", ftSmallint, 0, "-32768"},
        {"INT", ftInteger, 0, "-2147483648"},
        {"WORD", ftWord, 0, "65535"},
        {"LARGE", ftLargeint, 0, "-9007199254740993"},
        {"SHORT", ftShortint, 0, "-128"},
        {"BYTE", ftByte, 0, "255"},
        {"LONGWORD", ftLongWord, 0, "4294967295"},
        {"BOOL", ftBoolean, 0, "True"},
        {"FLOAT", ftFloat, 0, "3.14159265358979"},
        {"MONEY", ftCurrency, 0, "-12.5"},
        {"EXT", ftExtended, 0, "1e+300"},
        {"SINGLE", ftSingle, 0, "0.5"},
        {"BCD", ftBCD, 2, "-1234.56"},
        {"FMTBCD", ftFMTBcd, 3, "0.125"},
        {"DAY", ftDate, 0, "1996/06/15"},
        {"CLOCK", ftTime, 0, "10:00:00"},
        {"STAMP", ftDateTime, 0, "1995/02/02 1:05:03"},
        {"SQLSTAMP", ftTimeStamp, 0, "2024/02/29 12:00:00"},
        {"STR", ftString, 10, "abc"},
        {"FIXED", ftFixedChar, 5, "xy"},
        {"GUID", ftGuid, 0, "{00000000-0000-0000-0000-000000000000}"},
        {"WIDE", ftWideString, 4, QStringLiteral("日本語")},
        {"BYTES", ftBytes, 4, QString::fromLatin1("ab\0\0", 4)},
        {"VARBYTES", ftVarBytes, 6, QString::fromLatin1("\x01\x02\xFF", 3)},
        {"MEMO", ftMemo, 0, QStringLiteral("一行目\r\n二行目")},
        {"WIDEMEMO", ftWideMemo, 0, QStringLiteral("wide ✓")},
        {"BLOB", ftBlob, 0, QString::fromLatin1("\x00\x01\x80\xFF", 4)},
        {"PICTURE", ftGraphic, 0, QStringLiteral("GIF89a")},
        {"ID", ftAutoInc, 0, "17"},
    };
    TClientDataSet ds;
    for (const TTypeCase& c : cases)
        ds.FieldDefs().Add(QString::fromLatin1(c.name), c.type, c.size);
    ds.CreateDataSet();
    ds.Append();
    for (const TTypeCase& c : cases)
        ds.FieldByName(QString::fromLatin1(c.name)).SetAsString(c.value);
    ds.Post();
    ds.Append(); // a record of NULLs
    ds.Post();
    ds.Append(); // empty strings stay empty and non-NULL; empty BLOBs become NULL
    for (const char* name : {"STR", "WIDE", "MEMO", "BLOB"})
        ds.FieldByName(QString::fromLatin1(name)).SetAsString(QString());
    ds.Post();

    auto back = RoundTrip(ds);
    ASSERT_EQ(back->RecordCount(), 3);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const TTypeCase& c = cases[i];
        const TFieldDef& def = back->FieldDefs()[static_cast<int>(i)];
        EXPECT_EQ(def.DataType, c.type) << c.name;
        EXPECT_EQ(back->FieldByName(QString::fromLatin1(c.name)).AsString(), c.value) << c.name;
    }
    EXPECT_EQ(back->FieldDefs()[back->FieldDefs().IndexOf(QStringLiteral("WIDE"))].Size, 4);
    back->Next();
    for (const TTypeCase& c : cases)
        EXPECT_TRUE(back->FieldByName(QString::fromLatin1(c.name)).IsNull()) << c.name;
    back->Next();
    EXPECT_FALSE(back->FieldByName(QStringLiteral("STR")).IsNull());
    EXPECT_FALSE(back->FieldByName(QStringLiteral("WIDE")).IsNull());
    EXPECT_TRUE(back->FieldByName(QStringLiteral("MEMO")).IsNull());
    EXPECT_TRUE(back->FieldByName(QStringLiteral("BLOB")).IsNull());
}

TEST_F(DataSetWriter, NullsReadAsZeroEmptyAndFalse)
{
    TClientDataSet ds;
    ds.FieldDefs().Add(QStringLiteral("N"), ftInteger);
    ds.FieldDefs().Add(QStringLiteral("T"), ftDateTime);
    ds.FieldDefs().Add(QStringLiteral("S"), ftString, 5);
    ds.FieldDefs().Add(QStringLiteral("B"), ftBoolean);
    ds.CreateDataSet();
    ds.Insert();
    ds.Post();
    EXPECT_EQ(ds.FieldByName(QStringLiteral("N")).AsInteger(), 0);
    EXPECT_EQ(ds.FieldByName(QStringLiteral("T")).AsDateTime(), 0.0);
    EXPECT_EQ(ds.FieldByName(QStringLiteral("S")).AsString(), QString());
    EXPECT_FALSE(ds.FieldByName(QStringLiteral("B")).AsBoolean());
}

TEST_F(DataSetWriter, StringsAreCutAtTheirWidthWithoutSplittingACharacter)
{
    TClientDataSet ds;
    ds.FieldDefs().Add(QStringLiteral("S"), ftString, 5);
    ds.CreateDataSet();
    const struct { QString in, out; } cases[] = {
        {QStringLiteral("abcde"), QStringLiteral("abcde")},
        {QStringLiteral("abcdef"), QStringLiteral("abcde")},
        {QStringLiteral("日本語"), QStringLiteral("日本")},     // 6 bytes: the third character would be split
        {QStringLiteral("a日本語"), QStringLiteral("a日本")},   // exactly 5 bytes
        {QStringLiteral("ｱｲｳｴｵｶ"), QStringLiteral("ｱｲｳｴｵ")}, // half-width katakana are single bytes
        {QStringLiteral("表示"), QStringLiteral("表示")},       // trailing bytes 0x5C must not confuse the cut
    };
    for (const auto& c : cases) {
        ds.Append();
        ds.FieldByName(QStringLiteral("S")).SetAsString(c.in);
        ds.Post();
    }
    auto back = RoundTrip(ds);
    for (const auto& c : cases) {
        EXPECT_EQ(back->FieldByName(QStringLiteral("S")).AsString(), c.out) << c.in.toStdString();
        back->Next();
    }
    EXPECT_TRUE(ReadBytes(Path()).contains(Ansi1(EncodeAnsi(QStringLiteral("日本")))));
}

TEST_F(DataSetWriter, AStoredStringLongerThanItsWidthIsCutWhenWritten)
{
    TTestPacket p;
    p.Field("S", 0x00490001, TTestPacket::Width(4), 1);
    p.Row(0, QByteArray(1, '\0'), Ansi1(EncodeAnsi(QStringLiteral("ab日本"))));
    WriteBytes(Path("long.cds"), p.Bytes());
    TClientDataSet ds;
    ds.LoadFromFile(Path("long.cds"));
    EXPECT_EQ(ds.FieldByName(QStringLiteral("S")).AsString(), QStringLiteral("ab日本"));
    auto back = RoundTrip(ds);
    EXPECT_EQ(back->FieldByName(QStringLiteral("S")).AsString(), QStringLiteral("ab日"));
}

TEST_F(DataSetWriter, TextInOtherCodePages)
{
    TClientDataSet ds;
    ds.SetCodePage(1251);
    ds.FieldDefs().Add(QStringLiteral("Имя"), ftString, 20);
    ds.FieldDefs().Add(QStringLiteral("M"), ftMemo);
    ds.CreateDataSet();
    ds.Append();
    ds.FieldByName(QStringLiteral("Имя")).SetAsString(QStringLiteral("Привет"));
    ds.FieldByName(QStringLiteral("M")).SetAsString(QStringLiteral("Строка"));
    ds.Post();
    auto back = RoundTrip(ds, 1251);
    EXPECT_EQ(back->FieldByName(QStringLiteral("Имя")).AsString(), QStringLiteral("Привет"));
    EXPECT_EQ(back->FieldByName(QStringLiteral("M")).AsString(), QStringLiteral("Строка"));
    EXPECT_TRUE(ReadBytes(Path()).contains(EncodeAnsi(QStringLiteral("Привет"), 1251)));
}

TEST_F(DataSetWriter, DateTimesBeforeTheBaseDateAndNegativeDurations)
{
    const double second = 1.0 / 86400;
    const struct { double in, out; } cases[] = {
        {-36522.0, -36522.0},            // 1800-01-01
        {-36522.25, -36522.25},          // 1799-12-31 18:00 counts backwards from the day
        {-1.5, -1.5},
        {-2 * second, 2 * second},       // within a day of the base date only the magnitude survives
        {-0.75, 0.75},
        {-1.0, -1.0},
        {0.0, 0.0},
        {LeapDayNoon, LeapDayNoon},
    };
    TClientDataSet ds;
    ds.FieldDefs().Add(QStringLiteral("T"), ftDateTime);
    ds.CreateDataSet();
    for (const auto& c : cases) {
        ds.Append();
        ds.FieldByName(QStringLiteral("T")).SetAsDateTime(c.in);
        ds.Post();
    }
    auto back = RoundTrip(ds);
    for (const auto& c : cases) {
        EXPECT_NEAR(back->FieldByName(QStringLiteral("T")).AsDateTime(), c.out, 1e-9) << c.in;
        back->Next();
    }
}

TEST_F(DataSetWriter, DateTimeConversionMatchesTheEngine)
{
    using namespace DateTimeCodec;
    EXPECT_EQ(FromStored(62734953600000.0), 32505.0); // 1988-12-28
    EXPECT_NEAR(FromStored(62927370303000.0), 34732.045173611, 1e-9); // 1995-02-02 01:05:03
    EXPECT_EQ(ToStored(32505.0), 62734953600000.0);
    EXPECT_EQ(ToStored(LeapDayNoon), 63844891200000.0);
    EXPECT_EQ(ToStored(-1.5), 693593.0 * 86400000 + 43200000);
    EXPECT_EQ(ToStored(-2.0 / 86400), 693594.0 * 86400000 + 2000);
    EXPECT_EQ(ToTimeStamp(0.5 / 86400000 * 3).Time, 2); // 1.5 ms rounds to the even 2
    EXPECT_THROW(ToStored(std::numeric_limits<double>::quiet_NaN()), EDataSetError);
    EXPECT_THROW(ToStored(1e300), EDataSetError);
}

TEST_F(DataSetWriter, WholeMillisecondsReadAsTheRoundedReadingGivesThem)
{
    // Stored values of whole milliseconds are read through integers; every one reads as
    // the general reading (rounding, then splitting in doubles) gives it, bit for bit.
    using namespace DateTimeCodec;
    const double day = static_cast<double>(MsPerDay);
    std::vector<double> stored = {0.0, -0.0, 1.0, -1.0, MaxStoredMs, -MaxStoredMs, MaxStoredMs - 1,
                                  -MaxStoredMs + 1};
    for (const double base : {0.0, 693594.0 * day, 693593.0 * day, 2958466.0 * day + 693594.0 * day,
                              -5.0 * day, 1e15, -1e15})
        for (const double offset : {-day - 1, -day, -1.0, 0.0, 1.0, 43200000.0, day - 1, day})
            stored.push_back(base + offset);
    for (const double value : stored) {
        const double fast = FromStored(value);
        const double general = FromStoredRounded(value);
        EXPECT_EQ(std::memcmp(&fast, &general, sizeof fast), 0) << value << " " << fast << " " << general;
    }
    EXPECT_EQ(FromStored(2.5), FromStoredRounded(2.5)); // not whole: the general reading
    EXPECT_THROW(FromStored(MaxStoredMs * 2), EDataSetError);
    EXPECT_THROW(FromStored(std::numeric_limits<double>::infinity()), EDataSetError);
    EXPECT_THROW(FromStored(std::numeric_limits<double>::quiet_NaN()), EDataSetError);
}

TEST_F(DataSetWriter, LongFieldNamesTravelInFieldName)
{
    const QString name = QStringLiteral("A_FIELD_NAME_OF_MORE_THAN_THIRTY_ONE_BYTES");
    TClientDataSet ds;
    ds.FieldDefs().Add(name, ftInteger);
    ds.CreateDataSet();
    ds.Append();
    ds.FieldByName(name).SetAsInteger(5);
    ds.Post();
    auto back = RoundTrip(ds);
    EXPECT_EQ(back->FieldDefs()[0].Name, name);
    EXPECT_EQ(back->FieldByName(name).AsInteger(), 5);
    EXPECT_TRUE(ReadBytes(Path()).contains("FIELDNAME"));
}

TEST_F(DataSetWriter, MetadataOver64KiBHasNoDataOffset)
{
    TClientDataSet ds;
    for (int i = 0; i < 2000; ++i)
        ds.FieldDefs().Add(QStringLiteral("FIELD_NUMBER_%1").arg(i, 12, 10, QLatin1Char('0')), ftString, 300);
    ds.CreateDataSet();
    ds.Append();
    ds.FieldByName(QStringLiteral("FIELD_NUMBER_000000001999")).SetAsString(QStringLiteral("last"));
    ds.Post();
    auto back = RoundTrip(ds);
    const QByteArray bytes = ReadBytes(Path());
    EXPECT_EQ(bytes.mid(18, 6), QByteArray::fromHex("010000000000"));
    EXPECT_EQ(back->FieldByName(QStringLiteral("FIELD_NUMBER_000000001999")).AsString(), QStringLiteral("last"));
}

TEST_F(DataSetWriter, SavingIsAtomicAndLeavesNoTemporaryFiles)
{
    TClientDataSet ds;
    ds.FieldDefs().Add(QStringLiteral("N"), ftInteger);
    ds.CreateDataSet();
    ds.SaveToFile(Path());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("t.cds")});
    EXPECT_THROW(ds.SaveToFile(dir.filePath(QStringLiteral("missing/t.cds"))), EDataSetError);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("t.cds")});
}

TEST_F(DataSetWriter, DefinitionsThatCannotBeStoredAreRefused)
{
    TClientDataSet ds;
    EXPECT_THROW(ds.CreateDataSet(), EDataSetError);
    ds.FieldDefs().Add(QStringLiteral("RowState"), ftInteger);
    EXPECT_THROW(ds.CreateDataSet(), EDataSetError);
    ds.FieldDefs().Clear();
    ds.FieldDefs().Add(QStringLiteral("A"), ftInteger);
    ds.FieldDefs().Add(QStringLiteral("a"), ftInteger);
    EXPECT_THROW(ds.CreateDataSet(), EDataSetError);
}

TEST_F(DataSetWriter, ValuesOutOfTheFieldRangeAreRefused)
{
    TClientDataSet ds;
    ds.FieldDefs().Add(QStringLiteral("SMALL"), ftSmallint);
    ds.FieldDefs().Add(QStringLiteral("N"), ftInteger);
    ds.CreateDataSet();
    ds.Insert();
    EXPECT_THROW(ds.FieldByName(QStringLiteral("SMALL")).SetAsInteger(40000), EDataSetError);
    EXPECT_THROW(ds.FieldByName(QStringLiteral("N")).SetAsString(QStringLiteral("12x")), EDataSetError);
    ds.FieldByName(QStringLiteral("N")).SetAsString(QStringLiteral(" 12 "));
    EXPECT_EQ(ds.FieldByName(QStringLiteral("N")).AsInteger(), 12);
}

} // namespace
