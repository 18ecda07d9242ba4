#pragma once
// The records of a dataset: one flat array of 16-byte cells (a number, or the index of a
// byte string), so that loading a large file needs no allocation per field. Records are
// addressed by id; ids of freed records are reused. The order of records is kept elsewhere.

#include <QByteArray>
#include <cstdint>
#include <vector>

class TRecordStore {
public:
    enum State : std::uint8_t { Value = 0, Null = 1, NotChanged = 2 };

    // Starts over with no records; bytesFields[f] says whether field f holds bytes.
    void Reset(std::vector<bool> bytesFields);
    void Clear();
    void Reserve(std::size_t records);

    int FieldCount() const { return static_cast<int>(bytes_.size()); }
    int NewRecord(); // every field NULL
    void FreeRecord(int id);
    void CopyRecord(int from, int to);
    void CopyField(int from, int to, int f);

    std::uint8_t StateOf(int id, int f) const { return Cell(id, f).state; }
    bool IsNull(int id, int f) const { return Cell(id, f).state != Value; }
    std::int64_t Int(int id, int f) const { return Cell(id, f).i; }
    double Float(int id, int f) const { return Cell(id, f).d; }
    const QByteArray& Bytes(int id, int f) const;

    void SetState(int id, int f, State state) { Cell(id, f).state = state; }
    void SetNull(int id, int f);
    void SetInt(int id, int f, std::int64_t v);
    void SetFloat(int id, int f, double v);
    void SetBytes(int id, int f, QByteArray v);

private:
    struct TCell {
        union {
            std::int64_t i; // integer value, or the index of the cell's byte string
            double d;
        };
        std::uint8_t state;
    };
    static_assert(sizeof(TCell) == 16);

    TCell& Cell(int id, int f) { return cells_[static_cast<std::size_t>(id) * bytes_.size() + static_cast<std::size_t>(f)]; }
    const TCell& Cell(int id, int f) const
    {
        return cells_[static_cast<std::size_t>(id) * bytes_.size() + static_cast<std::size_t>(f)];
    }

    std::vector<bool> bytes_;
    std::vector<TCell> cells_;
    std::vector<QByteArray> strings_;
    std::vector<int> free_;
};
