#include "platform/web/WebEngineModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace {

using TFactory = TWebView* (*)(QWidget*);

// The module's file: beside the executable, else where the build wrote it.
QString ModulePath()
{
    const QString name = QFileInfo(QStringLiteral(MORIVA_WEB_ENGINE_MODULE)).fileName();
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    return QFileInfo::exists(beside) ? beside : QStringLiteral(MORIVA_WEB_ENGINE_MODULE);
}

TFactory& Factory()
{
    static TFactory factory = nullptr;
    return factory;
}

} // namespace

bool LoadWebEngineModule(QString& error)
{
    if (Factory())
        return true;
    // Loaded once and kept for the life of the process: the engine cannot be unloaded.
    static QLibrary module(ModulePath());
    Factory() = reinterpret_cast<TFactory>(module.resolve(WebViewFactoryName));
    if (!Factory())
        error = module.errorString();
    return Factory() != nullptr;
}

std::unique_ptr<TWebView> CreateWebView(QWidget* parent, QString& error)
{
    if (!LoadWebEngineModule(error))
        return nullptr;
    return std::unique_ptr<TWebView>(Factory()(parent));
}
