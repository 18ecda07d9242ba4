// Filters of the forms the stores write, and their natural closure.
#include "DataSetTestSupport.h"

namespace {

struct DataSetFilter : testing::Test {
    TClientDataSet ds;

    void SetUp() override
    {
        ds.FieldDefs().Add(QStringLiteral("COUNT"), ftInteger);
        ds.FieldDefs().Add(QStringLiteral("NO"), ftInteger);
        ds.FieldDefs().Add(QStringLiteral("SUBCATEGORY"), ftString, 255);
        ds.FieldDefs().Add(QStringLiteral("WHEN"), ftDateTime);
        ds.CreateDataSet();
        const struct { int count, no; const char* sub; } rows[] = {
            {5, 1, "全ての問題"}, {5, 2, "全ての問題"}, {5, 3, "Tom's"}, {10, 3, "Tom's"},
            {10, 12, "abc"}, {5, 3, "全ての問題"}, {5, 12, "ABC"}};
        for (const auto& r : rows) {
            ds.Append();
            ds.FieldByName(QStringLiteral("COUNT")).SetAsInteger(r.count);
            ds.FieldByName(QStringLiteral("NO")).SetAsInteger(r.no);
            ds.FieldByName(QStringLiteral("SUBCATEGORY")).SetAsString(QString::fromUtf8(r.sub));
            ds.FieldByName(QStringLiteral("WHEN")).SetAsDateTime(r.no);
            ds.Post();
        }
        ds.Append(); // a record of NULLs
        ds.Post();
    }

    // NO of every record the filter lets through, in order.
    QList<int> Seen(const QString& filter)
    {
        ds.SetFiltered(false);
        ds.SetFilter(filter);
        ds.SetFiltered(true);
        QList<int> seen;
        for (ds.First(); !ds.Eof(); ds.Next())
            seen << ds.FieldByName(QStringLiteral("NO")).AsInteger();
        EXPECT_EQ(ds.RecordCount(), seen.size());
        return seen;
    }
};

TEST_F(DataSetFilter, QuestionNumberTerms)
{
    EXPECT_EQ(Seen(QStringLiteral("(NO=3) or (NO=12)")), (QList<int>{3, 3, 12, 3, 12}));
    EXPECT_EQ(Seen(QStringLiteral("(NO=7)")), QList<int>{});
    EXPECT_EQ(Seen(QStringLiteral("TYPE = 1").replace(QStringLiteral("TYPE"), QStringLiteral("COUNT"))),
              QList<int>{});
    EXPECT_EQ(Seen(QStringLiteral("NO = 1")), QList<int>{1});
}

TEST_F(DataSetFilter, UnitHistoryTermsWithASubsetName)
{
    EXPECT_EQ(Seen(QStringLiteral("(COUNT=5) and (NO=3) and (SUBCATEGORY='全ての問題')")), QList<int>{3});
    EXPECT_EQ(Seen(QStringLiteral("(COUNT=5) and (NO=3) and (SUBCATEGORY='Tom''s')")), QList<int>{3});
    EXPECT_EQ(Seen(QStringLiteral("(COUNT=10) AND (NO=3) AND (SUBCATEGORY='Tom''s')")), QList<int>{3});
    EXPECT_EQ(Seen(QStringLiteral("SUBCATEGORY='abc'")), QList<int>{12}); // case-sensitive
}

TEST_F(DataSetFilter, AnUnescapedApostropheRaisesQuotingTheFilter)
{
    const QString filter = QStringLiteral("(COUNT=5) and (NO=3) and (SUBCATEGORY='Tom's')");
    ds.SetFilter(filter);
    try {
        ds.SetFiltered(true);
        FAIL();
    } catch (const EDataSetError& e) {
        EXPECT_TRUE(e.Message().contains(filter)) << e.what();
    }
    EXPECT_FALSE(ds.Filtered());
    EXPECT_EQ(ds.RecordCount(), 8); // the dataset stays usable, unfiltered
}

TEST_F(DataSetFilter, OperatorsNotAndParentheses)
{
    EXPECT_EQ(Seen(QStringLiteral("NO < 3")), (QList<int>{1, 2}));
    EXPECT_EQ(Seen(QStringLiteral("NO <= 2")), (QList<int>{1, 2}));
    EXPECT_EQ(Seen(QStringLiteral("NO>3")), (QList<int>{12, 12}));
    EXPECT_EQ(Seen(QStringLiteral("NO >= 12 and COUNT <> 10")), QList<int>{12});
    EXPECT_EQ(Seen(QStringLiteral("not (NO=3) and COUNT=5")), (QList<int>{1, 2, 12}));
    EXPECT_EQ(Seen(QStringLiteral("NOT ((NO=3) OR (NO=12)) Or NO=-1")), (QList<int>{1, 2, 0})); // NULL NO
    EXPECT_EQ(Seen(QStringLiteral("COUNT=10 or NO=1 and COUNT=5")), (QList<int>{1, 3, 12})); // and binds tighter
    EXPECT_EQ(Seen(QStringLiteral("NO = '12'")), (QList<int>{12, 12}));
    EXPECT_EQ(Seen(QStringLiteral("WHEN > 2.5 and WHEN < 4")), (QList<int>{3, 3, 3}));
    EXPECT_EQ(Seen(QStringLiteral("SUBCATEGORY > 'a'")), (QList<int>{1, 2, 12, 3})); // code-point order
}

TEST_F(DataSetFilter, TextFieldsComparedWithNumbersReadTheirTextAsNumbers)
{
    TClientDataSet text;
    text.FieldDefs().Add(QStringLiteral("TYPE"), ftString, 5);
    text.CreateDataSet();
    for (const char* t : {"1", " 1", "2", "x", "", "01"}) {
        text.Append();
        text.FieldByName(QStringLiteral("TYPE")).SetAsString(QString::fromLatin1(t));
        text.Post();
    }
    text.SetFilter(QStringLiteral("TYPE = 1"));
    text.SetFiltered(true);
    EXPECT_EQ(text.RecordCount(), 3);
    text.First();
    EXPECT_EQ(text.FieldByName(QStringLiteral("TYPE")).AsInteger(), 1);
    text.SetFiltered(false);
    text.Last();
    text.Prior();
    EXPECT_EQ(text.FieldByName(QStringLiteral("TYPE")).AsInteger(), 0); // empty text reads as 0
}

TEST_F(DataSetFilter, FilteringOffAndEmptyTextShowEverything)
{
    EXPECT_EQ(Seen(QStringLiteral("NO=1")).size(), 1);
    ds.SetFilter(QString());
    EXPECT_EQ(ds.RecordCount(), 8);
    ds.SetFilter(QStringLiteral("NO=1"));
    EXPECT_EQ(ds.RecordCount(), 1);
    ds.SetFiltered(false);
    EXPECT_EQ(ds.RecordCount(), 8);
}

TEST_F(DataSetFilter, DeletingUntilTheEndRemovesOnlyTheFilteredRecords)
{
    Seen(QStringLiteral("(NO=3) or (NO=12)"));
    ds.First();
    while (!ds.Eof())
        ds.Delete();
    ds.SetFilter(QString());
    ds.SetFiltered(false);
    QList<int> left;
    for (ds.First(); !ds.Eof(); ds.Next())
        left << ds.FieldByName(QStringLiteral("NO")).AsInteger();
    EXPECT_EQ(left, (QList<int>{1, 2, 0}));
}

TEST_F(DataSetFilter, FiltersThatDoNotParse)
{
    for (const char* bad : {"NO=", "(NO=3", "NO=3)", "NO 3", "NO=3 or", "NO=3 and and NO=4", "MISSING=1",
                            "NO='x'", "'abc", "NO=3 # 4", "not", "()"}) {
        ds.SetFiltered(false);
        ds.SetFilter(QString::fromLatin1(bad));
        try {
            ds.SetFiltered(true);
            ADD_FAILURE() << bad;
        } catch (const EDataSetError& e) {
            EXPECT_TRUE(e.Message().contains(QString::fromLatin1(bad))) << e.what();
        }
    }
    ds.SetFiltered(false);
    ds.SetFilter(QString(500, QLatin1Char('(')) + QStringLiteral("NO=1") + QString(500, QLatin1Char(')')));
    EXPECT_THROW(ds.SetFiltered(true), EDataSetError); // nested too deeply, not a stack overflow
}

TEST_F(DataSetFilter, LongOrChainsOfManyNumbers)
{
    QStringList terms;
    for (int n = 0; n < 20000; ++n)
        terms << QStringLiteral("(NO=%1)").arg(n);
    EXPECT_EQ(Seen(terms.join(QStringLiteral(" or "))).size(), 7);
}

} // namespace
