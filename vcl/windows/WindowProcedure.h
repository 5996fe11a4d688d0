#pragma once

#include "vcl/windows/WinTypes.h"

// Implemented by every widget that answers window messages. SendMessageA finds
// the procedure behind a handle and calls it directly, so a send is synchronous.
class WindowProcedure {
public:
    virtual ~WindowProcedure() = default;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) = 0;
};
