#pragma once
// Holds the user's input to one window while it is busy (the test screen's countdown):
// keys, input-method text and mouse clicks sent to the window or its widgets are kept.
// Once the hold is released they are delivered in the order they came, one per turn of
// the event loop, as if typed or clicked at that moment: a key goes to the focus widget
// of the window that takes input when it is delivered (the modal window on top, else the
// active one), which need not be the held window any more; a click goes to the widget it
// was meant for, unless that widget is gone, hidden, disabled or under another modal
// window. Input for the held window that arrives before the last held event is delivered
// joins the end of the queue, so the order stays. Mouse movement is not held: it only
// tells where the pointer is. What is left undelivered goes with the hold.

#include <QObject>
#include <QPointer>
#include <deque>
#include <memory>

class QWidget;

class TInputHold : public QObject {
public:
    explicit TInputHold(QWidget* window);
    ~TInputHold() override;

    // Stops holding and starts delivering; later calls do nothing.
    void Release();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct THeld {
        QPointer<QWidget> Receiver;
        std::unique_ptr<QEvent> Event;
    };

    void Keep(QWidget* receiver, const QEvent& event);
    void DeliverNext();

    QPointer<QWidget> window_;
    bool released_ = false;
    bool filtering_ = true;
    int delivering_ = 0; // deliveries of this hold under way: they pass the filter
    std::deque<THeld> held_;
};
