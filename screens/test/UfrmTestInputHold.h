#pragma once
// Holds the user's input to one window while it is busy (the test screen's countdown):
// keys, input-method text and mouse clicks sent to the window or its widgets are kept
// and delivered, in the order they came, once the hold is released. Keys then go to the
// widget that has the focus at that moment, clicks to the widget they were meant for.
// Mouse movement is not held: it only tells where the pointer is.

#include <QObject>
#include <QPointer>
#include <memory>
#include <vector>

class QWidget;

class TInputHold : public QObject {
public:
    explicit TInputHold(QWidget* window);
    ~TInputHold() override;

    // Stops holding and posts the held events; later calls do nothing.
    void Release();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct THeld {
        QPointer<QWidget> Receiver;
        std::unique_ptr<QEvent> Event;
    };

    QPointer<QWidget> window_;
    bool holding_ = true;
    std::vector<THeld> held_;
};
