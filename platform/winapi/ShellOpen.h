#pragma once
// ShellExecute "open" of an address: the address goes to the desktop's URL handler
// (xdg-open, started detached), which opens it in the user's browser. The handler's own
// outcome is not awaited. Tests replace the opener to see what would be opened.

#include <QString>
#include <functional>

using TUrlOpener = std::function<bool(const QString& url)>;

// True when the handler could be started. Never throws.
bool ShellOpenUrl(const QString& url) noexcept;

// Sets the opener (an empty one restores the desktop's handler); returns the previous one.
TUrlOpener SetUrlOpener(TUrlOpener opener);
