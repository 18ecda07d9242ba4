#pragma once
// The display settings dialog: every category of the category store in a check list,
// ticked meaning shown in the menu. "設定" (or Enter) records the ticks as the
// categories' visibility; "ｷｬﾝｾﾙ" (or Esc) records nothing. The width of the list's
// column is saved to Menu.inf [表示設定画面] "ｶﾃｺﾞﾘｰ幅" however the dialog closes.
// The form TfrmShowSetting is passive; the controller TfrmShowSettingControl handles its
// events, and its class method Execute runs the whole dialog.

#include "platform/core/ClassRef.h"
#include "platform/vcl/Color.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Input.h"
#include "ui_UfrmShowSetting.h"

#include <memory>

class TListItem;
class TListView;

// Ticked rows are drawn in this colour (light pink).
inline constexpr TColor ShownRowColor = 0xE5E5FF;

// The dialog's form: its layout is UfrmShowSetting.ui; the components are reachable by
// name.
class TfrmShowSetting : public TForm, public Ui::TfrmShowSetting {
    Q_OBJECT
public:
    explicit TfrmShowSetting(QWidget* owner = nullptr);
    ~TfrmShowSetting() override;
};

using TfrmShowSettingClass = TMetaClass<TfrmShowSetting, QWidget*>;

// The handlers of the dialog; they act on frmShowSetting.
class TfrmShowSettingControl {
public:
    virtual ~TfrmShowSettingControl() = default;

    // Every row's category gets the row's tick as its visibility, stored at once.
    virtual void btnSettingClick();
    // Ticks every row / clears every tick; nothing is stored.
    virtual void btnAllDispClick();
    virtual void btnAllNoDispClick();
    // A ticked row gets ShownRowColor.
    virtual void lvShowListCustomDrawItem(TListView& sender, const TListItem& item,
                                          TColor& background);
    // The row under the pointer changes its tick; a click or double-click on the empty
    // area changes nothing. (A click on the box itself is the list's own toggle and does
    // not come here, so each click changes a tick once; a double-click is a click and a
    // double-click, so it leaves the tick as it was.)
    virtual void lvShowListClick(TListView& sender);
    virtual void lvShowListDblClick(TListView& sender);
    // Esc closes the dialog with Cancel; other keys pass on.
    virtual void FormKeyDown(TKey& key, TShiftState shift);
};

class TfrmShowSettingControlClass : public TMetaClass<TfrmShowSettingControl> {
public:
    // Makes the controller and the form, fills the check list from CategoryControl and
    // shows the dialog modally. Then, whatever the result, saves the column's width; on
    // OK the ticks become the categories' visibility, and are stored. A width or a
    // visibility that cannot be stored is logged: neither keeps the other from being
    // done. Frees the form, then the controller; returns the modal result (1 OK, 2 Cancel).
    virtual int Execute() const;
};

inline const TfrmShowSettingClass* ShowSettingFormClass = nullptr;
inline const TfrmShowSettingControlClass* ShowSettingControlClass = nullptr;
// The dialog while Execute shows it, else empty.
inline std::unique_ptr<TfrmShowSetting> frmShowSetting;

// Unit initialisation (both class references) and finalisation (clears them).
void InitializeUfrmShowSetting();
void FinalizeUfrmShowSetting();
