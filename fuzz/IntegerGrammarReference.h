#pragma once

#include <optional>
#include <string_view>

// An independent reading of the integer grammar of a field, for comparison
// with ParseInteger: a table-free state machine that walks the text once, byte
// by byte, and keeps its value in 128 bits, so that range checks are plain
// comparisons after the walk.
//
//   text    = " "* ( decimal | hex )
//   decimal = [ "+" | "-" ] digit+                      -2^31 .. 2^31 - 1
//   hex     = ( "$" | "x" | "X" | "0x" | "0X" ) hexdigit+  at most FFFFFFFF,
//             its 32 bits read as two's complement
std::optional<int> ReferenceInteger(std::string_view text);
