#pragma once
// The subset editor: the modal dialog in which the user defines the named subsets of one
// category, ordered lists of question numbers kept one subset file per subset (see
// data/USubCategory.h). The left list shows the category's text questions outside the
// current subset, the right list the current subset in its order, each row with its
// statistics. The user picks the current subset, creates, renames and deletes subsets,
// moves rows between and within the lists (buttons, double-clicks, drag and drop, up and
// down), sorts either list by a column, and imports or exports a subset file. Editing
// happens in memory; "設　定" writes every subset back, and deleting the last subset
// deletes every subset file at once. An import writes its file and the saved subset
// choice at once and joins the editor's list. When the subset files or the question
// files cannot be read, at opening or at any later listing, the user is told, and the
// editor closes with mrCancel without writing anything.
//
// The data screen opens it through the class method:
//     CategoryCreateControlClass->Execute(folder)
// with the category folder (with trailing separator; SubCategory and ReplyControl already
// switched to it). The result is mrOk after "設　定" or after the last subset was deleted,
// mrCancel after "ｷｬﾝｾﾙ" or Esc; an import may have changed the subsets in either case.
//
// The form TfrmCategoryCreate holds the components of UfrmCategoryCreate.ui; the
// controller TfrmCategoryCreateControl, made for each run, drives it.

#include "platform/core/ClassRef.h"
#include "platform/text/StringList.h"
#include "platform/vcl/FileDialog.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Input.h"
#include "platform/vcl/ListItem.h"
#include "ui_UfrmCategoryCreate.h"

#include <QString>
#include <memory>

class TListView;

// The eight columns of both lists: caption, width, minimum width; the first three are
// left-aligned, the others right-aligned; every column is at most 300 pixels wide.
struct TQuestionColumn {
    const char16_t* Caption;
    int Width;
    int MinWidth;
};
inline constexpr int QuestionColumnCount = 8;
extern const TQuestionColumn QuestionColumns[QuestionColumnCount];

// The subset the editor shows for a category without subset files.
extern const QString NewSubsetName;

class TfrmCategoryCreate : public TForm, public Ui::TfrmCategoryCreate {
    Q_OBJECT
public:
    explicit TfrmCategoryCreate(QWidget* owner = nullptr);
    ~TfrmCategoryCreate() override;

    // The components of UfrmCategoryCreate.ui come from Ui::TfrmCategoryCreate: imgMenu is
    // the stretched background, lvAnswerUnit the questions outside the subset,
    // lvSubCategory the subset in its order; btnUp's Tag is -1, btnDown's 1.
    std::unique_ptr<TOpenDialog> OpenDialog;
    std::unique_ptr<TSaveDialog> SaveDialog;
};

class TfrmCategoryCreateControl {
public:
    // Makes the form through CategoryCreateFormClass into frmCategoryCreate and assigns
    // its event handlers.
    explicit TfrmCategoryCreateControl(const QString& folder);
    // Frees the rows of both lists and the form.
    virtual ~TfrmCategoryCreateControl();
    TfrmCategoryCreateControl(const TfrmCategoryCreateControl&) = delete;
    TfrmCategoryCreateControl& operator=(const TfrmCategoryCreateControl&) = delete;

    QString Folder; // the category folder, with trailing separator
    QString Name;   // the current subset
    int Index = 0;  // its line in NameValueList and its item in cmbCategory
    // One line name=numbers per subset; lines are addressed by position, since two
    // subsets may differ only in letter case.
    std::unique_ptr<TStringList> NameValueList;
    TRowList LeftRows;  // the rows of lvAnswerUnit
    TRowList RightRows; // the rows of lvSubCategory

    // Both lists anew from the question files and the current subset's numbers.
    virtual void LoadLists();
    // The combo box anew from NameValueList, item Index selected; then LoadLists, which,
    // when it fails, closes the editor without writing anything.
    virtual void RefreshCategoryCombo();
    // The right list's numbers, plus one blank, become the value of line Index (not once
    // the editor's loading failed).
    virtual void StoreSelection();
    // LeftRows := one row per text question of both files, in ascending number.
    virtual void LoadQuestionRows();

    // Event handlers, assigned by the constructor.
    virtual void FormShow();
    virtual void btnNewClick();
    virtual void btnEditClick();
    virtual void btnDeleteClick();
    virtual void FormDestroy();
    virtual void cmbCategoryChange();
    virtual void btnSettingClick();
    virtual void lvAnswerUnitDblClick();
    virtual void btnRightClick();
    virtual void btnLeftClick();
    virtual void FormKeyDown(TKey& key, TShiftState shift);
    virtual void btnRightAllClick();
    virtual void btnLeftAllClick();
    virtual void btnUpDownClick(TButton& sender);
    virtual void lvSubCategoryDblClick();
    virtual void lvDragDrop(TListView& sender, TListView& source, int x, int y);
    virtual void lvDragOver(TListView& sender, TListView& source, int x, int y, bool& accept);
    virtual void btnImportClick();
    virtual void btnExportClick();
    virtual void lvAnswerUnitData(TListView& sender, TListItem& item);
    virtual void lvSubCategoryData(TListView& sender, TListItem& item);
    virtual void lvSubCategoryColumnClick(TListView& sender, int column);
    virtual void lvAnswerUnitColumnClick(TListView& sender, int column);

    // The right list's numbers joined by "," (empty for an empty subset): the content of
    // an exported file.
    QString GetSelectionText() const;

private:
    void AssignHandlers(TfrmCategoryCreate& form);
    TRowList& RowsOf(const TListView& listView);
    void SortRows(TListView& listView, TRowList& rows, int column);
    void ShowRowCounts();
    // An imported subset file joins NameValueList in place of the line of its name.
    void JoinImported(const QString& name, const QString& numbers);
    bool SaveSubsets(const TStringList& list, const QString& selected);
};

using TfrmCategoryCreateClass = TMetaClass<TfrmCategoryCreate, QWidget*>;

class TfrmCategoryCreateControlClass : public TMetaClass<TfrmCategoryCreateControl, const QString&> {
public:
    // Runs the editor modally on the category folder (see the top of this file); returns
    // mrOk or mrCancel.
    virtual int Execute(const QString& folder) const;
};

inline const TfrmCategoryCreateClass* CategoryCreateFormClass = nullptr;
inline const TfrmCategoryCreateControlClass* CategoryCreateControlClass = nullptr;
// The form and the controller while the editor is open, else empty.
inline std::unique_ptr<TfrmCategoryCreate> frmCategoryCreate;
inline std::unique_ptr<TfrmCategoryCreateControl> CategoryCreateControl;
// The order CompareQuestionRows sorts by: the column (0 the number, k the sub-item k - 1)
// and its direction.
inline bool SortAscending = true;
inline int SortColumn = 0;

// Below 0, 0 or above 0 as row a comes before, ties with or comes after row b in the
// order of SortColumn and SortAscending. The column's texts (the rates without "%", "- %"
// as -1) compare whole numbers by value before other texts, which compare by their
// character codes; descending reverses that. Ties go by ascending question number.
int CompareQuestionRows(const TListItem& a, const TListItem& b);

// Unit initialisation (the two class references) and finalisation (frees an open editor,
// clears the globals). The editor needs the units of subsets, replies and the name dialog.
void InitializeUfrmCategoryCreate();
void FinalizeUfrmCategoryCreate();
