#pragma once

#include "vcl/sysutils/AnsiString.h"

#include <initializer_list>
#include <string_view>

// Replaces each "%s" of the pattern with the next argument and "%%" with "%".
// Only the pattern is scanned: an argument is copied as it stands, so a field
// text such as "%s%d" can never be read as a format.
AnsiString Format(std::string_view pattern, std::initializer_list<std::string_view> args);
