// A stand-in for the Windows headers in the native sanitizer and fuzz
// builds: the types, flags and calls that the platform-free parts of the
// program use (the request decoding, drop lists, the reply and its
// expanders and ANSI forms, the client's reply decoding), laid out as on
// Windows. WCHAR is a 16-bit wchar_t (the build passes -fshort-wchar), so
// that L"" literals are UTF-16 as there. nativeplatform.cpp implements the
// calls over malloc'd blocks of exact size, so that AddressSanitizer sees
// every byte read past a block; nativecodepages.cpp the conversions.
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
typedef char CHAR;
typedef wchar_t WCHAR;
static_assert(sizeof(WCHAR) == 2, "WCHAR is UTF-16: build with -fshort-wchar");
typedef size_t SIZE_T;
typedef uintptr_t UINT_PTR;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef WORD ATOM;
typedef char *LPSTR;
typedef const char *LPCSTR;
typedef WCHAR *LPWSTR;
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
#define MAX_PATH 260
#define CP_ACP 0
#define CP_UTF8 65001
#define MB_ERR_INVALID_CHARS 0x00000008
#define WC_ERR_INVALID_CHARS 0x00000080
#define WC_NO_BEST_FIT_CHARS 0x00000400
#define MB_OK 0x00000000
#define MB_ICONEXCLAMATION 0x00000030
#define IDOK 1

typedef struct { LONG x, y; } POINT;

typedef struct {
    DWORD pFiles;
    POINT pt;
    BOOL fNC;
    BOOL fWide;
} DROPFILES;

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

typedef struct {
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    LPCWSTR lpstrFilter;
    LPWSTR lpstrCustomFilter;
    DWORD nMaxCustFilter;
    DWORD nFilterIndex;
    LPWSTR lpstrFile;
    DWORD nMaxFile;
    LPWSTR lpstrFileTitle;
    DWORD nMaxFileTitle;
    LPCWSTR lpstrInitialDir;
    LPCWSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;
    WORD nFileExtension;
    LPCWSTR lpstrDefExt;
    LPARAM lCustData;
    LPOFNHOOKPROC lpfnHook;
    LPCWSTR lpTemplateName;
    void *pvReserved;
    DWORD dwReserved;
    DWORD FlagsEx;
} OPENFILENAMEW;

HGLOBAL GlobalAlloc(UINT flags, SIZE_T size);
HGLOBAL GlobalReAlloc(HGLOBAL memory, SIZE_T size, UINT flags);
HGLOBAL GlobalFree(HGLOBAL memory);
LPVOID GlobalLock(HGLOBAL memory);
BOOL GlobalUnlock(HGLOBAL memory);
SIZE_T GlobalSize(HGLOBAL memory);
int lstrlenA(LPCSTR text);
int lstrlenW(LPCWSTR text);
LPWSTR lstrcpynW(LPWSTR destination, LPCWSTR source, int size);
LPWSTR lstrcpyW(LPWSTR destination, LPCWSTR source);
LPWSTR lstrcatW(LPWSTR destination, LPCWSTR source);
int wsprintfW(LPWSTR buffer, LPCWSTR format, ...);
UINT GetACP(void);
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int length, LPWSTR out,
                        int size);
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR text, int length, LPSTR out,
                        int size, LPCSTR defaultChar, BOOL *usedDefault);
DWORD GetFullPathNameW(LPCWSTR name, DWORD size, LPWSTR buffer, LPWSTR *filePart);
DWORD GetShortPathNameW(LPCWSTR path, LPWSTR out, DWORD size);
int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
UINT DragQueryFileA(HDROP list, UINT index, LPSTR buffer, UINT size);
UINT DragQueryFileW(HDROP list, UINT index, LPWSTR buffer, UINT size);
void DragFinish(HDROP list);
