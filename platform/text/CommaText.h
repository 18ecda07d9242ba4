#pragma once
// Comma text: a list of entries in one line, as string lists read and write it and as
// subset files and server texts store it.
//
// Reading (SplitCommaText):
//  1. Characters with codes 1 to 32 before the first entry are skipped.
//  2. An entry that starts with a double quote runs to the matching closing quote; a
//     doubled quote inside stands for one; the quotes are removed (an entry without its
//     closing quote runs to the end of the text).
//  3. Any other entry runs up to the next comma or the next character with a code from 1
//     to 32, whichever comes first.
//  4. After each entry, characters with codes 1 to 32 are skipped. A comma there is
//     passed together with the codes 1 to 32 after it; a comma that is the very last
//     character of the text adds one empty entry.
// So blanks separate entries like commas: "5, 3,5 ,,9," gives 5, 3, 5, "", 9, "".
// A character with code 0 ends the text.
//
// Writing (JoinCommaText): entries joined by commas; an entry holding a character with a
// code up to 32, a comma or a double quote is put in double quotes with its quotes
// doubled; a list of one empty entry is written as "" (an empty text reads as no entry).

#include <QString>
#include <QStringList>

QStringList SplitCommaText(const QString& text);
QString JoinCommaText(const QStringList& entries);

// The first line of a subset file split into its question-number entries; the same rules
// as SplitCommaText.
inline QStringList SplitSubsetCommaText(const QString& line) { return SplitCommaText(line); }
