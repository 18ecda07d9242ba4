#include "platform/web/WebBrowser.h"

#include "platform/vcl/Dispatch.h"

#include <QApplication>
#include <QChildEvent>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QtQuickWidgets/QQuickWidget>
#include <array>
#include <cmath>

namespace {

// Text sizes 0-4 as factors of the pages' normal font sizes.
constexpr std::array<double, 5> TextSizeFactors = {0.75, 0.875, 1.0, 1.25, 1.5};

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

} // namespace

TWebBrowser::TWebBrowser(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::ClickFocus);
    setAutoFillBackground(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // The engine draws through a Qt Quick widget. A window that first gets one after it
    // has been shown changes its surface, which makes its native window again (a new
    // window id, input sent to the old one lost). This hidden one, never shown, gives the
    // window that surface from the start; it costs nothing until shown.
    (new QQuickWidget(this))->hide();
}

TWebBrowser::~TWebBrowser()
{
    // The page goes before the browser's other members, while its signals can still land.
    delete view_;
}

// --- navigation ---

void TWebBrowser::Navigate(const QString& address, const QString& fallback)
{
    const QUrl url = WebAddress(address);
    const QUrl fallbackUrl = fallback.isEmpty() ? QUrl() : WebAddress(fallback);
    location_ = url;
    fallback_ = fallbackUrl;
    if (view_) {
        Load(url);
        return;
    }
    pending_ = url;
    loaded_ = false;
    SetReadyState(READYSTATE_LOADING);
    if (isVisible() && !startQueued_) {
        startQueued_ = true;
        QTimer::singleShot(0, this, &TWebBrowser::StartEngine);
    }
}

void TWebBrowser::Load(const QUrl& url)
{
    location_ = url;
    // Local pages run no script: a page that came with a download cannot read files or
    // send anything out.
    view_->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, !url.isLocalFile());
    loaded_ = false;
    SetReadyState(READYSTATE_LOADING);
    view_->load(url);
}

void TWebBrowser::LoadingChanged(const QWebEngineLoadingInfo& info)
{
    // The engine's own error page loads like a page; its failure report may carry its flag.
    if (info.isErrorPage() && info.status() != QWebEngineLoadingInfo::LoadFailedStatus)
        return;
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        location_ = info.url();
        loaded_ = false;
        SetReadyState(READYSTATE_LOADING);
        break;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
        fallback_ = QUrl();
        document_ = {view_->url(), view_->title()};
        loaded_ = true;
        SetReadyState(READYSTATE_COMPLETE);
        break;
    case QWebEngineLoadingInfo::LoadFailedStatus:
        // Cut short by a newer navigation, which reports for itself, or turned into a
        // download, which DownloadRequested handles.
        if (info.errorCode() == NetErrorAborted && info.errorDomain() == QWebEngineLoadingInfo::ConnectionErrorDomain)
            break;
        LoadFailed(info.url(), info.errorString());
        break;
    case QWebEngineLoadingInfo::LoadStoppedStatus:
        break;
    }
}

void TWebBrowser::LoadFailed(const QUrl& url, const QString& reason)
{
    if (fallback_.isValid()) {
        const QUrl fallback = fallback_;
        fallback_ = QUrl();
        Load(fallback);
        return;
    }
    location_ = url;
    loaded_ = false;
    SetReadyState(READYSTATE_COMPLETE);
    if (OnLoadFailed)
        Dispatch([&] { OnLoadFailed(url, reason); });
}

void TWebBrowser::DownloadRequested(QWebEngineDownloadRequest* download)
{
    if (!view_ || download->page() != view_->page())
        return;
    // The browser shows pages; an address that answers with a file to save is a failed
    // navigation, and nothing is written.
    download->cancel();
    LoadFailed(download->url(), QStringLiteral("the address offers a file to save, not a page"));
}

QString TWebBrowser::LocationURL() const
{
    // A failed navigation commits nothing (no error page), so the view still names the
    // page before it; the address asked for is the one to report.
    if (view_ && loaded_ && !view_->url().isEmpty())
        return view_->url().toString();
    return location_.toString();
}

void TWebBrowser::SetReadyState(TReadyState state)
{
    if (state == readyState_)
        return;
    readyState_ = state;
    if (OnReadyStateChange)
        Dispatch(OnReadyStateChange);
}

// --- the engine ---

void TWebBrowser::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    if (!view_) {
        QPainter(this).fillRect(rect(), Qt::white);
        // The window has been drawn; the engine may start once this paint is done.
        if (pending_.isValid() && !startQueued_) {
            startQueued_ = true;
            QTimer::singleShot(0, this, &TWebBrowser::StartEngine);
        }
    }
}

void TWebBrowser::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Should no paint come (a window the window system does not expose), start anyway.
    QTimer::singleShot(250, this, [this] {
        if (!view_ && pending_.isValid() && !startQueued_) {
            startQueued_ = true;
            StartEngine();
        }
    });
}

void TWebBrowser::StartEngine()
{
    startQueued_ = false;
    if (view_)
        return;
    const bool hadFocus = hasFocus();
    view_ = new QWebEngineView(this);
    view_->setFocusPolicy(Qt::ClickFocus);
    view_->installEventFilter(new TNoTabStops(view_));
    setFocusProxy(view_);
    layout()->addWidget(view_);
    QWebEngineSettings* settings = view_->settings();
    // A failure is reported, never shown as the engine's error page. Local pages reach no
    // remote address from a script; they keep their local style sheets and pictures
    // (without that access the help pages lose their look), and run no script (Load).
    settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    QWebEnginePage* page = view_->page();
    connect(page, &QWebEnginePage::loadingChanged, this, &TWebBrowser::LoadingChanged);
    connect(page->profile(), &QWebEngineProfile::downloadRequested, this, &TWebBrowser::DownloadRequested);
    connect(page, &QWebEnginePage::titleChanged, this, [this](const QString& title) {
        if (loaded_)
            document_.Title = title;
    });
    ApplyTextSize();
    if (hadFocus)
        view_->setFocus();
    if (pending_.isValid()) {
        const QUrl url = pending_;
        pending_ = QUrl();
        Load(url);
    }
}

// --- text size and focus ---

void TWebBrowser::ExecWB(int command, int, const QVariant& input, QVariant* output)
{
    if (command != OLECMDID_ZOOM)
        throw EWebBrowser(QStringLiteral("ExecWB: command %1 is not supported").arg(command));
    if (input.isValid()) {
        bool ok = false;
        const int size = input.toInt(&ok);
        if (!ok || size < 0 || size >= static_cast<int>(TextSizeFactors.size()))
            throw EWebBrowser(QStringLiteral("ExecWB: text size %1 is not one of 0-4").arg(input.toString()));
        textSize_ = size;
        ApplyTextSize();
    }
    if (output)
        *output = textSize_;
}

void TWebBrowser::ApplyTextSize()
{
    if (!view_)
        return;
    QWebEngineSettings* settings = view_->settings();
    // The engine's own sizes are the normal ones; the profile's defaults keep them.
    QWebEngineSettings* normal = view_->page()->profile()->settings();
    const double factor = TextSizeFactors[static_cast<size_t>(textSize_)];
    for (auto type : {QWebEngineSettings::DefaultFontSize, QWebEngineSettings::DefaultFixedFontSize,
                      QWebEngineSettings::MinimumFontSize}) {
        const int size = normal->fontSize(type);
        if (size > 0)
            settings->setFontSize(type, static_cast<int>(std::lround(size * factor)));
    }
}

void TWebBrowser::SetFocus()
{
    if (view_)
        view_->setFocus(Qt::OtherFocusReason);
    else
        setFocus(Qt::OtherFocusReason);
}

bool TWebBrowser::Focused() const
{
    const QWidget* focus = QApplication::focusWidget();
    return focus && (focus == this || isAncestorOf(focus));
}
