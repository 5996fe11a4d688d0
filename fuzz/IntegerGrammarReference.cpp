#include "IntegerGrammarReference.h"

#include "Int128.h"

namespace {

enum class State {
    LeadingSpaces, // nothing but spaces so far
    Sign,          // "+" or "-" read, a digit must follow
    LeadingZero,   // a lone "0": decimal zero, or the start of "0x"
    Decimal,       // decimal digits
    HexPrefix,     // "$", "x", "X", "0x" or "0X" read, a hex digit must follow
    Hex,           // hex digits
    Invalid,
};

// Values grow no further than this: anything above is out of range anyway.
constexpr Int128 Saturation = Int128(1) << 40;

int DigitValue(unsigned char c, int radix)
{
    int value = 99;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (radix == 16 && c >= 'a' && c <= 'f')
        value = 10 + (c - 'a');
    else if (radix == 16 && c >= 'A' && c <= 'F')
        value = 10 + (c - 'A');
    return value < radix ? value : -1;
}

class Machine {
public:
    void Feed(unsigned char c)
    {
        switch (state_) {
        case State::LeadingSpaces:
            if (c == ' ')
                return;
            if (c == '+' || c == '-') {
                negative_ = c == '-';
                state_ = State::Sign;
            } else if (c == '0') {
                state_ = State::LeadingZero;
            } else if (c == '$' || c == 'x' || c == 'X') {
                state_ = State::HexPrefix;
            } else {
                Digit(c, 10, State::Decimal);
            }
            return;
        case State::Sign:
            Digit(c, 10, State::Decimal);
            return;
        case State::LeadingZero:
            if (c == 'x' || c == 'X')
                state_ = State::HexPrefix;
            else
                Digit(c, 10, State::Decimal);
            return;
        case State::Decimal:
            Digit(c, 10, State::Decimal);
            return;
        case State::HexPrefix:
        case State::Hex:
            Digit(c, 16, State::Hex);
            return;
        case State::Invalid:
            return;
        }
    }

    std::optional<int> Result() const
    {
        switch (state_) {
        case State::LeadingZero:
            return 0;
        case State::Decimal: {
            const Int128 signedValue = negative_ ? -value_ : value_;
            if (signedValue < -(Int128(1) << 31) || signedValue > (Int128(1) << 31) - 1)
                return std::nullopt;
            return int(signedValue);
        }
        case State::Hex:
            if (value_ > 0xFFFFFFFF)
                return std::nullopt;
            // Two's complement by arithmetic: the top bit weighs -2^31.
            return int(value_ >= (Int128(1) << 31) ? value_ - (Int128(1) << 32) : value_);
        default:
            return std::nullopt;
        }
    }

private:
    void Digit(unsigned char c, int radix, State next)
    {
        const int digit = DigitValue(c, radix);
        if (digit < 0) {
            state_ = State::Invalid;
            return;
        }
        value_ = value_ * radix + digit;
        if (value_ > Saturation)
            value_ = Saturation;
        state_ = next;
    }

    State state_ = State::LeadingSpaces;
    bool negative_ = false;
    Int128 value_ = 0;
};

} // namespace

std::optional<int> ReferenceInteger(std::string_view text)
{
    Machine machine;
    for (const char c : text)
        machine.Feed(static_cast<unsigned char>(c));
    return machine.Result();
}
