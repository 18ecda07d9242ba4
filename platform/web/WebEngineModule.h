#pragma once
// The module holding the web engine's page view (platform/web/engine), loaded on first use
// from the folder of the executable or, failing that, from the build that made it.

#include "platform/web/WebView.h"

#include <QString>
#include <memory>

class QWidget;

// The name of the module's one entry point: TWebView* (QWidget* parent).
inline constexpr char WebViewFactoryName[] = "moriva_create_web_view";

// Loads the module (its libraries take tens of milliseconds) unless loaded already; false,
// with the reason in error, when it cannot be loaded.
bool LoadWebEngineModule(QString& error);
// A new page view in the parent, loading the module first when needed; null when the
// module cannot be loaded, error then says why.
std::unique_ptr<TWebView> CreateWebView(QWidget* parent, QString& error);
