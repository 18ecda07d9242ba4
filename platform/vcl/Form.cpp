#include "platform/vcl/Form.h"

#include "platform/vcl/Button.h"
#include "platform/vcl/Dispatch.h"
#include "platform/vcl/FormEvents.h"
#include "platform/vcl/KeyPress.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>

TForm::TForm(QWidget* owner) : QDialog(owner)
{
    TFormEvents::Install();
    ApplyWindowFlags();
}

TForm::~TForm()
{
    if (OnDestroy)
        Dispatch(OnDestroy);
}

// --- modal run and closing ---

TModalResult TForm::ShowModal()
{
    if (loadFailed_)
        return mrCancel;
    modalResult_ = mrNone;
    inModal_ = true;
    setWindowModality(Qt::ApplicationModal);
    QDialog::exec();
    inModal_ = false;
    if (modalResult_ == mrNone) // the run ended otherwise (hidden, application quitting)
        modalResult_ = mrCancel;
    return modalResult_;
}

void TForm::SetModalResult(TModalResult result)
{
    if (loadFailed_)
        result = mrCancel;
    modalResult_ = result;
    if (!inModal_ || result == mrNone || closeCheckQueued_)
        return;
    // The form closes once the handler that set the result has returned.
    closeCheckQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        closeCheckQueued_ = false;
        CheckModalClose();
    });
}

void TForm::CheckModalClose()
{
    if (!inModal_ || modalResult_ == mrNone)
        return;
    TCloseAction action = caHide;
    if (!QueryClose(action) || action == caNone) {
        modalResult_ = mrNone;
        return;
    }
    QDialog::done(modalResult_);
}

void TForm::Close()
{
    if (inModal_) {
        SetModalResult(mrCancel);
        return;
    }
    TCloseAction action = caHide;
    if (!QueryClose(action))
        return;
    switch (action) {
    case caNone: break;
    case caHide: CloseWindow(); break;
    case caFree: CloseWindow(); deleteLater(); break;
    case caMinimize: showMinimized(); break;
    }
}

// Closes the window the way the window system does, so that closing the program's last
// window ends the application's event loop.
void TForm::CloseWindow()
{
    closingWindow_ = true;
    QWidget::close();
    closingWindow_ = false;
}

void TForm::FailLoading()
{
    loadFailed_ = true;
    if (inModal_)
        SetModalResult(mrCancel);
    else if (isVisible())
        CloseWindow();
}

// OnClose; false when the form is to stay open because the handler failed. A form whose
// loading failed closes without it.
bool TForm::QueryClose(TCloseAction& action)
{
    if (loadFailed_)
        return true;
    if (OnClose && !Dispatch([&] { OnClose(action); }))
        return false;
    return true;
}

void TForm::closeEvent(QCloseEvent* event)
{
    if (closingWindow_) {
        event->accept();
        return;
    }
    event->ignore(); // the form closes (or not) through Close
    if (event->spontaneous() && keyPreview_ && OnKeyDown) {
        TKey key = VK_F4;
        if (!Dispatch([&] { OnKeyDown(key, ssAlt); }) || key == 0)
            return;
    }
    Close();
}

// --- keys ---

bool TForm::PreviewKey(QKeyEvent& event)
{
    if (TKey key = VirtualKey(event); key != 0 && OnKeyDown) {
        const TShiftState shift = ShiftState(event.modifiers());
        if (!Dispatch([&] { OnKeyDown(key, shift); }) || key == 0)
            return false;
    }
    if (char16_t key = KeyChar(event); key != 0 && OnKeyPress) {
        if (!Dispatch([&] { OnKeyPress(key); }) || key == 0)
            return false;
    }
    return true;
}

bool TForm::PreviewText(QString& text)
{
    return !OnKeyPress || FilterTypedText(text, OnKeyPress);
}

void TForm::keyPressEvent(QKeyEvent* event)
{
    if (DialogKey(*event))
        event->accept();
    else
        event->ignore();
}

bool TForm::DialogKey(const QKeyEvent& event)
{
    const TKey key = VirtualKey(event);
    const TShiftState shift = ShiftState(event.modifiers());
    if (key == VK_F4 && shift == ssAlt) {
        Close();
        return true;
    }
    if (key != VK_RETURN && key != VK_ESCAPE)
        return false;
    for (TButton* button : findChildren<TButton*>()) {
        const bool wanted = key == VK_RETURN ? button->Default() : button->Cancel();
        if (wanted && button->isVisible() && button->isEnabled()) {
            button->Click();
            return true;
        }
    }
    return false;
}

// --- showing, painting, sizing ---

void TForm::showEvent(QShowEvent* event)
{
    if (event->spontaneous()) {
        ApplyConstraints();
        return;
    }
    if (OnShow)
        Dispatch(OnShow);
    ApplyConstraints();
    PlaceOnShow();
}

void TForm::PlaceOnShow()
{
    QRect area;
    if (position_ == poMainFormCenter && parentWidget())
        area = parentWidget()->window()->frameGeometry();
    else if (position_ == poScreenCenter || position_ == poMainFormCenter) {
        QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
        if (screen)
            area = screen->availableGeometry();
    }
    if (area.isValid())
        move(area.center().x() - Width() / 2, area.center().y() - Height() / 2);
    else if (!testAttribute(Qt::WA_Moved))
        move(pos()); // as designed: no placement of Qt's own
}

void TForm::moveEvent(QMoveEvent* event)
{
    QDialog::moveEvent(event);
    if (FrameExtra() != appliedExtra_)
        ApplyConstraints();
}

void TForm::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    if (OnPaint)
        Dispatch(OnPaint);
}

void TForm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (FrameExtra() != appliedExtra_)
        ApplyConstraints();
    if (OnResize)
        Dispatch(OnResize);
}

QSize TForm::CanResize(QSize oldClient, QSize newClient)
{
    const QSize extra = FrameExtra();
    int width = newClient.width() + extra.width();
    int height = newClient.height() + extra.height();
    bool resize = true;
    reportedClient_ = oldClient;
    const bool ran = Dispatch([&] { OnCanResize(width, height, resize); });
    reportedClient_ = QSize();
    if (!ran)
        return newClient;
    if (!resize)
        return oldClient;
    return {width - extra.width(), height - extra.height()};
}

QSize TForm::FrameExtra() const
{
    return frameGeometry().size() - geometry().size();
}

void TForm::ResizeClient(QSize client)
{
    if (borderStyle_ == bsDialog)
        setFixedSize(client);
    else
        resize(client);
}

int TForm::Left() const { return frameGeometry().x(); }
int TForm::Top() const { return frameGeometry().y(); }
int TForm::ClientWidth() const { return reportedClient_.isValid() ? reportedClient_.width() : width(); }
int TForm::ClientHeight() const { return reportedClient_.isValid() ? reportedClient_.height() : height(); }
int TForm::Width() const { return ClientWidth() + FrameExtra().width(); }
int TForm::Height() const { return ClientHeight() + FrameExtra().height(); }

void TForm::SetLeft(int left) { move(left, Top()); }
void TForm::SetTop(int top) { move(Left(), top); }
void TForm::SetWidth(int width) { ResizeClient({width - FrameExtra().width(), height()}); }
void TForm::SetHeight(int height) { ResizeClient({width(), height - FrameExtra().height()}); }
void TForm::SetClientWidth(int width) { ResizeClient({width, height()}); }
void TForm::SetClientHeight(int height) { ResizeClient({width(), height}); }

void TForm::SetBounds(int left, int top, int width, int height)
{
    move(left, top);
    const QSize extra = FrameExtra();
    ResizeClient({width - extra.width(), height - extra.height()});
}

void TForm::SetMinSize(int minWidth, int minHeight)
{
    minOuter_ = QSize(minWidth, minHeight);
    ApplyConstraints();
}

void TForm::ApplyConstraints()
{
    if (borderStyle_ == bsDialog) {
        setFixedSize(size());
        return;
    }
    // The frame is known only once the window exists; a side held at the old minimum
    // follows the new one, so the outer size stays the minimum.
    const QSize extra = FrameExtra();
    const QSize old = minimumSize();
    const QSize min(std::max(0, minOuter_.width() - extra.width()),
                    std::max(0, minOuter_.height() - extra.height()));
    appliedExtra_ = extra;
    if (min == old)
        return;
    setMinimumSize(min);
    QSize client = size();
    if (old.width() > 0 && client.width() == old.width())
        client.setWidth(std::max(min.width(), 1));
    if (old.height() > 0 && client.height() == old.height())
        client.setHeight(std::max(min.height(), 1));
    if (client != size())
        resize(client);
}

// --- border ---

void TForm::SetBorderStyle(TBorderStyle style)
{
    borderStyle_ = style;
    ApplyWindowFlags();
    if (style != bsDialog)
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (isVisible()) // else at showing, so that a layout may still size the form
        ApplyConstraints();
}

void TForm::SetBorderIcons(TBorderIcons icons)
{
    borderIcons_ = icons;
    ApplyWindowFlags();
}

void TForm::ApplyWindowFlags()
{
    Qt::WindowFlags flags = Qt::CustomizeWindowHint;
    switch (borderStyle_) {
    case bsNone:
        flags = Qt::Dialog | Qt::FramelessWindowHint;
        break;
    case bsDialog:
        flags |= Qt::Dialog | Qt::WindowTitleHint;
        break;
    case bsSizeable:
        flags |= Qt::Window | Qt::WindowTitleHint;
        if (borderIcons_ & biSystemMenu)
            flags |= Qt::WindowSystemMenuHint;
        if (borderIcons_ & biMinimize)
            flags |= Qt::WindowMinimizeButtonHint;
        if (borderIcons_ & biMaximize)
            flags |= Qt::WindowMaximizeButtonHint;
        break;
    }
    if (borderStyle_ != bsNone && (borderIcons_ & biSystemMenu))
        flags |= Qt::WindowCloseButtonHint;
    const bool shown = isVisible();
    setWindowFlags(flags);
    if (shown)
        show();
}
