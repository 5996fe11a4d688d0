#include "vcl/controls/TypedCharacter.h"

#include <QKeyEvent>

std::optional<char> TypedCharacter(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (modifiers & Qt::AltModifier)
        return std::nullopt;
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        return (modifiers & Qt::ControlModifier) ? '\n' : '\r';
    const QString text = event.text();
    if (text.size() == 1 && text[0].unicode() < 0x80)
        return char(text[0].unicode());
    return std::nullopt;
}
