#include "WdwStateTestSupport.h"

#include "platform/files/Files.h"
#include "platform/vcl/Application.h"

#include <QElapsedTimer>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

class WdwStateTest : public ::testing::Test {
protected:
    void SaveRecord(const TKvWdwStateData& data) { folder.Write("Menu.dat", data.ToBytes()); }
    std::optional<TKvWdwStateData> SavedRecord() const
    {
        return TKvWdwStateData::FromBytes(folder.Read("Menu.dat"));
    }

    TempProgramFolder folder;
};

} // namespace

TEST(WdwStateData, TwentyLittleEndianBytes)
{
    const TKvWdwStateData data{-2, 0x01020304, 640, 480, 2};
    const QByteArray bytes = data.ToBytes();
    EXPECT_EQ(bytes, QByteArray::fromHex("feffffff" "04030201" "80020000" "e0010000" "02000000"));
    EXPECT_EQ(TKvWdwStateData::FromBytes(bytes), data);
    EXPECT_FALSE(TKvWdwStateData::FromBytes(bytes.left(19)).has_value());
}

TEST(WdwStateCreate, OnlyOneComponentAndOnlyOnAForm)
{
    const QString notAForm = "TKvCustomWdwState.Create():\r\nWindow state components must be placed "
                             "on a form. To create a component dynamically use the CreateStandAlone "
                             "constructor.";
    TForm form;
    form.setObjectName("frmData");
    QObject plain;
    auto* button = new QWidget(&form);
    for (QObject* owner : {static_cast<QObject*>(nullptr), &plain, static_cast<QObject*>(button)}) {
        try {
            TKvUserWdwState state(owner);
            ADD_FAILURE() << "created on a non-form";
        } catch (const EKvCustomWdwState& e) {
            EXPECT_EQ(e.Message(), notAForm);
        }
    }

    auto* first = TKvUserWdwState::CreateStandAlone(&form);
    first->setObjectName("KvUserWdwState");
    EXPECT_EQ(first->Form(), &form);
    EXPECT_EQ(first->Hook()->parentWidget(), &form);
    EXPECT_EQ(TKvCustomWdwState::FindWdwStateComponent(&form), first);
    try {
        new TKvUserWdwState(&form);
        ADD_FAILURE() << "second component created";
    } catch (const EKvCustomWdwState& e) {
        EXPECT_EQ(e.Message(), "TKvCustomWdwState.Create():\r\nOnly one window state component is "
                               "permitted on a  form: KvUserWdwState is already present on frmData.");
    }
    EXPECT_EQ(form.findChildren<TKvCustomWdwState*>().size(), 1);

    try {
        TKvUserWdwState::CreateStandAlone(nullptr);
        ADD_FAILURE() << "created without a form";
    } catch (const EKvCustomWdwState& e) {
        EXPECT_EQ(e.Message(), "TKvCustomWdwState.CreateStandAlone():\r\nA non-nil parent form is required.");
    }
}

TEST_F(WdwStateTest, ReadBeforeOnShowAndSavedWhenTheWindowIsDestroyed)
{
    {
        TStateForm screen(folder);
        EXPECT_FALSE(screen.State->FormShown());
        screen.Show();
        EXPECT_EQ(screen.Events, QStringList({"read", "show"}));
        EXPECT_TRUE(screen.State->FormShown());
        EXPECT_EQ(screen.Form->geometry(), QRect(10, 20, 300, 200)); // no file: the form's own
        EXPECT_FALSE(FileExists(folder.FilePath("Menu.dat")));

        SetWindowPlacement(screen.Form.get(), QRect(40, 50, 320, 240));
        screen.Form->hide(); // a later showing change restores nothing
        screen.Form->show();
        EXPECT_EQ(screen.Events.count("read"), 1);
    }
    EXPECT_EQ(SavedRecord(), (TKvWdwStateData{40, 50, 320, 240, 0}));

    TStateForm again(folder);
    again.Show();
    EXPECT_EQ(again.Placed(), QRect(40, 50, 320, 240));
}

TEST_F(WdwStateTest, AFormNeverShownSavesNothing)
{
    {
        TStateForm screen(folder);
    }
    EXPECT_FALSE(FileExists(folder.FilePath("Menu.dat")));
}

TEST_F(WdwStateTest, TheRectangleIsFittedIntoTheWorkArea)
{
    const QRect area = WorkArea();
    struct TCase {
        QRect Saved;
        QRect Expected;
    } cases[] = {
        // wider than the work area: as wide as it, at its left edge
        {{area.left() + 100, area.top() + 10, 3000, 200}, {area.left(), area.top() + 10, area.width(), 200}},
        // partly right of it: moved left until the right edges meet
        {{area.right() - 100, area.top() + 10, 300, 200}, {area.left() + area.width() - 300, area.top() + 10, 300, 200}},
        // above it, and left of it: moved onto it
        {{area.left() + 30, area.top() - 500, 300, 200}, {area.left() + 30, area.top(), 300, 200}},
        {{area.left() - 80, area.top() + 10, 300, 200}, {area.left(), area.top() + 10, 300, 200}},
        // below and taller: as tall as it, at its top
        {{area.left() + 5, area.bottom() + 900, 300, 5000}, {area.left() + 5, area.top(), 300, area.height()}},
    };
    for (const TCase& c : cases) {
        SaveRecord({c.Saved.left(), c.Saved.top(), c.Saved.width(), c.Saved.height(), 0});
        TStateForm screen(folder);
        screen.Show();
        EXPECT_EQ(screen.Placed(), c.Expected) << c.Saved.x() << "," << c.Saved.y();
    }
}

TEST_F(WdwStateTest, WithoutFittingTheSavedRectangleIsTakenAsItIs)
{
    const QRect area = WorkArea();
    const QRect saved(area.left() + area.width() - 100, area.top() + 30, 300, 200);
    SaveRecord({saved.left(), saved.top(), saved.width(), saved.height(), 0});
    TStateForm screen(folder);
    screen.State->Options = {};
    screen.Show();
    EXPECT_EQ(screen.Placed(), saved);
}

TEST_F(WdwStateTest, StateTwoMaximisesWhenThePostedMessageArrives)
{
    SaveRecord({30, 40, 310, 220, 2});
    TStateForm screen(folder);
    bool normalAtOnShow = false;
    screen.Form->OnShow = [&] {
        normalAtOnShow = !screen.State->StateApplied() && GetWindowShowState(screen.Form.get()) == wsNormal;
        EXPECT_EQ(screen.Placed(), QRect(30, 40, 310, 220));
    };
    screen.Show();
    EXPECT_TRUE(normalAtOnShow);
    QCoreApplication::processEvents();
    EXPECT_TRUE(screen.State->StateApplied());
    EXPECT_EQ(GetWindowShowState(screen.Form.get()), wsMaximized);

    // Closed while maximised: the normal rectangle and State 2 are kept.
    screen.Form.reset();
    EXPECT_EQ(SavedRecord(), (TKvWdwStateData{30, 40, 310, 220, 2}));
}

TEST_F(WdwStateTest, StateThreeChangesNothingButTheRectangle)
{
    SaveRecord({30, 40, 310, 220, 3});
    TStateForm screen(folder);
    screen.Show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(screen.State->StateApplied());
    EXPECT_EQ(GetWindowShowState(screen.Form.get()), wsNormal);
    EXPECT_EQ(screen.Placed(), QRect(30, 40, 310, 220));

    // Only the low byte counts: 0x102 maximises.
    SaveRecord({30, 40, 310, 220, 0x102});
    TStateForm other(folder);
    other.Show();
    QCoreApplication::processEvents();
    EXPECT_EQ(GetWindowShowState(other.Form.get()), wsMaximized);
}

TEST_F(WdwStateTest, StateOneMinimisesAfterTheDelay)
{
    SaveRecord({30, 40, 310, 220, 1});
    TStateForm screen(folder);
    QElapsedTimer clock;
    clock.start();
    screen.Show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return screen.State->StateApplied(); }, 2000));
    EXPECT_GE(clock.elapsed(), 100);
    EXPECT_EQ(GetWindowShowState(screen.Form.get()), wsMinimized);
}

TEST_F(WdwStateTest, IgnoredSizeAndStateKeepTheFormsOwn)
{
    SaveRecord({30, 40, 500, 400, 2});
    TStateForm screen(folder);
    screen.State->Options = woIgnoreSize;
    screen.State->SetIgnoreState(true);
    EXPECT_TRUE(screen.State->IgnoreState());
    screen.Show();
    QCoreApplication::processEvents();
    EXPECT_EQ(screen.Placed(), QRect(30, 40, 300, 200));
    EXPECT_EQ(GetWindowShowState(screen.Form.get()), wsNormal);
}

TEST_F(WdwStateTest, AFailingReadEndsTheRestoreAtTheExceptionEvent)
{
    QStringList logged;
    Application().OnException = [&](const std::exception_ptr&) { logged.append(ExceptMessage()); };
    TStateForm screen(folder);
    screen.State->OnReadData = [](QObject*, TKvWdwStateData& data) {
        data = {500, 500, 100, 100, 2}; // half read, then the stream fails
        throw Exception("Stream read error");
    };
    screen.Show();
    QCoreApplication::processEvents();
    Application().OnException = nullptr;

    EXPECT_EQ(logged, QStringList{"Stream read error"});
    EXPECT_EQ(screen.Placed(), QRect(10, 20, 300, 200));
    EXPECT_EQ(GetWindowShowState(screen.Form.get()), wsNormal);
    EXPECT_TRUE(screen.Form->isVisible());
}

TEST_F(WdwStateTest, ARestoreAskedBeforeTheFirstShowingWaitsForIt)
{
    SaveRecord({60, 70, 250, 150, 0});
    TStateForm screen(folder);
    screen.State->AutoSaveRestore = false;
    screen.State->Restore();
    EXPECT_TRUE(screen.State->RestorePending());
    EXPECT_TRUE(screen.Events.isEmpty());
    screen.Show();
    EXPECT_FALSE(screen.State->RestorePending());
    EXPECT_EQ(screen.Placed(), QRect(60, 70, 250, 150));
}

TEST_F(WdwStateTest, AnMdiChildWaitsForItsParentsState)
{
    TForm parent;
    parent.resize(700, 500);
    auto* area = new QMdiArea(&parent);
    area->resize(600, 400);
    auto* parentState = new TKvUserWdwState(&parent);
    parentState->AutoSaveRestore = true;
    parentState->Options = woFitWorkArea;

    auto* child = new TForm;
    auto* childState = new TKvUserWdwState(child);
    childState->AutoSaveRestore = true;
    childState->Options = woFitWorkArea;
    bool parentAppliedAtRead = false;
    childState->OnReadData = [&](QObject*, TKvWdwStateData& data) {
        parentAppliedAtRead = parentState->StateApplied();
        data = {500, 20, 900, 150, 0};
    };
    QMdiSubWindow* sub = area->addSubWindow(child);
    EXPECT_EQ(childState->FindMDIParentForm(), &parent);

    parent.show(); // the child is shown first, while its parent's state is still to come
    EXPECT_TRUE(childState->FormShown());
    EXPECT_TRUE(childState->RestorePending());
    EXPECT_FALSE(childState->CanRestoreMDIChild());

    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    QCoreApplication::processEvents(); // the parent's state, then the child's restore
    EXPECT_TRUE(parentState->StateApplied());
    EXPECT_TRUE(parentAppliedAtRead);
    EXPECT_FALSE(childState->RestorePending());
    const int width = area->viewport()->width();
    EXPECT_EQ(sub->geometry(), QRect(0, 20, width, 150)); // fitted into the MDI area
}
