#pragma once

// The references compute in 128 bits, where no product or sum of 32-bit values
// can overflow. __int128 is a GCC and Clang extension; __extension__ keeps
// -Wpedantic quiet about it.
__extension__ typedef __int128 Int128;
