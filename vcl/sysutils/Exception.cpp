#include "vcl/sysutils/Exception.h"

#include <utility>

// Not inlined, so that the return address is the raising code's.
[[gnu::noinline]] Exception::Exception(AnsiString message)
    : message_(std::move(message)), raiseAddress_(__builtin_return_address(0))
{
}
