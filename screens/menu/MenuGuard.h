#pragma once
// The menu's saves: one that fails is written to the log and the menu goes on.

#include "data/UConst.h"
#include "platform/core/Exception.h"

#include <QString>

// Runs save; a failure of it becomes the log line "TfrmMenuControl.<what>: <message>".
template <class F>
void GuardedSave(const QString& what, F&& save) noexcept
{
    try {
        save();
    } catch (...) {
        WriteLog(QStringLiteral("TfrmMenuControl"), what + QStringLiteral(": ") + ExceptMessage());
    }
}
