#pragma once

#include <string>

// The 8-bit text of a field or a message. On this platform the ANSI code page
// is UTF-8, so an AnsiString holds UTF-8.
using AnsiString = std::string;
