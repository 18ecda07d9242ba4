#pragma once
// The contexts of the tablet library and the Qt tablet events behind them. A context is
// tied to a window (a widget with a window handle of the program's message layer); the
// tablet events that reach that widget become packets, queued per context and announced by
// WT_PACKET (serial, context) posted to the window while the context is enabled. Proximity
// changes are announced to every enabled context with WT_PROXIMITY, a change of the pointing
// device with WT_CSRCHANGE. Without a tablet no events come, so contexts stay quiet.

#include "platform/wintab/PacketLayout.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <deque>
#include <map>

class QTabletEvent;

class TTabletDriver : public QObject {
public:
    static TTabletDriver& Instance();

    // The default context: the virtual desktop in pixels, Y upwards, pressure 0 to 1023.
    static LOGCONTEXTA DefaultContext();
    static constexpr WTUINT MaxPressure = 1023;

    HCTX Open(WTHWND window, const LOGCONTEXTA& record, bool enable);
    bool Close(HCTX context);
    bool Enable(HCTX context, bool enable);
    bool Get(HCTX context, LOGCONTEXTA& record) const;
    // Copies the queued packet of the serial and drops it and every older one.
    bool Packet(HCTX context, WTUINT serial, void* target);
    WTUINT OpenCount() const { return WTUINT(contexts_.size()); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TContext {
        WTHWND Window = 0;
        QPointer<QWidget> Widget;
        LOGCONTEXTA Record{};
        bool Enabled = false;
        std::deque<TPacketValues> Queue;
    };

    TTabletDriver();
    void TabletInput(QWidget* widget, const QTabletEvent& event);
    void Proximity(const QTabletEvent& event, bool entering);
    TPacketValues Sample(HCTX handle, const TContext& context, const QTabletEvent& event);
    void Queue(HCTX handle, TContext& context, const TPacketValues& values, WTUINT message);
    void Post(const TContext& context, WTUINT offset, WTWPARAM wParam, WTLPARAM lParam) const;

    std::map<HCTX, TContext> contexts_;
    HCTX lastContext_ = 0;
    WTUINT lastSerial_ = 0;
    WTUINT lastCursor_ = ~0u;
};
