#pragma once
// The client dataset: an in-memory table with a cursor, read from and written to the
// engine's binary data-packet files (.cds; XML packets are read as well).
//  - Structure: FieldDefs().Add(name, type, size) and CreateDataSet, or LoadFromFile.
//  - Files: LoadFromFile/SaveToFile; with a FileName, Open reads the file and Close writes
//    it back only when records were posted, deleted or emptied since it was read. Every
//    save is atomic (a temporary file in the same folder, renamed over the old one).
//  - Cursor: First, Last, Next, Prior, Eof, Bof over the records the cursor sees: all of
//    them, or those the filter accepts when filtering is on; in stored order, or in
//    ascending order of the index fields with equal values in stored order.
//  - Records: Insert puts a new record before the current one (at the end of an empty
//    dataset), Append at the end; Post stores it and it becomes current. Edit, Cancel,
//    Delete (the following record becomes current, or the new last one), EmptyDataSet.
//  - Strings and Text memos are stored in an ANSI code page, 932 unless SetCodePage says
//    otherwise; strings longer than their size are cut without splitting a character.
//  - Every failure raises EDataSetError: damaged files (with the file name and the fault),
//    unknown field names (with the name), filters that do not parse (with the text),
//    operations the dataset's state does not allow.

#include "platform/dataset/DataPacket.h"
#include "platform/dataset/DataSetError.h"
#include "platform/dataset/Field.h"
#include "platform/dataset/FieldDefs.h"
#include "platform/dataset/FilterExpression.h"
#include "platform/dataset/RecordOrder.h"

#include <QString>
#include <memory>
#include <vector>

class TClientDataSet {
public:
    TClientDataSet();
    ~TClientDataSet();
    TClientDataSet(const TClientDataSet&) = delete;
    TClientDataSet& operator=(const TClientDataSet&) = delete;

    TFieldDefs& FieldDefs() { return fieldDefs_; }
    void CreateDataSet();
    void LoadFromFile(const QString& path);
    void SaveToFile(const QString& path = QString()); // the FileName when path is empty

    void SetFileName(const QString& path) { fileName_ = path; }
    QString FileName() const { return fileName_; }
    void Open();
    void Close();
    bool Active() const { return state_ != TState::Inactive; }

    void SetCodePage(int codePage) { codePage_ = codePage; }
    int CodePage() const { return codePage_; }

    void SetIndexFieldNames(const QString& names); // field names separated by ';'
    QString IndexFieldNames() const { return indexFieldNames_; }
    void SetFilter(const QString& text);
    QString Filter() const { return filterText_; }
    void SetFiltered(bool on);
    bool Filtered() const { return filtered_; }

    void Insert();
    void Append();
    void Edit();
    void Post();
    void Cancel();
    void Delete();
    void EmptyDataSet();

    void First();
    void Last();
    void Next();
    void Prior();
    bool Eof() const { return eof_; }
    bool Bof() const { return bof_; }
    int RecordCount() const { return static_cast<int>(view_.size()); }

    TField& FieldByName(const QString& name);

private:
    friend class TField;
    enum class TState { Inactive, Browse, Edit, Insert };

    void Activate(TDataPacket packet);
    void CheckActive() const;
    void CheckBrowseMode();
    // The record fields read: the one being edited or inserted, else the current one; -1
    // for none. Inline, as every field read of every record asks it.
    int ReadRecord() const
    {
        if (state_ == TState::Edit || state_ == TState::Insert)
            return editRecord_;
        if (view_.empty())
            return -1;
        return view_[static_cast<std::size_t>(pos_)];
    }
    int WriteRecord() const;
    void ResolveIndex();
    void CompileFilter();
    void RebuildView(int keepRecord);
    bool ViewIsStoredOrder() const { return index_.empty() && !filter_; }
    std::vector<int> SaveOrder();
    void UpdateAutoIncValue();
    void BeginInsert(bool append);

    TFieldDefs fieldDefs_;
    TDataPacket data_;
    std::vector<std::unique_ptr<TField>> fields_;
    std::vector<int> view_;
    int pos_ = 0;
    bool bof_ = true;
    bool eof_ = true;
    TState state_ = TState::Inactive;
    int editRecord_ = -1;   // the record being inserted, or the copy being edited
    int editTarget_ = -1;   // the record that Post of an edit overwrites
    int insertBefore_ = -1; // the record a new record goes before; -1: at the end
    std::size_t insertViewPos_ = 0;
    bool changed_ = false;
    QString fileName_;
    int codePage_ = 932;
    QString indexFieldNames_;
    std::vector<TSortField> index_;
    QString filterText_;
    bool filtered_ = false;
    std::unique_ptr<TFilterExpression> filter_;
};
