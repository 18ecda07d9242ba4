#pragma once
// A list view in report style on QTreeView: columns with captions, alignment and width
// ranges, whole-row selection, read-only rows, optional check boxes. A list with check
// boxes and state pictures shows each row's state picture (its StateIndex) in their place.
//
// Two ways to hold rows:
// - owner data (OwnerData true): the caller sets the row count with SetItemCount and the
//   view asks OnData for each row it needs, when it needs it (the rows it shows, or the
//   row code reads with Item);
// - own items (OwnerData false): AddItem adds a row the view keeps; with SortType stText
//   the rows are kept sorted by caption (locale order).
//
// OnChange is raised for every row that becomes selected and, when the selection becomes
// empty, once for a row that lost it; a new row count clears the selection silently.
// Selecting a row from code raises OnChange exactly as a user's click does. Handlers
// called from code run directly (their exceptions reach the caller); handlers called from
// Qt (paint, mouse, keys) run through Dispatch.
//
// Clicks: OnClick is raised when the left button is pressed and released over the same
// row (or both times over the empty area) and OnDblClick at the second press of a
// double-click; ClickedItem then names the row under the pointer (-1 for the empty area).
// A click or double-click on a row's check box only toggles that box (the list's own
// action) and raises neither event, so a handler that toggles rows never undoes it. The
// release that ends a double-click raises no OnClick: a double-click is one click and one
// double-click.
//
// Focus mark: a row that has it without being selected shows a thin frame, not a fill.
//
// Keys: in a list without a selection whose focus mark Qt put on the first row when the
// list got the focus, Down, Up, Home and Page Up select the first row (as if no row had
// the mark) instead of moving on from it.

#include "platform/vcl/Color.h"
#include "platform/vcl/ListColumn.h"
#include "platform/vcl/ListItem.h"

#include <QIcon>
#include <QList>
#include <QTreeView>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

class ListViewModel;
class QCollator;
class QLocale;

enum class TSortType { stNone, stText };

class TListView : public QTreeView {
    Q_OBJECT
    // Settable from a form layout (as properties with stdset="0").
    Q_PROPERTY(bool OwnerData READ OwnerData WRITE SetOwnerData)
    Q_PROPERTY(bool Checkboxes READ Checkboxes WRITE SetCheckboxes)
    Q_PROPERTY(bool MultiSelect READ MultiSelect WRITE SetMultiSelect)
    Q_PROPERTY(bool ColumnClick READ ColumnClick WRITE SetColumnClick)
    Q_PROPERTY(bool AutoDrag READ AutoDrag WRITE SetAutoDrag)
    Q_PROPERTY(bool SortByText READ SortByText WRITE SetSortByText)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
public:
    explicit TListView(QWidget* parent = nullptr);
    ~TListView() override;

    // Events. Handlers may be set and cleared at any time.
    std::function<void(TListView& sender, TListItem& item)> OnData;
    std::function<void(TListView& sender, const TListItem& item)> OnChange;
    std::function<void(TListView& sender, const TListItem& item, TColor& background)> OnCustomDrawItem;
    std::function<void(TListView& sender)> OnClick;
    std::function<void(TListView& sender)> OnDblClick;
    std::function<void(TListView& sender, int column)> OnColumnClick;
    std::function<void(TListView& sender, TListView& source, int x, int y, bool& accept)> OnDragOver;
    std::function<void(TListView& sender, TListView& source, int x, int y)> OnDragDrop;

    // Settings of the control.
    bool OwnerData() const { return ownerData_; }
    void SetOwnerData(bool on);
    bool Checkboxes() const { return checkboxes_; }
    void SetCheckboxes(bool on);
    bool MultiSelect() const;
    void SetMultiSelect(bool on);
    bool ColumnClick() const;
    void SetColumnClick(bool on);
    // Automatic drag: pressing on a row and moving drags the selected rows to another
    // list view of the window (or within this one), which gets OnDragOver and, when that
    // accepts, OnDragDrop, with the point in its rows' area.
    bool AutoDrag() const { return autoDrag_; }
    void SetAutoDrag(bool on);
    void SetSortType(TSortType type);
    TSortType SortType() const { return sortType_; }
    // stText compares captions with the collation of this locale; without one, with the
    // system locale's comparison.
    void SetSortLocale(const QLocale& locale);
    bool SortByText() const { return sortType_ == TSortType::stText; }
    void SetSortByText(bool on) { SetSortType(on ? TSortType::stText : TSortType::stNone); }
    TColor Color() const;
    const QList<QIcon>& StateImages() const { return stateImages_; }
    void SetStateImages(QList<QIcon> images);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }
    // Pixel width of Text in the list's font.
    int TextWidth(const QString& text) const;
    // Pixels in front of the caption in the first column: the room of the state picture
    // with its margins when the list has state pictures (whether or not its check boxes
    // are on yet), else of the check box when they are on, else 0. A column as wide as a
    // column without them plus this shows as much of the caption.
    int CaptionIndent() const;

    // Columns.
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    TListColumn& Column(int index);
    TListColumn& AddColumn();
    void ClearColumns();

    // Rows.
    int ItemCount() const;
    void SetItemCount(int count);              // owner data only
    TListItem& AddItem();                      // own items only
    // Sets the tick of row Index (own items only) and redraws the row.
    void SetItemChecked(int index, bool checked);
    void ClearItems();
    // Row Index, filled by OnData in owner-data mode; raises ERangeError outside the rows.
    // The reference is valid until the next row is read or the rows change.
    const TListItem& Item(int index);
    void BeginUpdate();
    void EndUpdate();
    // Forget rows already fetched, so that the next paint asks OnData again.
    void Invalidate();

    // Selection.
    int ItemIndex() const;                     // first selected row, -1 for none
    // Selects only row Index; -1 clears the selection; other values raise ERangeError.
    void SetItemIndex(int index);
    int SelCount() const;
    std::vector<int> SelectedIndices() const;
    bool IsItemSelected(int index) const;
    void SetItemSelected(int index, bool selected);
    bool IsItemFocused(int index) const;
    // Gives row Index the focus mark, or takes it away (focused false).
    void SetItemFocused(int index, bool focused = true);
    void MakeVisible(int index);
    // Row under the point (x, y) of the rows' area, -1 for none.
    int ItemAt(int x, int y) const;
    // Row under the pointer at the click or double-click being reported, -1 for none.
    int ClickedItem() const { return clickedItem_; }

    // For the columns and the model.
    void ColumnChanged(int index);
    int SectionWidth(int index) const;
    void SetSectionWidth(int index, int width);
    int FittingWidth(int index, bool withHeader);
    const TListItem& RowForView(int index);
    TColor RowBackground(int index);

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    const TListItem& fetch(int index, bool fromQt);
    void selectionChangedByView(const QItemSelection& selected, const QItemSelection& deselected);
    void deliverChanges(bool fromQt);
    void resetRows();
    void flushPendingReset();
    void sortItems();
    int RowAt(const QPoint& point) const;
    void sectionResizedByUser(int index, int oldSize, int newSize);
    TListView* dropTargetAt(const QPoint& globalPos) const;
    void dropAt(const QPoint& globalPos);

    void runCodeSelection(const std::function<void()>& select);
    QModelIndex rowIndex(int index) const;

    ListViewModel* model_;
    std::vector<std::unique_ptr<TListColumn>> columns_;
    std::vector<std::unique_ptr<TListItem>> items_;
    std::unordered_map<int, TListItem> fetched_;
    std::vector<int> pendingChanges_;
    bool ownerData_ = false;
    bool checkboxes_ = false;
    bool autoDrag_ = false;
    bool dragging_ = false;
    bool sortDirty_ = false;
    bool resetPending_ = false;
    TSortType sortType_ = TSortType::stNone;
    int itemCount_ = 0;
    int updateDepth_ = 0;
    int codeSelection_ = 0;
    bool settingWidth_ = false;
    bool columnsResized_ = false; // inside an update, by SetSectionWidth
    int tag_ = 0;
    QList<QIcon> stateImages_;
    std::unique_ptr<QCollator> collator_;
    // The click in progress: the row pressed, whether the list's check box took part of
    // it, whether its press was the second of a double-click.
    int pressedRow_ = -1;
    bool leftPressed_ = false;
    bool checkBoxUsed_ = false;
    bool doubleClickPress_ = false;
    int clickedItem_ = -1;
    // The focus mark was put by code or by the user, not by Qt on its own.
    bool currentChosen_ = false;
};
