#pragma once
// The records of a dataset: one flat array of 16-byte cells (a number, or the place of a
// byte string in one shared pool), so that loading a large file needs no allocation per
// record or per value. Records are addressed by id; ids of freed records are reused. The
// order of records is kept elsewhere.
//
// Byte strings are never changed in place: a new value is appended to the pool and a copy
// of a value shares its bytes. The pool is compacted when more than half of it is no
// longer used, so a view from Bytes() is valid until the next change of a byte value.

#include "platform/dataset/LargeArray.h"

#include <QByteArrayView>
#include <cstdint>
#include <vector>

class TRecordStore {
public:
    enum State : std::uint8_t { Value = 0, Null = 1, NotChanged = 2 };

    // Starts over with no records, each of that many fields.
    void Reset(int fields);
    void Clear();
    // Room for this many more records and bytes of values.
    void Reserve(std::size_t records, std::size_t bytes);

    int FieldCount() const { return fields_; }
    int NewRecord(); // every field NULL
    // Appends count records with every field NULL, their ids following the highest id so
    // far (freed ids are not reused). Returns the first new id.
    int AppendRecords(std::size_t count);
    void FreeRecord(int id);
    void CopyRecord(int from, int to);
    void CopyField(int from, int to, int f);

    std::uint8_t StateOf(int id, int f) const { return Cell(id, f).state; }
    bool IsNull(int id, int f) const { return Cell(id, f).state != Value; }
    std::int64_t Int(int id, int f) const { return Cell(id, f).i; }
    double Float(int id, int f) const { return Cell(id, f).d; }
    // The bytes of a bytes field (empty for NULL and for number fields).
    QByteArrayView Bytes(int id, int f) const;

    void SetState(int id, int f, State state)
    {
        Cell(id, f).state = state;
        notChanged_ = notChanged_ || state == NotChanged;
    }
    // Whether a cell was marked NotChanged since the last Reset or Clear.
    bool HasNotChanged() const { return notChanged_; }
    void SetNull(int id, int f);
    void SetInt(int id, int f, std::int64_t v)
    {
        TCell& cell = Cell(id, f);
        cell.i = v;
        cell.state = Value;
    }
    void SetFloat(int id, int f, double v)
    {
        TCell& cell = Cell(id, f);
        cell.d = v;
        cell.state = Value;
    }
    void SetBytes(int id, int f, QByteArrayView v);

    class TRecordBuilder;

private:
    struct TCell {
        union {
            std::int64_t i; // integer value, or the offset of the cell's bytes in the pool
            double d;
        };
        std::uint32_t size; // bytes in the pool
        std::uint8_t state;
    };
    static_assert(sizeof(TCell) == 16);

    TCell& Cell(int id, int f) { return cells_[Index(id, f)]; }
    const TCell& Cell(int id, int f) const { return cells_[Index(id, f)]; }
    std::size_t Index(int id, int f) const
    {
        return static_cast<std::size_t>(id) * static_cast<std::size_t>(fields_) + static_cast<std::size_t>(f);
    }
    static TCell NullCell();
    void Release(TCell& cell);
    void Compact();

    int fields_ = 0;
    TLargeArray<TCell> cells_;
    TLargeArray<char> pool_;
    std::size_t used_ = 0; // bytes of the pool that cells refer to
    std::vector<int> free_;
    bool notChanged_ = false;
};

// Adds records at the end of a store one at a time, as a file is read: the fields of the
// next record are set, in any order and each at most once, and Append adds it; a field not
// set is NULL. No record is filled with NULL first and then overwritten.
class TRecordStore::TRecordBuilder {
public:
    explicit TRecordBuilder(TRecordStore& store);

    void SetState(int f, State state)
    {
        row_[static_cast<std::size_t>(f)].state = state;
        store_.notChanged_ = store_.notChanged_ || state == NotChanged;
    }
    void SetInt(int f, std::int64_t v)
    {
        TCell& cell = row_[static_cast<std::size_t>(f)];
        cell.i = v;
        cell.state = Value;
    }
    void SetFloat(int f, double v)
    {
        TCell& cell = row_[static_cast<std::size_t>(f)];
        cell.d = v;
        cell.state = Value;
    }
    // The bytes are copied into the store's pool.
    void SetBytes(int f, QByteArrayView v)
    {
        TCell& cell = row_[static_cast<std::size_t>(f)];
        cell.state = Value;
        const auto size = static_cast<std::size_t>(v.size());
        cell.i = static_cast<std::int64_t>(store_.pool_.Append(v.data(), size));
        cell.size = static_cast<std::uint32_t>(size);
        store_.used_ += size;
    }
    // Adds the record and starts the next one; returns the new record's id.
    int Append();

private:
    TRecordStore& store_;
    std::vector<TCell> row_;
    int next_; // id of the record being built
};
