#pragma once
// The files in which the screens keep their window-state record (Menu.dat in the program
// folder, Form.dat in a category folder): the record's 20 bytes and nothing else, read and
// written by the screens' OnReadData and OnSaveData handlers through these functions.

#include "components/KvWdwStateData.h"

#include <QString>

// Where a problem with a record file is told: the screens pass the program's log.
using TWdwStateLog = void (*)(const QString& place, const QString& message);

// Reads the record from the file into data and returns true. A missing file leaves data
// as it is; so does a file that cannot be read or holds fewer than 20 bytes, which is told
// to log in one line (the form then keeps its own placement).
bool ReadWdwStateFile(const QString& path, TKvWdwStateData& data, TWdwStateLog log);
// Creates or replaces the file with the record's 20 bytes, whole or not at all; raises
// Exception naming the file when that cannot be done.
void SaveWdwStateFile(const QString& path, const TKvWdwStateData& data);
