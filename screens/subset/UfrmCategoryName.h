#pragma once
// The subset name dialog: asks for the name of a new subset or the new name of the current
// one. OK ("設定") is enabled only for a name that, without the blanks around it, is not
// blank, not yet taken (letter case ignored) and one the subset files can hold; a short
// line beside the buttons says why a name is refused. The name is returned as typed,
// blanks included.
//
// The form TfrmCategoryName holds the components of UfrmCategoryName.ui; a controller
// TfrmCategoryNameControl, made for each run by the class method Execute, drives it.

#include "platform/core/ClassRef.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Input.h"
#include "ui_UfrmCategoryName.h"

#include <QString>
#include <memory>

class TfrmCategoryName : public TForm, public Ui::TfrmCategoryName {
    Q_OBJECT
public:
    explicit TfrmCategoryName(QWidget* owner = nullptr);
    ~TfrmCategoryName() override;

    // The components of UfrmCategoryName.ui come from Ui::TfrmCategoryName: imgMenu is the
    // stretched background; lblHint says why the name cannot be taken, empty when it can.
};

class TfrmCategoryNameControl {
public:
    TfrmCategoryNameControl() = default;
    virtual ~TfrmCategoryNameControl() = default;
    TfrmCategoryNameControl(const TfrmCategoryNameControl&) = delete;
    TfrmCategoryNameControl& operator=(const TfrmCategoryNameControl&) = delete;

    QString Names; // the names already taken, one per line

    // Event handlers, assigned by Execute.
    // Applies the OK rule to the edit's text and shows the reason of a refusal.
    virtual void edtNameChange();
    // Esc closes the dialog with Cancel.
    virtual void FormKeyDown(TKey& key, TShiftState shift);
};

using TfrmCategoryNameClass = TMetaClass<TfrmCategoryName, QWidget*>;

class TfrmCategoryNameControlClass : public TMetaClass<TfrmCategoryNameControl> {
public:
    // Shows the dialog modally with name (without the blanks around it) in the edit and OK
    // disabled until the text changes; names holds the taken names, one per line. Returns
    // mrOk or mrCancel; on mrOk name := the edit's text as it is, else name is unchanged.
    virtual int Execute(QString& name, const QString& names) const;
};

inline const TfrmCategoryNameClass* CategoryNameFormClass = nullptr;
inline const TfrmCategoryNameControlClass* CategoryNameControlClass = nullptr;
// The form and the controller while the dialog is open, else empty.
inline std::unique_ptr<TfrmCategoryName> frmCategoryName;
inline std::unique_ptr<TfrmCategoryNameControl> CategoryNameControl;

// Unit initialisation (the two class references) and finalisation (frees an open dialog,
// clears the globals).
void InitializeUfrmCategoryName();
void FinalizeUfrmCategoryName();
