#pragma once
// The data screen's way into the subset editor.

#include <QString>

// Shows the subset editor of the category folder modally and returns 1 when it ended
// with OK, another value otherwise.
int ExecuteSubsetEditor(const QString& folder);
