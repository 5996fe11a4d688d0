#pragma once

// The library's message table. "%s" stands for an argument of Format().
inline constexpr const char* SInvalidInteger = "'%s' は整数ではありません";
inline constexpr const char* SDivByZero = "ゼロによる除算";
inline constexpr const char* SIntOverflow = "整数のオーバーフロー";
inline constexpr const char* SResNotFound = "%s リソースが見つかりません";
