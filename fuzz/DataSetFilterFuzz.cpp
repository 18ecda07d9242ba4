// Fuzz target of dataset filters: the input is a filter text (UTF-8), applied to a small
// dataset with the field types the stores use and a record of NULLs. A text either
// filters (every record it lets through is counted once) or raises EDataSetError.
#include "platform/dataset/ClientDataSet.h"
#include "platform/dataset/DataSetError.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

std::unique_ptr<TClientDataSet> MakeDataSet()
{
    auto ds = std::make_unique<TClientDataSet>();
    ds->FieldDefs().Add(QStringLiteral("NO"), ftInteger);
    ds->FieldDefs().Add(QStringLiteral("COUNT"), ftInteger);
    ds->FieldDefs().Add(QStringLiteral("SUBCATEGORY"), ftString, 255);
    ds->FieldDefs().Add(QStringLiteral("TESTDATE"), ftDateTime);
    ds->FieldDefs().Add(QStringLiteral("AVERAGE"), ftDateTime);
    ds->FieldDefs().Add(QStringLiteral("CLEAR"), ftBoolean);
    ds->CreateDataSet();
    const struct {
        int No, Count;
        const char* Sub;
        double When, Average;
    } rows[] = {{1, 5, "全ての問題", 40000.5, 1.25}, {3, 10, "Tom's", 2958465.5, -650000}, {12, 5, "12", -657434, 0}};
    for (const auto& r : rows) {
        ds->Append();
        ds->FieldByName(QStringLiteral("NO")).SetAsInteger(r.No);
        ds->FieldByName(QStringLiteral("COUNT")).SetAsInteger(r.Count);
        ds->FieldByName(QStringLiteral("SUBCATEGORY")).SetAsString(QString::fromUtf8(r.Sub));
        ds->FieldByName(QStringLiteral("TESTDATE")).SetAsDateTime(r.When);
        ds->FieldByName(QStringLiteral("AVERAGE")).SetAsDateTime(r.Average);
        ds->FieldByName(QStringLiteral("CLEAR")).SetAsBoolean(r.Count == 5);
        ds->Post();
    }
    ds->Append(); // a record of NULLs
    ds->Post();
    return ds;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::unique_ptr<TClientDataSet> ds = MakeDataSet();
    ds->SetFiltered(false);
    try {
        ds->SetFilter(QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
        ds->SetFiltered(true);
    } catch (const EDataSetError&) {
        return 0;
    }
    int seen = 0;
    for (ds->First(); !ds->Eof(); ds->Next())
        ++seen;
    if (seen != ds->RecordCount() || seen > 4)
        std::abort();
    return 0;
}
