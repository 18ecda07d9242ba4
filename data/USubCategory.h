#pragma once
// The subsets of the current category: named, ordered lists of question numbers, one
// subset file per subset in the category folder (see the subset-file functions of
// UConst.h), and the subset chosen on the data screen, kept in the folder's Control.inf
// [SubCategoryIndex] Index. Subset names are matched without regard to letter case, as
// the file names are. The one instance, SubCategory, lives from the unit initialisation
// to its finalisation and is switched from category to category by SetFolder; nothing is
// cached but the names of the last listing.

#include "platform/core/ClassRef.h"
#include "platform/text/StringList.h"

#include <QString>
#include <memory>

class TComboBox;

// The entry of the data screen's subset combo box that stands for every question.
extern const QString AllQuestionsName;

class TSubCategory {
public:
    TSubCategory() = default;
    virtual ~TSubCategory();
    TSubCategory(const TSubCategory&) = delete;
    TSubCategory& operator=(const TSubCategory&) = delete;

    std::unique_ptr<TStringList> Names; // the subset names of the last listing
    QString Folder;                     // the category folder, with trailing separator
    QString IniPath;                    // Folder + "Control.inf"

    // Selects the item that equals the saved choice, with its letter case when such an
    // item is there (names may differ only in case), else ignoring case; item 0 when none
    // does and the box has items. Raises no change event.
    virtual void SelectSaved(TComboBox& comboBox);
    // Lists the subsets anew; the items become AllQuestionsName and then the names, and
    // the saved choice is selected.
    virtual void FillComboBox(TComboBox& comboBox);
    // Switches to the category folder and lists its subsets; one log line names each
    // subset file that is left out because its name cannot be a subset name, and one
    // each the folder's Control.inf and subset files whose bytes are not CP932 text.
    virtual void SetFolder(const QString& folder);
    // Stores the name as the saved choice; a name that Control.inf would not give back
    // as it is (blanks around it, or enclosed in quotes) is written in double quotes.
    // Nothing is written when the saved choice is that name already.
    virtual void SaveSelection(const QString& name);
    // List := one line name=first line of its file per subset, in listing order;
    // SelIndex := the line whose name equals the saved choice exactly (with letter case),
    // unchanged when none does.
    virtual void GetNameValueList(TStringList& list, int& selIndex);
    // Replaces the folder's subsets by the name=value lines of List and stores Selected
    // as the saved choice. Every file of the new list is written (each whole) before the
    // choice is stored and any old file is removed, so a failing write raises with the
    // old files and the old choice still in place.
    // Each subset is written under its name exactly as spelt: into the file of that name
    // (whatever the case of its extension), else into name + ".sub"; an old file whose
    // name differs only in letter case is then removed with the others that are not in
    // the list. Files whose names cannot be subset names are left alone. A line without
    // "=" names no subset; of equal names the first line counts; a name that cannot be a
    // subset name raises before anything is written.
    virtual void SaveAll(const TStringList& list, const QString& selected);
    // The saved choice; empty when none is stored.
    virtual QString GetSelectedName();
    // List := the entries of the chosen subset's line; when it has none (every question
    // chosen, no such file, an empty subset), the NO of every row of Answer.cds in stored
    // order. A missing or damaged Answer.cds then raises.
    virtual void GetQuestionNumbers(TStringList& list);
};

class TSubCategoryClass : public TMetaClass<TSubCategory> {};

inline const TSubCategoryClass* SubCategoryClass = nullptr;
inline std::unique_ptr<TSubCategory> SubCategory;

// Unit initialisation (SubCategoryClass := TSubCategory, SubCategory := a new instance
// made through it) and finalisation (frees it, clears both globals).
void InitializeUSubCategory();
void FinalizeUSubCategory();
