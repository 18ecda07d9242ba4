#include "screens/settings/UfrmSetting.h"

#include "platform/vcl/Button.h"
#include "platform/vcl/ComboBox.h"
#include "platform/vcl/SpinEdit.h"

#include <tuple>

namespace {

// Frees the dialog when Execute ends, however it ends.
struct TDialogRelease {
    ~TDialogRelease() { frmSetting.reset(); }
};

void ShowDialog(TSetting& setting)
{
    TfrmSettingControl(setting).Execute();
}

void FreeDialog()
{
    frmSetting.reset();
}

} // namespace

TfrmSettingControl::TfrmSettingControl(TSetting& values) : Values(values) {}

TfrmSettingControl::~TfrmSettingControl() = default;

void TfrmSettingControl::btnSettingClick()
{
    // Values that could not be saved are not taken: the settings stay as the file has
    // them, the result stays 2, and the error passes on to the exception log.
    TSetting& s = Values;
    const auto restore = [&s, saved = std::tuple(s.DialogResult, s.UserUnit, s.ClearSecondsIndex,
                                                 s.ClearCount, s.MaxTestCount, s.RandomOrder)] {
        std::tie(s.DialogResult, s.UserUnit, s.ClearSecondsIndex, s.ClearCount, s.MaxTestCount,
                 s.RandomOrder) = saved;
    };
    try {
        s.DialogResult = 1;
        s.UserUnit = frmSetting->sedtUserUnitCount->Value();
        s.ClearSecondsIndex = frmSetting->sedtClear->ItemIndex();
        s.ClearCount = frmSetting->sedtClearCount->Value();
        s.MaxTestCount = frmSetting->sedtMaxCount->Value();
        s.RandomOrder = frmSetting->cmbOutList->ItemIndex() == 1;
        s.Save();
    } catch (...) {
        restore();
        throw;
    }
    frmSetting->Close();
}

void TfrmSettingControl::FormShow()
{
    // A value outside a field's range shows clamped into it, and is saved so by 設定.
    frmSetting->sedtUserUnitCount->SetValue(Values.UserUnit);
    frmSetting->sedtClear->SetItemIndex(Values.ClearSecondsIndex);
    frmSetting->sedtClearCount->SetValue(Values.ClearCount);
    frmSetting->sedtMaxCount->SetValue(Values.MaxTestCount);
    frmSetting->cmbOutList->SetItemIndex(Values.RandomOrder ? 1 : 0);
}

void TfrmSettingControl::FormKeyDown(TKey& key, TShiftState)
{
    if (key == VK_ESCAPE)
        frmSetting->Close();
}

void TfrmSettingControl::Execute()
{
    TDialogRelease release;
    frmSetting = SettingFormClass->Create(nullptr);
    frmSetting->btnSetting->OnClick = [this] { btnSettingClick(); };
    frmSetting->OnShow = [this] { FormShow(); };
    frmSetting->OnKeyDown = [this](TKey& key, TShiftState shift) { FormKeyDown(key, shift); };
    frmSetting->ShowModal();
}

void InitializeUfrmSetting()
{
    SettingFormClass = ClassOf<TfrmSetting, TfrmSettingClass>();
    SettingDialog = {ShowDialog, FreeDialog};
}

void FinalizeUfrmSetting()
{
    SettingDialog = {};
    frmSetting.reset();
    SettingFormClass = nullptr;
}
