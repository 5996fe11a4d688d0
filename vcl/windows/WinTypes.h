#pragma once

#include <cstdint>

class QWidget;

// A window handle is the Qt widget that stands for the window.
using HWND = QWidget*;
using UINT = unsigned int;
using DWORD = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using WCHAR = char16_t;

inline constexpr UINT WM_SETTEXT = 0x000C;
inline constexpr UINT WM_NEXTDLGCTL = 0x0028;
inline constexpr UINT EM_SETSEL = 0x00B1;
inline constexpr UINT WM_COPY = 0x0301;

inline constexpr UINT CP_ACP = 0;
inline constexpr UINT CP_UTF8 = 65001;

inline constexpr UINT MB_OK = 0x00000000;
inline constexpr UINT MB_ICONERROR = 0x00000010;
inline constexpr UINT MB_TASKMODAL = 0x00002000;
inline constexpr int IDOK = 1;
