// What the request decoding needs of the platform. The native test and
// fuzz builds find a stand-in for the Windows headers first on their
// include path (tests/native/win32) and supply its few calls themselves.
#pragma once
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>
#include "dialog/dialog.h"
#include "wire/droplist.h"
#include "server/server.h"
