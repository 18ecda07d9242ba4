#pragma once
// The category menu, the program's home screen: the list of the visible categories under
// a browser that shows the help and news pages, with a column of picture buttons on the
// left. From it the user opens a category's data screen (Enter, double-click or the start
// button), hides categories or shows them all again (the list's popup menu), opens the
// display settings dialog, switches the browser between the three help pages, and ends
// the program (Esc or the close button).
//
// Menu.inf (program folder) keys of the menu: [ｶﾃｺﾞﾘｰ] 高さ (category panel height,
// default 200), [ｶﾃｺﾞﾘｰ] ｲﾝﾃﾞｯｸｽ (selected row, -1 for none), [Web] URL (the page of the
// web shown last, default the help site's guide page; a stored local copy of a help page
// is read as the site's page of its name) and [Web] PAGE1-PAGE3 (help page addresses,
// host and path without a scheme; default the local page). A missing Menu.inf is written
// with its eleven defaults before the form is made. The window's placement is kept in
// Menu.dat (20 bytes, see components/KvWdwStateData.h).
//
// The browser never holds the menu up:
//  - the page of [Web] URL opens without a probe; when it fails to load, the local copy
//    of that page (help/guide.html unless the address names one of the other two) shows
//    instead, once;
//  - FormShow does not wait in a loop of its own: the text size is set once the browser
//    has loaded (or failed), while the list takes input; a start page that has not come
//    within MenuBrowserWaitMs gives way to its local copy;
//  - a help button asks the help site on a thread of its own (time-outs of the HTTP layer,
//    capped at MenuBrowserWaitMs) and shows the remote page when it has content, else the
//    local page; after MenuBrowserWaitMs without an answer the local page shows;
//  - any other page of the web that fails (a link, a script's navigation) gives way to the
//    local copy of its help page, once; the engine's error page never shows.
// Every save of the menu (Menu.inf, Menu.dat, the column widths) that fails is written to
// the log and the menu goes on, so Esc and the close button always close it.
//
// The form TfrmMenu holds the components of UfrmMenu.ui; TfrmMenuControlClass::Execute
// makes a controller (TfrmMenuControl) for the run and assigns its virtual handlers to the
// form's events.

#include "components/KvWdwStateData.h"
#include "platform/core/ClassRef.h"
#include "platform/vcl/Color.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Input.h"
#include "ui_UfrmMenu.h"

#include <QString>
#include <memory>

class TKvUserWdwState;
class TListItem;
class TListView;
class TMenuHelpProbe;
class TMenuItem;
class TPopupMenu;

// How long the menu waits for the browser, and for a help-page probe, in milliseconds.
inline constexpr int MenuBrowserWaitMs = 3000;
// The background of rows 1, 3, 5 ... (positions 0, 2, 4 ...) of the category list.
inline constexpr TColor MenuEvenRowColor = 0xE5E5E5;
// The category panel's least height.
inline constexpr int MenuCategoryMinHeight = 100;

class TfrmMenu : public TForm, public Ui::TfrmMenu {
    Q_OBJECT
public:
    explicit TfrmMenu(QWidget* owner = nullptr);
    ~TfrmMenu() override;

    // The components of UfrmMenu.ui come from Ui::TfrmMenu; imgMenu is stretched over Panel1.
    TPopupMenu* pmeCategory = nullptr;
    TMenuItem* pmuNonDisplay = nullptr;
    TMenuItem* pmuAllDisplay = nullptr;
    TMenuItem* pmuDisplaySetting = nullptr;
    TKvUserWdwState* KvUserWdwState = nullptr;

    // pnlCategory's height; a smaller one than MenuCategoryMinHeight is taken as that.
    int CategoryHeight() const;
    void SetCategoryHeight(int height);
};

class TfrmMenuControl {
public:
    TfrmMenuControl();
    virtual ~TfrmMenuControl();
    TfrmMenuControl(const TfrmMenuControl&) = delete;
    TfrmMenuControl& operator=(const TfrmMenuControl&) = delete;

    // Panel height, browser page and selection from Menu.inf.
    virtual void LoadMenuSettings();
    // Panel height, the page shown (only a loaded http or https page; a local copy leaves
    // the stored address) and the selection to Menu.inf; each value that cannot be written
    // gives one log line.
    virtual void SaveMenuSettings();
    // Opens the data screen of the selected category; afterwards the list is filled
    // again and the same row selected. Nothing without a selected row.
    virtual void StartTest();
    // Writes Menu.inf with its eleven defaults when it does not exist (one atomic write;
    // a failure is logged and the readers' defaults apply).
    virtual void EnsureMenuIni();
    virtual void sbtnTestStartClick();
    virtual void sbtnDisplayClick();
    virtual void sbtnHelpClick(TSpeedButton& sender);
    virtual void sbtnCloseClick();
    virtual void FormCreate();
    virtual void FormClose(TForm::TCloseAction& action);
    virtual void lvCategoryCustomDrawItem(TListView& sender, const TListItem& item, TColor& background);
    virtual void KvUserWdwStateReadData(QObject* sender, TKvWdwStateData& data);
    virtual void KvUserWdwStateSaveData(QObject* sender, const TKvWdwStateData& data);
    virtual void pmuDisplaySettingClick();
    virtual void FormResize();
    virtual void pmuNonDisplayClick();
    virtual void pmuAllDisplayClick();
    virtual void FormKeyDown(TKey& key, TShiftState shift);
    virtual void FormShow();

protected:
    // Opens the data screen of the category (display name, folder with separator) and
    // returns when it has closed.
    virtual void OpenDataScreen(const QString& name, const QString& folder);
    // The browser has loaded or failed (timedOut false), or the bound has passed
    // (timedOut true). A loaded or failed page ends the wait of FormShow and gets the
    // normal text size when it is a document; at the bound a start page still loading is
    // replaced by its local copy, whose loading the wait then awaits.
    virtual void EndBrowserWait(bool timedOut);
    // Navigates to the help page: the remote address when the probe found content.
    virtual void ShowHelpPage(int tag, const QString& address, int contentSize);
    bool WaitingForBrowser() const { return waitingForBrowser_; }

private:
    std::unique_ptr<TMenuHelpProbe> helpProbe_;
    bool waitingForBrowser_ = false;
    int startPage_ = 1; // the help page of [Web] URL, whose local copy stands in for it
    bool helpShown_ = false; // a help button has chosen the page
};

class TfrmMenuControlClass : public TMetaClass<TfrmMenuControl> {
public:
    // Runs the menu modally and returns when it has closed: Menu.inf ensured, the form
    // made and filled (FormCreate), its events assigned, shown; afterwards the form goes
    // (its window-state component writing Menu.dat), then the controller. The category
    // store stays current.
    virtual void Execute() const;
};

using TfrmMenuClass = TMetaClass<TfrmMenu, QWidget*>;

inline const TfrmMenuClass* MenuFormClass = nullptr;
inline const TfrmMenuControlClass* MenuControlClass = nullptr;
// The form while the menu is open, else empty.
inline std::unique_ptr<TfrmMenu> frmMenu;

// Unit initialisation (the class references) and finalisation (frees a form still there,
// clears the globals).
void InitializeUfrmMenu();
void FinalizeUfrmMenu();
