// What the request decoding needs of the platform. Windows builds take the
// real headers; the native test and fuzz builds get the few types, flags
// and calls the decoding uses, and supply those calls themselves.
#pragma once

#ifdef _WIN32
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>
#include "dialog/dialog.h"
#include "server/droplist.h"
#include "server/server.h"
#else
#include <stdint.h>
#include "res/resource.h"

typedef uint32_t DWORD;
typedef uint16_t WORD;
typedef unsigned int UINT;
typedef int BOOL;
typedef char *LPSTR;
typedef const char *LPCSTR;
typedef intptr_t LPARAM;
typedef uintptr_t WPARAM;
typedef uintptr_t UINT_PTR;
typedef struct HWND__ *HWND;
typedef struct HINSTANCE__ *HINSTANCE;
typedef struct HDROP__ *HDROP;
typedef UINT_PTR (*LPOFNHOOKPROC)(HWND, UINT, WPARAM, LPARAM);

#define FALSE 0
#define TRUE 1
#define CALLBACK
#define MAKEINTRESOURCEA(id) ((LPSTR)(uintptr_t)(WORD)(id))
#define OFN_ALLOWMULTISELECT 0x00000200
#define OFN_EXPLORER 0x00080000
#define OFN_LONGNAMES 0x00200000
#define SLOT_BUFFER_SIZE 9216

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

UINT DragQueryFileA(HDROP request, UINT index, LPSTR buffer, UINT size);
int IsNewShell(void);
UINT_PTR ExplorerHookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
UINT_PTR OldStyleHookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
#endif
