#pragma once
// Category folders for tests: a folder of the program folder holding Question.cds and
// Answer.cds written by the dataset engine, with questions numbered 1..count, each with
// one text answer; and Menu.inf written as CP932 bytes from UTF-8 text.

#include "tests/support/ProgramFolder.h"

#include <QString>

// Writes the folder name (created when missing) with count questions and answers.
void WriteCategoryFolder(const TempProgramFolder& program, const QString& name, int count);
// Writes Menu.inf of the program folder: the UTF-8 text, stored in CP932.
void WriteMenuInf(const TempProgramFolder& program, const char* utf8);
// Menu.inf of the program folder as text (CP932 decoded); empty when it is missing.
QString ReadMenuInf(const TempProgramFolder& program);
// The lines of Vek.Log of the program folder (CP932 decoded); none when it is missing.
QStringList ReadLogLines(const TempProgramFolder& program);
