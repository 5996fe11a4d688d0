#include "vcl/controls/TControl.h"

#include "vcl/forms/PropertyValue.h"
#include "vcl/sysutils/Exception.h"

#include <QWidget>

void TControl::SetProperty(const QString& property, const PropertyValue& value)
{
    QWidget* widget = Widget();
    const QRect geometry = widget->geometry();
    if (property == QLatin1String("Left"))
        widget->move(value.ToInt(), geometry.top());
    else if (property == QLatin1String("Top"))
        widget->move(geometry.left(), value.ToInt());
    else if (property == QLatin1String("Width"))
        widget->resize(value.ToInt(), geometry.height());
    else if (property == QLatin1String("Height"))
        widget->resize(geometry.width(), value.ToInt());
    else if (property == QLatin1String("Enabled"))
        widget->setEnabled(value.ToBool());
    else if (property == QLatin1String("Visible"))
        widget->setVisible(value.ToBool());
    else if (property == QLatin1String("TabOrder") && IsWindowed())
        tabOrder_ = value.ToInt();
    else
        UnknownProperty(property, value.Location());
}

void TControl::SetEvent(const QString& event, const EventHandler&, const QString& location)
{
    UnknownProperty(event, location);
}

void TControl::UnknownProperty(const QString& property, const QString& location) const
{
    throw Exception(QStringLiteral("%1: %2 has no property %3")
                        .arg(location, QLatin1String(ClassName()), property)
                        .toStdString());
}

void TControl::WrongHandlerType(const QString& event, const QString& location)
{
    throw Exception(QStringLiteral("%1: %2 takes a handler of another type")
                        .arg(location, event)
                        .toStdString());
}
