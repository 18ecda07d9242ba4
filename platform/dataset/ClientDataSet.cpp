#include "platform/dataset/ClientDataSet.h"

#include "platform/dataset/FieldMapping.h"
#include "platform/dataset/FieldValue.h"
#include "platform/dataset/FileBytes.h"
#include "platform/dataset/PacketReader.h"
#include "platform/dataset/PacketWriter.h"
#include "platform/files/AtomicFile.h"

#include <QFileInfo>
#include <algorithm>

namespace {

void EraseValue(std::vector<int>& ids, int id)
{
    const auto it = std::find(ids.begin(), ids.end(), id);
    if (it != ids.end())
        ids.erase(it);
}

} // namespace

TClientDataSet::TClientDataSet() = default;
TClientDataSet::~TClientDataSet() = default;

// ---- structure and files ----

void TClientDataSet::CreateDataSet()
{
    if (fieldDefs_.Count() == 0)
        throw EDataSetError(QStringLiteral("Cannot create a dataset without field definitions"));
    TDataPacket packet;
    bool autoInc = false;
    for (int i = 0; i < fieldDefs_.Count(); ++i) {
        TFieldDef def = fieldDefs_[i];
        FieldMapping::DescribeForPacket(def, codePage_);
        if (packet.Fields.IndexOf(def.Name) >= 0)
            throw EDataSetError(QStringLiteral("Duplicate field name '%1'").arg(def.Name));
        autoInc = autoInc || def.DataType == ftAutoInc;
        packet.Fields.Append(std::move(def));
    }
    if (autoInc)
        packet.Params.append(TPacketParam::Int32("AUTOINCVALUE", 1));
    packet.Records.Reset(packet.Fields.Count());
    Activate(std::move(packet));
}

void TClientDataSet::LoadFromFile(const QString& path)
{
    const TFileBytes file(path);
    Activate(TPacketReader(file.Bytes(), path, codePage_).Read());
}

void TClientDataSet::Activate(TDataPacket packet)
{
    filter_.reset();
    index_.clear();
    fields_.clear();
    view_.clear();
    pos_ = 0;
    state_ = TState::Inactive;
    data_ = std::move(packet);
    fieldDefs_ = data_.Fields;
    for (int i = 0; i < data_.Fields.Count(); ++i)
        fields_.push_back(std::make_unique<TField>(*this, i));
    state_ = TState::Browse;
    changed_ = false;
    editRecord_ = editTarget_ = -1;
    try {
        ResolveIndex();
        if (filtered_)
            CompileFilter();
    } catch (...) {
        // The records stay loaded, in stored order and unfiltered.
        index_.clear();
        filter_.reset();
        RebuildView(-1);
        First();
        throw;
    }
    RebuildView(-1);
    First();
}

void TClientDataSet::SaveToFile(const QString& path)
{
    CheckActive();
    CheckBrowseMode();
    const QString target = path.isEmpty() ? fileName_ : path;
    if (target.isEmpty())
        throw EDataSetError(QStringLiteral("No file name to save the dataset to"));
    UpdateAutoIncValue();
    const std::vector<int> order = SaveOrder();
    const QByteArray bytes = TPacketWriter(data_, order, codePage_).Write();
    QString error;
    if (!SaveFileAtomically(target, bytes, &error))
        throw EDataSetError(QStringLiteral("Cannot write file %1: %2").arg(target, error));
}

// The stored order, sorted by the packet's DEFAULT_ORDER when it has one.
std::vector<int> TClientDataSet::SaveOrder()
{
    std::vector<int> order = data_.Order;
    if (const TPacketParam* defaultOrder = FindParam(data_.Params, "DEFAULT_ORDER"))
        StableSortRecords(order, data_.Records, data_.Fields,
                          DefaultOrderFields(defaultOrder->AsArray(), data_.Fields.Count()), codePage_);
    return order;
}

// Keeps AUTOINCVALUE above every value of the autoinc field, so that the engine never
// hands out a number that is taken.
void TClientDataSet::UpdateAutoIncValue()
{
    for (TPacketParam& param : data_.Params) {
        if (!param.Is("AUTOINCVALUE"))
            continue;
        std::int64_t next = param.AsInteger(1);
        for (int f = 0; f < data_.Fields.Count(); ++f) {
            if (data_.Fields[f].DataType != ftAutoInc)
                continue;
            for (int id : data_.Order)
                if (!data_.Records.IsNull(id, f))
                    next = std::max(next, data_.Records.Int(id, f) + 1);
        }
        if (next != param.AsInteger(1) && next <= 0x7FFFFFFF)
            param = TPacketParam::Int32(param.Name.constData(), static_cast<std::int32_t>(next));
    }
}

void TClientDataSet::Open()
{
    if (Active())
        return;
    if (fileName_.isEmpty())
        throw EDataSetError(QStringLiteral("Missing data provider or data packet"));
    if (QFileInfo::exists(fileName_) || fieldDefs_.Count() == 0)
        LoadFromFile(fileName_);
    else
        CreateDataSet();
}

void TClientDataSet::Close()
{
    if (!Active())
        return;
    Cancel();
    if (!fileName_.isEmpty() && changed_)
        SaveToFile(fileName_);
    filter_.reset();
    fields_.clear();
    data_ = TDataPacket();
    view_.clear();
    pos_ = 0;
    bof_ = eof_ = true;
    changed_ = false;
    state_ = TState::Inactive;
}

// ---- state ----

void TClientDataSet::CheckActive() const
{
    if (!Active())
        throw EDataSetError(QStringLiteral("Cannot perform this operation on a closed dataset"));
}

void TClientDataSet::CheckBrowseMode()
{
    if (state_ == TState::Edit || state_ == TState::Insert)
        Post();
}

int TClientDataSet::WriteRecord() const
{
    if (state_ != TState::Edit && state_ != TState::Insert)
        throw EDataSetError(QStringLiteral("Dataset not in edit or insert mode"));
    return editRecord_;
}

TField& TClientDataSet::FieldByName(const QString& name)
{
    const int index = Active() ? data_.Fields.IndexOf(name) : -1;
    if (index < 0)
        throw EDataSetError(QStringLiteral("Field '%1' not found").arg(name));
    return *fields_[static_cast<std::size_t>(index)];
}

// ---- index, filter and the view ----

void TClientDataSet::SetIndexFieldNames(const QString& names)
{
    CheckBrowseMode();
    const QString old = indexFieldNames_;
    indexFieldNames_ = names;
    if (!Active())
        return;
    try {
        ResolveIndex();
    } catch (...) {
        indexFieldNames_ = old;
        ResolveIndex();
        throw;
    }
    RebuildView(-1);
    First();
}

void TClientDataSet::ResolveIndex()
{
    std::vector<TSortField> index;
    for (const QString& part : indexFieldNames_.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString name = part.trimmed();
        const int f = data_.Fields.IndexOf(name);
        if (f < 0)
            throw EDataSetError(QStringLiteral("Field '%1' not found").arg(name));
        index.push_back({f, false, false});
    }
    index_ = std::move(index);
}

void TClientDataSet::SetFilter(const QString& text)
{
    CheckBrowseMode();
    filterText_ = text;
    if (!Active() || !filtered_)
        return;
    try {
        CompileFilter();
    } catch (...) {
        filter_.reset();
        RebuildView(-1);
        First();
        throw;
    }
    RebuildView(-1);
    First();
}

void TClientDataSet::SetFiltered(bool on)
{
    CheckBrowseMode();
    if (!Active()) {
        filtered_ = on;
        return;
    }
    if (on)
        CompileFilter(); // raises before anything changes
    else
        filter_.reset();
    filtered_ = on;
    RebuildView(-1);
    First();
}

void TClientDataSet::CompileFilter()
{
    filter_.reset();
    if (!filterText_.trimmed().isEmpty())
        filter_ = std::make_unique<TFilterExpression>(filterText_, data_.Fields, codePage_);
}

// Recomputes what the cursor sees; the cursor stays on keepRecord when it is still seen.
void TClientDataSet::RebuildView(int keepRecord)
{
    view_.clear();
    view_.reserve(data_.Order.size());
    for (int id : data_.Order)
        if (!filter_ || filter_->Matches(data_.Records, id))
            view_.push_back(id);
    if (!index_.empty())
        StableSortRecords(view_, data_.Records, data_.Fields, index_, codePage_);
    const auto it = std::find(view_.begin(), view_.end(), keepRecord);
    if (it != view_.end())
        pos_ = static_cast<int>(it - view_.begin());
    else
        pos_ = std::clamp(pos_, 0, std::max(0, RecordCount() - 1));
    bof_ = eof_ = view_.empty();
}

// ---- navigation ----

void TClientDataSet::First()
{
    CheckActive();
    CheckBrowseMode();
    pos_ = 0;
    bof_ = true;
    eof_ = view_.empty();
}

void TClientDataSet::Last()
{
    CheckActive();
    CheckBrowseMode();
    pos_ = std::max(0, RecordCount() - 1);
    eof_ = true;
    bof_ = view_.empty();
}

void TClientDataSet::Next()
{
    CheckActive();
    CheckBrowseMode();
    if (pos_ + 1 < RecordCount()) {
        ++pos_;
        bof_ = eof_ = false;
    } else {
        eof_ = true;
        bof_ = view_.empty();
    }
}

void TClientDataSet::Prior()
{
    CheckActive();
    CheckBrowseMode();
    if (pos_ > 0) {
        --pos_;
        bof_ = eof_ = false;
    } else {
        bof_ = true;
        eof_ = view_.empty();
    }
}

// ---- changing records ----

void TClientDataSet::Insert() { BeginInsert(false); }
void TClientDataSet::Append() { BeginInsert(true); }

void TClientDataSet::BeginInsert(bool append)
{
    CheckActive();
    CheckBrowseMode();
    if (append || view_.empty()) {
        insertBefore_ = -1;
        insertViewPos_ = view_.size();
    } else {
        insertBefore_ = view_[static_cast<std::size_t>(pos_)];
        insertViewPos_ = static_cast<std::size_t>(pos_);
    }
    editRecord_ = data_.Records.NewRecord();
    state_ = TState::Insert;
    bof_ = eof_ = false;
}

void TClientDataSet::Edit()
{
    CheckActive();
    if (state_ == TState::Edit || state_ == TState::Insert)
        return;
    if (view_.empty()) {
        Insert();
        return;
    }
    editTarget_ = view_[static_cast<std::size_t>(pos_)];
    editRecord_ = data_.Records.NewRecord();
    data_.Records.CopyRecord(editTarget_, editRecord_);
    state_ = TState::Edit;
}

void TClientDataSet::Post()
{
    if (state_ == TState::Insert) {
        const int id = editRecord_;
        state_ = TState::Browse;
        editRecord_ = -1;
        auto& order = data_.Order;
        const auto at = insertBefore_ < 0 ? order.end() : std::find(order.begin(), order.end(), insertBefore_);
        order.insert(at, id);
        changed_ = true;
        if (ViewIsStoredOrder()) {
            view_.insert(view_.begin() + static_cast<std::ptrdiff_t>(std::min(insertViewPos_, view_.size())), id);
            pos_ = static_cast<int>(std::min(insertViewPos_, view_.size() - 1));
            bof_ = eof_ = false;
        } else {
            RebuildView(id);
        }
    } else if (state_ == TState::Edit) {
        state_ = TState::Browse;
        data_.Records.CopyRecord(editRecord_, editTarget_);
        data_.Records.FreeRecord(editRecord_);
        editRecord_ = -1;
        changed_ = true;
        if (!ViewIsStoredOrder())
            RebuildView(editTarget_);
    }
}

void TClientDataSet::Cancel()
{
    if (state_ == TState::Edit || state_ == TState::Insert) {
        data_.Records.FreeRecord(editRecord_);
        editRecord_ = -1;
        state_ = TState::Browse;
        bof_ = eof_ = view_.empty();
    }
}

void TClientDataSet::Delete()
{
    CheckActive();
    if (state_ == TState::Insert) {
        Cancel();
        return;
    }
    Cancel();
    if (view_.empty())
        throw EDataSetError(QStringLiteral("Cannot perform this operation on an empty dataset"));
    const int id = view_[static_cast<std::size_t>(pos_)];
    view_.erase(view_.begin() + pos_);
    EraseValue(data_.Order, id);
    data_.Records.FreeRecord(id);
    changed_ = true;
    pos_ = std::clamp(pos_, 0, std::max(0, RecordCount() - 1));
    bof_ = eof_ = view_.empty();
}

void TClientDataSet::EmptyDataSet()
{
    CheckActive();
    Cancel();
    for (int id : data_.Order)
        data_.Records.FreeRecord(id);
    data_.Order.clear();
    view_.clear();
    pos_ = 0;
    bof_ = eof_ = true;
    changed_ = true;
}
