// The shell's change notices as the emulated desktop declares them (shlobj on Windows): SHChangeNotify
// tells the shell that an item changed; a window registered with SHChangeNotifyRegister for a folder is
// posted its message for each change in that folder (or below it, when the entry is recursive) and reads
// the two items and the event through SHChangeNotification_Lock. This desktop delivers the new way only
// (SHCNRF_NewDelivery): wParam is the notice's handle and lParam the process id.
#pragma once
#include "platform/emu/api/shlobj.h"

// Events.
#define SHCNE_RENAMEITEM 0x00000001L
#define SHCNE_CREATE 0x00000002L
#define SHCNE_DELETE 0x00000004L
#define SHCNE_MKDIR 0x00000008L
#define SHCNE_RMDIR 0x00000010L
#define SHCNE_ATTRIBUTES 0x00000800L
#define SHCNE_UPDATEDIR 0x00001000L
#define SHCNE_UPDATEITEM 0x00002000L
#define SHCNE_RENAMEFOLDER 0x00020000L
#define SHCNE_ALLEVENTS 0x7FFFFFFFL

// What dwItem1 and dwItem2 are, and how the notice is delivered.
#define SHCNF_IDLIST 0x0000
#define SHCNF_PATHA 0x0001
#define SHCNF_DWORD 0x0003
#define SHCNF_TYPE 0x00FF
#define SHCNF_FLUSH 0x1000       // delivered (sent) before SHChangeNotify returns
#define SHCNF_FLUSHNOWAIT 0x3000 // posted, as without a flag
#define SHCNF_PATH SHCNF_PATHA

// Sources a registration listens to.
#define SHCNRF_InterruptLevel 0x0001
#define SHCNRF_ShellLevel 0x0002
#define SHCNRF_RecursiveInterrupt 0x1000
#define SHCNRF_NewDelivery 0x8000

typedef struct _SHChangeNotifyEntry {
    LPCITEMIDLIST pidl; // the folder watched; NULL for the whole namespace
    BOOL fRecursive;    // its subfolders too
} SHChangeNotifyEntry;

void WINAPI SHChangeNotify(LONG wEventId, UINT uFlags, LPCVOID dwItem1, LPCVOID dwItem2);
ULONG WINAPI SHChangeNotifyRegister(HWND hwnd, int fSources, LONG fEvents, UINT wMsg, int cEntries,
                                    const SHChangeNotifyEntry* pshcne);
BOOL WINAPI SHChangeNotifyDeregister(ULONG ulID);
HANDLE WINAPI SHChangeNotification_Lock(HANDLE hChange, DWORD dwProcId, LPITEMIDLIST** pppidl, LONG* plEvent);
BOOL WINAPI SHChangeNotification_Unlock(HANDLE hLock);
