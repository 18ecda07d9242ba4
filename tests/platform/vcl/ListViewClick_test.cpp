// Clicks on a list with check boxes: which row a click names, when the list's own box
// toggle takes a click, double-clicks, ticks set from code and the sort collation.
#include "platform/core/Checked.h"
#include "platform/core/Exception.h"
#include "platform/vcl/ListView.h"
#include "tests/support/QtPrinters.h"

#include <QApplication>
#include <QLocale>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ClickList : public testing::Test {
protected:
    void SetUp() override
    {
        list_.resize(300, 200);
        list_.SetCheckboxes(true);
        list_.AddColumn().SetWidth(250);
        for (const char* caption : {"a", "b", "c"})
            list_.AddItem().Caption = QString::fromLatin1(caption);
        list_.OnClick = [this](TListView& sender) { events_ << QStringLiteral("click %1").arg(sender.ClickedItem()); };
        list_.OnDblClick = [this](TListView& sender) { events_ << QStringLiteral("dbl %1").arg(sender.ClickedItem()); };
        list_.show();
        QApplication::processEvents();
    }

    QRect Row(int row) { return list_.visualRect(list_.model()->index(row, 0)); }
    QPoint Text(int row) { return QPoint(150, Row(row).center().y()); }
    QPoint Box(int row)
    {
        return QPoint(Row(row).left() + 3 + list_.style()->pixelMetric(QStyle::PM_IndicatorWidth) / 2,
                      Row(row).center().y());
    }
    QPoint Below() { return QPoint(150, list_.viewport()->height() - 5); }
    // What the window system sends for a double-click: press, release, double-click, release.
    void DoubleClick(QPoint at)
    {
        QTest::mouseClick(Rows(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(Rows(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(Rows(), Qt::LeftButton, {}, at);
    }
    QWidget* Rows() { return list_.viewport(); }

    TListView list_;
    QStringList events_;
};

} // namespace

TEST_F(ClickList, AClickNamesTheRowUnderThePointerOrNone)
{
    QTest::mouseClick(Rows(), Qt::LeftButton, {}, Text(1));
    QTest::mouseClick(Rows(), Qt::LeftButton, {}, Below());
    QTest::mouseClick(Rows(), Qt::RightButton, {}, Text(2));
    QTest::mousePress(Rows(), Qt::LeftButton, {}, Text(0));
    QTest::mouseRelease(Rows(), Qt::LeftButton, {}, Text(2)); // pressed on one row, let go on another
    EXPECT_EQ(events_, QStringList({"click 1", "click -1"}));
    EXPECT_FALSE(list_.Item(1).Checked);
}

TEST_F(ClickList, TheBoxTogglesOnceAndIsNoClick)
{
    QTest::mouseClick(Rows(), Qt::LeftButton, {}, Box(2));
    EXPECT_TRUE(list_.Item(2).Checked);
    DoubleClick(Box(0));
    EXPECT_FALSE(list_.Item(0).Checked); // toggled by both clicks of the double-click
    EXPECT_TRUE(events_.isEmpty()) << events_.join(u',').toStdString();
}

TEST_F(ClickList, ADoubleClickIsOneClickAndOneDoubleClick)
{
    DoubleClick(Text(1));
    EXPECT_EQ(events_, QStringList({"click 1", "dbl 1"}));
}

TEST_F(ClickList, TicksSetFromCodeAreDrawnAndChecked)
{
    list_.OnCustomDrawItem = [](TListView&, const TListItem& item, TColor& background) {
        if (item.Checked)
            background = clRed;
    };
    list_.SetItemChecked(1, true);
    EXPECT_TRUE(list_.Item(1).Checked);
    const QImage image = Rows()->grab().toImage();
    EXPECT_EQ(image.pixelColor(150, Row(1).center().y() - 3), QColor(Qt::red));
    EXPECT_THROW(list_.SetItemChecked(3, true), ERangeError);
    TListView owner;
    owner.SetOwnerData(true);
    owner.SetItemCount(1);
    EXPECT_THROW(owner.SetItemChecked(0, true), Exception);
}

TEST(ListSortLocale, CaptionsSortInTheCollationOfTheLocaleGiven)
{
    TListView list;
    list.AddColumn();
    list.SetSortType(TSortType::stText);
    for (const char* caption : {"きつね", "ｶﾒ", "アリ"})
        list.AddItem().Caption = QString::fromUtf8(caption);
    list.SetSortLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    EXPECT_EQ(list.Item(0).Caption, QString::fromUtf8("アリ"));
    EXPECT_EQ(list.Item(1).Caption, QString::fromUtf8("ｶﾒ"));
    EXPECT_EQ(list.Item(2).Caption, QString::fromUtf8("きつね"));
}
