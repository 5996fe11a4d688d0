#pragma once

#include "vcl/sysutils/AnsiString.h"

// The texts of the four input fields, as the calculation reads them.
struct SpacingFields {
    AnsiString size; // 本文のQ数: must read as an integer, not used further
    AnsiString feed; // 本文の字送り: likewise
    AnsiString span; // 字取りの指定文字数: the span count N
    AnsiString text; // the text to spread, or its number of characters
};

// The number of characters of a text as a reader counts them: user-perceived
// characters, so that a character outside the BMP, a base with its combining
// marks or an emoji with its modifier is one.
int CharacterCount(const AnsiString& text);

// The character count n of the text field: a text that reads as an integer of
// 0 or more is that number; any other text is counted character by character.
int TextCharacterCount(const AnsiString& text);

// The extra space per gap in thousandths of a character width, for n characters
// spread over a span of N: (N - n) × 1000 / (n - 1), truncated toward zero and
// computed exactly. Raises EDivByZero for n = 1 and EIntOverflow when the value
// does not fit in 32 bits.
int SpacingValue(int span, int characters);

// Reads the fields in the order size, feed, span, text and returns the spacing
// value. Raises EConvertError for the first of size, feed and span that does not
// read as an integer, and the errors of SpacingValue.
int CalculateSpacing(const SpacingFields& fields);
