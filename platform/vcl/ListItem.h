#pragma once
// One row of a list view: its caption (first column), the texts of the further columns,
// the tick of its check box, its state picture and a pointer the caller attaches to it. A detached item is a
// plain record that a store fills and a row list owns; an owner-data list view copies it
// into the row it is asked for.

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class TListItem {
public:
    QString Caption;
    QStringList SubItems;
    bool Checked = false;
    // Position of the row's picture in the list's state pictures; -1 for none.
    int StateIndex = -1;
    void* Data = nullptr;
    // Row position in its list view; -1 for a detached item.
    int Index = -1;
};

// The caller-owned rows of an owner-data list view, shown by position.
using TRowList = std::vector<std::unique_ptr<TListItem>>;
