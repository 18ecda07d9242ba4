// The functions of libwintab32.so. WTInfoA, WTOpenA, WTClose, WTEnable, WTGetA and
// WTPacket work on the contexts of TTabletDriver; the others answer "nothing done".

#include "platform/wintab/TabletDriver.h"
#include "platform/wintab/TabletInfo.h"

#include <cstring>

#define WINTAB_EXPORT extern "C" __attribute__((visibility("default")))

WINTAB_EXPORT WTUINT WTInfoA(WTUINT category, WTUINT index, void* output)
{
    const QByteArray item = TabletInfo(category, index);
    if (output && !item.isEmpty())
        std::memcpy(output, item.constData(), std::size_t(item.size()));
    return WTUINT(item.size());
}

WINTAB_EXPORT HCTX WTOpenA(WTHWND window, LOGCONTEXTA* context, WTBOOL enable)
{
    return context ? TTabletDriver::Instance().Open(window, *context, enable != 0) : 0;
}

WINTAB_EXPORT WTBOOL WTClose(HCTX context)
{
    return TTabletDriver::Instance().Close(context);
}

WINTAB_EXPORT WTBOOL WTEnable(HCTX context, WTBOOL enable)
{
    return TTabletDriver::Instance().Enable(context, enable != 0);
}

WINTAB_EXPORT WTBOOL WTGetA(HCTX context, LOGCONTEXTA* record)
{
    return record && TTabletDriver::Instance().Get(context, *record);
}

WINTAB_EXPORT WTBOOL WTPacket(HCTX context, WTUINT serial, void* packet)
{
    return TTabletDriver::Instance().Packet(context, serial, packet);
}

WINTAB_EXPORT int WTPacketsGet(HCTX, int, void*) { return 0; }
WINTAB_EXPORT WTBOOL WTOverlap(HCTX, WTBOOL) { return 0; }
WINTAB_EXPORT WTBOOL WTConfig(HCTX, WTHWND) { return 0; }
WINTAB_EXPORT WTBOOL WTSetA(HCTX, LOGCONTEXTA*) { return 0; }
WINTAB_EXPORT WTBOOL WTExtGet(HCTX, WTUINT, void*) { return 0; }
WINTAB_EXPORT WTBOOL WTExtSet(HCTX, WTUINT, void*) { return 0; }
WINTAB_EXPORT WTBOOL WTSave(HCTX, void*) { return 0; }
WINTAB_EXPORT HCTX WTRestore(WTHWND, void*, WTBOOL) { return 0; }
WINTAB_EXPORT int WTPacketsPeek(HCTX, int, void*) { return 0; }
WINTAB_EXPORT int WTDataGet(HCTX, WTUINT, WTUINT, int, void*, int* count)
{
    if (count)
        *count = 0;
    return 0;
}
WINTAB_EXPORT int WTDataPeek(HCTX, WTUINT, WTUINT, int, void*, int* count)
{
    if (count)
        *count = 0;
    return 0;
}
WINTAB_EXPORT WTBOOL WTQueuePacketsEx(HCTX, WTUINT*, WTUINT*) { return 0; }
WINTAB_EXPORT int WTQueueSizeGet(HCTX) { return 0; }
WINTAB_EXPORT WTBOOL WTQueueSizeSet(HCTX, int) { return 0; }
WINTAB_EXPORT HMGR WTMgrOpen(WTHWND, WTUINT) { return 0; }
WINTAB_EXPORT WTBOOL WTMgrClose(HMGR) { return 0; }
WINTAB_EXPORT WTBOOL WTMgrContextEnum(HMGR, WTENUMPROC, WTLPARAM) { return 0; }
WINTAB_EXPORT WTHWND WTMgrContextOwner(HMGR, HCTX) { return 0; }
WINTAB_EXPORT HCTX WTMgrDefContext(HMGR, WTBOOL) { return 0; }
WINTAB_EXPORT HCTX WTMgrDefContextEx(HMGR, WTUINT, WTBOOL) { return 0; }
WINTAB_EXPORT WTUINT WTMgrDeviceConfig(HMGR, WTUINT, WTHWND) { return 0; }
WINTAB_EXPORT WTBOOL WTMgrConfigReplaceExA(HMGR, WTBOOL, char*, char*) { return 0; }
WINTAB_EXPORT HWTHOOK WTMgrPacketHookExA(HMGR, int, char*, char*) { return 0; }
WINTAB_EXPORT WTBOOL WTMgrPacketUnHook(HWTHOOK) { return 0; }
WINTAB_EXPORT WTLRESULT WTMgrPacketHookNext(HWTHOOK, int, WTWPARAM, WTLPARAM) { return 0; }
WINTAB_EXPORT WTBOOL WTMgrExt(HMGR, WTUINT, void*) { return 0; }
WINTAB_EXPORT WTBOOL WTMgrCsrEnable(HMGR, WTUINT, WTBOOL) { return 0; }
WINTAB_EXPORT WTBOOL WTMgrCsrButtonMap(HMGR, WTUINT, unsigned char*, unsigned char*) { return 0; }
WINTAB_EXPORT WTBOOL WTMgrCsrPressureBtnMarksEx(HMGR, WTUINT, WTUINT*, WTUINT*) { return 0; }
WINTAB_EXPORT WTBOOL WTMgrCsrPressureResponse(HMGR, WTUINT, WTUINT*, WTUINT*) { return 0; }
WINTAB_EXPORT WTBOOL WTMgrCsrExt(HMGR, WTUINT, WTUINT, void*) { return 0; }
