#pragma once
// The pen-tablet component: connects its form to a pen tablet through the tablet interface
// of wintab32, a library loaded by name when the component is switched on (from the program
// folder first, then the system's search path) and freed when it is switched off. While
// active it subclasses the form's window, holds a context opened for that window from the
// default context, and turns the tablet messages reaching the window into events; every
// message then goes on to the window's previous procedure. Without the library (or with one
// that lacks a function the component calls) it stays inactive, raises no event, and its
// information properties answer "No active Tablet found", "0" and 0.
// Events run through the GUI layer's dispatcher. GUI thread only.

#include "platform/winapi/WindowMessages.h"
#include "platform/wintab/Wintab.h"

#include <QObject>
#include <QString>
#include <functional>

// The packet of the packet-data mask 0x3DE3: fourteen 32-bit fields.
struct TTabletPacket {
    HCTX pkContext;
    WTUINT pkStatus;
    WTUINT pkCursor;
    WTDWORD pkButtons;
    WTLONG pkX;
    WTLONG pkY;
    WTUINT pkNormalPressure;
    WTUINT pkTangentPressure;
    std::int32_t orAzimuth;
    std::int32_t orAltitude;
    std::int32_t orTwist;
    std::int32_t roPitch;
    std::int32_t roRoll;
    std::int32_t roYaw;
};
static_assert(sizeof(TTabletPacket) == 56);

using TPacketEvent = std::function<void(QObject* sender, HWND packetSerial, HWND handle, const TTabletPacket& packet)>;
using TCTXEvent = std::function<void(QObject* sender, quint32 ctxHandle, quint32 flags)>;
using TProximityEvent = std::function<void(QObject* sender, HWND ctxHandle, bool enter)>;
using TInfoChangedEvent = std::function<void(QObject* sender, HWND managerHandle, quint32 category, quint32 index)>;

class TKoltWinTab : public QObject {
public:
    using TNotifyEvent = std::function<void(QObject* sender)>;

    // Owner is the form (any widget: its window handle is taken, made when missing).
    explicit TKoltWinTab(QObject* owner);
    ~TKoltWinTab() override;

    bool Active() const { return active_; }
    void SetActive(bool active);
    // Active: whether the open context could be read back; inactive: false.
    bool Enabled();
    void SetEnabled(bool enabled);

    QString WinTabId();
    void SetWinTabId(const QString& id) { storedId_ = id; }
    QString SpecVersion();
    QString ImplVersion();
    quint32 NDevices();
    quint32 NCursors();
    quint32 NContexts();
    quint32 Contexts();
    quint32 PktRate();
    QString DeviceName();
    QString CursorName();
    QString ExtensionName();

    TNotifyEvent OnStart;
    TNotifyEvent OnStop;
    TPacketEvent OnPacket;
    TPacketEvent OnCSRChange;
    TCTXEvent OnContextOpen;
    TCTXEvent OnContextClose;
    TCTXEvent OnContextUpdate;
    TCTXEvent OnContextOverlap;
    TProximityEvent OnProximity;
    TInfoChangedEvent OnInfoChange;

private:
    // The subclassing procedure of the form's window.
    LRESULT WndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    void RaisePacket(const TPacketEvent& event, WPARAM wParam, LPARAM lParam);
    void Deactivate();
    void FreeLibrary();

    quint32 InfoNumber(WTUINT category, WTUINT index);
    QString InfoText(WTUINT category, WTUINT index);
    QString InfoVersion(WTUINT category, WTUINT index);

    bool active_ = false;
    HWND formWindow_ = 0;
    bool subclassed_ = false;
    TWndProc previousProc_;
    LOGCONTEXTA context_{};
    TTabletPacket packet_{};
    QString storedId_;
    void* library_ = nullptr;
    HCTX contextHandle_ = 0;
};
