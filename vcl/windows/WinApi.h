#pragma once

#include "vcl/windows/WinTypes.h"

// Delivers a message to the window at once and returns its result; 0 for a
// window that does not answer messages.
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Replaces the window's text.
bool SetWindowTextA(HWND window, const char* text);

// Converts 8-bit text of the code page (CP_ACP and CP_UTF8 are both UTF-8 here)
// to UTF-16. With a length of -1 the input ends at its NUL. Invalid sequences
// become U+FFFD. Returns the number of code units written, or needed when
// wideLength is 0; 0 on failure (unknown code page, too small a buffer).
int MultiByteToWideChar(UINT codePage, DWORD flags, const char* multiByte, int multiByteLength,
                        WCHAR* wide, int wideLength);

// Shows a modal message box and returns the button pressed (IDOK).
int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);
