#include "components/KT_WinTab.h"
#include "platform/core/Exception.h"
#include "platform/files/Files.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"
#include "tests/support/ProgramFolder.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointingDevice>
#include <QScreen>
#include <QTabletEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

const QString NoTablet = "No active Tablet found";

struct TPacketSeen {
    HWND Serial;
    HWND Handle;
    TTabletPacket Packet;
};

const QPointingDevice& Pen()
{
    static const QPointingDevice pen("test pen", 7, QInputDevice::DeviceType::Stylus,
                                     QPointingDevice::PointerType::Pen,
                                     QInputDevice::Capability::Position | QInputDevice::Capability::Pressure,
                                     1, 3);
    return pen;
}

void SendTablet(QWidget* receiver, QEvent::Type type, QPointF global, qreal pressure,
                Qt::MouseButtons buttons = Qt::LeftButton)
{
    const QPointF local = receiver->mapFromGlobal(global);
    const Qt::MouseButton button = type == QEvent::TabletMove ? Qt::NoButton : Qt::LeftButton;
    QTabletEvent event(type, &Pen(), local, global, pressure, 0, 0, 0, 0, 0, Qt::NoModifier, button, buttons);
    QCoreApplication::sendEvent(receiver, &event);
}

class WinTabTest : public ::testing::Test {
protected:
    // The tablet library in the program folder, optionally with one function renamed so
    // that the library lacks it.
    void InstallLibrary(const QByteArray& missing = {})
    {
        QByteArray bytes = ReadFileBytes(QStringLiteral(MORIVA_WINTAB_LIBRARY));
        if (!missing.isEmpty()) {
            QByteArray renamed = missing;
            renamed.back() = 'X';
            bytes.replace('\0' + missing + '\0', '\0' + renamed + '\0');
        }
        folder.Write("libwintab32.so", bytes);
    }

    // A shown form whose window procedure notes every message before the component
    // subclasses it.
    std::unique_ptr<TForm> ShownForm()
    {
        auto form = std::make_unique<TForm>();
        form->SetBounds(50, 40, 300, 200);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        const HWND window = WindowHandle(form.get());
        auto previous = std::make_shared<TWndProc>();
        *previous = SetWindowProc(window, [this, previous](HWND h, UINT msg, WPARAM w, LPARAM l) {
            formMessages.push_back(msg);
            return CallWindowProc(*previous, h, msg, w, l);
        });
        return form;
    }

    TKoltWinTab* Tablet(QWidget* form)
    {
        auto* tablet = new TKoltWinTab(form);
        tablet->OnStart = [this](QObject*) { ++starts; };
        tablet->OnStop = [this](QObject*) { ++stops; };
        return tablet;
    }

    int Count(UINT msg) const { return int(std::count(formMessages.begin(), formMessages.end(), msg)); }

    TempProgramFolder folder;
    std::vector<UINT> formMessages;
    int starts = 0;
    int stops = 0;
};

} // namespace

TEST_F(WinTabTest, WithoutTheLibraryItStaysInactiveAndAnswersNoTablet)
{
    auto form = ShownForm();
    TKoltWinTab* tablet = Tablet(form.get());
    tablet->SetActive(true);
    EXPECT_FALSE(tablet->Active());
    EXPECT_EQ(starts, 0);
    EXPECT_FALSE(tablet->Enabled());
    for (const QString& text : {tablet->WinTabId(), tablet->DeviceName(), tablet->CursorName(), tablet->ExtensionName()})
        EXPECT_EQ(text, NoTablet);
    EXPECT_EQ(tablet->SpecVersion(), "0");
    EXPECT_EQ(tablet->ImplVersion(), "0");
    EXPECT_EQ(tablet->NDevices() + tablet->NCursors() + tablet->NContexts() + tablet->Contexts() + tablet->PktRate(), 0u);

    // The values of the form layout change nothing; a switch-off still tells OnStop.
    tablet->SetEnabled(false);
    tablet->SetWinTabId(NoTablet);
    tablet->SetActive(false);
    EXPECT_EQ(stops, 1);
    EXPECT_FALSE(tablet->Active());
}

TEST_F(WinTabTest, SwitchedOnTwiceAndOffTwice)
{
    InstallLibrary();
    auto form = ShownForm();
    TKoltWinTab* tablet = Tablet(form.get());
    int opened = 0;
    tablet->OnContextOpen = [&](QObject*, quint32, quint32) { ++opened; };

    tablet->SetActive(true);
    ASSERT_TRUE(tablet->Active());
    tablet->SetActive(true);
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(tablet->Contexts(), 1u);
    EXPECT_TRUE(tablet->Enabled());
    QCoreApplication::processEvents();
    EXPECT_EQ(opened, 1);

    tablet->SetActive(false);
    EXPECT_FALSE(tablet->Active());
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(tablet->DeviceName(), NoTablet);
    tablet->SetActive(false);
    EXPECT_EQ(stops, 2);

    tablet->SetActive(true); // loads again
    EXPECT_TRUE(tablet->Active());
    EXPECT_EQ(starts, 2);
    EXPECT_EQ(tablet->Contexts(), 1u);
}

TEST_F(WinTabTest, InformationOfTheLibrary)
{
    InstallLibrary();
    auto form = ShownForm();
    TKoltWinTab* tablet = Tablet(form.get());
    tablet->SetActive(true);
    ASSERT_TRUE(tablet->Active());
    EXPECT_EQ(tablet->SpecVersion(), "1.4"); // the word 0x0104
    EXPECT_EQ(tablet->ImplVersion(), "1.0"); // the word 0x0100
    EXPECT_EQ(tablet->WinTabId(), "Tablet input through Qt");
    EXPECT_EQ(tablet->NDevices(), 1u);
    EXPECT_EQ(tablet->NCursors(), 3u);
    EXPECT_EQ(tablet->NContexts(), 16u);
    EXPECT_EQ(tablet->PktRate(), 100u);
    EXPECT_EQ(tablet->CursorName(), "Puck");
    EXPECT_EQ(tablet->ExtensionName(), "");
    EXPECT_FALSE(tablet->DeviceName().isEmpty());
}

TEST_F(WinTabTest, TabletEventsOnTheWindowArriveAsPacketsWithTheirPressure)
{
    InstallLibrary();
    auto form = ShownForm();
    auto* child = new QWidget(form.get());
    child->setGeometry(10, 10, 100, 100);
    child->show();
    TKoltWinTab* tablet = Tablet(form.get());
    std::vector<TPacketSeen> packets;
    tablet->OnPacket = [&](QObject* sender, HWND serial, HWND handle, const TTabletPacket& packet) {
        EXPECT_EQ(sender, tablet);
        packets.push_back({serial, handle, packet});
    };
    tablet->SetActive(true);
    ASSERT_TRUE(tablet->Active());

    const QPointF global = form->mapToGlobal(QPointF(150, 120));
    SendTablet(form.get(), QEvent::TabletPress, global, 0.5);
    SendTablet(form.get(), QEvent::TabletMove, global + QPointF(3, 4), 1.0);
    SendTablet(child, QEvent::TabletRelease, child->mapToGlobal(QPointF(5, 5)), 0.0, Qt::NoButton);
    EXPECT_TRUE(packets.empty()); // announced by posted messages
    QCoreApplication::processEvents();

    ASSERT_EQ(packets.size(), 3u);
    const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
    const TTabletPacket& press = packets[0].Packet;
    EXPECT_NE(packets[0].Handle, 0u);
    EXPECT_EQ(press.pkContext, packets[0].Handle);
    EXPECT_EQ(press.pkNormalPressure, 512u);
    EXPECT_EQ(press.pkButtons, 1u);
    EXPECT_EQ(press.pkCursor, 1u);
    EXPECT_EQ(press.pkX, qRound(global.x()) - desktop.left());
    EXPECT_EQ(press.pkY, desktop.top() + desktop.height() - 1 - qRound(global.y())); // Y upwards
    EXPECT_EQ(packets[1].Packet.pkNormalPressure, 1023u);
    EXPECT_EQ(packets[1].Packet.pkX, press.pkX + 3);
    EXPECT_EQ(packets[1].Packet.pkY, press.pkY - 4);
    EXPECT_EQ(packets[2].Packet.pkNormalPressure, 0u);
    EXPECT_EQ(packets[2].Packet.pkButtons, 0u);
    EXPECT_LT(packets[0].Serial, packets[1].Serial);
    EXPECT_EQ(Count(WT_DEFBASE + WT_PACKET), 3); // passed on to the previous procedure

    // A disabled context queues nothing.
    tablet->SetEnabled(false);
    SendTablet(form.get(), QEvent::TabletMove, global, 0.7);
    QCoreApplication::processEvents();
    EXPECT_EQ(packets.size(), 3u);
}

TEST_F(WinTabTest, WithoutOnPacketAPacketMessageIsOnlyPassedOn)
{
    InstallLibrary();
    auto form = ShownForm();
    TKoltWinTab* tablet = Tablet(form.get());
    tablet->SetActive(true);
    SendTablet(form.get(), QEvent::TabletPress, form->mapToGlobal(QPointF(5, 5)), 0.3);
    QCoreApplication::processEvents();
    EXPECT_EQ(Count(WT_DEFBASE + WT_PACKET), 1);

    // A serial the library does not hold raises nothing.
    int raised = 0;
    tablet->OnPacket = [&](QObject*, HWND, HWND, const TTabletPacket&) { ++raised; };
    SendMessage(WindowHandle(form.get()), WT_DEFBASE + WT_PACKET, 4242, 1);
    EXPECT_EQ(raised, 0);
    EXPECT_EQ(Count(WT_DEFBASE + WT_PACKET), 2);
}

TEST_F(WinTabTest, AFailingHandlerEndsAtTheExceptionEventAndTheMessageGoesOn)
{
    InstallLibrary();
    auto form = ShownForm();
    TKoltWinTab* tablet = Tablet(form.get());
    tablet->OnProximity = [](QObject*, HWND, bool) { throw Exception("handler failed"); };
    tablet->SetActive(true);
    QStringList logged;
    Application().OnException = [&](const std::exception_ptr&) { logged.append(ExceptMessage()); };
    SendMessage(WindowHandle(form.get()), WT_DEFBASE + WT_PROXIMITY, 1, 1);
    Application().OnException = nullptr;
    EXPECT_EQ(logged, QStringList{"handler failed"});
    EXPECT_EQ(Count(WT_DEFBASE + WT_PROXIMITY), 1);
}

TEST_F(WinTabTest, ProximityCountsOnlyTheLowWord)
{
    InstallLibrary();
    auto form = ShownForm();
    TKoltWinTab* tablet = Tablet(form.get());
    std::vector<std::pair<HWND, bool>> seen;
    tablet->OnProximity = [&](QObject*, HWND context, bool enter) { seen.emplace_back(context, enter); };
    quint32 category = 0, index = 0;
    tablet->OnInfoChange = [&](QObject*, HWND, quint32 c, quint32 i) { category = c, index = i; };
    tablet->SetActive(true);

    const HWND window = WindowHandle(form.get());
    SendMessage(window, WT_DEFBASE + WT_PROXIMITY, 7, 0x00010000);
    SendMessage(window, WT_DEFBASE + WT_PROXIMITY, 7, 0x00000001);
    SendMessage(window, WT_DEFBASE + WT_INFOCHANGE, 0, 0x00050064);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], std::make_pair(HWND(7), false));
    EXPECT_EQ(seen[1], std::make_pair(HWND(7), true));
    EXPECT_EQ(category, 100u);
    EXPECT_EQ(index, 5u);
    EXPECT_EQ(Count(WT_DEFBASE + WT_PROXIMITY), 2);
}

TEST_F(WinTabTest, DestroyingTheFormClosesTheContextAndRestoresTheProcedure)
{
    InstallLibrary();
    auto form = ShownForm();
    auto other = ShownForm();
    TKoltWinTab* tablet = Tablet(form.get());
    TKoltWinTab* watcher = Tablet(other.get());
    tablet->SetActive(true);
    watcher->SetActive(true);
    EXPECT_EQ(watcher->Contexts(), 2u);

    int proximity = 0;
    tablet->OnProximity = [&](QObject*, HWND, bool) { ++proximity; };
    const HWND window = WindowHandle(form.get());
    delete tablet;
    EXPECT_EQ(watcher->Contexts(), 1u);
    formMessages.clear();
    SendMessage(window, WT_DEFBASE + WT_PROXIMITY, 1, 1);
    EXPECT_EQ(proximity, 0);
    EXPECT_EQ(Count(WT_DEFBASE + WT_PROXIMITY), 1);

    TKoltWinTab* again = Tablet(form.get());
    again->SetActive(true);
    EXPECT_EQ(watcher->Contexts(), 2u);
    form.reset(); // the component goes with its form
    EXPECT_EQ(watcher->Contexts(), 1u);
    EXPECT_EQ(stops, 0); // destruction raises no event
}

TEST_F(WinTabTest, ALibraryLackingACalledFunctionLeavesItInactive)
{
    InstallLibrary("WTPacket");
    auto form = ShownForm();
    TKoltWinTab* tablet = Tablet(form.get());
    int proximity = 0;
    tablet->OnProximity = [&](QObject*, HWND, bool) { ++proximity; };
    tablet->SetActive(true);
    EXPECT_FALSE(tablet->Active());
    EXPECT_EQ(starts, 0);
    EXPECT_EQ(tablet->DeviceName(), NoTablet);
    SendMessage(WindowHandle(form.get()), WT_DEFBASE + WT_PROXIMITY, 1, 1);
    EXPECT_EQ(proximity, 0); // the window was not subclassed
}
