#pragma once

#include <optional>
#include <string_view>

// The number of user-perceived characters (extended grapheme clusters) of
// 8-bit text, found a second way: the text is decoded from UTF-8 by Qt in one
// step (invalid sequences become U+FFFD) and every position of it is asked
// whether a cluster boundary lies there.
int ReferenceGraphemeCount(std::string_view text);

// The same count by rule alone, for text made only of characters that are each
// a cluster of their own except within CR LF: ASCII, CJK ideographs, kana and
// the full-width forms. The text is decoded here, strictly; nullopt when it
// holds anything else.
std::optional<int> PlainCharacterCount(std::string_view text);
