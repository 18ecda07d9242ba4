#include "platform/dataset/RecordStore.h"

#include <algorithm>

namespace {

// Below this many unused bytes the pool is never compacted.
constexpr std::size_t SlackBytes = 64 * 1024;

} // namespace

void TRecordStore::Reset(int fields)
{
    fields_ = fields;
    Clear();
}

void TRecordStore::Clear()
{
    cells_.Clear();
    pool_.Clear();
    used_ = 0;
    free_.clear();
    notChanged_ = false;
}

int TRecordStore::NewRecord()
{
    if (!free_.empty()) {
        const int id = free_.back();
        free_.pop_back();
        return id;
    }
    return AppendRecords(1);
}

int TRecordStore::AppendRecords(std::size_t count)
{
    const int id = fields_ == 0 ? 0 : static_cast<int>(cells_.Size() / static_cast<std::size_t>(fields_));
    cells_.AppendCopies(count * static_cast<std::size_t>(fields_), NullCell());
    return id;
}

void TRecordStore::Reserve(std::size_t records, std::size_t bytes)
{
    cells_.Reserve(cells_.Size() + records * static_cast<std::size_t>(fields_));
    pool_.Reserve(pool_.Size() + bytes);
}

TRecordStore::TRecordBuilder::TRecordBuilder(TRecordStore& store)
    : store_(store),
      row_(static_cast<std::size_t>(store.fields_), NullCell()),
      next_(store.fields_ == 0 ? 0 : static_cast<int>(store.cells_.Size() / static_cast<std::size_t>(store.fields_))) {}

int TRecordStore::TRecordBuilder::Append()
{
    store_.cells_.Append(row_.data(), row_.size());
    std::fill(row_.begin(), row_.end(), NullCell());
    return next_++;
}

TRecordStore::TCell TRecordStore::NullCell()
{
    TCell null;
    null.i = 0;
    null.size = 0;
    null.state = Null;
    return null;
}

void TRecordStore::FreeRecord(int id)
{
    for (int f = 0; f < fields_; ++f)
        SetNull(id, f);
    free_.push_back(id);
}

void TRecordStore::CopyRecord(int from, int to)
{
    for (int f = 0; f < fields_; ++f)
        CopyField(from, to, f);
}

void TRecordStore::CopyField(int from, int to, int f)
{
    if (from == to)
        return;
    TCell& target = Cell(to, f);
    Release(target);
    target = Cell(from, f);
    used_ += target.size;
}

QByteArrayView TRecordStore::Bytes(int id, int f) const
{
    const TCell& cell = Cell(id, f);
    if (cell.size == 0)
        return {};
    return QByteArrayView(pool_.Data() + cell.i, static_cast<qsizetype>(cell.size));
}

void TRecordStore::SetNull(int id, int f)
{
    TCell& cell = Cell(id, f);
    Release(cell);
    cell.i = 0;
    cell.state = Null;
}

void TRecordStore::SetBytes(int id, int f, QByteArrayView v)
{
    TCell& cell = Cell(id, f);
    Release(cell);
    cell.state = Value;
    cell.i = 0;
    if (v.isEmpty())
        return;
    const auto size = static_cast<std::size_t>(v.size());
    const char* begin = pool_.Data();
    if (v.data() >= begin && v.data() < begin + pool_.Size())
        cell.i = v.data() - begin; // bytes of this pool: shared, as a copy would be
    else
        cell.i = static_cast<std::int64_t>(pool_.Append(v.data(), size));
    cell.size = static_cast<std::uint32_t>(size);
    used_ += size;
    // More than half of the pool unused: a dataset edited for a long time does not grow
    // without bound.
    if (pool_.Size() - used_ > std::max(used_, SlackBytes))
        Compact();
}

// The cell's bytes are no longer used by it.
void TRecordStore::Release(TCell& cell)
{
    if (cell.size == 0)
        return;
    used_ -= cell.size;
    cell.size = 0;
}

// Copies every used value into a new pool.
void TRecordStore::Compact()
{
    TLargeArray<char> pool;
    pool.Reserve(used_);
    for (TCell& cell : cells_) {
        if (cell.size != 0)
            cell.i = static_cast<std::int64_t>(pool.Append(pool_.Data() + cell.i, cell.size));
    }
    pool_.Swap(pool);
}
