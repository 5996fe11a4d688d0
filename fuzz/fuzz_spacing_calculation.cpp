// Fuzzes the whole calculation. The input holds the four field texts: size,
// feed and span are its first three lines, the text is everything after the
// third line break, line breaks included; fields missing at the end are empty.
// CalculateSpacing's result text, or its error class and message, is checked
// against SpacingReference, and the character count against the references of
// CharacterCountReference.

#include "CharacterCountReference.h"
#include "Disagreement.h"
#include "IntegerGrammarReference.h"
#include "SpacingReference.h"

#include "SpacingCalculation.h"
#include "vcl/sysutils/Exception.h"
#include "vcl/sysutils/IntConversion.h"

#include <cstdint>
#include <string>

namespace {

SpacingFields FieldsOf(std::string_view input)
{
    SpacingFields fields;
    AnsiString* lines[] = {&fields.size, &fields.feed, &fields.span};
    for (AnsiString* line : lines) {
        const auto end = input.find('\n');
        *line = AnsiString(input.substr(0, end));
        input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
    }
    fields.text = AnsiString(input);
    return fields;
}

std::string Describe(const ExpectedOutcome& outcome)
{
    return outcome.errorClass.empty() ? "result " + outcome.text
                                      : outcome.errorClass + ": " + outcome.text;
}

ExpectedOutcome Calculate(const SpacingFields& fields)
{
    try {
        return {"", IntToStr(CalculateSpacing(fields))};
    } catch (const Exception& error) {
        return {error.ClassName(), error.Message()};
    } catch (const std::exception& error) {
        return {"std::exception", error.what()};
    }
}

void CheckCharacterCount(const AnsiString& text)
{
    const int expected = ReferenceGraphemeCount(text);
    Expect("CharacterCount", ReferenceDecimal(expected), ReferenceDecimal(CharacterCount(text)));
    if (const auto plain = PlainCharacterCount(text))
        Expect("grapheme count of plain text", ReferenceDecimal(*plain),
               ReferenceDecimal(expected));

    const auto stated = ReferenceInteger(text);
    const int characters = stated && *stated >= 0 ? *stated : expected;
    Expect("TextCharacterCount", ReferenceDecimal(characters),
           ReferenceDecimal(TextCharacterCount(text)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const SpacingFields fields = FieldsOf({reinterpret_cast<const char*>(data), size});
    const ExpectedOutcome expected =
        ReferenceSpacing(fields.size, fields.feed, fields.span, fields.text);
    Expect("CalculateSpacing", Describe(expected), Describe(Calculate(fields)));
    CheckCharacterCount(fields.text);
    return 0;
}
