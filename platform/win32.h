// The Win32 types and constants the framework speaks in. Calls go through the platform functions,
// which use the ANSI entry points by name; the generic A/W macros are removed so that the
// platform functions can carry the plain names.
#pragma once

#include <windows.h>

#undef CallWindowProc
#undef CreateFile
#undef CreateWindow
#undef DefWindowProc
#undef DeleteFile
#undef DispatchMessage
#undef FindWindow
#undef GetClassInfo
#undef GetMessage
#undef GetProp
#undef GlobalAddAtom
#undef IsDialogMessage
#undef LoadCursor
#undef LoadIcon
#undef LoadString
#undef MessageBox
#undef PeekMessage
#undef PostMessage
#undef RegisterClass
#undef RegisterWindowMessage
#undef RemoveProp
#undef SendMessage
#undef SetProp
#undef SetWindowText
#undef GetWindowText
#undef UnregisterClass
#undef DrawText
#undef TextOut
#undef CreateFont
#undef EnumFonts
#undef StartDoc
#undef GetObject
#undef CopyFile
#undef MoveFile
#undef FindResource
#undef SetWindowLong
#undef GetWindowLong
#undef PostThreadMessage
