#pragma once
// The data screen: the working screen of one category. Opening it makes the category
// current (settings, subsets and the five stores) and shows four lists that follow each
// other: the test units of the chosen subset, the questions of the selected unit, the
// unit's test history with its chart, and the replies to the selected question with
// their chart. From here the user starts a test of the selected unit, changes the unit
// size, clears replies and history, opens the learning settings and the subset editor.
//
// The panel sizes are kept in the category's Control.inf [位置], the unit size, its button
// and the selected unit in [単位], the window placement in Form.dat (through the
// window-state component). Everything is saved when the screen closes.
//
// The form TfrmData holds the components of UfrmData.ui; a controller TfrmDataControl is
// made for each opening by the class method Execute of its metaclass, which assigns the
// controller's virtual handlers to the form's events.

#include "components/KvUserWdwState.h"
#include "platform/core/ClassRef.h"
#include "platform/vcl/Color.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Input.h"
#include "platform/vcl/ListItem.h"
#include "ui_UfrmData.h"

#include <QString>
#include <memory>
#include <optional>

class TListView;
class TMenuItem;
class TPopupMenu;
class TSpeedButton;
class TStringList;

// The designed client size and the minimum outer size of the screen.
inline constexpr int DataFormClientWidth = 984;
inline constexpr int DataFormClientHeight = 683;
inline constexpr int DataFormMinWidth = 992;
inline constexpr int DataFormMinHeight = 500;

// Row colours of the four lists: even rows, and ticked (finished) answer rows.
inline constexpr TColor EvenRowColor = RGBColor(229, 229, 229);
inline constexpr TColor TickedRowColor = RGBColor(255, 229, 229);

class TfrmData : public TForm, public Ui::TfrmData {
    Q_OBJECT
public:
    explicit TfrmData(QWidget* owner = nullptr);
    ~TfrmData() override;

    // The components of UfrmData.ui come from Ui::TfrmData. sbtnSelectUser's Tag holds the
    // user's unit size once shown; FormResize keeps sbtnSetting at the bottom edge. The
    // splitters: SptBase parts TabTop from tabBaseBottom, Splitter1 pnlUnitList from the
    // history area, Splitter2 pnlTopRight from lvUnitHistory, Splitter4 pnlAnswerList
    // from the reply area, Splitter3 pnlBottonRight from lvReply.

    TPopupMenu* pmeUnit = nullptr;
    TMenuItem* pmuAnswerUnitLineClear = nullptr;
    TMenuItem* pmuAnswerUnitAllClear = nullptr;
    TPopupMenu* pmeAnswer = nullptr;
    TMenuItem* pmuLineAnswerClear = nullptr;
    TKvUserWdwState* KvUserWdwState = nullptr;

    // The unit-size button of that component name; nullptr for any other name.
    TSpeedButton* UnitButton(const QString& name) const;
};

class TfrmDataControl {
public:
    TfrmDataControl() = default;
    virtual ~TfrmDataControl() = default;
    TfrmDataControl(const TfrmDataControl&) = delete;
    TfrmDataControl& operator=(const TfrmDataControl&) = delete;

    QString Name;                // category display name: the caption
    bool Shown = false;          // the first paint has run
    bool Tested = false;         // a test was started (or offered) during this opening
    int UnitSize = 0;            // questions per test unit of the unit list
    int UnitNo = 0;              // number of the selected test unit, from 1
    QString UnitButtonName;      // component name of the unit-size button last used
    QString Folder;              // category folder, with trailing separator
    bool WindowStateRead = false; // Form.dat gave the placement
    std::unique_ptr<TRowList> UnitRows;
    std::unique_ptr<TRowList> AnswerRows;
    std::unique_ptr<TRowList> UnitHistoryRows;
    std::unique_ptr<TRowList> ReplyRows;

    virtual void Init(const QString& name, const QString& folder);
    virtual void LoadLayout();
    virtual void AttachChangeHandlers();
    virtual void DetachChangeHandlers();
    virtual void OpenModel();
    virtual void SetupViews();
    virtual void LoadUnitSetting();
    virtual void SaveColumnWidths();
    virtual void ConfirmRestart(TStringList& numbers);
    virtual void LoadUnitList();
    virtual void LoadAnswerList(int unitNo);
    virtual void LoadUnitHistory(int unitNo);
    virtual void LoadReplyList(int no);
    virtual void lvAnswerUnitData(TListView& sender, TListItem& item);
    virtual void lvAnswerData(TListView& sender, TListItem& item);
    virtual void lvUnitHistoryData(TListView& sender, TListItem& item);
    virtual void lvReplyData(TListView& sender, TListItem& item);
    virtual void lvAnswerUnitChange(TListView& sender, const TListItem& item);
    virtual void FormShow();
    virtual void FormClose(TForm::TCloseAction& action);
    virtual void lvAnswerChange(TListView& sender, const TListItem& item);
    virtual void sbtnStartTestClick();
    virtual void sbtnSelectClick(TSpeedButton& sender);
    virtual void sbtnSettingClick();
    virtual void FormCanResize(int& newWidth, int& newHeight, bool& resize);
    virtual void sbtnCloseClick();
    virtual void sbtnShowSettingClick();
    virtual void lvCustomDrawItem(TListView& sender, const TListItem& item, TColor& background);
    virtual void lvAnswerCustomDrawItem(TListView& sender, const TListItem& item, TColor& background);
    virtual void KvUserWdwStateReadData(QObject* sender, TKvWdwStateData& data);
    virtual void KvUserWdwStateSaveData(QObject* sender, const TKvWdwStateData& data);
    virtual void FormPaint();
    virtual void sbtnCategoryCreateClick();
    virtual void cmbCategoryChange();
    virtual void FormResize();
    virtual void pmuAnswerUnitAllClearClick();
    virtual void pmuAnswerUnitLineClearClick();
    virtual void pmuLineAnswerClearClick();
    virtual void FormKeyDown(TKey& key, TShiftState shift);
    virtual void pmeUnitPopup();
    virtual void pmeAnswerPopup();
    virtual void cmbCategoryDropDown();

private:
    friend class TfrmDataControlClass;

    // Sizes of the panels and of the form when a sizing began; proportional resizing
    // scales from these until the user moves a splitter or the layout is set anew.
    struct TSizingBase {
        qint64 FormWidth, FormHeight;
        qint64 TopHeight, TopChartHeight, AnswerHeight;
        qint64 TopWidth, AnswerWidth;
    };

    void AssignEvents();
    void ForgetSizingBase() { sizingBase_.reset(); }
    // Runs OpenModel for the opening: false (after a message) when the category's data
    // cannot be read, so the screen does not open.
    bool OpenCategory();
    // The four lists and both charts of the chosen subset, anew.
    void LoadLists();
    void TellSetAsideFiles();
    void SaveLayout();
    void ReloadAfterTest(int answerRow);

    std::optional<TSizingBase> sizingBase_;
    // Counts the units lvAnswerUnitChange has shown, so that LoadLists can tell whether
    // the selection of the first unit has shown it already.
    int unitsShown_ = 0;
    // Every store of the category is current and the lists show it: only then is anything
    // of the screen saved.
    bool modelOpen_ = false;
};

using TfrmDataClass = TMetaClass<TfrmData, QWidget*>;

class TfrmDataControlClass : public TMetaClass<TfrmDataControl> {
public:
    // Opens the data screen of the category modally and returns when it has closed: the
    // settings of the folder made current, a form and a controller of the current
    // classes, the events wired, the subsets listed; after the modal run the form goes
    // (its window-state component saving Form.dat) and then the controller.
    virtual void Execute(const QString& name, const QString& folder) const;
};

inline const TfrmDataClass* DataFormClass = nullptr;
inline const TfrmDataControlClass* DataControlClass = nullptr;
// The form while the screen is open, else empty.
inline std::unique_ptr<TfrmData> frmData;

// Unit initialisation (the class references, the fonts the lists ask for by name) and
// finalisation (frees a form still there, clears the globals).
void InitializeUfrmData();
void FinalizeUfrmData();
