#pragma once

#include <string>
#include <string_view>

// What the calculation should give for four field texts: the result text, or
// the class and message of the error it should raise.
struct ExpectedOutcome {
    std::string errorClass; // empty when the calculation gives a value
    std::string text;       // the decimal result, or the error's message
};

// The calculation worked out again, independently of CalculateSpacing: the
// fields are read with ReferenceInteger, the characters counted with
// ReferenceGraphemeCount, and the value computed in 128 bits, where the
// product and the quotient are exact before the range is checked.
ExpectedOutcome ReferenceSpacing(std::string_view size, std::string_view feed,
                                 std::string_view span, std::string_view text);

// Decimal text of a value, digit by digit.
std::string ReferenceDecimal(long long value);
