#pragma once
// The list-view, chart and display helpers that the stores and screens share: building
// and restoring list columns, releasing owner-data rows, collecting unticked rows,
// selecting the first row, padding a chart to ten points, clearing a picture to a framed
// blank and putting a text into whichever text component is given.

#include "platform/ini/IniFile.h"
#include "platform/text/StringList.h"
#include "platform/vcl/Chart.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/ListView.h"

#include <QString>

class QWidget;

// Holds the list's updates (BeginUpdate) while it lives and ends them (EndUpdate) however
// the block ends.
class TListUpdate {
public:
    explicit TListUpdate(TListView& listView) : listView_(listView) { listView_.BeginUpdate(); }
    ~TListUpdate() { listView_.EndUpdate(); }
    TListUpdate(const TListUpdate&) = delete;
    TListUpdate& operator=(const TListUpdate&) = delete;

private:
    TListView& listView_;
};

// Removes every row and column of the list, then adds N columns with a minimum width of
// 30 pixels; N below 1 adds none.
void InitListColumns(TListView& listView, int n);

// The column width stored in Section of Ini under Key; ByDefault when it is missing, not
// a number or below -2 (-1 and -2 fit the texts; below them no width exists), so that a
// bad value in the file cannot keep a list from being set up. A value below -2 is logged
// once per run.
int ReadColumnWidth(const TIniFile& ini, const QString& section, const QString& key, int byDefault);

// Column Index gets Caption and Alignment, and the width stored in Section of Ini under
// the key Caption (ReadColumnWidth); the default is the list's text width of "1" times
// Chars plus 15, and in the first column also the room of the list's state pictures or
// check boxes (CaptionIndent), so that Chars characters are shown in full beside them.
void SetupListColumn(const TIniFile& ini, TListView& listView, int index, const QString& section,
                     const QString& caption, TAlignment alignment, int chars);

// Writes the column width to Section of Ini under Key unless that is stored there
// already: each write replaces the whole file (and waits for the disk), and the widths
// are saved at every change of the lists' contents.
void WriteColumnWidth(TIniFile& ini, const QString& section, const QString& key, int width);

// Every column's width brought into [MinWidth, MaxWidth].
void ClampColumnWidths(TListView& listView);

// Empties the list (in one update), then frees the rows from the last to the first.
void ClearListViewObjects(TListView& listView, TRowList& rows);

// Appends the trimmed caption of every row without a tick, in row order, to Names; an
// owner-data list is read through its OnData, so every row counts, not only those shown.
void AddUncheckedCaptions(TListView& listView, TStringList& names);

// Selects row 0 when the list has rows (raising the list's OnChange like a click).
void SelectFirstItem(TListView& listView);

// Fills the chart's first series with points of value 0 up to ten points, labelled with
// their number (1-based) and in the series' own colour; nothing at ten points or more.
void PadChartSeries(TChart& chart);

// The picture becomes a blank bitmap of the component's size, filled with the canvas
// brush inside a black one-pixel frame; the pen is left black, width 1. Never fails.
void DrawControlFrame(TImage& image) noexcept;

// A label gets Text as its caption, a one-line edit as its text, a memo as its lines
// (CR LF, CR or LF start a new line); any other component is left alone. An absent
// component is logged; a failing assignment is ignored.
void ShowTextComponent(QWidget* control, const QString& text) noexcept;
