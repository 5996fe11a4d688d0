#pragma once

#include <optional>

class QKeyEvent;

// The 8-bit character a key press types, as a field's OnKeyPress sees it.
// Return and keypad Enter type the carriage return, with or without Shift, and
// Ctrl+Enter the line feed; a key held with Alt types nothing; any other key
// types the character of its text when that has a single-byte form. Keys that
// type no such character (arrows, function keys, text outside ASCII) give none.
std::optional<char> TypedCharacter(const QKeyEvent& event);
