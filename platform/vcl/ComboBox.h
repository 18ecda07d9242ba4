#pragma once
// TComboBox: a drop-down list (no free text). OnChange runs when the user picks an item
// (with the mouse, the keys or the wheel), not when the code sets ItemIndex; OnDropDown
// runs just before the list opens, for example to widen it with SetDroppedWidth.

#include <QComboBox>
#include <functional>

class TComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit TComboBox(QWidget* parent = nullptr);

    std::function<void()> OnChange;
    std::function<void()> OnDropDown;

    QStringList Items() const;
    void SetItems(const QStringList& items);
    int ItemIndex() const { return currentIndex(); }
    void SetItemIndex(int index) { setCurrentIndex(index); }
    // The text of the selected item, "" when none is selected.
    QString Text() const { return currentText(); }
    // The width of the dropped-down list (at least the box's own width).
    void SetDroppedWidth(int width);

    void showPopup() override;
};
