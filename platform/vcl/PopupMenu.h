#pragma once
// TPopupMenu: the context menu of a control. Attach it to the control; a right click, the
// menu key or Shift+F10 on it raises OnPopup, which may enable or disable items, and then
// opens the menu there (for the keys, at the current row of a list). Items are TMenuItem
// actions whose OnClick runs through Dispatch. No accelerator letters are added to the
// captions.

#include <QAction>
#include <QMenu>
#include <functional>

class TMenuItem : public QAction {
    Q_OBJECT

public:
    TMenuItem(const QString& caption, QObject* parent);

    std::function<void()> OnClick;

    QString Caption() const { return text(); }
    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool enabled) { setEnabled(enabled); }
};

class TPopupMenu : public QMenu {
    Q_OBJECT

public:
    explicit TPopupMenu(QWidget* parent = nullptr);

    std::function<void()> OnPopup;

    TMenuItem* AddItem(const QString& caption);
    // Makes this the context menu of control.
    void Attach(QWidget* control);
    // Raises OnPopup and opens the menu at the global position.
    void Popup(const QPoint& globalPos);

protected:
    // Turns Shift+F10 on an attached control into the request the menu key makes.
    bool eventFilter(QObject* watched, QEvent* event) override;
};
