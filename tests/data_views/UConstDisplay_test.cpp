#include "data/UConst.h"
#include "data_views/UConstDisplay.h"
#include "platform/core/Checked.h"
#include "platform/text/Ansi.h"
#include "tests/support/ProgramFolder.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QStyledItemDelegate>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// An owner-data list showing Rows, as the data screens fill their lists.
class RowsList : public testing::Test {
protected:
    void SetUp() override
    {
        list_.resize(300, 120);
        list_.SetOwnerData(true);
        list_.OnData = [this](TListView&, TListItem& item) {
            const TListItem& row = *rows_.at(static_cast<std::size_t>(item.Index));
            item.Caption = row.Caption;
            item.SubItems = row.SubItems;
            item.Checked = row.Checked;
        };
    }

    void AddRow(const QString& caption, bool checked = false)
    {
        auto row = std::make_unique<TListItem>();
        row->Caption = caption;
        row->Checked = checked;
        rows_.push_back(std::move(row));
        list_.SetItemCount(static_cast<int>(rows_.size()));
    }

    TListView list_;
    TRowList rows_;
};

} // namespace

TEST_F(RowsList, InitListColumnsLeavesExactlyNEmptyColumns)
{
    InitListColumns(list_, 5);
    AddRow(QStringLiteral("  1"));
    AddRow(QStringLiteral("  2"));
    InitListColumns(list_, 9);
    EXPECT_EQ(list_.ColumnCount(), 9);
    EXPECT_EQ(list_.ItemCount(), 0);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(list_.Column(i).MinWidth(), 30);
        EXPECT_TRUE(list_.Column(i).Caption().isEmpty());
    }
    InitListColumns(list_, 0);
    EXPECT_EQ(list_.ColumnCount(), 0);
    InitListColumns(list_, -1);
    EXPECT_EQ(list_.ColumnCount(), 0);
}

TEST_F(RowsList, SetupListColumnTakesTheStoredWidthOrTheTextWidthDefault)
{
    // A font in which "1" is 7 pixels wide, so that 5 characters give 7 × 5 + 15 = 50.
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    for (int size = 6; size < 40 && list_.TextWidth(QStringLiteral("1")) != 7; ++size) {
        font.setPixelSize(size);
        list_.setFont(font);
    }
    ASSERT_EQ(list_.TextWidth(QStringLiteral("1")), 7);

    TempProgramFolder folder;
    folder.Write(QStringLiteral("Control.inf"),
                 EncodeAnsi(QStringLiteral("[問題一覧幅]\r\n答え=120\r\nﾃｽﾄ回数=12\r\n正解数=abc\r\n合格数=-5\r\n")));
    const TIniFile ini(folder.FilePath(QStringLiteral("Control.inf")));
    const QString section = QStringLiteral("問題一覧幅");
    InitListColumns(list_, 5);
    SetupListColumn(ini, list_, 0, section, QStringLiteral("No."), TAlignment::taCenter, 5);
    SetupListColumn(ini, list_, 1, section, QStringLiteral("答え"), TAlignment::taLeftJustify, 7);
    SetupListColumn(ini, list_, 2, section, QStringLiteral("ﾃｽﾄ回数"), TAlignment::taRightJustify, 7);
    SetupListColumn(ini, list_, 3, section, QStringLiteral("正解数"), TAlignment::taRightJustify, 6);

    EXPECT_EQ(list_.Column(0).Width(), 50);
    EXPECT_EQ(list_.Column(0).Caption(), "No.");
    EXPECT_EQ(list_.Column(0).Alignment(), TAlignment::taCenter);
    EXPECT_EQ(list_.Column(1).Width(), 120);
    EXPECT_EQ(list_.Column(2).Width(), 30); // the columns' minimum
    EXPECT_EQ(list_.Column(3).Width(), 7 * 6 + 15); // not a number: the default
    // Below -2 is no width at all: the default, with one log line naming the key.
    SetupListColumn(ini, list_, 4, section, QStringLiteral("合格数"), TAlignment::taRightJustify, 6);
    EXPECT_EQ(list_.Column(4).Width(), 7 * 6 + 15);
    const QString log = DecodeAnsi(folder.Read(QStringLiteral("Vek.Log")));
    EXPECT_EQ(log.count(QStringLiteral("[問題一覧幅] 合格数=-5")), 1) << log.toStdString();
    EXPECT_THROW(SetupListColumn(ini, list_, 5, section, QStringLiteral("x"), TAlignment::taLeftJustify, 1),
                 ERangeError);
}

// The shown part of the first column's text in row 0: the cell's text area as the list's
// style lays it out beside the row's picture or check box, less the text margins, elided
// as the list elides.
struct ItemOptions : QStyledItemDelegate {
    using QStyledItemDelegate::initStyleOption;
};

static QString ShownCaption(TListView& list)
{
    const QModelIndex index = list.model()->index(0, 0);
    QStyleOptionViewItem option;
    option.initFrom(&list);
    option.widget = &list;
    option.rect = list.visualRect(index);
    const int icon = list.style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, &list);
    option.decorationSize = list.iconSize().isValid() ? list.iconSize() : QSize(icon, icon);
    ItemOptions().initStyleOption(&option, index);
    const QRect text = list.style()->subElementRect(QStyle::SE_ItemViewItemText, &option, &list);
    const int margin = list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, &option, &list) + 1;
    return option.fontMetrics.elidedText(option.text, option.textElideMode, text.width() - 2 * margin);
}

TEST_F(RowsList, TheFirstColumnsDefaultWidthShowsItsCharactersBesideStatePicturesOrCheckBoxes)
{
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setPixelSize(12);
    list_.setFont(font);
    const TIniFile ini(QStringLiteral("/nonexistent/Control.inf"));
    for (bool pictures : {false, true}) {
        QPixmap state(16, 16);
        state.fill(Qt::red);
        list_.SetStateImages(pictures ? QList<QIcon>{QIcon(state), QIcon(state)} : QList<QIcon>{});
        list_.SetCheckboxes(!pictures);
        rows_.clear();
        InitListColumns(list_, 2);
        SetupListColumn(ini, list_, 0, QStringLiteral("問題一覧幅"), QStringLiteral("No."), TAlignment::taCenter, 5);
        SetupListColumn(ini, list_, 1, QStringLiteral("問題一覧幅"), QStringLiteral("答え"), TAlignment::taLeftJustify, 7);
        AddRow(QStringLiteral("99999"));
        list_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list_));
        EXPECT_EQ(ShownCaption(list_), QStringLiteral("99999")) << (pictures ? "state pictures" : "check boxes");
        EXPECT_GT(list_.Column(0).Width(), list_.TextWidth(QStringLiteral("1")) * 5 + 15);
    }
}

TEST_F(RowsList, ClampColumnWidthsBringsEveryColumnIntoItsRange)
{
    for (int width : {1000, 10, 120}) {
        TListColumn& column = list_.AddColumn();
        column.SetWidth(width);
        column.SetMinWidth(50);
        column.SetMaxWidth(300);
    }
    ClampColumnWidths(list_);
    EXPECT_EQ(list_.Column(0).Width(), 300);
    EXPECT_EQ(list_.Column(1).Width(), 50);
    EXPECT_EQ(list_.Column(2).Width(), 120);
}

TEST_F(RowsList, ClearListViewObjectsEmptiesTheListAndFreesTheRows)
{
    ClearListViewObjects(list_, rows_);
    EXPECT_EQ(list_.ItemCount(), 0);
    EXPECT_TRUE(rows_.empty());

    list_.AddColumn();
    AddRow(QStringLiteral("  1"));
    AddRow(QStringLiteral("  2"));
    list_.SetItemIndex(1);
    ClearListViewObjects(list_, rows_);
    EXPECT_EQ(list_.ItemCount(), 0);
    EXPECT_TRUE(rows_.empty());
    EXPECT_EQ(list_.ItemIndex(), -1);
    list_.show();
    list_.grab(); // painting asks for no row
}

TEST_F(RowsList, AddUncheckedCaptionsReadsEveryRowTrimmed)
{
    AddRow(QString::asprintf("%3d", 3));
    AddRow(QString::asprintf("%3d", 12), true);
    TStringList names;
    AddUncheckedCaptions(list_, names);
    EXPECT_EQ(names.Lines(), QStringList{"3"});

    // Rows far below the visible ones count too.
    for (int i = 13; i < 400; ++i)
        AddRow(QString::asprintf("%3d", i), i % 2 == 0);
    list_.show();
    names.Clear();
    AddUncheckedCaptions(list_, names);
    EXPECT_EQ(names.Count(), 1 + 387 / 2 + 1);
    EXPECT_EQ(names.Lines().last(), "399");
}

TEST_F(RowsList, SelectFirstItemSelectsRowZeroAndRaisesTheChange)
{
    QStringList changes;
    list_.OnChange = [&](TListView&, const TListItem& item) { changes << item.Caption; };
    SelectFirstItem(list_);
    EXPECT_EQ(list_.ItemIndex(), -1);
    EXPECT_TRUE(changes.isEmpty());

    list_.AddColumn();
    AddRow(QStringLiteral(" 37"));
    AddRow(QStringLiteral(" 38"));
    SelectFirstItem(list_);
    EXPECT_EQ(list_.ItemIndex(), 0);
    EXPECT_EQ(changes, QStringList{" 37"});
}

TEST(PadChartSeries, FillsTheFirstSeriesUpToTenLabelledPoints)
{
    for (auto [before, added] : {std::pair{3, 7}, {12, 0}, {0, 10}, {10, 0}}) {
        TChart chart;
        TChartSeries& first = chart.AddSeries();
        TChartSeries& second = chart.AddSeries();
        first.SetSeriesColor(RGBColor(0, 128, 0));
        for (int i = 1; i <= before; ++i)
            first.Add(i, QString::number(i));
        PadChartSeries(chart);
        ASSERT_EQ(first.Count(), before + added) << before;
        EXPECT_EQ(second.Count(), 0);
        for (int i = before; i < before + added; ++i) {
            EXPECT_EQ(first.Label(i), QString::number(i + 1));
            EXPECT_EQ(first.YValue(i), 0.0);
            EXPECT_EQ(first.PointColor(i), RGBColor(0, 128, 0));
        }
    }
}

TEST(DrawControlFrame, ErasesToAFramedBlankOfTheComponentsSize)
{
    TImage image;
    image.resize(40, 30);
    DrawControlFrame(image);
    TCanvas& canvas = image.Canvas();
    EXPECT_EQ(image.Picture().size(), QSize(40, 30));
    for (QPoint p : {QPoint(0, 0), QPoint(39, 0), QPoint(0, 29), QPoint(39, 29), QPoint(20, 0), QPoint(39, 15)})
        EXPECT_EQ(canvas.Pixel(p.x(), p.y()), clBlack) << p.x() << "," << p.y();
    EXPECT_EQ(canvas.Pixel(1, 1), clWhite);
    EXPECT_EQ(canvas.Pixel(20, 15), clWhite);
    EXPECT_EQ(canvas.Pen.Color, clBlack);
    EXPECT_EQ(canvas.Pen.Width, 1);

    // Ink and a grown component: erased again at the new size.
    canvas.Pen.Width = 4;
    canvas.MoveTo(5, 5);
    canvas.LineTo(30, 20);
    image.resize(60, 40);
    DrawControlFrame(image);
    EXPECT_EQ(image.Picture().size(), QSize(60, 40));
    EXPECT_EQ(image.Canvas().Pixel(15, 11), clWhite);
    EXPECT_EQ(image.Canvas().Pixel(59, 39), clBlack);
    EXPECT_EQ(image.Canvas().Pen.Width, 1);
}

TEST(DrawControlFrame, APictureThatIsNoBitmapBecomesAFramedBlank)
{
    TempProgramFolder folder;
    QImage photo(8, 8, QImage::Format_RGB32);
    photo.fill(Qt::blue);
    ASSERT_TRUE(photo.save(folder.FilePath(QStringLiteral("q.jpg")), "JPEG"));
    TImage image;
    image.resize(20, 10);
    image.LoadFromFile(folder.FilePath(QStringLiteral("q.jpg")));
    DrawControlFrame(image);
    ASSERT_TRUE(image.HasBitmap());
    EXPECT_EQ(image.Canvas().Pixel(5, 5), clWhite);
    EXPECT_EQ(image.Canvas().Pixel(0, 5), clBlack);
}

TEST(ShowTextComponent, PutsTheTextIntoLabelEditOrMemo)
{
    TempProgramFolder folder;
    QLabel label(QStringLiteral("old"));
    QLineEdit edit(QStringLiteral("old"));
    QPlainTextEdit memo(QStringLiteral("old"));
    ShowTextComponent(&label, QStringLiteral("<b>答え</b>"));
    ShowTextComponent(&edit, QStringLiteral("答え"));
    ShowTextComponent(&memo, QStringLiteral("一行目\r\n二行目\r三行目"));
    EXPECT_EQ(label.text(), QStringLiteral("<b>答え</b>"));
    EXPECT_EQ(label.textFormat(), Qt::PlainText);
    EXPECT_EQ(edit.text(), QStringLiteral("答え"));
    EXPECT_EQ(memo.document()->blockCount(), 3);
    EXPECT_EQ(memo.toPlainText(), QStringLiteral("一行目\n二行目\n三行目"));

    TImage picture;
    picture.resize(10, 10);
    ShowTextComponent(&picture, QStringLiteral("text"));
    EXPECT_TRUE(picture.IsEmpty());
    EXPECT_FALSE(QFile::exists(folder.FilePath(QStringLiteral("Vek.Log"))));
}

TEST(ShowTextComponent, AnAbsentComponentIsLogged)
{
    TempProgramFolder folder;
    ShowTextComponent(nullptr, QStringLiteral("text"));
    const QByteArray log = folder.Read(QStringLiteral("Vek.Log"));
    EXPECT_TRUE(log.contains("ShowTextComponent.Show ShowComponent Error\r\n")) << log.toStdString();
    EXPECT_EQ(log.count('\n'), 1);
}
