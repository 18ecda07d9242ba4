#include "platform/dataset/RecordStore.h"

void TRecordStore::Reset(std::vector<bool> bytesFields)
{
    bytes_ = std::move(bytesFields);
    Clear();
}

void TRecordStore::Clear()
{
    cells_.clear();
    strings_.clear();
    free_.clear();
}

void TRecordStore::Reserve(std::size_t records)
{
    cells_.reserve(records * bytes_.size());
}

int TRecordStore::NewRecord()
{
    if (!free_.empty()) {
        const int id = free_.back();
        free_.pop_back();
        return id;
    }
    const int id = static_cast<int>(bytes_.empty() ? 0 : cells_.size() / bytes_.size());
    for (bool isBytes : bytes_) {
        TCell cell;
        cell.i = 0;
        cell.state = Null;
        if (isBytes) {
            cell.i = static_cast<std::int64_t>(strings_.size());
            strings_.emplace_back();
        }
        cells_.push_back(cell);
    }
    return id;
}

void TRecordStore::FreeRecord(int id)
{
    for (int f = 0; f < FieldCount(); ++f)
        SetNull(id, f);
    free_.push_back(id);
}

void TRecordStore::CopyRecord(int from, int to)
{
    for (int f = 0; f < FieldCount(); ++f)
        CopyField(from, to, f);
}

void TRecordStore::CopyField(int from, int to, int f)
{
    if (bytes_[static_cast<std::size_t>(f)]) {
        strings_[static_cast<std::size_t>(Cell(to, f).i)] = Bytes(from, f);
        Cell(to, f).state = Cell(from, f).state;
    } else {
        Cell(to, f) = Cell(from, f);
    }
}

const QByteArray& TRecordStore::Bytes(int id, int f) const
{
    static const QByteArray none;
    if (!bytes_[static_cast<std::size_t>(f)])
        return none;
    return strings_[static_cast<std::size_t>(Cell(id, f).i)];
}

void TRecordStore::SetNull(int id, int f)
{
    TCell& cell = Cell(id, f);
    cell.state = Null;
    if (bytes_[static_cast<std::size_t>(f)])
        strings_[static_cast<std::size_t>(cell.i)] = QByteArray();
    else
        cell.i = 0;
}

void TRecordStore::SetInt(int id, int f, std::int64_t v)
{
    TCell& cell = Cell(id, f);
    cell.i = v;
    cell.state = Value;
}

void TRecordStore::SetFloat(int id, int f, double v)
{
    TCell& cell = Cell(id, f);
    cell.d = v;
    cell.state = Value;
}

void TRecordStore::SetBytes(int id, int f, QByteArray v)
{
    TCell& cell = Cell(id, f);
    strings_[static_cast<std::size_t>(cell.i)] = std::move(v);
    cell.state = Value;
}
