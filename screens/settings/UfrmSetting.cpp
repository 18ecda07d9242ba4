#include "screens/settings/UfrmSetting.h"

#include "platform/vcl/Button.h"
#include "platform/vcl/ComboBox.h"
#include "platform/vcl/SpinEdit.h"

#include <tuple>

namespace {

// Frees the dialog when Execute ends, however it ends.
struct TDialogRelease {
    TfrmSetting*& Form;
    ~TDialogRelease()
    {
        Form = nullptr;
        frmSetting.reset();
    }
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
        s.UserUnit = Form->sedtUserUnitCount->Value();
        s.ClearSecondsIndex = Form->sedtClear->ItemIndex();
        s.ClearCount = Form->sedtClearCount->Value();
        s.MaxTestCount = Form->sedtMaxCount->Value();
        s.RandomOrder = Form->cmbOutList->ItemIndex() == 1;
        s.Save();
    } catch (...) {
        restore();
        throw;
    }
    Form->Close();
}

void TfrmSettingControl::FormShow()
{
    // A value outside a field's range shows clamped into it, and is saved so by 設定.
    Form->sedtUserUnitCount->SetValue(Values.UserUnit);
    Form->sedtClear->SetItemIndex(Values.ClearSecondsIndex);
    Form->sedtClearCount->SetValue(Values.ClearCount);
    Form->sedtMaxCount->SetValue(Values.MaxTestCount);
    Form->cmbOutList->SetItemIndex(Values.RandomOrder ? 1 : 0);
}

void TfrmSettingControl::FormKeyDown(TKey& key, TShiftState)
{
    if (key == VK_ESCAPE)
        Form->Close();
}

void TfrmSettingControl::Execute()
{
    TDialogRelease release{Form};
    frmSetting = SettingFormClass->Create(nullptr);
    Form = frmSetting.get();
    Form->btnSetting->OnClick = [this] { btnSettingClick(); };
    Form->OnShow = [this] { FormShow(); };
    Form->OnKeyDown = [this](TKey& key, TShiftState shift) { FormKeyDown(key, shift); };
    Form->ShowModal();
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
