// The subset name dialog's unit: its globals, the modal run, the OK rule and the keys.
#include "screens/subset/UfrmCategoryName.h"

#include "data/USubCategoryFiles.h"
#include "platform/text/StringList.h"
#include "platform/text/Trim.h"
#include "platform/vcl/Button.h"
#include "platform/vcl/Dispatch.h"
#include "screens/subset/USubsetNameText.h"

#include <QLabel>
#include <QLineEdit>

namespace {

// Frees the form, then the controller, when Execute ends, however it ends.
struct TDialogRelease {
    ~TDialogRelease()
    {
        frmCategoryName.reset();
        CategoryNameControl.reset();
    }
};

} // namespace

void TfrmCategoryNameControl::edtNameChange()
{
    TfrmCategoryName& form = *frmCategoryName;
    const QString text = form.edtName->text();
    const QString trimmed = Trim(text);
    TStringList taken;
    taken.SetText(Names);
    const TSubsetNameFault fault = SubsetNameFault(text);
    const bool isTaken = taken.IndexOf(trimmed) >= 0;
    form.btnOK->setEnabled(fault == TSubsetNameFault::None && !isTaken);
    QString reason = SubsetNameFaultText(fault);
    if (reason.isEmpty() && fault == TSubsetNameFault::None && isTaken)
        reason = SubsetNameTakenText;
    form.lblHint->setText(reason);
}

void TfrmCategoryNameControl::FormKeyDown(TKey& key, TShiftState)
{
    if (key == VK_ESCAPE)
        frmCategoryName->Close();
}

int TfrmCategoryNameControlClass::Execute(QString& name, const QString& names) const
{
    TDialogRelease release;
    CategoryNameControl = Create();
    frmCategoryName = CategoryNameFormClass->Create(nullptr);
    TfrmCategoryName& form = *frmCategoryName;
    TfrmCategoryNameControl& control = *CategoryNameControl;
    OnSignal(form.edtName, &QLineEdit::textChanged, &form, [&control] { control.edtNameChange(); });
    form.OnKeyDown = [&control](TKey& key, TShiftState shift) { control.FormKeyDown(key, shift); };

    // OK waits for the user's first change, also when the proposed name would do.
    form.edtName->setText(Trim(name));
    form.btnOK->setEnabled(false);
    form.lblHint->clear();
    control.Names = names;
    const int result = form.ShowModal();
    if (result == mrOk)
        name = form.edtName->text();
    return result;
}

void InitializeUfrmCategoryName()
{
    CategoryNameFormClass = ClassOf<TfrmCategoryName, TfrmCategoryNameClass>();
    CategoryNameControlClass = ClassOf<TfrmCategoryNameControl, TfrmCategoryNameControlClass>();
}

void FinalizeUfrmCategoryName()
{
    frmCategoryName.reset();
    CategoryNameControl.reset();
    CategoryNameControlClass = nullptr;
    CategoryNameFormClass = nullptr;
}
