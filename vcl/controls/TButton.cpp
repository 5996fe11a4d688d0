#include "vcl/controls/TButton.h"

#include "vcl/application/InvokeHandler.h"
#include "vcl/forms/PropertyValue.h"
#include "vcl/sysutils/Exception.h"

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
    if (!std::holds_alternative<TNotifyEvent>(handler))
        throw Exception(
            QStringLiteral("%1: OnClick needs a notify handler").arg(location).toStdString());
    OnClick = std::get<TNotifyEvent>(handler);
}
