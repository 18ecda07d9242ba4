// The index order by one number or date-time field (sorted on compact keys, and left as it
// is or reversed when the records are in order already) is the order of the general sort
// of several fields: an index of the same field twice takes that path.
#include "DataSetTestSupport.h"

#include <QRandomGenerator>
#include <cmath>
#include <limits>
#include <optional>

namespace {

using TValues = std::vector<std::optional<double>>; // no value: NULL

struct IndexOrder : testing::Test {
    TClientDataSet ds;

    // A new dataset of one record per value, stored in the order given, numbered from 0
    // in ID.
    void Fill(const TValues& values)
    {
        if (ds.FieldDefs().Count() == 0) {
            ds.FieldDefs().Add(QStringLiteral("ID"), ftInteger);
            ds.FieldDefs().Add(QStringLiteral("WHEN"), ftDateTime);
            ds.FieldDefs().Add(QStringLiteral("COUNT"), ftInteger);
            ds.FieldDefs().Add(QStringLiteral("RATE"), ftFloat);
        }
        ds.SetIndexFieldNames(QString());
        ds.CreateDataSet();
        for (std::size_t i = 0; i < values.size(); ++i) {
            ds.Append();
            ds.FieldByName(QStringLiteral("ID")).SetAsInteger(static_cast<int>(i));
            if (values[i]) {
                const double v = *values[i];
                if (std::isfinite(v)) {
                    ds.FieldByName(QStringLiteral("WHEN")).SetAsDateTime(v);
                    ds.FieldByName(QStringLiteral("COUNT")).SetAsInteger(static_cast<int>(std::floor(v)));
                }
                ds.FieldByName(QStringLiteral("RATE")).SetAsDateTime(v);
            }
            ds.Post();
        }
    }
    std::vector<int> Order(const QString& index)
    {
        ds.SetIndexFieldNames(index);
        std::vector<int> ids;
        for (ds.First(); !ds.Eof(); ds.Next())
            ids.push_back(ds.FieldByName(QStringLiteral("ID")).AsInteger());
        return ids;
    }
    void ExpectSameAsGeneralSort(const TValues& values)
    {
        Fill(values);
        for (const QString& field : {QStringLiteral("WHEN"), QStringLiteral("COUNT"), QStringLiteral("RATE")})
            EXPECT_EQ(Order(field), Order(field + QLatin1Char(';') + field)) << field.toStdString();
    }
};

TValues Random(int count, int distinct, bool nulls, quint32 seed)
{
    QRandomGenerator random(seed);
    TValues values;
    for (int i = 0; i < count; ++i) {
        if (nulls && random.bounded(10) == 0)
            values.emplace_back();
        else
            values.emplace_back(46000.0 + random.bounded(distinct) * 0.25 - distinct / 16.0);
    }
    return values;
}

} // namespace

TEST_F(IndexOrder, AscendingKeysWithTiesAndNullsKeepTheirStoredOrder)
{
    Fill({{1.5}, {}, {1.5}, {2.0}, {}, {3.25}});
    EXPECT_EQ(Order(QStringLiteral("WHEN")), (std::vector<int>{1, 4, 0, 2, 3, 5}));
}

TEST_F(IndexOrder, StrictlyDescendingKeysAreReversed)
{
    Fill({{5.0}, {4.5}, {-1.0}, {}});
    EXPECT_EQ(Order(QStringLiteral("WHEN")), (std::vector<int>{3, 2, 1, 0}));
}

TEST_F(IndexOrder, DescendingKeysWithTiesKeepTheTiesInStoredOrder)
{
    Fill({{5.0}, {4.0}, {4.0}, {1.0}});
    EXPECT_EQ(Order(QStringLiteral("WHEN")), (std::vector<int>{3, 1, 2, 0}));
}

TEST_F(IndexOrder, RandomKeysWithManyTies)
{
    ExpectSameAsGeneralSort(Random(3000, 50, true, 1));
}

TEST_F(IndexOrder, RandomKeysMostlyDistinct)
{
    ExpectSameAsGeneralSort(Random(3000, 1 << 20, false, 2));
}

TEST_F(IndexOrder, InOrderReversedAndNearlySo)
{
    TValues values = Random(500, 1 << 20, true, 3);
    std::sort(values.begin(), values.end());
    ExpectSameAsGeneralSort(values);
    std::reverse(values.begin(), values.end());
    ExpectSameAsGeneralSort(values);
    std::swap(values[10], values[11]);
    ExpectSameAsGeneralSort(values);
}

TEST_F(IndexOrder, NotANumberKeysSortAsTheGeneralSortDoes)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    TValues values = Random(200, 20, true, 4);
    for (std::size_t i = 0; i < values.size(); i += 7)
        values[i] = nan;
    ExpectSameAsGeneralSort(values);
    ExpectSameAsGeneralSort({{2.0}, {nan}, {1.0}});
}
