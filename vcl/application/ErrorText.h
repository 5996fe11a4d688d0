#pragma once

#include "vcl/sysutils/AnsiString.h"

// The text an error box shows for a message: the message, with "." appended
// when its last character, taken whole, compares greater than "." byte by byte.
AnsiString ErrorBoxText(const AnsiString& message);
