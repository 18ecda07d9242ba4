#pragma once
// The unit store: the test units of the current category, cut from the selected subset
// (or from every question of Answer.cds) when the store is made and again at every
// FillListView. It fills the data screen's unit list, one row per unit, and the answer
// list of one unit, and keeps the unit list's column widths in Control.inf [単位一覧幅].
// Units are never stored. Callers reach it through the global AnswerUnitControl, which
// always holds a store: the do-nothing TAnswerUnitControlNull until a category is opened.

#include "data/RowList.h"
#include "data/UAnswerUnit.h"
#include "platform/core/ClassRef.h"

#include <QString>
#include <array>
#include <memory>

class TListView;
enum class TAlignment; // platform/vcl/ListColumn.h

// The eight columns of the unit list: caption (also the key in Control.inf [単位一覧幅]),
// alignment and default width in characters.
inline constexpr int AnswerUnitColumnCount = 8;
extern const std::array<QString, AnswerUnitColumnCount> AnswerUnitColumnCaptions;
extern const std::array<TAlignment, AnswerUnitColumnCount> AnswerUnitColumnAlignments;
inline constexpr std::array<int, AnswerUnitColumnCount> AnswerUnitColumnChars = {3, 7, 6, 5, 5, 6, 8, 19};

class TAnswerUnitControl {
public:
    // Folder := folder, then BuildUnits(unitSize).
    TAnswerUnitControl(const QString& folder, int unitSize);
    virtual ~TAnswerUnitControl();
    TAnswerUnitControl(const TAnswerUnitControl&) = delete;
    TAnswerUnitControl& operator=(const TAnswerUnitControl&) = delete;

    // A store of the folder without units, whatever the folder's files.
    static std::unique_ptr<TAnswerUnitControl> CreateEmpty(const QString& folder);

    QString Folder;                    // the category folder, with trailing separator
    std::unique_ptr<TAnswerUnit> Head; // the first unit, a TAnswerUnitNull when there is none

    // Cuts the units anew from SubCategory's question numbers, unitSize entries each (a
    // size below 1 is taken as 1); no units when the folder has no Answer.cds. When the
    // numbers cannot be read, the chain is left empty and the error passes on.
    virtual void BuildUnits(int unitSize);
    // BuildUnits, then one row per unit appended to rows.
    virtual void FillListView(int unitSize, TListView& listView, TRowList& rows);
    // Empties the list, then the unit numbered unitNo of the chain as last built fills it
    // and rows with its answer rows; nothing for a number without a unit. unitSize is
    // not used.
    virtual void ShowUnitQuestions(int unitSize, int unitNo, TListView& listView, TRowList& rows);
    // The eight columns with the widths of Control.inf [単位一覧幅], defaults where
    // missing; the list's rows are removed.
    virtual void SetupColumns(TListView& listView);
    // Writes each column's width under its caption to Control.inf [単位一覧幅].
    virtual void SaveColumnWidths(TListView& listView);

protected:
    // The plain constructor: no folder, no chain.
    TAnswerUnitControl() = default;
};

// The store of no category: every operation does nothing.
class TAnswerUnitControlNull : public TAnswerUnitControl {
public:
    TAnswerUnitControlNull() = default;
    void FillListView(int unitSize, TListView& listView, TRowList& rows) override;
    void ShowUnitQuestions(int unitSize, int unitNo, TListView& listView, TRowList& rows) override;
    void SetupColumns(TListView& listView) override;
    void SaveColumnWidths(TListView& listView) override;
};

class TAnswerUnitControlClass : public TMetaClass<TAnswerUnitControl, const QString&, int> {
public:
    // Frees the current AnswerUnitControl, then makes a store of this class for the
    // folder. When the units cannot be cut, AnswerUnitControl becomes a store of the
    // folder without units and the error passes on to the caller.
    virtual void CreateInstance(const QString& folder, int unitSize) const;
};

inline std::unique_ptr<TAnswerUnitControl> AnswerUnitControl;
inline const TAnswerUnitControlClass* AnswerUnitControlClass = nullptr;

// Unit initialisation (AnswerUnitControlClass := TAnswerUnitControl, AnswerUnitControl :=
// a new TAnswerUnitControlNull) and finalisation (frees the store, clears both globals).
void InitializeUAnswerUnitControl();
void FinalizeUAnswerUnitControl();
