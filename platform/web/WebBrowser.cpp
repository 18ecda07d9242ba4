#include "platform/web/WebBrowser.h"

#include "platform/vcl/Dispatch.h"
#include "platform/web/WebEngineModule.h"

#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>
#include <array>

namespace {

// Text sizes 0-4 as factors of the pages' normal font sizes.
constexpr std::array<double, 5> TextSizeFactors = {0.75, 0.875, 1.0, 1.25, 1.5};

} // namespace

TWebBrowser::TWebBrowser(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::ClickFocus);
    setAutoFillBackground(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

TWebBrowser::~TWebBrowser()
{
    // The page goes before the browser's other members, while its signals can still land.
    view_.reset();
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
    loaded_ = false;
    SetReadyState(READYSTATE_LOADING);
    // Local pages run no script: a page that came with a download cannot read files or
    // send anything out.
    view_->Load(url, !url.isLocalFile());
}

void TWebBrowser::LoadingChanged(const TWebLoading& info)
{
    // The engine's own error page loads like a page; its failure report may carry its flag.
    if (info.ErrorPage && info.Status != TWebLoading::Failed)
        return;
    switch (info.Status) {
    case TWebLoading::Started:
        location_ = info.Url;
        loaded_ = false;
        SetReadyState(READYSTATE_LOADING);
        break;
    case TWebLoading::Succeeded:
        fallback_ = QUrl();
        document_ = {view_->Url(), view_->Title()};
        loaded_ = true;
        SetReadyState(READYSTATE_COMPLETE);
        break;
    case TWebLoading::Failed:
        // Cut short by a newer navigation, which reports for itself, or turned into a
        // download, which the view reports as refused.
        if (!info.Aborted)
            LoadFailed(info.Url, info.Error);
        break;
    case TWebLoading::Stopped:
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


QString TWebBrowser::LocationURL() const
{
    // A failed navigation commits nothing (no error page), so the view still names the
    // page before it; the address asked for is the one to report.
    if (view_ && loaded_ && !view_->Url().isEmpty())
        return view_->Url().toString();
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
    QString error;
    // Loading the engine's libraries, starting the engine and making the view each hold
    // the application up for tens of milliseconds: they take turns of their own, with the
    // input that came between them handled in between.
    if (engineStep_ == 0 && LoadWebEngineModule(error)) {
        QueueEngineStep(1);
        return;
    }
    if (engineStep_ == 1) {
        StartWebEngine();
        QueueEngineStep(2);
        return;
    }
    view_ = CreateWebView(this, error);
    if (!view_) {
        // Without the engine no page can show: the pending navigation fails for good.
        const QUrl url = pending_;
        pending_ = QUrl();
        fallback_ = QUrl();
        LoadFailed(url, QStringLiteral("the web engine could not be loaded: ") + error);
        return;
    }
    const bool hadFocus = hasFocus();
    QWidget* widget = view_->Widget();
    setFocusProxy(widget);
    layout()->addWidget(widget);
    view_->OnLoading = [this](const TWebLoading& info) { LoadingChanged(info); };
    view_->OnTitleChanged = [this](const QString& title) {
        if (loaded_)
            document_.Title = title;
    };
    // The browser shows pages; an address that answers with a file to save is a failed
    // navigation, and nothing is written.
    view_->OnDownloadRefused = [this](const QUrl& url) {
        LoadFailed(url, QStringLiteral("the address offers a file to save, not a page"));
    };
    ApplyTextSize();
    if (hadFocus)
        widget->setFocus();
    if (pending_.isValid()) {
        const QUrl url = pending_;
        pending_ = QUrl();
        Load(url);
    }
}

void TWebBrowser::QueueEngineStep(int step)
{
    engineStep_ = step;
    startQueued_ = true;
    QTimer::singleShot(0, this, &TWebBrowser::StartEngine);
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
    if (view_)
        view_->SetTextSize(TextSizeFactors[static_cast<size_t>(textSize_)]);
}

void TWebBrowser::SetFocus()
{
    if (view_)
        view_->Widget()->setFocus(Qt::OtherFocusReason);
    else
        setFocus(Qt::OtherFocusReason);
}

bool TWebBrowser::Focused() const
{
    const QWidget* focus = QApplication::focusWidget();
    return focus && (focus == this || isAncestorOf(focus));
}
