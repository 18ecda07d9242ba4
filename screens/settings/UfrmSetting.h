#pragma once
// The learning-settings dialog: the form TfrmSetting (its layout is UfrmSetting.ui beside
// this file; the components are reachable by name) and what drives it for the settings
// object (data/USetting.h) whose Execute shows it: the fields show the object's values,
// 設定 takes and saves them, Esc closes the dialog.

#include "data/USetting.h"
#include "platform/core/ClassRef.h"
#include "platform/vcl/Form.h"
#include "ui_UfrmSetting.h"
#include "platform/vcl/Input.h"

#include <memory>

class QLabel;
class TButton;
class TComboBox;
class TImage;
class TSpinEdit;

class TfrmSetting : public TForm, public Ui::TfrmSetting {
    Q_OBJECT
public:
    explicit TfrmSetting(QWidget* owner = nullptr);
    ~TfrmSetting() override;

};

// The dialog's event handlers for one settings object, which keeps the result in its
// DialogResult.
class TfrmSettingControl {
public:
    explicit TfrmSettingControl(TSetting& values);
    virtual ~TfrmSettingControl();
    TfrmSettingControl(const TfrmSettingControl&) = delete;
    TfrmSettingControl& operator=(const TfrmSettingControl&) = delete;

    TSetting& Values;
    TfrmSetting* Form = nullptr; // the dialog while Execute shows it (frmSetting), else none

    // Takes the five values from the fields and saves them; values that cannot be saved
    // are not taken (the error passes on, the result stays 2).
    virtual void btnSettingClick();
    virtual void FormShow();
    virtual void FormKeyDown(TKey& key, TShiftState shift);
    // Creates the dialog in frmSetting, assigns the handlers, shows it modally and frees it.
    virtual void Execute();
};

using TfrmSettingClass = TMetaClass<TfrmSetting, QWidget*>;

inline const TfrmSettingClass* SettingFormClass = nullptr;
// The dialog while Execute shows it, else empty.
inline std::unique_ptr<TfrmSetting> frmSetting;

// Unit initialisation (SettingFormClass, the dialog of SettingDialog) and finalisation
// (frees the dialog, clears the globals). Runs after the settings unit (USetting).
void InitializeUfrmSetting();
void FinalizeUfrmSetting();
