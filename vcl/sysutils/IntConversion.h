#pragma once

#include "vcl/sysutils/AnsiString.h"

#include <optional>
#include <string_view>

// Reads a text as a 32-bit integer: leading spaces, then either a decimal number
// with an optional sign or a hexadecimal one behind "$", "x", "X", "0x" or "0X"
// (no sign, at most FFFFFFFF, taken as two's complement), and nothing after.
std::optional<int> ParseInteger(std::string_view text);

// As ParseInteger; raises EConvertError "'text' は整数ではありません" when the text
// does not read as an integer.
int StrToInt(const AnsiString& text);

// As ParseInteger, with a value to use when the text does not read as an integer.
int StrToIntDef(const AnsiString& text, int defaultValue);

// Decimal text: "-" before a negative value, no leading zeros, no grouping.
AnsiString IntToStr(int value);
