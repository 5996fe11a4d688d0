#pragma once

#include <exception>

// Shows an error that escaped an event handler in the error box. Never throws:
// whatever happens, the event loop goes on.
void ShowHandlerError(std::exception_ptr error) noexcept;

// Calls an event handler on behalf of the library. Errors never travel into
// Qt's event loop: whatever the handler throws is caught here and shown.
template <class Handler> void InvokeHandler(Handler&& handler) noexcept
{
    try {
        handler();
    } catch (...) {
        ShowHandlerError(std::current_exception());
    }
}
