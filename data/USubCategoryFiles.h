#pragma once
// The subset files of a category folder as they lie on disk: every file whose name ends
// in ".sub" in any letter case (folders never count). The subset name is the file name
// without its last four characters.
//
// A subset name must survive every place that holds it: its file name, the name=value
// lines of the subset editor, Control.inf and UnitHistory.cds (both in CP932), and the data
// screen's subset box, whose first entry stands for every question. Files whose names
// break one of these rules are made by hand or by other programs; they are never offered
// as subsets, never rewritten and never deleted by the subset operations.

#include <QString>
#include <QStringList>

// True when fileName ends in ".sub", ".Sub", ".SUB" or any other letter case of it.
bool IsSubFileName(const QString& fileName);
// The subset name of a subset file name.
QString SubNameOf(const QString& fileName);
// Why a name cannot be a subset name; None when it can. Blank, AllQuestions and Dots judge
// the name without surrounding blanks; the characters and the length judge it as given.
enum class TSubsetNameFault {
    None,
    Blank,             // empty or only blanks and control characters
    AllQuestions,      // the subset box's entry for every question
    Dots,              // "." or ".."
    ReservedCharacter, // "=", "/" or "\"
    ControlCharacter,  // a character with a code below 32 (NUL included) or DEL
    NotInCodePage,     // a character that CP932 cannot hold
    TooLong,           // its file name would be longer than 255 bytes
};
TSubsetNameFault SubsetNameFault(const QString& name);
inline bool IsUsableSubsetName(const QString& name) { return SubsetNameFault(name) == TSubsetNameFault::None; }

// The names of the folder's subset files, sorted by subset name without regard to case
// (names equal but for case, and extensions differing in case, by their exact text), so
// that two listings of an unchanged folder agree. Empty when the folder cannot be read.
QStringList ListSubFileNames(const QString& folder);
// Creates or replaces the subset file fileName of the folder with Text and CR LF, the
// file name taken exactly as given (see WriteFileAtomicAs); raises on failure.
void WriteSubFileAs(const QString& folder, const QString& fileName, const QString& text);
