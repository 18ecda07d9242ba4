// Window-state records with odd values: sizes that cannot be a window are no record, any
// 32-bit values give a defined placement, a cut file opens the form at its own placement.
#include "WdwStateTestSupport.h"

#include <QFile>
#include <climits>

namespace {

class WdwStateRecord : public ::testing::Test {
protected:
    void SaveRecord(const TKvWdwStateData& data) { folder.Write("Menu.dat", data.ToBytes()); }
    std::optional<TKvWdwStateData> SavedRecord() const { return TKvWdwStateData::FromBytes(folder.Read("Menu.dat")); }

    TempProgramFolder folder;
};

} // namespace

TEST_F(WdwStateRecord, ASizeThatCannotBeAWindowIsNoRecordAndIsNeverSaved)
{
    // The form's own placement (and its minimum size), then what each record gives.
    const auto open = [this] {
        TStateForm screen(folder);
        screen.Form->SetMinSize(160, 120);
        screen.Show();
        QCoreApplication::processEvents();
        EXPECT_EQ(GetWindowShowState(screen.Form.get()), wsNormal);
        return std::pair{screen.Form->geometry(), screen.Placed()};
    };
    const auto [ownGeometry, own] = open();
    ASSERT_EQ(ownGeometry.size(), QSize(300, 200));
    const TKvWdwStateData saved{own.left(), own.top(), own.width(), own.height(), 0};
    EXPECT_EQ(SavedRecord(), saved);

    const TKvWdwStateData records[] = {
        {40, 50, 0, 240, 2}, {40, 50, 320, 0, 0}, {40, 50, -320, 240, 0}, {40, 50, 320, INT_MIN, 1},
        {40, 50, 1, 1, 0},     // below the form's minimum size
        {40, 50, 320, 100, 0}, // short of it
    };
    for (const TKvWdwStateData& record : records) {
        SCOPED_TRACE(testing::Message() << record.Width << "x" << record.Height);
        SaveRecord(record);
        EXPECT_EQ(open().first, ownGeometry);
        EXPECT_EQ(SavedRecord(), saved); // the form's own placement, never the record
    }
}

TEST_F(WdwStateRecord, ExtremeValuesGiveADefinedPlacementInTheWorkArea)
{
    const QRect area = WorkArea();
    const struct {
        TKvWdwStateData Record;
        QRect Expected;
    } cases[] = {
        {{INT_MAX, INT_MAX, INT_MAX, INT_MAX, 0}, area},
        {{INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MIN}, area},
        {{INT_MIN, INT_MAX, 300, 200, INT_MAX}, {area.left(), area.top() + area.height() - 200, 300, 200}},
        {{INT_MAX, INT_MIN, 300, 200, 0}, {area.left() + area.width() - 300, area.top(), 300, 200}},
        {{-1, -1, 300, 200, -1}, {area.left(), area.top(), 300, 200}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Record.Left << "," << c.Record.Top << " " << c.Record.Width);
        SaveRecord(c.Record);
        TStateForm screen(folder);
        screen.Show();
        QCoreApplication::processEvents(); // a State whose low byte is 0xFF changes nothing
        EXPECT_EQ(GetWindowShowState(screen.Form.get()), wsNormal);
        EXPECT_EQ(screen.Placed(), c.Expected);
    }
}

TEST_F(WdwStateRecord, ExtremeValuesWithoutFittingStayInQtsRange)
{
    SaveRecord({INT_MAX, INT_MIN, 300, 200, 0});
    TStateForm screen(folder);
    screen.State->Options = {};
    screen.Show();
    const QRect placed = screen.Placed();
    EXPECT_EQ(placed.size(), QSize(300, 200));
    EXPECT_LE(qint64(placed.left()) + placed.width(), qint64(QWIDGETSIZE_MAX) + 300);
    EXPECT_GE(placed.top(), -QWIDGETSIZE_MAX);
}

TEST_F(WdwStateRecord, ACutRecordFileOpensTheFormAtItsOwnPlacementWithOneLogLine)
{
    folder.Write("Menu.dat", TKvWdwStateData{40, 50, 320, 240, 2}.ToBytes().left(12));
    QRect own;
    {
        TStateForm screen(folder);
        screen.Show();
        EXPECT_EQ(screen.Form->geometry(), QRect(10, 20, 300, 200));
        own = screen.Placed();
    }
    const QStringList log = QString::fromLatin1(folder.Read("Vek.Log")).split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(log.size(), 1);
    EXPECT_TRUE(log[0].contains("KvUserWdwStateReadData.")) << log[0].toStdString();
    EXPECT_TRUE(log[0].contains("Menu.dat: 12 bytes")) << log[0].toStdString();
    EXPECT_EQ(SavedRecord(), (TKvWdwStateData{own.left(), own.top(), 300, 200, 0})); // whole again

    TKvWdwStateData untouched{1, 2, 3, 4, 5};
    folder.Write("Menu.dat", QByteArray());
    EXPECT_FALSE(ReadWdwStateFile(folder.FilePath("Menu.dat"), untouched, WriteLog));
    EXPECT_EQ(untouched, (TKvWdwStateData{1, 2, 3, 4, 5}));
    EXPECT_FALSE(ReadWdwStateFile(folder.FilePath("none.dat"), untouched, WriteLog));
    folder.Write("Menu.dat", TKvWdwStateData{7, 8, 9, 10, 0}.ToBytes() + "more");
    EXPECT_TRUE(ReadWdwStateFile(folder.FilePath("Menu.dat"), untouched, WriteLog));
    EXPECT_EQ(untouched, (TKvWdwStateData{7, 8, 9, 10, 0}));
}
