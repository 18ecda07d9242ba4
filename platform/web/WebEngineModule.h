#pragma once
// The module holding the web engine's page view (platform/web/engine), loaded on first use
// from the folder of the executable or, failing that, from the build that made it. Each
// step below holds the application up for tens of milliseconds; a caller that keeps the
// application answering takes them in separate turns of its event loop.

#include "platform/web/WebView.h"

#include <QString>
#include <memory>

class QWidget;

// The names of the module's entry points: void () and TWebView* (QWidget* parent).
inline constexpr char WebEngineStarterName[] = "moriva_start_web_engine";
inline constexpr char WebViewFactoryName[] = "moriva_create_web_view";

// Loads the module unless loaded already; false, with the reason in error, when it cannot
// be loaded.
bool LoadWebEngineModule(QString& error);
// Starts the engine (its shared browsing profile) unless started already; the module must
// be loaded.
void StartWebEngine();
// A new page view in the parent, loading the module and starting the engine first when
// needed; null when the module cannot be loaded, error then says why.
std::unique_ptr<TWebView> CreateWebView(QWidget* parent, QString& error);
