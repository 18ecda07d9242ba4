#pragma once
// The information categories of the tablet library: the interface (its name, the version
// of the interface it follows and its own, device, cursor and context counts), the status,
// the default context, the device (name and axes), the cursors and no extensions.

#include "platform/wintab/Wintab.h"

#include <QByteArray>

// The bytes of the item (category, index); empty when there is no such item.
QByteArray TabletInfo(WTUINT category, WTUINT index);
