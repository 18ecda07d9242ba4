#include "components/KT_WinTab.h"

#include "components/KT_WinTab_Const.h"
#include "platform/core/Exception.h"
#include "platform/files/AppDir.h"
#include "platform/text/Ansi.h"
#include "platform/vcl/Dispatch.h"

#include <QWidget>
#include <array>
#include <dlfcn.h>

namespace {

// The library's functions, shared by every component and bound anew at each switch-on.
TWTInfoA WTInfoA;
TWTOpenA WTOpenA;
TWTClose WTClose;
TWTPacketsGet WTPacketsGet;
TWTPacket WTPacket;
TWTEnable WTEnable;
TWTOverlap WTOverlap;
TWTConfig WTConfig;
TWTGetA WTGetA;
TWTSetA WTSetA;
TWTExtGet WTExtGet;
TWTExtSet WTExtSet;
TWTSave WTSave;
TWTRestore WTRestore;
TWTPacketsPeek WTPacketsPeek;
TWTDataGet WTDataGet;
TWTDataPeek WTDataPeek;
TWTQueuePacketsEx WTQueuePacketsEx;
TWTQueueSizeGet WTQueueSizeGet;
TWTQueueSizeSet WTQueueSizeSet;
TWTMgrOpen WTMgrOpen;
TWTMgrClose WTMgrClose;
TWTMgrContextEnum WTMgrContextEnum;
TWTMgrContextOwner WTMgrContextOwner;
TWTMgrDefContext WTMgrDefContext;
TWTMgrDefContextEx WTMgrDefContextEx;
TWTMgrDeviceConfig WTMgrDeviceConfig;
TWTMgrConfigReplaceExA WTMgrConfigReplaceExA;
TWTMgrPacketHookExA WTMgrPacketHookExA;
TWTMgrPacketUnHook WTMgrPacketUnHook;
TWTMgrPacketHookNext WTMgrPacketHookNext;
TWTMgrExt WTMgrExt;
TWTMgrCsrEnable WTMgrCsrEnable;
TWTMgrCsrButtonMap WTMgrCsrButtonMap;
TWTMgrCsrPressureBtnMarksEx WTMgrCsrPressureBtnMarksEx;
TWTMgrCsrPressureResponse WTMgrCsrPressureResponse;
TWTMgrCsrExt WTMgrCsrExt;

struct TBinding {
    const char* Name;
    void** Target;
};

#define BIND(name) TBinding{#name, reinterpret_cast<void**>(&name)}
const std::array<TBinding, 37> Bindings{
    BIND(WTInfoA), BIND(WTOpenA), BIND(WTClose), BIND(WTPacketsGet), BIND(WTPacket),
    BIND(WTEnable), BIND(WTOverlap), BIND(WTConfig), BIND(WTGetA), BIND(WTSetA),
    BIND(WTExtGet), BIND(WTExtSet), BIND(WTSave), BIND(WTRestore), BIND(WTPacketsPeek),
    BIND(WTDataGet), BIND(WTDataPeek), BIND(WTQueuePacketsEx), BIND(WTQueueSizeGet),
    BIND(WTQueueSizeSet), BIND(WTMgrOpen), BIND(WTMgrClose), BIND(WTMgrContextEnum),
    BIND(WTMgrContextOwner), BIND(WTMgrDefContext), BIND(WTMgrDefContextEx),
    BIND(WTMgrDeviceConfig), BIND(WTMgrConfigReplaceExA), BIND(WTMgrPacketHookExA),
    BIND(WTMgrPacketUnHook), BIND(WTMgrPacketHookNext), BIND(WTMgrExt), BIND(WTMgrCsrEnable),
    BIND(WTMgrCsrButtonMap), BIND(WTMgrCsrPressureBtnMarksEx), BIND(WTMgrCsrPressureResponse),
    BIND(WTMgrCsrExt)};
#undef BIND

// The positions in Bindings of the six functions the component calls.
constexpr std::array<int, 6> CalledFunctions{0, 1, 2, 4, 5, 8};

constexpr char LibraryName[] = "libwintab32.so";

void* LoadLibrary()
{
    const QByteArray local = (GetAppDir() + QLatin1String(LibraryName)).toLocal8Bit();
    if (void* library = dlopen(local.constData(), RTLD_NOW | RTLD_LOCAL))
        return library;
    return dlopen(LibraryName, RTLD_NOW | RTLD_LOCAL);
}

// Binds every name; false (and nothing bound) when one the component calls is missing, so
// that components already active keep their functions.
bool BindFunctions(void* library)
{
    std::array<void*, Bindings.size()> found{};
    for (std::size_t i = 0; i < Bindings.size(); ++i)
        found[i] = dlsym(library, Bindings[i].Name);
    for (int i : CalledFunctions)
        if (!found[std::size_t(i)])
            return false;
    for (std::size_t i = 0; i < Bindings.size(); ++i)
        *Bindings[i].Target = found[i];
    return true;
}

QWidget* OwnerWidget(QObject* owner)
{
    auto* widget = qobject_cast<QWidget*>(owner);
    if (!widget)
        throw Exception(QStringLiteral("Invalid class typecast"));
    return widget;
}

} // namespace

TKoltWinTab::TKoltWinTab(QObject* owner) : QObject(owner)
{
    formWindow_ = WindowHandle(OwnerWidget(owner));
}

TKoltWinTab::~TKoltWinTab()
{
    if (active_) {
        Deactivate();
        active_ = false;
    }
    FreeLibrary();
}

// --- switching on and off ---

void TKoltWinTab::SetActive(bool active)
{
    if (active) {
        if (active_)
            return;
        library_ = LoadLibrary();
        if (!library_)
            return;
        if (!BindFunctions(library_)) {
            FreeLibrary();
            return;
        }
        previousProc_ = SetWindowProc(formWindow_, [this](HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
            return WndProc(window, msg, wParam, lParam);
        });
        subclassed_ = true;
        active_ = true;
        WTInfoA(WTI_DEFCONTEXT, 0, &context_);
        context_.lcOptions |= CXO_SYSTEM | CXO_MESSAGES | CXO_CSRMESSAGES;
        context_.lcPktData = PK_CONTEXT | PK_STATUS | PK_CURSOR | PK_BUTTONS | PK_X | PK_Y
                           | PK_NORMAL_PRESSURE | PK_TANGENT_PRESSURE | PK_ORIENTATION | PK_ROTATION;
        context_.lcBtnDnMask = 0xFF;
        context_.lcBtnUpMask = 0xFF;
        context_.lcMsgBase = WT_DEFBASE;
        LOGCONTEXTA copy = context_;
        contextHandle_ = WTOpenA(formWindow_, &copy, 1);
        if (OnStart)
            Dispatch([&] { OnStart(this); });
        return;
    }
    if (active_)
        Deactivate();
    active_ = false;
    FreeLibrary();
    if (OnStop)
        Dispatch([&] { OnStop(this); });
}

void TKoltWinTab::Deactivate()
{
    WTEnable(contextHandle_, 0);
    WTClose(contextHandle_);
    contextHandle_ = 0;
    if (subclassed_) {
        SetWindowProc(formWindow_, previousProc_);
        previousProc_ = {};
        subclassed_ = false;
    }
}

void TKoltWinTab::FreeLibrary()
{
    if (library_)
        dlclose(library_);
    library_ = nullptr;
}

bool TKoltWinTab::Enabled()
{
    return active_ && WTGetA(contextHandle_, &context_) != 0;
}

void TKoltWinTab::SetEnabled(bool enabled)
{
    if (active_)
        WTEnable(contextHandle_, enabled ? 1 : 0);
}

// --- messages ---

LRESULT TKoltWinTab::WndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const TWndProc previous = previousProc_; // a handler may switch the component off
    const auto raise = [](auto&& call) { Dispatch(call); };
    switch (msg) {
    case WT_DEFBASE + WT_PACKET: RaisePacket(OnPacket, wParam, lParam); break;
    case WT_DEFBASE + WT_CSRCHANGE: RaisePacket(OnCSRChange, wParam, lParam); break;
    case WT_DEFBASE + WT_CTXOPEN:
        if (OnContextOpen)
            raise([&] { OnContextOpen(this, wParam, quint32(lParam)); });
        break;
    case WT_DEFBASE + WT_CTXCLOSE:
        if (OnContextClose)
            raise([&] { OnContextClose(this, wParam, quint32(lParam)); });
        break;
    case WT_DEFBASE + WT_CTXUPDATE:
        if (OnContextUpdate)
            raise([&] { OnContextUpdate(this, wParam, quint32(lParam)); });
        break;
    case WT_DEFBASE + WT_CTXOVERLAP:
        if (OnContextOverlap)
            raise([&] { OnContextOverlap(this, wParam, quint32(lParam)); });
        break;
    case WT_DEFBASE + WT_PROXIMITY:
        if (OnProximity)
            raise([&] { OnProximity(this, wParam, (lParam & 0xFFFF) != 0); });
        break;
    case WT_DEFBASE + WT_INFOCHANGE:
        if (OnInfoChange)
            raise([&] { OnInfoChange(this, wParam, quint32(lParam) & 0xFFFF, quint32(lParam) >> 16); });
        break;
    default:
        break;
    }
    return CallWindowProc(previous, window, msg, wParam, lParam);
}

void TKoltWinTab::RaisePacket(const TPacketEvent& event, WPARAM wParam, LPARAM lParam)
{
    if (!event || !active_)
        return;
    if (!WTPacket(HCTX(lParam), wParam, &packet_))
        return;
    const TPacketEvent handler = event; // the handler may replace itself
    Dispatch([&] { handler(this, wParam, HWND(lParam), packet_); });
}

// --- information ---

quint32 TKoltWinTab::InfoNumber(WTUINT category, WTUINT index)
{
    if (!active_)
        return 0;
    std::array<quint32, 16> buffer{}; // room for a library that writes more than asked
    WTInfoA(category, index, buffer.data());
    return buffer[0];
}

QString TKoltWinTab::InfoText(WTUINT category, WTUINT index)
{
    if (!active_)
        return QString::fromLatin1(SNoActiveTablet);
    const WTUINT size = WTInfoA(category, index, nullptr);
    if (size == 0 || size > 0x10000)
        return QString();
    QByteArray buffer(qsizetype(size) + 1, '\0');
    WTInfoA(category, index, buffer.data());
    return DecodeAnsi(QByteArrayView(buffer.constData(), qstrnlen(buffer.constData(), size)));
}

QString TKoltWinTab::InfoVersion(WTUINT category, WTUINT index)
{
    if (!active_)
        return QStringLiteral("0");
    std::array<quint16, 32> buffer{};
    WTInfoA(category, index, buffer.data());
    const quint16 word = buffer[0];
    return QStringLiteral("%1.%2").arg(word >> 8).arg(word & 0xFF);
}

QString TKoltWinTab::WinTabId() { return InfoText(WTI_INTERFACE, IFC_WINTABID); }
QString TKoltWinTab::SpecVersion() { return InfoVersion(WTI_INTERFACE, IFC_SPECVERSION); }
QString TKoltWinTab::ImplVersion() { return InfoVersion(WTI_INTERFACE, IFC_IMPLVERSION); }
quint32 TKoltWinTab::NDevices() { return InfoNumber(WTI_INTERFACE, IFC_NDEVICES); }
quint32 TKoltWinTab::NCursors() { return InfoNumber(WTI_INTERFACE, IFC_NCURSORS); }
quint32 TKoltWinTab::NContexts() { return InfoNumber(WTI_INTERFACE, IFC_NCONTEXTS); }
quint32 TKoltWinTab::Contexts() { return InfoNumber(WTI_STATUS, STA_CONTEXTS); }
quint32 TKoltWinTab::PktRate() { return InfoNumber(WTI_STATUS, STA_PKTRATE); }
QString TKoltWinTab::DeviceName() { return InfoText(WTI_DEVICES, DVC_NAME); }
QString TKoltWinTab::CursorName() { return InfoText(WTI_CURSORS, CSR_NAME); }
QString TKoltWinTab::ExtensionName() { return InfoText(WTI_EXTENSIONS, EXT_NAME); }
