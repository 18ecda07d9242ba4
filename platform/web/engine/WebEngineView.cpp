// The web engine's page view behind TWebView, built as the module the browser loads on
// first use (platform/web/WebEngineModule.h). Nothing here is linked into the program.
#include "platform/web/WebEngineModule.h"

#include <QChildEvent>
#include <QPointer>
#include <QQuickWindow>
#include <QWebEngineDownloadRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <cmath>

namespace {

// Chromium's code for a navigation cut short by the next one.
constexpr int NetErrorAborted = -3;

// Keeps the engine's inner widgets out of the tab order (they are made with each page).
class TNoTabStops : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildPolished) {
            QObject* child = static_cast<QChildEvent*>(event)->child();
            if (child->isWidgetType())
                static_cast<QWidget*>(child)->setFocusPolicy(Qt::ClickFocus);
        }
        return QObject::eventFilter(watched, event);
    }
};

TWebLoading Loading(const QWebEngineLoadingInfo& info)
{
    TWebLoading loading;
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus: loading.Status = TWebLoading::Started; break;
    case QWebEngineLoadingInfo::LoadStoppedStatus: loading.Status = TWebLoading::Stopped; break;
    case QWebEngineLoadingInfo::LoadSucceededStatus: loading.Status = TWebLoading::Succeeded; break;
    case QWebEngineLoadingInfo::LoadFailedStatus: loading.Status = TWebLoading::Failed; break;
    }
    loading.Url = info.url();
    loading.ErrorPage = info.isErrorPage();
    loading.Aborted = info.errorCode() == NetErrorAborted &&
        info.errorDomain() == QWebEngineLoadingInfo::ConnectionErrorDomain;
    loading.Error = info.errorString();
    return loading;
}

class TWebEngineView : public TWebView {
public:
    explicit TWebEngineView(QWidget* parent) : view_(new QWebEngineView(parent))
    {
        view_->setFocusPolicy(Qt::ClickFocus);
        view_->installEventFilter(new TNoTabStops(view_));
        QWebEngineSettings* settings = view_->settings();
        // A failure is reported, never shown as the engine's error page. Local pages reach
        // no remote address from a script; they keep their local style sheets and pictures
        // (without that access the help pages lose their look).
        settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
        settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
        QWebEnginePage* page = view_->page();
        QObject::connect(page, &QWebEnginePage::loadingChanged, view_, [this](const QWebEngineLoadingInfo& info) {
            if (OnLoading)
                OnLoading(Loading(info));
        });
        QObject::connect(page, &QWebEnginePage::titleChanged, view_, [this](const QString& title) {
            if (OnTitleChanged)
                OnTitleChanged(title);
        });
        QObject::connect(page->profile(), &QWebEngineProfile::downloadRequested, view_,
                         [this](QWebEngineDownloadRequest* download) {
                             if (download->page() != view_->page())
                                 return;
                             download->cancel();
                             if (OnDownloadRefused)
                                 OnDownloadRefused(download->url());
                         });
    }

    ~TWebEngineView() override { delete view_; }

    QWidget* Widget() override { return view_; }

    void Load(const QUrl& url, bool scripts) override
    {
        view_->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, scripts);
        view_->load(url);
    }

    QUrl Url() const override { return view_->url(); }
    QString Title() const override { return view_->title(); }

    void SetTextSize(double factor) override
    {
        QWebEngineSettings* settings = view_->settings();
        // The engine's own sizes are the normal ones; the profile's defaults keep them.
        QWebEngineSettings* normal = view_->page()->profile()->settings();
        for (auto type : {QWebEngineSettings::DefaultFontSize, QWebEngineSettings::DefaultFixedFontSize,
                          QWebEngineSettings::MinimumFontSize}) {
            const int size = normal->fontSize(type);
            if (size > 0)
                settings->setFontSize(type, static_cast<int>(std::lround(size * factor)));
        }
    }

private:
    QPointer<QWebEngineView> view_;
};

// The pages are drawn in software into the window's own backing store: a view that drew
// through OpenGL would change the surface of a window already shown, which makes its
// native window again.
void DrawInSoftware()
{
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}

} // namespace

extern "C" Q_DECL_EXPORT void moriva_start_web_engine()
{
    DrawInSoftware();
    QWebEngineProfile::defaultProfile();
}

extern "C" Q_DECL_EXPORT TWebView* moriva_create_web_view(QWidget* parent)
{
    DrawInSoftware();
    return new TWebEngineView(parent);
}
