#pragma once
// TForm: the base of every screen, a QDialog with the behaviour the screens rely on.
//
// - ShowModal runs the form modally and returns its modal result. SetModalResult with a
//   non-zero result closes a modal form once the current handler has returned: OnClose is
//   asked first and may keep the form open with caNone or by failing (which resets the
//   result to mrNone). Close on a modal form sets mrCancel; on a form shown with show() it asks
//   OnClose and then hides (caHide), deletes (caFree) or minimises it.
// - Key preview: with KeyPreview on, OnKeyDown (virtual-key code and shift state) and
//   OnKeyPress (the character) see every key before the focused control; a handler that
//   sets the key or the character to 0, or that fails, swallows the key press. Without key
//   preview they see only keys sent to the form itself.
// - Keys no control used: Enter presses the enabled Default button, Esc the enabled Cancel
//   button, Alt+F4 closes the form. A close request of the window system (the title-bar
//   button, Alt+F4 taken by the window manager) is offered to OnKeyDown as Alt+F4 first when
//   KeyPreview is on, so a form that swallows F4 cannot be closed that way either.
// - OnShow runs each time the form is shown, before it is centred (Position); OnPaint at
//   every paint of the form; OnResize after a size change; OnCanResize before a size change
//   takes effect, with the proposed outer size, which it may change or refuse; OnDestroy
//   from the destructor (the widgets of the form's layout still exist then).
// - Left, Top, Width and Height are the outer (frame) geometry, ClientWidth and
//   ClientHeight the inside; the size constraints are outer sizes.
// - FailLoading: a step that loads what the form shows has failed, so the form shows
//   less than it should. It then closes without asking OnClose (nothing of it may be
//   saved): at once when it runs modally (once the current handler has returned), and a
//   later ShowModal does not show it; its modal result is mrCancel whatever is set later.
//   LoadFailed stays true, so that its save and OK paths can refuse too.
// Every handler runs through Dispatch (Dispatch.h).

#include "platform/vcl/Input.h"
#include "platform/vcl/ModalResult.h"

#include <QDialog>
#include <functional>

class TForm : public QDialog {
    Q_OBJECT
    Q_PROPERTY(bool KeyPreview READ KeyPreview WRITE SetKeyPreview)
    Q_PROPERTY(TBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(TBorderIcons BorderIcons READ BorderIcons WRITE SetBorderIcons)
    Q_PROPERTY(TPosition Position READ Position WRITE SetPosition)

public:
    enum TBorderStyle { bsNone = 0, bsSizeable = 2, bsDialog = 3 };
    Q_ENUM(TBorderStyle)
    enum TBorderIcon { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };
    Q_DECLARE_FLAGS(TBorderIcons, TBorderIcon)
    Q_FLAG(TBorderIcons)
    enum TPosition { poDesigned = 0, poScreenCenter = 4, poMainFormCenter = 6 };
    Q_ENUM(TPosition)
    enum TCloseAction { caNone, caHide, caFree, caMinimize };

    explicit TForm(QWidget* owner = nullptr);
    ~TForm() override;

    std::function<void()> OnShow;
    std::function<void()> OnPaint;
    std::function<void()> OnResize;
    std::function<void()> OnDestroy;
    std::function<void(TCloseAction& action)> OnClose;
    std::function<void(int& newWidth, int& newHeight, bool& resize)> OnCanResize;
    std::function<void(TKey& key, TShiftState shift)> OnKeyDown;
    std::function<void(char16_t& key)> OnKeyPress;

    TModalResult ShowModal();
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result);
    void Close();
    void FailLoading();
    bool LoadFailed() const { return loadFailed_; }

    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString& caption) { setWindowTitle(caption); }

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    int ClientWidth() const;
    int ClientHeight() const;
    void SetLeft(int left);
    void SetTop(int top);
    void SetWidth(int width);
    void SetHeight(int height);
    void SetClientWidth(int width);
    void SetClientHeight(int height);
    void SetBounds(int left, int top, int width, int height);
    // Minimum outer size; 0 leaves that side free.
    void SetMinSize(int minWidth, int minHeight);

    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool on) { keyPreview_ = on; }
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }

    // QDialog's own ways to end: accept() is OK, reject() is Close(), done(r) sets r.
    void accept() override { SetModalResult(mrOk); }
    void reject() override { Close(); }
    void done(int result) override { SetModalResult(result); }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class TFormEvents;

    // The form's look at a key before its focused control; false when it was swallowed.
    bool PreviewKey(QKeyEvent& event);
    bool PreviewText(QString& text);
    // Enter, Esc and Alt+F4 that no control used; true when one of them acted.
    bool DialogKey(const QKeyEvent& event);
    // OnCanResize for a size change from oldClient to newClient; the client size the form
    // should have instead, or newClient.
    QSize CanResize(QSize oldClient, QSize newClient);

    bool QueryClose(TCloseAction& action);
    void CloseWindow();
    void CheckModalClose();
    void ApplyWindowFlags();
    void ApplyConstraints();
    void PlaceOnShow();
    QSize FrameExtra() const;
    void ResizeClient(QSize client);

    TModalResult modalResult_ = mrNone;
    bool inModal_ = false;
    bool closeCheckQueued_ = false;
    bool closingWindow_ = false;
    bool loadFailed_ = false;
    bool keyPreview_ = false;
    TBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_ = TBorderIcons(biSystemMenu | biMinimize | biMaximize);
    TPosition position_ = poDesigned;
    QSize minOuter_;
    QSize appliedExtra_;
    QSize reportedClient_; // the size before a change, reported while OnCanResize runs
    QSize correction_;     // the client size OnCanResize chose, until the form has it
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TForm::TBorderIcons)
