#include "platform/dataset/RecordOrder.h"

#include "platform/dataset/FieldValue.h"

#include <algorithm>
#include <numeric>

namespace {

// The value of one field of one record, prepared for comparing.
struct TKey {
    bool Null = true;
    std::int64_t Int = 0;
    double Number = 0;
    QString Text;
};

enum class TKeyKind { Int, Number, Text };

TKeyKind KindOf(const TFieldValue& v)
{
    switch (v.Def.Codec) {
    case TValueCodec::SignedInt:
    case TValueCodec::UnsignedInt:
    case TValueCodec::Boolean: return TKeyKind::Int;
    case TValueCodec::AnsiString:
    case TValueCodec::WideString:
    case TValueCodec::FixedBytes:
    case TValueCodec::VarBytes:
    case TValueCodec::Blob: return TKeyKind::Text;
    default: return TKeyKind::Number;
    }
}

int Compare(const TKey& a, const TKey& b, TKeyKind kind, bool caseInsensitive)
{
    if (a.Null || b.Null)
        return a.Null == b.Null ? 0 : (a.Null ? -1 : 1);
    switch (kind) {
    case TKeyKind::Int: return a.Int < b.Int ? -1 : a.Int > b.Int ? 1 : 0;
    case TKeyKind::Number: return a.Number < b.Number ? -1 : a.Number > b.Number ? 1 : 0;
    case TKeyKind::Text:
        return a.Text.compare(b.Text, caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive);
    }
    return 0;
}

// The key of one record in a sort by one number field, next to the record's id, so that
// sorting moves small entries and looks nothing up through the store. The comparison is
// the one of Compare, so the order is the same as the general sort's.
template <class T>
struct TNumberEntry {
    T Value;
    int Id;
    bool Null;
};

template <class T>
int CompareNumber(const TNumberEntry<T>& a, const TNumberEntry<T>& b)
{
    if (a.Null || b.Null)
        return a.Null == b.Null ? 0 : (a.Null ? -1 : 1);
    return a.Value < b.Value ? -1 : a.Value > b.Value ? 1 : 0;
}

template <class T>
bool IsNaN(T value)
{
    return value != value;
}

// Keys in order already, or each one strictly before the one before it (a file written
// newest first), need no sort: with no NaN among them the comparison is a strict weak
// order, so the stable order is the one order there is.
template <class T, class Before>
bool OrderWithoutSort(std::vector<int>& ids, const std::vector<TNumberEntry<T>>& entries, Before before)
{
    const auto inOrder = [&](std::size_t i) { return !before(entries[i], entries[i - 1]); };
    const auto reversed = [&](std::size_t i) { return before(entries[i], entries[i - 1]); };
    std::size_t i = 1;
    while (i < entries.size() && inOrder(i))
        ++i;
    if (i == entries.size())
        return true;
    if (i > 1)
        return false;
    while (i < entries.size() && reversed(i))
        ++i;
    if (i < entries.size())
        return false;
    std::reverse(ids.begin(), ids.end());
    return true;
}

template <class T, class Read>
void SortByNumber(std::vector<int>& ids, TRecordStore& store, const TFieldDef& def, int field, int codePage,
                  bool descending, Read read)
{
    std::vector<TNumberEntry<T>> entries(ids.size());
    bool nan = false;
    for (std::size_t i = 0; i < ids.size(); ++i) {
        const TFieldValue v{store, def, ids[i], field, codePage};
        TNumberEntry<T>& entry = entries[i];
        entry.Id = ids[i];
        entry.Null = v.IsNull();
        entry.Value = entry.Null ? T{} : read(v);
        nan = nan || IsNaN(entry.Value);
    }
    const auto before = [descending](const TNumberEntry<T>& a, const TNumberEntry<T>& b) {
        const int c = CompareNumber(a, b);
        return descending ? c > 0 : c < 0;
    };
    if (!nan && OrderWithoutSort(ids, entries, before))
        return;
    std::stable_sort(entries.begin(), entries.end(), before);
    for (std::size_t i = 0; i < entries.size(); ++i)
        ids[i] = entries[i].Id;
}

// Sorts by a single Int or Number key; false for a text key, left to the general sort.
bool SortBySingleNumber(std::vector<int>& ids, TRecordStore& store, const TFieldDefs& defs,
                        const TSortField& key, int codePage)
{
    const TFieldDef& def = defs[key.Field];
    const TFieldValue probe{store, def, ids.front(), key.Field, codePage};
    switch (KindOf(probe)) {
    case TKeyKind::Int:
        SortByNumber<std::int64_t>(ids, store, def, key.Field, codePage, key.Descending,
                                   [](const TFieldValue& v) { return v.AsLargeInt(); });
        return true;
    case TKeyKind::Number:
        SortByNumber<double>(ids, store, def, key.Field, codePage, key.Descending,
                             [](const TFieldValue& v) { return v.AsNumber(); });
        return true;
    case TKeyKind::Text: return false;
    }
    return false;
}

} // namespace

void StableSortRecords(std::vector<int>& ids, TRecordStore& store, const TFieldDefs& defs,
                       const std::vector<TSortField>& keys, int codePage)
{
    if (keys.empty() || ids.size() < 2)
        return;
    if (keys.size() == 1 && SortBySingleNumber(ids, store, defs, keys.front(), codePage))
        return;
    std::vector<std::vector<TKey>> columns(keys.size());
    std::vector<TKeyKind> kinds(keys.size());
    for (std::size_t k = 0; k < keys.size(); ++k) {
        const int f = keys[k].Field;
        std::vector<TKey>& column = columns[k];
        column.resize(ids.size());
        for (std::size_t i = 0; i < ids.size(); ++i) {
            const TFieldValue v{store, defs[f], ids[i], f, codePage};
            kinds[k] = KindOf(v);
            TKey& key = column[i];
            key.Null = v.IsNull();
            if (key.Null)
                continue;
            switch (kinds[k]) {
            case TKeyKind::Int: key.Int = v.AsLargeInt(); break;
            case TKeyKind::Number: key.Number = v.AsNumber(); break;
            case TKeyKind::Text: key.Text = v.AsText(); break;
            }
        }
    }
    std::vector<std::size_t> positions(ids.size());
    std::iota(positions.begin(), positions.end(), 0);
    std::stable_sort(positions.begin(), positions.end(), [&](std::size_t a, std::size_t b) {
        for (std::size_t k = 0; k < keys.size(); ++k) {
            int c = Compare(columns[k][a], columns[k][b], kinds[k], keys[k].CaseInsensitive);
            if (keys[k].Descending)
                c = -c;
            if (c != 0)
                return c < 0;
        }
        return false;
    });
    std::vector<int> sorted(ids.size());
    for (std::size_t i = 0; i < positions.size(); ++i)
        sorted[i] = ids[positions[i]];
    ids.swap(sorted);
}

std::vector<TSortField> DefaultOrderFields(const std::vector<std::uint32_t>& entries, int fieldCount)
{
    std::vector<TSortField> fields;
    for (std::uint32_t e : entries) {
        const int number = static_cast<int>(e & 0x3FFF);
        if (number >= 1 && number <= fieldCount)
            fields.push_back({number - 1, (e & 0x8000) != 0, (e & 0x4000) != 0});
    }
    return fields;
}
