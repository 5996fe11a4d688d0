#pragma once

#include <QString>
#include <QStringList>

// One stored value of a form description: an integer, a quoted string, an
// identifier (true, false, clBtnFace, a handler's name) or a set "[a, b]".
// Each accessor raises Exception, naming the value's place, when the value is
// of another kind.
class PropertyValue {
public:
    enum class Kind { Integer, String, Identifier, Set };

    PropertyValue(Kind kind, QString text, QString location);

    Kind GetKind() const { return kind_; }
    const QString& Location() const { return location_; }

    int ToInt() const;
    QString ToString() const;
    QString ToIdentifier() const;
    bool ToBool() const;
    QStringList ToSet() const;

private:
    [[noreturn]] void Mismatch(const char* expected) const;

    Kind kind_;
    QString text_;
    QString location_;
};
