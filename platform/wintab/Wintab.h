#pragma once
// The tablet interface as programs call it: the published Wintab functions, the context
// record, the message numbers and the packet-data bits, for a 32-bit Windows program (all
// handles and packet fields are 32 bits wide). The library libwintab32.so implements it;
// the program loads it by name at run time and binds the functions with dlsym.

#include <cstdint>

extern "C" {

using WTBOOL = std::int32_t;
using WTUINT = std::uint32_t;
using WTDWORD = std::uint32_t;
using WTLONG = std::int32_t;
using WTFIX32 = std::uint32_t;
using WTPKT = std::uint32_t;
using HCTX = std::uint32_t;   // a context handle; 0 is none
using HMGR = std::uint32_t;
using HWTHOOK = std::uint32_t;
using WTHWND = std::uint32_t; // a window handle of platform/winapi
using WTWPARAM = std::uint32_t;
using WTLPARAM = std::int32_t;
using WTLRESULT = std::int32_t;

// Information categories and the indexes the program asks.
enum : WTUINT {
    WTI_INTERFACE = 1,
    IFC_WINTABID = 1,
    IFC_SPECVERSION = 2,
    IFC_IMPLVERSION = 3,
    IFC_NDEVICES = 4,
    IFC_NCURSORS = 5,
    IFC_NCONTEXTS = 6,
    WTI_STATUS = 2,
    STA_CONTEXTS = 1,
    STA_SYSCTXS = 2,
    STA_PKTRATE = 3,
    WTI_DEFCONTEXT = 3,
    WTI_DEFSYSCTX = 4,
    WTI_DEVICES = 100,
    DVC_NAME = 1,
    DVC_X = 12,
    DVC_Y = 13,
    DVC_NPRESSURE = 15,
    WTI_CURSORS = 200,
    CSR_NAME = 1,
    WTI_EXTENSIONS = 300,
    EXT_NAME = 1,
};

// Context options.
enum : WTUINT {
    CXO_SYSTEM = 0x0001,
    CXO_PEN = 0x0002,
    CXO_MESSAGES = 0x0004,
    CXO_MARGIN = 0x8000,
    CXO_MGRFOCUS = 0x4000,
    CXO_CSRMESSAGES = 0x0008,
};

// Context status bits.
enum : WTUINT { CXS_DISABLED = 0x0001, CXS_OBSCURED = 0x0002, CXS_ONTOP = 0x0004 };

// Packet-data bits, in the order the fields stand in a packet.
enum : WTPKT {
    PK_CONTEXT = 0x0001,
    PK_STATUS = 0x0002,
    PK_TIME = 0x0004,
    PK_CHANGED = 0x0008,
    PK_SERIAL_NUMBER = 0x0010,
    PK_CURSOR = 0x0020,
    PK_BUTTONS = 0x0040,
    PK_X = 0x0080,
    PK_Y = 0x0100,
    PK_Z = 0x0200,
    PK_NORMAL_PRESSURE = 0x0400,
    PK_TANGENT_PRESSURE = 0x0800,
    PK_ORIENTATION = 0x1000, // three fields: azimuth, altitude, twist
    PK_ROTATION = 0x2000,    // three fields: pitch, roll, yaw
};

// Packet status bits.
enum : WTUINT { TPS_PROXIMITY = 0x0001, TPS_QUEUE_ERR = 0x0002, TPS_MARGIN = 0x0004, TPS_INVERT = 0x0010 };

// Messages, as offsets from a context's lcMsgBase.
enum : WTUINT {
    WT_DEFBASE = 0x7FF0,
    WT_PACKET = 0,
    WT_CTXOPEN = 1,
    WT_CTXCLOSE = 2,
    WT_CTXUPDATE = 3,
    WT_CTXOVERLAP = 4,
    WT_PROXIMITY = 5,
    WT_INFOCHANGE = 6,
    WT_CSRCHANGE = 7,
};

inline constexpr int LCNAMELEN = 40;

struct LOGCONTEXTA {
    char lcName[LCNAMELEN];
    WTUINT lcOptions;
    WTUINT lcStatus;
    WTUINT lcLocks;
    WTUINT lcMsgBase;
    WTUINT lcDevice;
    WTUINT lcPktRate;
    WTPKT lcPktData;
    WTPKT lcPktMode;
    WTPKT lcMoveMask;
    WTDWORD lcBtnDnMask;
    WTDWORD lcBtnUpMask;
    WTLONG lcInOrgX;
    WTLONG lcInOrgY;
    WTLONG lcInOrgZ;
    WTLONG lcInExtX;
    WTLONG lcInExtY;
    WTLONG lcInExtZ;
    WTLONG lcOutOrgX;
    WTLONG lcOutOrgY;
    WTLONG lcOutOrgZ;
    WTLONG lcOutExtX;
    WTLONG lcOutExtY;
    WTLONG lcOutExtZ;
    WTFIX32 lcSensX;
    WTFIX32 lcSensY;
    WTFIX32 lcSensZ;
    WTBOOL lcSysMode;
    std::int32_t lcSysOrgX;
    std::int32_t lcSysOrgY;
    std::int32_t lcSysExtX;
    std::int32_t lcSysExtY;
    WTFIX32 lcSysSensX;
    WTFIX32 lcSysSensY;
};
static_assert(sizeof(LOGCONTEXTA) == 172);

struct AXIS {
    WTLONG axMin;
    WTLONG axMax;
    WTUINT axUnits;
    WTFIX32 axResolution;
};
static_assert(sizeof(AXIS) == 16);

using WTENUMPROC = WTBOOL (*)(HCTX, WTLPARAM);

// The functions, as pointer types for binding by name.
using TWTInfoA = WTUINT (*)(WTUINT category, WTUINT index, void* output);
using TWTOpenA = HCTX (*)(WTHWND window, LOGCONTEXTA* context, WTBOOL enable);
using TWTClose = WTBOOL (*)(HCTX);
using TWTPacketsGet = int (*)(HCTX, int maxPackets, void* packets);
using TWTPacket = WTBOOL (*)(HCTX, WTUINT serial, void* packet);
using TWTEnable = WTBOOL (*)(HCTX, WTBOOL enable);
using TWTOverlap = WTBOOL (*)(HCTX, WTBOOL toTop);
using TWTConfig = WTBOOL (*)(HCTX, WTHWND);
using TWTGetA = WTBOOL (*)(HCTX, LOGCONTEXTA*);
using TWTSetA = WTBOOL (*)(HCTX, LOGCONTEXTA*);
using TWTExtGet = WTBOOL (*)(HCTX, WTUINT extension, void* data);
using TWTExtSet = WTBOOL (*)(HCTX, WTUINT extension, void* data);
using TWTSave = WTBOOL (*)(HCTX, void* saveInfo);
using TWTRestore = HCTX (*)(WTHWND, void* saveInfo, WTBOOL enable);
using TWTPacketsPeek = int (*)(HCTX, int maxPackets, void* packets);
using TWTDataGet = int (*)(HCTX, WTUINT begin, WTUINT end, int maxPackets, void* packets, int* count);
using TWTDataPeek = int (*)(HCTX, WTUINT begin, WTUINT end, int maxPackets, void* packets, int* count);
using TWTQueuePacketsEx = WTBOOL (*)(HCTX, WTUINT* oldest, WTUINT* newest);
using TWTQueueSizeGet = int (*)(HCTX);
using TWTQueueSizeSet = WTBOOL (*)(HCTX, int size);
using TWTMgrOpen = HMGR (*)(WTHWND, WTUINT msgBase);
using TWTMgrClose = WTBOOL (*)(HMGR);
using TWTMgrContextEnum = WTBOOL (*)(HMGR, WTENUMPROC, WTLPARAM);
using TWTMgrContextOwner = WTHWND (*)(HMGR, HCTX);
using TWTMgrDefContext = HCTX (*)(HMGR, WTBOOL system);
using TWTMgrDefContextEx = HCTX (*)(HMGR, WTUINT device, WTBOOL system);
using TWTMgrDeviceConfig = WTUINT (*)(HMGR, WTUINT device, WTHWND);
using TWTMgrConfigReplaceExA = WTBOOL (*)(HMGR, WTBOOL install, char* module, char* procName);
using TWTMgrPacketHookExA = HWTHOOK (*)(HMGR, int type, char* module, char* procName);
using TWTMgrPacketUnHook = WTBOOL (*)(HWTHOOK);
using TWTMgrPacketHookNext = WTLRESULT (*)(HWTHOOK, int code, WTWPARAM, WTLPARAM);
using TWTMgrExt = WTBOOL (*)(HMGR, WTUINT extension, void* data);
using TWTMgrCsrEnable = WTBOOL (*)(HMGR, WTUINT cursor, WTBOOL enable);
using TWTMgrCsrButtonMap = WTBOOL (*)(HMGR, WTUINT cursor, unsigned char* logical, unsigned char* system);
using TWTMgrCsrPressureBtnMarksEx = WTBOOL (*)(HMGR, WTUINT cursor, WTUINT* normal, WTUINT* tangent);
using TWTMgrCsrPressureResponse = WTBOOL (*)(HMGR, WTUINT cursor, WTUINT* normal, WTUINT* tangent);
using TWTMgrCsrExt = WTBOOL (*)(HMGR, WTUINT cursor, WTUINT extension, void* data);

} // extern "C"
