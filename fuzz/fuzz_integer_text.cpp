// Fuzzes the integer reading of a field text: the input bytes are the text.
// ParseInteger, StrToInt (its value, or EConvertError with the text quoted
// exactly), StrToIntDef and IntToStr are checked against the state machine of
// IntegerGrammarReference.

#include "Disagreement.h"
#include "IntegerGrammarReference.h"
#include "SpacingReference.h"

#include "vcl/sysutils/ErrorClasses.h"
#include "vcl/sysutils/IntConversion.h"

#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

namespace {

std::string Describe(const std::optional<int>& value)
{
    return value ? "value " + ReferenceDecimal(*value) : std::string("no integer");
}

void CheckStrToInt(const AnsiString& text, const std::optional<int>& expected)
{
    const std::string wanted =
        expected ? Describe(expected) : "EConvertError: '" + text + "' は整数ではありません";
    std::string actual;
    try {
        actual = Describe(StrToInt(text));
    } catch (const EConvertError& error) {
        actual = std::string(error.ClassName()) + ": " + error.Message();
        Expect("EConvertError::what", error.Message().c_str(), error.what());
    } catch (const std::exception& error) {
        actual = std::string("another error: ") + error.what();
    }
    Expect("StrToInt", wanted, actual);
}

void CheckStrToIntDef(const AnsiString& text, const std::optional<int>& expected)
{
    for (const int fallback : {-1, 0, std::numeric_limits<int>::min()}) {
        Expect("StrToIntDef", Describe(expected.value_or(fallback)),
               Describe(StrToIntDef(text, fallback)));
    }
}

void CheckIntToStr(int value)
{
    const AnsiString text = IntToStr(value);
    Expect("IntToStr", ReferenceDecimal(value), text);
    Expect("IntToStr read back", Describe(value), Describe(ReferenceInteger(text)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // ParseInteger reads the fuzzer's own buffer, which ends exactly at the
    // text, so a read past its end is caught.
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::optional<int> expected = ReferenceInteger(bytes);
    Expect("ParseInteger", Describe(expected), Describe(ParseInteger(bytes)));

    const AnsiString text(bytes);
    CheckStrToInt(text, expected);
    CheckStrToIntDef(text, expected);
    if (expected)
        CheckIntToStr(*expected);
    if (size >= sizeof(int)) {
        int raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        CheckIntToStr(raw);
    }
    return 0;
}
