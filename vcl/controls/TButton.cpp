#include "vcl/controls/TButton.h"

#include "vcl/application/InvokeHandler.h"
#include "vcl/forms/PropertyValue.h"

#include <QKeyEvent>

TButton::TButton(QWidget* parent) : QPushButton(parent)
{
    setAutoDefault(false);
    setDefault(false);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QPushButton::clicked, this, [this] {
        if (OnClick)
            InvokeHandler([this] { OnClick(this); });
    });
}

void TButton::SetProperty(const QString& property, const PropertyValue& value)
{
    if (property == QLatin1String("Caption"))
        setText(value.ToString());
    else
        TControl::SetProperty(property, value);
}

void TButton::SetEvent(const QString& event, const EventHandler& handler, const QString& location)
{
    if (event != QLatin1String("OnClick"))
        return TControl::SetEvent(event, handler, location);
    AssignHandler(OnClick, handler, event, location);
}

// Qt's push buttons outside a dialog ignore Enter; this one takes it as a click,
// but only without Shift, Ctrl or Alt, and only once per press.
void TButton::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return QPushButton::keyPressEvent(event);
    event->accept();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier && !event->isAutoRepeat())
        click();
}
