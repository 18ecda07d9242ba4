#pragma once
// The categories of the program folder: one TCategory per category folder, with its
// display name (the folder name without its "VEK" prefix), its folder path, its question
// count and whether the menu shows it. The categories form a chain in the order of
// ListCategoryFolders that always ends with exactly one TCategoryNull.
//
// The chain operations act for one node and return the node the call passes on to
// (nullptr at the chain's end); WalkChain runs such a call along the chain in a
// loop, BuildChain builds it in a loop and a node frees the rest of its chain in a loop,
// so no call depth grows with the number of categories.

#include "platform/core/Chain.h"
#include "platform/core/ClassRef.h"

#include <QHash>
#include <QString>
#include <memory>

class TListView;
class TStringList;
class TCategory;

// The tick of the first row of each category in a check list (see ReadChecks).
using TCategoryChecks = QHash<const TCategory*, bool>;

class TCategory {
public:
    // The category of the program folder's folder folderName (its own name): Folder,
    // QuestionCount, Name and Visible, in this order. An Answer.cds that cannot be read
    // gives a count of 0 and one log line naming the folder and the error; a name that
    // Menu.inf cannot hold as a key (IsCategoryKeyName) gives one log line, and its
    // visibility, times chosen and last use then keep their defaults.
    explicit TCategory(const QString& folderName);
    // Gives up the keys of Menu.inf to the earlier folder firstFolderName, whose display
    // name is the same key (CategoryKeySharers): no key, visible, one log line.
    void LeaveKeysTo(const QString& firstFolderName);
    // Frees the rest of the chain.
    virtual ~TCategory();
    TCategory(const TCategory&) = delete;
    TCategory& operator=(const TCategory&) = delete;

    std::unique_ptr<TCategory> Next;
    QString Name;          // display name: the folder name from its fourth character on
    QString Folder;        // program folder + folder name + "/"
    int QuestionCount = 0; // rows of Answer.cds when the object was made
    bool Visible = true;   // shown in the menu list
    QString KeyName;       // Name as the key of its values in Menu.inf; empty when it has none

    // Visible := value, stored in Menu.inf [表示] at once.
    virtual void SetVisible(bool value);
    // Adds the menu list's row of a visible category: caption Name, Data this, sub-items
    // times chosen, question count and last use.
    virtual TCategory* AddToListView(TListView& listView);
    // Adds the check list's row: caption Name, Data this, ticked when Visible.
    virtual TCategory* AddToCheckList(TListView& listView);
    // Visible := true, stored.
    virtual TCategory* ShowAll();
    // Stores Visible.
    virtual TCategory* SaveVisibility();
    // Visible := the tick of the category's row in checks; without a row it stays.
    virtual TCategory* ReadChecks(const TCategoryChecks& checks);

protected:
    struct TNoFolder {};
    explicit TCategory(TNoFolder) {}
};

// The end of every chain: no fields set, every operation ends the walk.
class TCategoryNull : public TCategory {
public:
    explicit TCategoryNull(const QString& folderName);
    TCategory* AddToListView(TListView& listView) override;
    TCategory* AddToCheckList(TListView& listView) override;
    TCategory* ShowAll() override;
    TCategory* SaveVisibility() override;
    TCategory* ReadChecks(const TCategoryChecks& checks) override;
};

// The metaclass of the category classes: the constructor and the chain builders.
class TCategoryClass : public TMetaClass<TCategory, const QString&> {
public:
    // The chain of the folders of names, in list order, each made through CategoryClass,
    // ended by one made through CategoryNullClass; names is empty afterwards. A folder
    // whose display name is the same key as an earlier one's leaves its keys to that one.
    virtual std::unique_ptr<TCategory> BuildChain(TStringList& names) const;
    // head := the chain of every category folder of the program folder.
    virtual void BuildList(std::unique_ptr<TCategory>& head) const;
};

inline const TCategoryClass* CategoryClass = nullptr;
inline const TCategoryClass* CategoryNullClass = nullptr;

// Unit initialisation (sets both class references) and finalisation (clears them).
void InitializeUCategory();
void FinalizeUCategory();
