#pragma once

#include <functional>
#include <variant>

class TObject;

// Raised by a click; Sender is the control that was clicked.
using TNotifyEvent = std::function<void(TObject* Sender)>;

// Raised for a typed character before the field acts on it. The handler may
// replace Key; setting it to the character 0 swallows the key press.
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;

// A handler bound to a form, as a form description wires it to an event.
using EventHandler = std::variant<TNotifyEvent, TKeyPressEvent>;
