#include "VclTestSupport.h"
#include "platform/vcl/NoCaret.h"

#include <QApplication>
#include <QImage>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The memo's text area as drawn, with and without the focus; a steady caret makes the
// two differ.
struct TCaretProbe {
    TCaretProbe()
    {
        QApplication::setCursorFlashTime(0); // the caret, if any, does not blink
        memo.setPlainText("問題の文章");
        memo.setReadOnly(true);
        memo.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        memo.resize(200, 80);
        memo.show();
        memo.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&memo));
    }
    ~TCaretProbe() { QApplication::setCursorFlashTime(1000); }
    bool CaretDrawn()
    {
        memo.clearFocus();
        const QImage without = memo.viewport()->grab().toImage();
        memo.setFocus();
        QTest::keyClick(&memo, Qt::Key_End); // the caret moves after the text
        const QImage with = memo.viewport()->grab().toImage();
        return with != without;
    }
    QPlainTextEdit memo;
};

TEST(NoCaret, ReadOnlyMemoShowsNoCaretWithTheFocus)
{
    TCaretProbe probe;
    ASSERT_TRUE(probe.CaretDrawn()); // the probe sees a caret of a plain read-only memo
    SetNoCaret(&probe.memo);
    EXPECT_FALSE(probe.CaretDrawn());
    EXPECT_TRUE(probe.memo.isReadOnly());
    EXPECT_EQ(probe.memo.toPlainText(), "問題の文章");
}

} // namespace
