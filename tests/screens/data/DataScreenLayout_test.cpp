// The data screen's layout: proportional resizing, the bottom buttons, the default
// placement, the keys and what the closing saves.
#include "tests/screens/data/DataScreenSupport.h"

#include <QComboBox>
#include <QFrame>
#include <QSplitter>

namespace {

struct TPanelHeights {
    int Top, TopChart, Answer;
    friend bool operator==(const TPanelHeights&, const TPanelHeights&) = default;
};

TPanelHeights Heights(TfrmData& form)
{
    return {form.TabTop->height(), form.pnlTopRight->height(), form.pnlBottonRight->height()};
}

void PrintTo(const TPanelHeights& h, std::ostream* os)
{
    *os << h.Top << '/' << h.TopChart << '/' << h.Answer;
}

// Resizes the form's client area and lets the panels follow.
void ResizeClient(TfrmData& form, int width, int height)
{
    form.resize(width, height);
    QApplication::processEvents();
}

// The same for the outer size, the one the proportions are taken of.
void ResizeOuter(TfrmData& form, int width, int height)
{
    ResizeClient(form, width - (form.Width() - form.ClientWidth()),
                 height - (form.Height() - form.ClientHeight()));
}

} // namespace

TEST_F(DataScreen, DoublingTheHeightDoublesTheThreePanelHeights)
{
    WriteCategory(10);
    OpenScreen([&] {
        TfrmData& form = Form();
        const TPanelHeights before = Heights(form);
        ASSERT_EQ(before, (TPanelHeights{300, 150, 140}));
        const int width = form.Width();
        const int height = form.Height();
        ResizeOuter(form, width, 2 * height);
        EXPECT_EQ(form.Height(), 2 * height);
        EXPECT_EQ(Heights(form), (TPanelHeights{600, 300, 280}));
        // Widths follow the width the same way (rounded up).
        ResizeOuter(form, width * 3 / 2, 2 * height);
        EXPECT_EQ(form.pnlUnitList->width(), (306 * (width * 3 / 2) + width - 1) / width);
        EXPECT_EQ(form.pnlAnswerList->width(), (306 * (width * 3 / 2) + width - 1) / width);
    });
}

TEST_F(DataScreen, AHeightBelowTheMinimumScalesWithTheMinimum)
{
    WriteCategory(10);
    OpenScreen([&] {
        TfrmData& form = Form();
        const int height = form.Height();
        int width = form.Width();
        int proposed = 300;
        bool resize = true;
        Control().FormCanResize(width, proposed, resize);
        EXPECT_EQ(proposed, 300); // the proposal itself stays
        EXPECT_TRUE(resize);
        QApplication::processEvents();
        const auto up = [height](int size) { return (size * 500 + height - 1) / height; };
        EXPECT_EQ(Heights(form), (TPanelHeights{up(300), up(150), up(140)}));
    });
}

TEST_F(DataScreen, MovingAWindowEdgeBackAndForthDoesNotGrowThePanels)
{
    WriteCategory(10);
    OpenScreen([&] {
        TfrmData& form = Form();
        const int width = form.width();
        const int height = form.height();
        for (int step = 0; step < 100; ++step) {
            ResizeClient(form, width, height + 1 + step % 7);
            ResizeClient(form, width + 1 + step % 5, height);
        }
        ResizeClient(form, width, height);
        EXPECT_EQ(Heights(form), (TPanelHeights{300, 150, 140}));
        EXPECT_EQ(form.pnlUnitList->width(), 306);
        EXPECT_EQ(form.pnlAnswerList->width(), 306);

        // A splitter the user moves starts the next sizing from the new proportions.
        form.SptBase->setSizes({200, 400});
        emit form.SptBase->splitterMoved(200, 1);
        const int moved = form.TabTop->height();
        const int outer = form.Height();
        ResizeOuter(form, form.Width(), 2 * outer);
        EXPECT_EQ(form.TabTop->height(), 2 * moved);
    });
}

TEST_F(DataScreen, TheBottomButtonsFollowTheMenuColumnsBottomEdge)
{
    WriteCategory(5);
    OpenScreen([&] {
        TfrmData& form = Form();
        for (int height : {600, 777}) {
            ResizeClient(form, form.width(), height);
            const int h = form.pnlMenu->height();
            EXPECT_EQ(form.sbtnSetting->y(), h - 120);
            EXPECT_EQ(form.sbtnShowSetting->y(), h - 80);
            EXPECT_EQ(form.sbtnClose->y(), h - 40);
        }
    });
}

TEST_F(DataScreen, ThePlacementButtonMakesAMaximisedWindowNormalAtTheTopLeft)
{
    WriteCategory(5);
    OpenScreen([&] {
        TfrmData& form = Form();
        form.SetBounds(0, 40, DataFormMinWidth, 520);
        QApplication::processEvents();
        // The test screen (800 × 600) cannot hold the window maximised for long, as it is
        // narrower than the window's minimum width: the button is pressed at once.
        form.setWindowState(Qt::WindowMaximized);
        ASSERT_TRUE(form.isMaximized());
        QTest::mouseClick(form.sbtnShowSetting, Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_FALSE(form.isMaximized());
        EXPECT_EQ(form.Left(), 0);
        EXPECT_EQ(form.Top(), 0);
        EXPECT_EQ(form.ClientHeight(), 600);
        EXPECT_EQ(form.Width(), DataFormMinWidth);
    });
}

TEST_F(DataScreen, EnterStartsATestFromEveryControlAndEscCloses)
{
    WriteCategory(5);
    OpenScreen([&] {
        TfrmData& form = Form();
        for (QWidget* control : std::initializer_list<QWidget*>{
                 form.lvAnswerUnit, form.lvAnswer, form.lvUnitHistory, form.lvReply, form.cmbCategory}) {
            SCOPED_TRACE(control->objectName().toStdString());
            TStartedTest started;
            StopTestWhenShown(started);
            control->setFocus();
            QTest::keyClick(control, Qt::Key_Return);
            EXPECT_TRUE(started.Shown);
            EXPECT_EQ(started.Numbers.size(), 5);
        }
        QTest::keyClick(form.cmbCategory, Qt::Key_Escape);
        EXPECT_TRUE(QTest::qWaitFor([] { return !frmData || !frmData->isVisible(); }, 2000));
    }, false);
}

TEST_F(DataScreen, TheCloseButtonSavesLikeEsc)
{
    WriteCategory(30);
    OpenScreen([&] {
        TfrmData& form = Form();
        form.lvAnswerUnit->SetItemIndex(2);
        form.Splitter2->setSizes({123, 200});
        QTest::mouseClick(form.sbtnClose, Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([] { return !frmData || !frmData->isVisible(); }, 2000));
    }, false);
    EXPECT_EQ(Ini().ReadInteger("位置", "TopChartHeight", 0), 123);
    EXPECT_EQ(Ini().ReadInteger("単位", "ｲﾝﾃﾞｯｸｽ", 0), 2);
    EXPECT_EQ(program_.Read("VEKTest/Form.dat").size(), 20);
    EXPECT_EQ(GetCategorySelectCount("Test"), 0);
}

TEST_F(DataScreen, TheListsAskForTheJapaneseMonospaceFontByNameAndGetOne)
{
    WriteCategory(5);
    OpenScreen([&] {
        for (TListView* list : {Form().lvAnswerUnit, Form().lvAnswer, Form().lvUnitHistory, Form().lvReply}) {
            EXPECT_EQ(list->font().family(), "ＭＳ ゴシック");
            EXPECT_EQ(list->font().pixelSize(), 12);
            // A monospace font with Japanese glyphs: digits and letters of one width,
            // kanji of two.
            const QFontInfo shown(list->font());
            EXPECT_TRUE(QFont::substitutes("ＭＳ ゴシック").contains(shown.family(), Qt::CaseInsensitive))
                << shown.family().toStdString();
            const QFontMetrics metrics(list->font());
            EXPECT_EQ(metrics.horizontalAdvance("1"), metrics.horizontalAdvance("W"));
            EXPECT_EQ(metrics.horizontalAdvance("漢"), 2 * metrics.horizontalAdvance("1"))
                << shown.family().toStdString();
        }
    });
}
