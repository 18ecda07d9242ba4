#include "platform/winapi/WindowMessages.h"

#include <QCoreApplication>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

struct TSeen {
    QString Who;
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
};

// A window that notes every message it handles and answers Msg + 1.
class TRecordingWindow : public TMessageWindow {
public:
    TRecordingWindow(QString name, std::vector<TSeen>& log, QWidget* parent = nullptr)
        : TMessageWindow(parent), name_(std::move(name)), log_(log)
    {
    }
    ~TRecordingWindow() override { DestroyHandle(); }
    void WndProc(TMessage& message) override
    {
        log_.push_back({name_, message.Msg, message.WParam, message.LParam});
        message.Result = LRESULT(message.Msg + 1);
    }

private:
    QString name_;
    std::vector<TSeen>& log_;
};

// A parent that notes when its own show event arrives.
class TShowLoggingWidget : public QWidget {
public:
    explicit TShowLoggingWidget(std::vector<TSeen>& log) : log_(log) {}

protected:
    void showEvent(QShowEvent*) override { log_.push_back({"parent shown", 0, 0, 0}); }

private:
    std::vector<TSeen>& log_;
};

std::vector<UINT> Messages(const std::vector<TSeen>& log, UINT only)
{
    std::vector<UINT> found;
    for (const TSeen& seen : log)
        if (seen.Msg == only)
            found.push_back(seen.Msg);
    return found;
}

} // namespace

TEST(WindowHandles, OneHandlePerWidgetUntilTheWidgetGoes)
{
    auto first = std::make_unique<QWidget>();
    QWidget second;
    const HWND handle = WindowHandle(first.get());
    EXPECT_NE(handle, 0u);
    EXPECT_EQ(WindowHandle(first.get()), handle);
    EXPECT_NE(WindowHandle(&second), handle);
    EXPECT_EQ(FindWindowWidget(handle), first.get());
    EXPECT_EQ(WindowHandle(nullptr), 0u);
    EXPECT_EQ(FindWindowWidget(0), nullptr);

    first.reset();
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(SendMessage(handle, WM_USER, 0, 0), 0);
    EXPECT_FALSE(PostMessage(handle, WM_USER, 0, 0));
}

TEST(WindowMessages, SentAtOncePostedWhenTheEventLoopRuns)
{
    std::vector<TSeen> log;
    TRecordingWindow window("w", log);
    const HWND handle = window.Handle();

    EXPECT_EQ(SendMessage(handle, WM_USER, 7, -3), LRESULT(WM_USER + 1));
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].WParam, 7u);
    EXPECT_EQ(log[0].LParam, -3);

    EXPECT_TRUE(PostMessage(handle, 0x401, 1, 10));
    EXPECT_TRUE(PostMessage(handle, 0x402, 2, 20));
    EXPECT_EQ(log.size(), 1u);
    QCoreApplication::processEvents();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[1].Msg, 0x401u);
    EXPECT_EQ(log[2].Msg, 0x402u);
    EXPECT_EQ(log[2].LParam, 20);
}

TEST(WindowMessages, ASubclassSeesMessagesFirstAndPassesThemOn)
{
    std::vector<TSeen> log;
    TRecordingWindow window("own", log);
    const HWND handle = window.Handle();
    TWndProc previous;
    previous = SetWindowProc(handle, [&](HWND h, UINT msg, WPARAM w, LPARAM l) {
        log.push_back({"subclass", msg, w, l});
        return msg == 0x7FF0 ? LRESULT(99) : CallWindowProc(previous, h, msg, w, l);
    });

    EXPECT_EQ(SendMessage(handle, WM_USER, 0, 0), LRESULT(WM_USER + 1));
    EXPECT_EQ(SendMessage(handle, 0x7FF0, 0, 0), 99);
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].Who, "subclass");
    EXPECT_EQ(log[1].Who, "own");
    EXPECT_EQ(log[2].Who, "subclass");

    SetWindowProc(handle, previous); // un-subclassed
    log.clear();
    SendMessage(handle, 0x7FF0, 0, 0);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].Who, "own");
}

TEST(WindowMessages, AWidgetWithoutOwnHandlingAnswersZero)
{
    QWidget plain;
    EXPECT_EQ(SendMessage(WindowHandle(&plain), WM_USER, 0, 0), 0);
    EXPECT_TRUE(SetWindowProc(0, {}) == nullptr);
}

TEST(WindowMessages, AChildIsToldOfItsShowingBeforeItsParentsShowEvent)
{
    std::vector<TSeen> log;
    TShowLoggingWidget parent(log);
    auto* child = new TRecordingWindow("child", log, &parent);
    child->resize(0, 0);

    parent.show();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[0].Who, "child");
    EXPECT_EQ(log[0].Msg, CM_SHOWINGCHANGED);
    EXPECT_EQ(log[1].Who, "parent shown");

    parent.show(); // no change, no notice
    parent.hide();
    parent.show();
    EXPECT_EQ(Messages(log, CM_SHOWINGCHANGED).size(), 3u);
}

TEST(WindowMessages, DestructionSendsWmDestroyToTheWindowThenItsChildren)
{
    std::vector<TSeen> log;
    auto parent = std::make_unique<TRecordingWindow>("parent", log);
    auto* child = new TRecordingWindow("child", log, parent.get());
    const HWND parentHandle = parent->Handle();
    const HWND childHandle = child->Handle();
    PostMessage(childHandle, WM_USER, 0, 0); // still queued when the handle goes

    DestroyWindow(parentHandle);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].Who, "parent");
    EXPECT_EQ(log[0].Msg, WM_DESTROY);
    EXPECT_EQ(log[1].Who, "child");
    EXPECT_EQ(log[1].Msg, WM_DESTROY);
    EXPECT_FALSE(IsWindow(parentHandle));
    EXPECT_FALSE(IsWindow(childHandle));

    // A new handle for the same widget does not receive the old handle's message.
    EXPECT_NE(child->Handle(), childHandle);
    QCoreApplication::processEvents();
    EXPECT_EQ(log.size(), 2u);

    log.clear();
    parent.reset(); // the new handle of the child goes with it
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].Who, "child");
    EXPECT_EQ(log[0].Msg, WM_DESTROY);
}
