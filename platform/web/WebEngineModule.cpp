#include "platform/web/WebEngineModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace {

// The module's entry points, once loaded.
struct TEntryPoints {
    void (*Start)() = nullptr;
    TWebView* (*Create)(QWidget*) = nullptr;
    bool Started = false;
};

TEntryPoints& EntryPoints()
{
    static TEntryPoints entries;
    return entries;
}

// The module's file: beside the executable, else where the build wrote it.
QString ModulePath()
{
    const QString name = QFileInfo(QStringLiteral(MORIVA_WEB_ENGINE_MODULE)).fileName();
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    return QFileInfo::exists(beside) ? beside : QStringLiteral(MORIVA_WEB_ENGINE_MODULE);
}

} // namespace

bool LoadWebEngineModule(QString& error)
{
    TEntryPoints& entries = EntryPoints();
    if (entries.Create)
        return true;
    // Loaded once and kept for the life of the process: the engine cannot be unloaded.
    static QLibrary module(ModulePath());
    const auto start = reinterpret_cast<void (*)()>(module.resolve(WebEngineStarterName));
    const auto create = reinterpret_cast<TWebView* (*)(QWidget*)>(module.resolve(WebViewFactoryName));
    if (!start || !create) {
        error = module.errorString();
        return false;
    }
    entries.Start = start;
    entries.Create = create;
    return true;
}

void StartWebEngine()
{
    TEntryPoints& entries = EntryPoints();
    if (entries.Start && !entries.Started) {
        entries.Started = true;
        entries.Start();
    }
}

std::unique_ptr<TWebView> CreateWebView(QWidget* parent, QString& error)
{
    if (!LoadWebEngineModule(error))
        return nullptr;
    StartWebEngine();
    return std::unique_ptr<TWebView>(EntryPoints().Create(parent));
}
