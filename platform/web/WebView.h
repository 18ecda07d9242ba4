#pragma once
// TWebView: the page view of the web engine, as TWebBrowser drives it. The engine's
// libraries are large and slow to load, so the view lives in a module of its own that is
// loaded when the first page is shown (WebEngineModule.h); this interface is all the rest
// of the program sees of it.

#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

// One step of a navigation, as the engine reports it.
struct TWebLoading {
    enum TStatus { Started, Succeeded, Failed, Stopped };
    TStatus Status = Started;
    QUrl Url;
    bool ErrorPage = false;  // the engine's own error page
    bool Aborted = false;    // cut short by a newer navigation, or turned into a download
    QString Error;
};

class TWebView {
public:
    virtual ~TWebView() = default;

    // Raised for each step of a navigation, a change of the page's title, and an address
    // that answers with a file to save (already refused: nothing is written).
    std::function<void(const TWebLoading& loading)> OnLoading;
    std::function<void(const QString& title)> OnTitleChanged;
    std::function<void(const QUrl& url)> OnDownloadRefused;

    // The widget showing the page; owned by the parent given at its making.
    virtual QWidget* Widget() = 0;
    // Loads the address; scripts run on its pages only when allowed.
    virtual void Load(const QUrl& url, bool scripts) = 0;
    virtual QUrl Url() const = 0;
    virtual QString Title() const = 0;
    // Sets the text size of every page as a factor of the engine's normal sizes.
    virtual void SetTextSize(double factor) = 0;
};
