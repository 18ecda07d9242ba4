#include "platform/vcl/ListViewModel.h"

#include "platform/vcl/ListView.h"

namespace {

Qt::Alignment ToQt(TAlignment alignment)
{
    switch (alignment) {
    case TAlignment::taRightJustify:
        return Qt::AlignRight | Qt::AlignVCenter;
    case TAlignment::taCenter:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case TAlignment::taLeftJustify:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

} // namespace

ListViewModel::ListViewModel(TListView& view) : QAbstractTableModel(&view), view_(view) {}

int ListViewModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows;
}

int ListViewModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns;
}

QVariant ListViewModel::data(const QModelIndex& index, int role) const
{
    const int column = index.column();
    if (!index.isValid() || index.row() >= rows || column >= view_.ColumnCount())
        return {};
    switch (role) {
    case Qt::DisplayRole: {
        const TListItem& item = view_.RowForView(index.row());
        if (column == 0)
            return item.Caption;
        return column - 1 < item.SubItems.size() ? item.SubItems[column - 1] : QString();
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(ToQt(view_.Column(column).Alignment()));
    case Qt::CheckStateRole:
        if (column != 0 || !view_.Checkboxes() || !view_.StateImages().isEmpty())
            return {};
        return view_.RowForView(index.row()).Checked ? Qt::Checked : Qt::Unchecked;
    case Qt::DecorationRole: {
        if (column != 0 || !view_.Checkboxes())
            return {};
        const int state = view_.RowForView(index.row()).StateIndex;
        if (state < 0 || state >= view_.StateImages().size())
            return {};
        return view_.StateImages()[state];
    }
    case Qt::BackgroundRole: {
        if (!view_.OnCustomDrawItem)
            return {};
        const TColor color = view_.RowBackground(index.row());
        if (color == view_.Color())
            return {};
        return ToQColor(color);
    }
    default:
        return {};
    }
}

bool ListViewModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || !userCheckable || !index.isValid())
        return false;
    auto& item = const_cast<TListItem&>(view_.Item(index.row()));
    item.Checked = value.toInt() == Qt::Checked;
    RowChanged(index.row());
    return true;
}

Qt::ItemFlags ListViewModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (userCheckable && index.column() == 0)
        result |= Qt::ItemIsUserCheckable;
    if (draggable)
        result |= Qt::ItemIsDragEnabled;
    return result;
}

QVariant ListViewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columns)
        return {};
    if (role == Qt::DisplayRole)
        return view_.Column(section).Caption();
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(ToQt(view_.Column(section).Alignment()));
    return {};
}

void ListViewModel::Reset(int newRows)
{
    beginResetModel();
    rows = newRows;
    endResetModel();
}

void ListViewModel::InsertColumn(int index)
{
    beginInsertColumns({}, index, index);
    ++columns;
    endInsertColumns();
}

void ListViewModel::RemoveColumns(int count)
{
    if (count <= 0)
        return;
    beginRemoveColumns({}, 0, count - 1);
    columns -= count;
    endRemoveColumns();
}

void ListViewModel::HeaderChanged(int index)
{
    emit headerDataChanged(Qt::Horizontal, index, index);
    if (rows > 0)
        emit dataChanged(this->index(0, index), this->index(rows - 1, index));
}

void ListViewModel::RowChanged(int row)
{
    if (row >= 0 && row < rows && columns > 0)
        emit dataChanged(index(row, 0), index(row, columns - 1));
}
