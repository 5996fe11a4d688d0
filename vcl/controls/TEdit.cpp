#include "vcl/controls/TEdit.h"

#include "vcl/application/InvokeHandler.h"
#include "vcl/controls/LineBreakFilter.h"
#include "vcl/forms/PropertyValue.h"
#include "vcl/sysutils/Exception.h"

#include <QKeyEvent>

#include <limits>

TEdit::TEdit(QWidget* parent) : QLineEdit(parent)
{
    // No limit on the length; Qt's default would cut texts at 32767 characters.
    setMaxLength(std::numeric_limits<int>::max());
    setValidator(new LineBreakFilter(this));
    setFocusPolicy(Qt::StrongFocus);
    // The selection is not shown while the field lacks the focus.
    QPalette colours = palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight,
                     colours.color(QPalette::Inactive, QPalette::Base));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     colours.color(QPalette::Inactive, QPalette::Text));
    setPalette(colours);
}

AnsiString TEdit::Text() const
{
    return text().toStdString();
}

void TEdit::SetText(const AnsiString& text)
{
    setText(QString::fromStdString(text));
}

void TEdit::SetProperty(const QString& property, const PropertyValue& value)
{
    if (property == QLatin1String("Text"))
        setText(value.ToString());
    else
        TControl::SetProperty(property, value);
}

void TEdit::SetEvent(const QString& event, const EventHandler& handler, const QString& location)
{
    if (event != QLatin1String("OnKeyPress"))
        return TControl::SetEvent(event, handler, location);
    if (!std::holds_alternative<TKeyPressEvent>(handler))
        throw Exception(
            QStringLiteral("%1: OnKeyPress needs a key-press handler").arg(location).toStdString());
    OnKeyPress = std::get<TKeyPressEvent>(handler);
}

LRESULT TEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETTEXT:
        setText(QString::fromUtf8(reinterpret_cast<const char*>(lParam)));
        return 1;
    case WM_COPY:
        copy();
        return 0;
    case EM_SETSEL: {
        // A start of -1 removes the selection; an end of -1 selects to the end.
        const auto start = qsizetype(wParam);
        if (LPARAM(wParam) == -1) {
            deselect();
            return 0;
        }
        const qsizetype end = lParam == -1 ? text().size() : qsizetype(lParam);
        setSelection(int(start), int(end - start));
        return 0;
    }
    default:
        return 0;
    }
}

// OnKeyPress sees each typed character that has a single-byte form before the
// field does; the handler may swallow it (Key = 0) or put another in its place.
void TEdit::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    const bool singleByte = typed.size() == 1 && typed[0].unicode() < 0x80;
    if (!OnKeyPress || !singleByte)
        return QLineEdit::keyPressEvent(event);

    const char original = char(typed[0].unicode());
    char key = original;
    InvokeHandler([&] { OnKeyPress(this, key); });
    if (key == original)
        return QLineEdit::keyPressEvent(event);
    event->accept();
    if (key != '\0')
        insert(QString(QChar::fromLatin1(key)));
}
