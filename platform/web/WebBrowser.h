#pragma once
// TWebBrowser: the embedded web browser control, on Qt WebEngine. It shows pages from the
// web and local files, reports where it is and whether a page has loaded, and sets the
// text size of the pages.
//
// - Navigate(address, fallback) goes to the address (see WebAddress.h for the forms taken;
//   another address raises EWebBrowser before anything changes). When that navigation
//   fails to load (no network, unknown host, refused connection, an error status such as
//   404, a missing file) and a fallback address was given, the browser goes to the
//   fallback instead; an address that answers with a file to save (a download) counts as
//   a failure, and the download is refused. A failure of the fallback, or of a navigation
//   without one (also one a page starts), is left as it is. OnLoadFailed is raised
//   (through Dispatch) with the address and the reason when a navigation fails for good.
//   The engine's error page never shows: a failed page leaves no document.
// - Local pages (file:) run no script, so none reads a local file or sends anything out;
//   they still load their local style sheets and pictures. Pages of the web run their
//   scripts.
// - The engine draws the pages in software into the window's own surface, so the window
//   is not made again when the engine starts.
// - The engine starts with the first navigation once the control has been painted, so a
//   window shows its other controls before the engine's start holds up the application;
//   until then the navigation is pending and ReadyState is READYSTATE_LOADING. Its
//   libraries are loaded then too, not with the program (WebEngineModule.h); should they
//   not load, the navigation fails for good. Loading them, starting the engine and
//   making the view take three turns of the event loop, with input handled between them.
// - ReadyState: READYSTATE_UNINITIALIZED before the first navigation, READYSTATE_LOADING
//   while one is pending or loading, READYSTATE_COMPLETE once it has ended (loaded, or
//   failed for good). OnReadyStateChange is raised (through Dispatch) at each change.
// - Document() is the page shown once it has loaded; null before, while loading and after
//   a failed load (the engine's error page is no document).
// - LocationURL() is the address shown or being loaded, scheme included; empty before the
//   first navigation.
// - ExecWB(OLECMDID_ZOOM, option, size) sets the text size of every page: 0 smallest to 4
//   largest, 2 the pages' normal size (an empty input leaves it); the output, when asked
//   for, is the size in use. Other commands, or a size outside 0-4, raise EWebBrowser.
// - It is no tab stop: the focus comes to it by a click or by SetFocus.

#include "platform/web/WebAddress.h"
#include "platform/web/WebView.h"

#include <QUrl>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <memory>

enum TReadyState {
    READYSTATE_UNINITIALIZED = 0,
    READYSTATE_LOADING = 1,
    READYSTATE_LOADED = 2,
    READYSTATE_INTERACTIVE = 3,
    READYSTATE_COMPLETE = 4,
};

inline constexpr int OLECMDID_ZOOM = 19;
inline constexpr int OLECMDEXECOPT_DONTPROMPTUSER = 2;

// The page a browser shows.
struct TWebDocument {
    QUrl Url;
    QString Title;
};

class TWebBrowser : public QWidget {
    Q_OBJECT

public:
    explicit TWebBrowser(QWidget* parent = nullptr);
    ~TWebBrowser() override;

    std::function<void()> OnReadyStateChange;
    std::function<void(const QUrl& url, const QString& reason)> OnLoadFailed;

    void Navigate(const QString& address, const QString& fallback = {});
    TReadyState ReadyState() const { return readyState_; }
    const TWebDocument* Document() const { return loaded_ ? &document_ : nullptr; }
    QString LocationURL() const;
    void ExecWB(int command, int option, const QVariant& input, QVariant* output = nullptr);
    void SetFocus();
    // True when the focus is in the browser.
    bool Focused() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void StartEngine();
    void QueueEngineStep(int step);
    void Load(const QUrl& url);
    void LoadingChanged(const TWebLoading& info);
    void LoadFailed(const QUrl& url, const QString& reason);
    void SetReadyState(TReadyState state);
    void ApplyTextSize();

    std::unique_ptr<TWebView> view_;
    bool startQueued_ = false;
    int engineStep_ = 0;  // the engine's start: 0 load its module, 1 start it, 2 make the view
    QUrl pending_;      // the navigation waiting for the engine
    QUrl location_;     // the address asked for last
    QUrl fallback_;     // where a failure of the current navigation goes; empty: nowhere
    TWebDocument document_;
    bool loaded_ = false;
    TReadyState readyState_ = READYSTATE_UNINITIALIZED;
    int textSize_ = 2;
};
