#include "vcl/forms/PropertyValue.h"

#include "vcl/sysutils/Exception.h"

#include <utility>

PropertyValue::PropertyValue(Kind kind, QString text, QString location)
    : kind_(kind), text_(std::move(text)), location_(std::move(location))
{
}

void PropertyValue::Mismatch(const char* expected) const
{
    throw Exception(QStringLiteral("%1: %2 expected, found \"%3\"")
                        .arg(location_, QLatin1String(expected), text_)
                        .toStdString());
}

int PropertyValue::ToInt() const
{
    bool ok = false;
    const int value = text_.toInt(&ok);
    if (kind_ != Kind::Integer || !ok)
        Mismatch("an integer");
    return value;
}

QString PropertyValue::ToString() const
{
    if (kind_ != Kind::String)
        Mismatch("a quoted string");
    return text_;
}

QString PropertyValue::ToIdentifier() const
{
    if (kind_ != Kind::Identifier)
        Mismatch("a name");
    return text_;
}

bool PropertyValue::ToBool() const
{
    if (kind_ == Kind::Identifier && text_ == QLatin1String("true"))
        return true;
    if (kind_ == Kind::Identifier && text_ == QLatin1String("false"))
        return false;
    Mismatch("true or false");
}

QStringList PropertyValue::ToSet() const
{
    if (kind_ != Kind::Set)
        Mismatch("a set");
    QStringList items;
    for (const QString& item : text_.split(QLatin1Char(','), Qt::SkipEmptyParts))
        items.append(item.trimmed());
    return items;
}
