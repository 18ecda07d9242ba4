#pragma once
// The window-state component: placed on a form, it saves the form's window placement (its
// normal rectangle and whether it is normal, minimised or maximised) when the form's window
// is destroyed, and restores it at the form's first showing, fitted into the work area of
// the nearest monitor (or of the MDI area for an MDI child). It stores nothing itself: a
// subclass hands the values to its owner (TKvUserWdwState).
//
// The component watches the form through its hook, a sizeless child window of the form
// (KvWdwStateHook.h): the hook is told of the form's first showing before the form's own
// show handling, so the restore runs before the form's OnShow; the window state follows
// later, when the WM_USER message the restore posts to the hook arrives. Exceptions raised
// by the owner's handlers end the restore or save and go to the application's exception
// event when Qt delivered the message, and to the caller of Restore or Save otherwise.
//
// A saved placement whose width or height is 0 or less, or below the form's minimum size,
// counts as missing: the restore leaves the form's own placement (and state), and a save
// of such a placement writes nothing. Any other values give a defined placement: they are
// brought into the range Qt can place, in 64-bit arithmetic.

#include "components/KvWdwStateData.h"
#include "components/KvWdwStateHook.h"
#include "platform/core/Exception.h"
#include "platform/winapi/WindowMessages.h"

#include <QObject>
#include <QPointer>



enum TKvWdwStateOption { woIgnoreState = 0x1, woIgnoreSize = 0x2, woFitWorkArea = 0x4 };
Q_DECLARE_FLAGS(TKvWdwStateOptions, TKvWdwStateOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TKvWdwStateOptions)

// The message of the hook's WM_USER that applies the restored window state, and of the
// notice to MDI children that their parent's state is applied.
inline constexpr UINT WM_APPLYSTATE = WM_USER;
inline constexpr UINT WM_RESTOREMDICHILD = 0x0401;

class EKvCustomWdwState : public Exception {
public:
    using Exception::Exception;
};

class TKvCustomWdwState : public QObject {
    Q_OBJECT

public:
    // Owner must be a form (a top-level widget or one shown in a QMdiSubWindow) that has no
    // window-state component yet; else EKvCustomWdwState. The form becomes the hook's
    // parent at once, as no form loader is there to do it.
    explicit TKvCustomWdwState(QObject* owner);
    ~TKvCustomWdwState() override;

    bool AutoSaveRestore = false;
    int MinimizeDelay = 100; // milliseconds before minimising on restore
    TKvWdwStateOptions Options;
    bool IgnoreState() const { return Options.testFlag(woIgnoreState); }
    void SetIgnoreState(bool on) { Options.setFlag(woIgnoreState, on); }

    QWidget* Form() const { return form_; }
    TKvWdwStateHook* Hook() const { return hook_; }
    bool FormShown() const { return formShown_; }
    bool StateApplied() const { return stateApplied_; }
    bool RestorePending() const { return restorePending_; }

    // Makes value (a widget) the parent window of the hook.
    void SetParentComponent(QObject* value);

    void Restore();
    void Save();

    bool CanRestoreMDIChild() const;
    void NotifyMDIChildren();
    QWidget* FindMDIParentForm() const;
    static TKvCustomWdwState* FindWdwStateComponent(const QWidget* form);

    // Runs the handler of the message's id (WM_DESTROY, CM_SHOWINGCHANGED, WM_APPLYSTATE,
    // WM_RESTOREMDICHILD); other messages are left alone.
    void DispatchMessage(TMessage& message);

protected:
    virtual void ReadWdwState(int& left, int& top, int& width, int& height, int& state) = 0;
    virtual void DoReadWdwState(int& left, int& top, int& width, int& height, int& state);
    virtual void SaveWdwState(int left, int top, int width, int height, int state) = 0;

    // Builds a component by CreateStandAlone's rule: form must not be null.
    template <class T>
    static T* StandAlone(QWidget* form)
    {
        if (!form)
            throw EKvCustomWdwState(StandAloneMessage());
        auto* component = new T(form);
        component->SetParentComponent(form);
        return component;
    }

    // Destroys the hook, which saves the placement when its WM_DESTROY arrives. A subclass
    // calls this in its destructor, while its SaveWdwState can still run.
    void ReleaseHook();

private:
    static QString StandAloneMessage();
    static QObject* CheckedOwner(QObject* owner);

    void WMDestroy(TMessage& message);
    void CMShowingChanged(TMessage& message);
    void WMApplyState(TMessage& message);
    void WMRestoreMDIChild(TMessage& message);
    void ApplyState(int state);
    QRect FittingRect(const QRect& rect) const;
    bool UsableSize(int width, int height) const;
    bool IsMDIChild() const;

    QPointer<TKvWdwStateHook> hook_;
    QPointer<QWidget> form_;
    bool formShown_ = false;
    bool stateApplied_ = false;
    bool restorePending_ = false;
};

// Waits the milliseconds while the application goes on handling its events.
void PauseWithMessages(int milliseconds);
