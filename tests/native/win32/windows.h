// A stand-in for the Windows headers in the native sanitizer and fuzz
// builds: the types, flags and calls that the platform-free parts of the
// program use (the request decoding, drop lists, the reply and its
// expanders, the client's reply decoding), laid out as on Windows.
// nativeplatform.cpp implements the calls over malloc'd blocks of exact
// size, so that AddressSanitizer sees every byte read past a block.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <string.h>

typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef unsigned int UINT;
typedef int BOOL;
typedef int HFILE;
typedef char CHAR;
typedef char16_t WCHAR;
typedef size_t SIZE_T;
typedef uintptr_t UINT_PTR;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef WORD ATOM;
typedef char *LPSTR;
typedef const char *LPCSTR;
typedef const WCHAR *LPCWSTR;
typedef void *LPVOID;
typedef void *HANDLE;
typedef HANDLE HGLOBAL;
typedef struct HWND__ *HWND;
typedef struct HINSTANCE__ *HINSTANCE;
typedef struct HDROP__ *HDROP;
typedef struct HFONT__ *HFONT;
typedef UINT_PTR (*LPOFNHOOKPROC)(HWND, UINT, WPARAM, LPARAM);
// Named by declarations only.
typedef struct tagLOGFONTA LOGFONTA;
typedef struct tagDRAWITEMSTRUCT DRAWITEMSTRUCT;
typedef struct _PROCESS_INFORMATION PROCESS_INFORMATION;

#define FALSE 0
#define TRUE 1
#define CALLBACK
#define WINAPI
#define MAKEINTRESOURCEA(id) ((LPSTR)(uintptr_t)(WORD)(id))
#define CopyMemory memcpy
#define MoveMemory memmove
#define ZeroMemory(p, n) memset((p), 0, (n))

#define OFN_ALLOWMULTISELECT 0x00000200
#define OFN_EXPLORER 0x00080000
#define OFN_LONGNAMES 0x00200000
#define GMEM_MOVEABLE 0x0002
#define GMEM_ZEROINIT 0x0040
#define OF_PARSE 0x0100
#define HFILE_ERROR ((HFILE)-1)
#define OFS_MAXPATHNAME 128
#define MAX_PATH 260

typedef struct { LONG x, y; } POINT;

typedef struct {
    DWORD pFiles;
    POINT pt;
    BOOL fNC;
    BOOL fWide;
} DROPFILES;

typedef struct {
    BYTE cBytes;
    BYTE fFixedDisk;
    WORD nErrCode;
    WORD Reserved1;
    WORD Reserved2;
    CHAR szPathName[OFS_MAXPATHNAME];
} OFSTRUCT;

typedef struct {
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    LPCSTR lpstrFilter;
    LPSTR lpstrCustomFilter;
    DWORD nMaxCustFilter;
    DWORD nFilterIndex;
    LPSTR lpstrFile;
    DWORD nMaxFile;
    LPSTR lpstrFileTitle;
    DWORD nMaxFileTitle;
    LPCSTR lpstrInitialDir;
    LPCSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;
    WORD nFileExtension;
    LPCSTR lpstrDefExt;
    LPARAM lCustData;
    LPOFNHOOKPROC lpfnHook;
    LPCSTR lpTemplateName;
} OPENFILENAMEA;

HGLOBAL GlobalAlloc(UINT flags, SIZE_T size);
HGLOBAL GlobalReAlloc(HGLOBAL memory, SIZE_T size, UINT flags);
HGLOBAL GlobalFree(HGLOBAL memory);
LPVOID GlobalLock(HGLOBAL memory);
BOOL GlobalUnlock(HGLOBAL memory);
SIZE_T GlobalSize(HGLOBAL memory);
int lstrlenA(LPCSTR text);
int lstrlenW(LPCWSTR text);
LPSTR lstrcpynA(LPSTR destination, LPCSTR source, int size);
int wsprintfA(LPSTR buffer, LPCSTR format, ...);
HFILE OpenFile(LPCSTR name, OFSTRUCT *of, UINT style);
DWORD GetFullPathNameA(LPCSTR name, DWORD size, LPSTR buffer, LPSTR *filePart);
UINT DragQueryFileA(HDROP list, UINT index, LPSTR buffer, UINT size);
void DragFinish(HDROP list);
