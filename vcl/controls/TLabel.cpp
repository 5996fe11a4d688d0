#include "vcl/controls/TLabel.h"

#include "vcl/forms/PropertyValue.h"

#include <QEvent>

TLabel::TLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::NoFocus);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Not transparent: the label paints its background in the form's colour.
    setAutoFillBackground(true);
}

void TLabel::SetProperty(const QString& property, const PropertyValue& value)
{
    if (property == QLatin1String("Caption")) {
        setText(value.ToString());
        adjustSize();
        return;
    }
    TControl::SetProperty(property, value);
    if (property == QLatin1String("Width") || property == QLatin1String("Height"))
        adjustSize();
}

void TLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        adjustSize();
}
