#include "platform/vcl/ListView.h"

#include "platform/core/Checked.h"
#include "platform/vcl/ListFocusFrameStyle.h"
#include "platform/vcl/ListViewModel.h"
#include "platform/vcl/Dispatch.h"

#include <QApplication>
#include <QCollator>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <algorithm>
#include <iterator>

namespace {

// Default width of a new column, in pixels.
constexpr int NewColumnWidth = 50;
// Rows fetched for painting are kept up to this number before they are asked again.
constexpr std::size_t FetchedRowsLimit = 4096;

const TListItem& EmptyItem()
{
    static const TListItem empty;
    return empty;
}

} // namespace

TListView::TListView(QWidget* parent) : QTreeView(parent), model_(new ListViewModel(*this))
{
    setModel(model_);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    new TListFocusFrameStyle(*this);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setStretchLastSection(false);
    header()->setSectionsClickable(false);
    header()->setSectionsMovable(false);
    header()->setMinimumSectionSize(0);
    header()->setSectionResizeMode(QHeaderView::Interactive);

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TListView::selectionChangedByView);
    connect(header(), &QHeaderView::sectionResized, this, &TListView::sectionResizedByUser);
    connect(header(), &QHeaderView::sectionClicked, this, [this](int column) {
        if (OnColumnClick)
            Dispatch([&] { OnColumnClick(*this, column); });
    });
}

TListView::~TListView() = default;

// --- settings ---------------------------------------------------------------------------

void TListView::SetOwnerData(bool on)
{
    ownerData_ = on;
    items_.clear();
    itemCount_ = 0;
    fetched_.clear();
    model_->userCheckable = checkboxes_ && !ownerData_;
    resetRows();
}

void TListView::SetCheckboxes(bool on)
{
    if (checkboxes_ == on)
        return;
    checkboxes_ = on;
    model_->userCheckable = checkboxes_ && !ownerData_;
    viewport()->update();
}

bool TListView::MultiSelect() const
{
    return selectionMode() == QAbstractItemView::ExtendedSelection;
}

void TListView::SetMultiSelect(bool on)
{
    setSelectionMode(on ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

bool TListView::ColumnClick() const
{
    return header()->sectionsClickable();
}

void TListView::SetColumnClick(bool on)
{
    header()->setSectionsClickable(on);
}

void TListView::SetAutoDrag(bool on)
{
    autoDrag_ = on;
    model_->draggable = on;
    setDragEnabled(on);
}

void TListView::SetSortType(TSortType type)
{
    sortType_ = type;
    if (type == TSortType::stText && !items_.empty()) {
        sortDirty_ = true;
        sortItems();
        resetRows();
    }
}

void TListView::SetStateImages(QList<QIcon> images)
{
    stateImages_ = std::move(images);
    viewport()->update();
}

void TListView::SetSortLocale(const QLocale& locale)
{
    collator_ = std::make_unique<QCollator>(locale);
    SetSortType(sortType_);
}

TColor TListView::Color() const
{
    return FromQColor(palette().color(QPalette::Base));
}

int TListView::TextWidth(const QString& text) const
{
    return fontMetrics().horizontalAdvance(text);
}

int TListView::CaptionIndent() const
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = QRect(0, 0, 1000, 100); // a cell with room for all of it
    option.features = QStyleOptionViewItem::HasDisplay;
    if (!stateImages_.isEmpty()) {
        option.features |= QStyleOptionViewItem::HasDecoration;
        option.decorationSize = stateImages_.first().actualSize(option.decorationSize);
    } else if (checkboxes_) {
        option.features |= QStyleOptionViewItem::HasCheckIndicator;
    } else {
        return 0;
    }
    return style()->subElementRect(QStyle::SE_ItemViewItemText, &option, this).left() - option.rect.left();
}

// --- columns ----------------------------------------------------------------------------

TListColumn& TListView::Column(int index)
{
    return *CheckedAt(columns_, index);
}

TListColumn& TListView::AddColumn()
{
    const int index = ColumnCount();
    columns_.push_back(std::make_unique<TListColumn>(*this, index));
    model_->InsertColumn(index);
    SetSectionWidth(index, NewColumnWidth);
    return *columns_.back();
}

void TListView::ClearColumns()
{
    // The view may still ask for the old columns while they are being removed (rows
    // whose removal waits for the end of an update, a current row it scrolls to).
    model_->RemoveColumns(ColumnCount());
    columns_.clear();
}

void TListView::ColumnChanged(int index)
{
    model_->HeaderChanged(index);
}

int TListView::SectionWidth(int index) const
{
    return header()->sectionSize(index);
}

void TListView::SetSectionWidth(int index, int width)
{
    settingWidth_ = true;
    // Inside an update the view's own redraw of resized columns, which waits for a timer
    // and so comes after the next paint, is left out: EndUpdate redraws the whole list.
    const QSignalBlocker quiet(updateDepth_ > 0 ? header() : nullptr);
    header()->resizeSection(index, width);
    settingWidth_ = false;
    if (updateDepth_ > 0)
        columnsResized_ = true;
}

int TListView::FittingWidth(int index, bool withHeader)
{
    int width = std::max(0, sizeHintForColumn(index));
    if (withHeader)
        width = std::max(width, header()->sectionSizeHint(index));
    return width;
}

void TListView::sectionResizedByUser(int index, int, int newSize)
{
    if (settingWidth_ || index >= ColumnCount())
        return;
    const int limited = Column(index).Limited(newSize);
    if (limited != newSize)
        SetSectionWidth(index, limited);
}

// --- rows -------------------------------------------------------------------------------

int TListView::ItemCount() const
{
    return ownerData_ ? itemCount_ : static_cast<int>(items_.size());
}

void TListView::SetItemCount(int count)
{
    if (!ownerData_)
        throw Exception(QStringLiteral("The item count can only be set on an owner-data list"));
    if (count < 0)
        throw ERangeError(QStringLiteral("Item count %1 is out of range").arg(count));
    itemCount_ = count;
    fetched_.clear();
    resetRows();
}

TListItem& TListView::AddItem()
{
    if (ownerData_)
        throw Exception(QStringLiteral("An owner-data list holds no items of its own"));
    items_.push_back(std::make_unique<TListItem>());
    items_.back()->Index = static_cast<int>(items_.size()) - 1;
    sortDirty_ = sortType_ == TSortType::stText;
    resetRows();
    return *items_.back();
}

void TListView::SetItemChecked(int index, bool checked)
{
    if (ownerData_)
        throw Exception(QStringLiteral("The ticks of an owner-data list come from its OnData"));
    if (index < 0 || index >= ItemCount())
        throw ERangeError(QStringLiteral("List index out of bounds (%1)").arg(index));
    const_cast<TListItem&>(fetch(index, false)).Checked = checked;
    model_->RowChanged(index);
}

void TListView::ClearItems()
{
    items_.clear();
    itemCount_ = 0;
    fetched_.clear();
    sortDirty_ = false;
    resetRows();
}

const TListItem& TListView::Item(int index)
{
    if (index < 0 || index >= ItemCount())
        throw ERangeError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return fetch(index, false);
}

void TListView::BeginUpdate()
{
    ++updateDepth_;
}

void TListView::EndUpdate()
{
    if (updateDepth_ == 0 || --updateDepth_ > 0)
        return;
    if (sortDirty_)
        sortItems();
    flushPendingReset();
    // The rows are laid out now, not on a timer after the next paint: a list is painted
    // once with its new rows, not once before its layout and again after it.
    executeDelayedItemsLayout();
    if (columnsResized_) {
        columnsResized_ = false;
        updateGeometries();
    }
    viewport()->update();
}

void TListView::Invalidate()
{
    fetched_.clear();
    viewport()->update();
}

const TListItem& TListView::RowForView(int index)
{
    if (index < 0 || index >= ItemCount())
        return EmptyItem();
    return fetch(index, true);
}

TColor TListView::RowBackground(int index)
{
    TColor color = Color();
    const TListItem item = RowForView(index);
    Dispatch([&] { OnCustomDrawItem(*this, item, color); });
    return color;
}

const TListItem& TListView::fetch(int index, bool fromQt)
{
    if (!ownerData_) {
        if (sortDirty_) {
            sortItems();
            viewport()->update();
        }
        return *items_[static_cast<std::size_t>(index)];
    }
    if (auto found = fetched_.find(index); found != fetched_.end())
        return found->second;
    if (fetched_.size() >= FetchedRowsLimit)
        fetched_.clear();
    TListItem item;
    item.Index = index;
    if (OnData) {
        if (fromQt)
            Dispatch([&] { OnData(*this, item); });
        else
            OnData(*this, item);
    }
    return fetched_.emplace(index, std::move(item)).first->second;
}

void TListView::resetRows()
{
    if (updateDepth_ > 0) {
        resetPending_ = true;
        return;
    }
    resetPending_ = false;
    model_->Reset(ItemCount());
}

void TListView::flushPendingReset()
{
    if (resetPending_)
        resetRows();
}

void TListView::sortItems()
{
    std::stable_sort(items_.begin(), items_.end(), [this](const auto& a, const auto& b) {
        const int order = collator_ ? collator_->compare(a->Caption, b->Caption)
                                    : QString::localeAwareCompare(a->Caption, b->Caption);
        return order < 0;
    });
    for (std::size_t i = 0; i < items_.size(); ++i)
        items_[i]->Index = static_cast<int>(i);
    sortDirty_ = false;
}

// --- selection --------------------------------------------------------------------------

QModelIndex TListView::rowIndex(int index) const
{
    return model_->index(index, 0);
}

int TListView::ItemIndex() const
{
    const auto rows = SelectedIndices();
    return rows.empty() ? -1 : rows.front();
}

void TListView::SetItemIndex(int index)
{
    if (index < -1 || index >= ItemCount())
        throw ERangeError(QStringLiteral("List index out of bounds (%1)").arg(index));
    runCodeSelection([&] {
        if (index < 0)
            selectionModel()->clearSelection();
        else
            selectionModel()->select(rowIndex(index),
                                     QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    });
}

int TListView::SelCount() const
{
    return static_cast<int>(SelectedIndices().size());
}

std::vector<int> TListView::SelectedIndices() const
{
    std::vector<int> rows;
    if (resetPending_) // new rows inside an update: nothing is selected any more
        return rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

bool TListView::IsItemSelected(int index) const
{
    return !resetPending_ && selectionModel()->isRowSelected(index, {});
}

void TListView::SetItemSelected(int index, bool selected)
{
    if (index < 0 || index >= ItemCount())
        throw ERangeError(QStringLiteral("List index out of bounds (%1)").arg(index));
    QItemSelectionModel::SelectionFlags command = QItemSelectionModel::Rows;
    if (!selected)
        command |= QItemSelectionModel::Deselect;
    else
        command |= MultiSelect() ? QItemSelectionModel::Select : QItemSelectionModel::ClearAndSelect;
    runCodeSelection([&] { selectionModel()->select(rowIndex(index), command); });
}

bool TListView::IsItemFocused(int index) const
{
    return currentIndex().isValid() && currentIndex().row() == index;
}

void TListView::SetItemFocused(int index, bool focused)
{
    if (index < 0 || index >= ItemCount())
        throw ERangeError(QStringLiteral("List index out of bounds (%1)").arg(index));
    if (!focused && !IsItemFocused(index))
        return;
    const QModelIndex target = focused ? rowIndex(index) : QModelIndex();
    runCodeSelection([&] { selectionModel()->setCurrentIndex(target, QItemSelectionModel::NoUpdate); });
    currentChosen_ = target.isValid();
}

void TListView::MakeVisible(int index)
{
    flushPendingReset();
    const QModelIndex row = rowIndex(index);
    if (!row.isValid() || visualRect(row).intersects(viewport()->rect()))
        return;
    scrollTo(row, QAbstractItemView::EnsureVisible);
}

int TListView::ItemAt(int x, int y) const
{
    if (!viewport()->rect().contains(x, y))
        return -1;
    const QModelIndex index = indexAt(QPoint(x, y));
    return index.isValid() ? index.row() : -1;
}

int TListView::RowAt(const QPoint& point) const
{
    return ItemAt(point.x(), point.y());
}

void TListView::runCodeSelection(const std::function<void()>& select)
{
    flushPendingReset();
    ++codeSelection_;
    try {
        select();
    } catch (...) {
        --codeSelection_;
        pendingChanges_.clear();
        throw;
    }
    --codeSelection_;
    deliverChanges(false);
}

// A change is reported for every row that became selected; when the selection became
// empty, once for the first row that lost it.
void TListView::selectionChangedByView(const QItemSelection& selected, const QItemSelection& deselected)
{
    for (const QItemSelectionRange& range : selected)
        for (int row = range.top(); row <= range.bottom(); ++row)
            pendingChanges_.push_back(row);
    if (selected.isEmpty() && !deselected.isEmpty() && !selectionModel()->hasSelection())
        pendingChanges_.push_back(deselected.first().top());
    if (codeSelection_ == 0)
        deliverChanges(true);
}

void TListView::deliverChanges(bool fromQt)
{
    std::vector<int> rows;
    rows.swap(pendingChanges_);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (int row : rows) {
        if (!OnChange || row >= ItemCount())
            continue;
        if (fromQt) {
            Dispatch([&] {
                const TListItem item = fetch(row, false);
                OnChange(*this, item);
            });
        } else {
            const TListItem item = fetch(row, false);
            OnChange(*this, item);
        }
    }
}

// --- keys -----------------------------------------------------------------------------

void TListView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    if (!current.isValid())
        currentChosen_ = false;
    QTreeView::currentChanged(current, previous);
}

void TListView::keyPressEvent(QKeyEvent* event)
{
    // Qt marks a row of its own (the first, on focus-in or when rows arrive in a focused
    // list) without selecting it, so Down would select the second row and Up or Home
    // nothing. Without a mark that code or the user put, the move starts before the first
    // row and lands on it.
    static constexpr Qt::Key FirstRowKeys[] = {Qt::Key_Down, Qt::Key_Up, Qt::Key_Home, Qt::Key_PageUp};
    const bool firstRowKey = std::find(std::begin(FirstRowKeys), std::end(FirstRowKeys), event->key())
                             != std::end(FirstRowKeys);
    if (firstRowKey && !currentChosen_ && !selectionModel()->hasSelection())
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    QTreeView::keyPressEvent(event);
    currentChosen_ = currentIndex().isValid();
}

// --- mouse ------------------------------------------------------------------------------

bool TListView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    // Rows are read-only, so a mouse event that "edits" is one the check box took.
    const bool used = QTreeView::edit(index, trigger, event);
    if (used && event
        && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease
            || event->type() == QEvent::MouseButtonDblClick))
        checkBoxUsed_ = true;
    return used;
}

void TListView::mousePressEvent(QMouseEvent* event)
{
    leftPressed_ = event->button() == Qt::LeftButton;
    pressedRow_ = RowAt(event->position().toPoint());
    checkBoxUsed_ = false;
    doubleClickPress_ = false;
    QTreeView::mousePressEvent(event);
    currentChosen_ = currentIndex().isValid();
}

void TListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const bool left = event->button() == Qt::LeftButton;
    leftPressed_ = left;
    pressedRow_ = RowAt(event->position().toPoint());
    checkBoxUsed_ = false;
    QTreeView::mouseDoubleClickEvent(event);
    doubleClickPress_ = true;
    if (!left || checkBoxUsed_ || !OnDblClick)
        return;
    clickedItem_ = pressedRow_;
    Dispatch([&] { OnDblClick(*this); });
}

void TListView::startDrag(Qt::DropActions)
{
    // The drag stays inside the program: the rows travel by reference, not as MIME data.
    if (autoDrag_) {
        dragging_ = true;
        viewport()->setCursor(Qt::DragMoveCursor);
    }
}

void TListView::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_) {
        QTreeView::mouseMoveEvent(event);
        return;
    }
    bool accept = false;
    if (TListView* target = dropTargetAt(event->globalPosition().toPoint()); target && target->OnDragOver) {
        const QPoint at = target->viewport()->mapFromGlobal(event->globalPosition().toPoint());
        Dispatch([&] { target->OnDragOver(*target, *this, at.x(), at.y(), accept); });
    }
    viewport()->setCursor(accept ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
}

void TListView::mouseReleaseEvent(QMouseEvent* event)
{
    if (!dragging_) {
        const bool endsClick = leftPressed_ && event->button() == Qt::LeftButton && !doubleClickPress_;
        leftPressed_ = false;
        doubleClickPress_ = false;
        QTreeView::mouseReleaseEvent(event);
        const int row = RowAt(event->position().toPoint());
        if (!endsClick || checkBoxUsed_ || row != pressedRow_ || !OnClick)
            return;
        clickedItem_ = row;
        Dispatch([&] { OnClick(*this); });
        return;
    }
    dragging_ = false;
    viewport()->unsetCursor();
    setState(QAbstractItemView::NoState);
    dropAt(event->globalPosition().toPoint());
}

TListView* TListView::dropTargetAt(const QPoint& globalPos) const
{
    for (QWidget* widget : QApplication::allWidgets()) {
        auto* view = qobject_cast<TListView*>(widget);
        if (!view || !view->isVisible() || view->window() != window())
            continue;
        if (view->viewport()->rect().contains(view->viewport()->mapFromGlobal(globalPos)))
            return view;
    }
    return nullptr;
}

void TListView::dropAt(const QPoint& globalPos)
{
    TListView* target = dropTargetAt(globalPos);
    if (!target || !target->OnDragDrop)
        return;
    const QPoint at = target->viewport()->mapFromGlobal(globalPos);
    bool accept = false;
    if (target->OnDragOver)
        Dispatch([&] { target->OnDragOver(*target, *this, at.x(), at.y(), accept); });
    if (accept)
        Dispatch([&] { target->OnDragDrop(*target, *this, at.x(), at.y()); });
}
