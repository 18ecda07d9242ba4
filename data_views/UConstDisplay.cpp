#include "data_views/UConstDisplay.h"

#include "data/UConst.h"
#include "platform/text/Trim.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <algorithm>

namespace {

constexpr int ListColumnMinWidth = 30;
constexpr int ListColumnPadding = 15;
constexpr int ChartMinPoints = 10;

QString MemoText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

void InitListColumns(TListView& listView, int n)
{
    listView.ClearItems();
    listView.ClearColumns();
    for (int i = 0; i < n; ++i)
        listView.AddColumn().SetMinWidth(ListColumnMinWidth);
}

int ReadColumnWidth(const TIniFile& ini, const QString& section, const QString& key, int byDefault)
{
    const int width = ini.ReadInteger(section, key, byDefault);
    if (width >= TListColumn::FitHeader)
        return width;
    WriteLogOnce(QStringLiteral("ReadColumnWidth"),
                 QStringLiteral("%1 [%2] %3=%4 is no column width; the default %5 is used")
                     .arg(ini.FileName(), section, key)
                     .arg(width)
                     .arg(byDefault));
    return byDefault;
}

void SetupListColumn(const TIniFile& ini, TListView& listView, int index, const QString& section,
                     const QString& caption, TAlignment alignment, int chars)
{
    TListColumn& column = listView.Column(index);
    column.SetCaption(caption);
    column.SetAlignment(alignment);
    int byDefault = listView.TextWidth(QStringLiteral("1")) * chars + ListColumnPadding;
    if (index == 0) // the state picture or check box stands in front of the text
        byDefault += listView.CaptionIndent();
    column.SetWidth(ReadColumnWidth(ini, section, caption, byDefault));
}

void WriteColumnWidth(TIniFile& ini, const QString& section, const QString& key, int width)
{
    const QString text = QString::number(width);
    if (ini.ReadString(section, key, QString()) != text)
        ini.WriteString(section, key, text);
}

void ClampColumnWidths(TListView& listView)
{
    for (int i = 0; i < listView.ColumnCount(); ++i) {
        TListColumn& column = listView.Column(i);
        column.SetWidth(std::max(std::min(column.Width(), column.MaxWidth()), column.MinWidth()));
    }
}

void ClearListViewObjects(TListView& listView, TRowList& rows)
{
    {
        TListUpdate update(listView);
        listView.ClearItems();
    }
    while (!rows.empty())
        rows.pop_back();
}

void AddUncheckedCaptions(TListView& listView, TStringList& names)
{
    for (int i = 0; i < listView.ItemCount(); ++i) {
        const TListItem& item = listView.Item(i);
        if (!item.Checked)
            names.Add(Trim(item.Caption));
    }
}

void SelectFirstItem(TListView& listView)
{
    if (listView.ItemCount() > 0)
        listView.SetItemIndex(0);
}

void PadChartSeries(TChart& chart)
{
    TChartSeries& series = chart.Series(0);
    for (int number = series.Count() + 1; number <= ChartMinPoints; ++number)
        series.Add(0.0, QString::number(number), series.SeriesColor());
}

void DrawControlFrame(TImage& image) noexcept
{
    try {
        if (!image.HasBitmap())
            image.Clear();
        TBitmap& bitmap = image.Bitmap();
        if (bitmap.Width() != image.width() || bitmap.Height() != image.height())
            bitmap.SetSize(image.width(), image.height());
        TCanvas& canvas = bitmap.Canvas();
        canvas.Pen.Color = clBlack;
        canvas.Pen.Width = 1;
        canvas.Rectangle(0, 0, image.width(), image.height());
    } catch (...) {
        // A picture that cannot be drawn on stays as it is.
    }
}

void ShowTextComponent(QWidget* control, const QString& text) noexcept
{
    if (!control) {
        WriteLog(QStringLiteral("ShowTextComponent"), QStringLiteral("Show ShowComponent Error"));
        return;
    }
    try {
        if (auto* label = qobject_cast<QLabel*>(control)) {
            label->setTextFormat(Qt::PlainText);
            label->setText(text);
        }
        if (auto* edit = qobject_cast<QLineEdit*>(control))
            edit->setText(text);
        if (auto* memo = qobject_cast<QPlainTextEdit*>(control))
            memo->setPlainText(MemoText(text));
        if (auto* memo = qobject_cast<QTextEdit*>(control))
            memo->setPlainText(MemoText(text));
    } catch (...) {
        // A text that cannot be shown is not an error of the caller.
    }
}
