#include "vcl/controls/TEdit.h"

#include "vcl/application/InvokeHandler.h"
#include "vcl/controls/LineBreakFilter.h"
#include "vcl/controls/TypedCharacter.h"
#include "vcl/forms/PropertyValue.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStringEncoder>

#include <limits>

TEdit::TEdit(QWidget* parent) : QLineEdit(parent)
{
    // No limit on the length; Qt's default would cut texts at 32767 characters.
    setMaxLength(std::numeric_limits<int>::max());
    setValidator(new LineBreakFilter(this));
    setFocusPolicy(Qt::StrongFocus);
    ShowSelection(false);
}

// A selection made while the field lacks the focus (the calculation selects the
// result to copy it) is drawn in the field's own colours, so it does not show.
void TEdit::ShowSelection(bool shown)
{
    QPalette colours = palette();
    const QPalette standard = QApplication::palette(this);
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        colours.setColor(group, QPalette::Highlight,
                         standard.color(group, shown ? QPalette::Highlight : QPalette::Base));
        colours.setColor(group, QPalette::HighlightedText,
                         standard.color(group, shown ? QPalette::HighlightedText : QPalette::Text));
    }
    setPalette(colours);
}

void TEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    ShowSelection(true);
    const Qt::FocusReason reason = event->reason();
    const bool returning =
        focusOnlyLent_ && (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason);
    focusOnlyLent_ = false;
    if (reason != Qt::MouseFocusReason && !returning)
        selectAll();
}

void TEdit::focusOutEvent(QFocusEvent* event)
{
    const Qt::FocusReason reason = event->reason();
    focusOnlyLent_ = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
    QLineEdit::focusOutEvent(event);
    ShowSelection(false);
}

// The field's text as 8-bit UTF-8, encoded straight into the string that is
// returned: a long pasted heading is not first built as a byte array and then
// copied. A lone surrogate, which has no UTF-8 form, becomes U+FFFD.
AnsiString TEdit::Text() const
{
    const QString wide = text();
    QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    AnsiString narrow(std::size_t(encoder.requiredSpace(wide.size())), '\0');
    char* end = encoder.appendToBuffer(narrow.data(), wide);
    narrow.resize(std::size_t(end - narrow.data()));
    return narrow;
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
    AssignHandler(OnKeyPress, handler, event, location);
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
    const std::optional<char> typed = TypedCharacter(*event);
    if (!OnKeyPress || !typed)
        return QLineEdit::keyPressEvent(event);

    const char original = *typed;
    char key = original;
    InvokeHandler([&] { OnKeyPress(this, key); });
    if (key == original)
        return QLineEdit::keyPressEvent(event);
    event->accept();
    if (key != '\0')
        insert(QString(QChar::fromLatin1(key)));
}
