#pragma once
// The item model behind a TListView: rows and columns as the view holds them, texts,
// alignment, check marks and row colours asked from the view row by row.

#include <QAbstractTableModel>

class TListView;

class ListViewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ListViewModel(TListView& view);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void Reset(int newRows);
    void InsertColumn(int index);
    void RemoveColumns(int count);
    void HeaderChanged(int index);
    // Every cell of the row is to be drawn again (its tick or its colour changed).
    void RowChanged(int row);

    int rows = 0;
    int columns = 0;
    bool userCheckable = false;
    bool draggable = false;

private:
    TListView& view_;
};
