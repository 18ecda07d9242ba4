#pragma once
// The category store: the chain of the program folder's categories, made when the store
// is made (CreateInstance, when the menu opens). It sets up and fills the menu's category
// list, fills the display settings dialog's check list, takes its ticks back as the
// categories' visibility and stores it. Column widths live in Menu.inf:
//  - [ｶﾃｺﾞﾘ幅] the four columns of the menu list under their captions; a missing key, or
//    a value below -2 (no width at all), gives the width of "_" in the list's font times
//    35, 10, 8 and 25, plus 25; the widths are then kept within 50..300;
//  - [表示設定画面] "ｶﾃｺﾞﾘｰ幅" the check list's one column; missing or 0 and below give
//    400 (a column of no width could not be seen or widened again); never wider than the
//    list itself.
// Callers reach the store through the global CategoryControl, which always holds one:
// the do-nothing TCategoryControlNull until CreateInstance.

#include "data/UCategory.h"
#include "platform/core/ClassRef.h"

#include <QString>
#include <array>
#include <memory>

class TListView;

// The menu list's columns in order; the captions are also the keys of [ｶﾃｺﾞﾘ幅].
inline constexpr int CategoryColumnCount = 4;
extern const std::array<QString, CategoryColumnCount> CategoryColumnCaptions;

class TCategoryControl {
public:
    // The chain of every category folder, through CategoryClass.
    TCategoryControl();
    // Frees the chain.
    virtual ~TCategoryControl();
    TCategoryControl(const TCategoryControl&) = delete;
    TCategoryControl& operator=(const TCategoryControl&) = delete;

    std::unique_ptr<TCategory> Head;

    // Removes every row and column, then adds the four columns, each 50..300 wide:
    // "名称" left, "選択回数" and "問題数" right, "更新日時" centred.
    virtual void CreateColumns(TListView& listView);
    // The rows of the visible categories. The list keeps them sorted by caption in the
    // collation of the Japanese locale.
    virtual void FillListView(TListView& listView);
    // CreateColumns, then the widths of [ｶﾃｺﾞﾘ幅] (see above).
    virtual void SetupColumns(TListView& listView);
    // Writes each column's width under its caption to [ｶﾃｺﾞﾘ幅]; raises when Menu.inf
    // cannot be written.
    virtual void SaveColumnWidths(TListView& listView);
    // Removes every row and column, adds the column "カテゴリー" and one row per category
    // in chain order, hidden ones included, ticked when visible.
    virtual void FillCheckList(TListView& listView);
    // Every category visible, stored.
    virtual void ShowAll();
    // Stores every category's visibility.
    virtual void SaveVisibility();
    // Each category's visibility := the tick of the first row whose Data is that category;
    // a category without a row keeps it. Nothing is stored.
    virtual void ReadChecks(TListView& listView);

protected:
    struct TNoChain {};
    explicit TCategoryControl(TNoChain) {}
};

// The store of no categories: no chain; everything but CreateColumns does nothing.
class TCategoryControlNull : public TCategoryControl {
public:
    TCategoryControlNull();
    void FillListView(TListView& listView) override;
    void SetupColumns(TListView& listView) override;
    void SaveColumnWidths(TListView& listView) override;
    void FillCheckList(TListView& listView) override;
    void ShowAll() override;
    void SaveVisibility() override;
    void ReadChecks(TListView& listView) override;
};

class TCategoryControlClass : public TMetaClass<TCategoryControl> {
public:
    // Frees the current store (and its chain), then makes one of this class. When that
    // fails, CategoryControl becomes a TCategoryControlNull and the error passes on.
    virtual void CreateInstance() const;
};

inline std::unique_ptr<TCategoryControl> CategoryControl;
inline const TCategoryControlClass* CategoryControlClass = nullptr;
inline const TCategoryControlClass* CategoryControlNullClass = nullptr;

// Unit initialisation (both class references, CategoryControl := a new
// TCategoryControlNull) and finalisation (frees the store, clears the globals). Needs
// UCategory started before it.
void InitializeUCategoryControl();
void FinalizeUCategoryControl();
