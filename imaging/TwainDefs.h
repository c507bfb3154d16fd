// The TWAIN data types, operation codes and capability ids this layer and the tests' data source
// speak: the subset of the TWAIN 1.x protocol used for native (DIB) transfers. Structures are
// packed on 2 bytes, as the protocol fixes them for Windows.
#pragma once
#include <windows.h>

#include <cstdint>

typedef uint16_t TW_UINT16;
typedef uint32_t TW_UINT32;
typedef int16_t TW_INT16;
typedef int32_t TW_INT32;
typedef uint16_t TW_BOOL;
typedef HANDLE TW_HANDLE;
typedef void* TW_MEMREF;
typedef char TW_STR32[34];

#pragma pack(push, 2)
struct TW_VERSION {
  TW_UINT16 MajorNum;
  TW_UINT16 MinorNum;
  TW_UINT16 Language;
  TW_UINT16 Country;
  TW_STR32 Info;
};

struct TW_IDENTITY {
  TW_UINT32 Id;
  TW_VERSION Version;
  TW_UINT16 ProtocolMajor;
  TW_UINT16 ProtocolMinor;
  TW_UINT32 SupportedGroups;
  TW_STR32 Manufacturer;
  TW_STR32 ProductFamily;
  TW_STR32 ProductName;
};

struct TW_USERINTERFACE {
  TW_BOOL ShowUI;
  TW_BOOL ModalUI;
  TW_HANDLE hParent;
};

struct TW_PENDINGXFERS {
  TW_UINT16 Count;
  TW_UINT32 EOJ;
};

struct TW_CAPABILITY {
  TW_UINT16 Cap;
  TW_UINT16 ConType;
  TW_HANDLE hContainer;
};

struct TW_ONEVALUE {
  TW_UINT16 ItemType;
  TW_UINT32 Item;
};

struct TW_EVENT {
  TW_MEMREF pEvent;
  TW_UINT16 TWMessage;
};

struct TW_STATUS {
  TW_UINT16 ConditionCode;
  TW_UINT16 Reserved;
};
#pragma pack(pop)

typedef TW_UINT16(WINAPI* DSMENTRYPROC)(TW_IDENTITY*, TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);

enum : TW_UINT16 { TWON_PROTOCOLMAJOR = 1, TWON_PROTOCOLMINOR = 9 };

// Data groups.
enum : TW_UINT32 { DG_CONTROL = 0x0001, DG_IMAGE = 0x0002 };

// Data argument types.
enum : TW_UINT16 {
  DAT_NULL = 0x0000,
  DAT_CAPABILITY = 0x0001,
  DAT_EVENT = 0x0002,
  DAT_IDENTITY = 0x0003,
  DAT_PARENT = 0x0004,
  DAT_PENDINGXFERS = 0x0005,
  DAT_STATUS = 0x0008,
  DAT_USERINTERFACE = 0x0009,
  DAT_IMAGENATIVEXFER = 0x0104,
};

// Messages.
enum : TW_UINT16 {
  MSG_NULL = 0x0000,
  MSG_GET = 0x0001,
  MSG_GETCURRENT = 0x0002,
  MSG_GETDEFAULT = 0x0003,
  MSG_GETFIRST = 0x0004,
  MSG_GETNEXT = 0x0005,
  MSG_SET = 0x0006,
  MSG_RESET = 0x0007,
  MSG_XFERREADY = 0x0101,
  MSG_CLOSEDSREQ = 0x0102,
  MSG_CLOSEDSOK = 0x0103,
  MSG_OPENDSM = 0x0301,
  MSG_CLOSEDSM = 0x0302,
  MSG_OPENDS = 0x0401,
  MSG_CLOSEDS = 0x0402,
  MSG_USERSELECT = 0x0403,
  MSG_DISABLEDS = 0x0501,
  MSG_ENABLEDS = 0x0502,
  MSG_PROCESSEVENT = 0x0601,
  MSG_ENDXFER = 0x0701,
};

// Return codes.
enum : TW_UINT16 {
  TWRC_SUCCESS = 0,
  TWRC_FAILURE = 1,
  TWRC_CHECKSTATUS = 2,
  TWRC_CANCEL = 3,
  TWRC_DSEVENT = 4,
  TWRC_NOTDSEVENT = 5,
  TWRC_XFERDONE = 6,
  TWRC_ENDOFLIST = 7,
};

// Condition codes.
enum : TW_UINT16 {
  TWCC_SUCCESS = 0,
  TWCC_BUMMER = 1,
  TWCC_LOWMEMORY = 2,
  TWCC_NODS = 3,
  TWCC_OPERATIONERROR = 5,
  TWCC_BADCAP = 6,
  TWCC_BADPROTOCOL = 9,
  TWCC_BADVALUE = 10,
  TWCC_SEQERROR = 11,
};

// Containers and item types.
enum : TW_UINT16 { TWON_ONEVALUE = 5 };
enum : TW_UINT16 { TWTY_INT16 = 1, TWTY_INT32 = 2, TWTY_UINT16 = 4, TWTY_UINT32 = 5, TWTY_BOOL = 6 };

// Capabilities.
enum : TW_UINT16 {
  CAP_XFERCOUNT = 0x0001,
  CAP_FEEDERENABLED = 0x1002,
  CAP_FEEDERLOADED = 0x1003,
  CAP_AUTOFEED = 0x1007,
};
