#include "vcl/forms/FormDescription.h"

#include "vcl/sysutils/Exception.h"

#include <QRegularExpression>

namespace {

class Parser {
public:
    Parser(const QString& text, const QString& sourceName)
        : sourceName_(sourceName), lines_(text.split(QLatin1Char('\n')))
    {
    }

    FormDescription Run()
    {
        FormDescription description;
        bool haveForm = false;
        StoredObject* current = nullptr;
        for (int i = 0; i < lines_.size(); ++i) {
            line_ = i + 1;
            const QString line = lines_[i].trimmed();
            if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            if (line.startsWith(QLatin1String("form "))) {
                if (haveForm)
                    Fail(QStringLiteral("a second form"));
                description.form = Header(line.mid(5));
                current = &description.form;
                haveForm = true;
            } else if (line.startsWith(QLatin1String("control "))) {
                if (!haveForm)
                    Fail(QStringLiteral("a control before the form"));
                description.controls.push_back(Header(line.mid(8)));
                current = &description.controls.back();
            } else if (!current) {
                Fail(QStringLiteral("a property before the form"));
            } else {
                current->properties.push_back(Property(line));
            }
        }
        if (!haveForm)
            throw Exception(
                QStringLiteral("%1: no form in the description").arg(sourceName_).toStdString());
        return description;
    }

private:
    QString Location() const { return QStringLiteral("%1, line %2").arg(sourceName_).arg(line_); }

    [[noreturn]] void Fail(const QString& what) const
    {
        throw Exception(QStringLiteral("%1: %2").arg(Location(), what).toStdString());
    }

    StoredObject Header(const QString& text) const
    {
        static const QRegularExpression pattern(
            QStringLiteral("^([A-Za-z_]\\w*)\\s*:\\s*([A-Za-z_]\\w*)$"));
        const auto match = pattern.match(text.trimmed());
        if (!match.hasMatch())
            Fail(QStringLiteral("expected \"Name: Class\", found \"%1\"").arg(text.trimmed()));
        return {match.captured(1), match.captured(2), Location(), {}};
    }

    StoredProperty Property(const QString& line) const
    {
        static const QRegularExpression pattern(
            QStringLiteral("^([A-Za-z_][\\w.]*)\\s*=\\s*(.*)$"));
        const auto match = pattern.match(line);
        if (!match.hasMatch())
            Fail(QStringLiteral("expected \"Name = value\", found \"%1\"").arg(line));
        return {match.captured(1), Value(match.captured(2))};
    }

    PropertyValue Value(const QString& text) const
    {
        using Kind = PropertyValue::Kind;
        static const QRegularExpression integer(QStringLiteral("^-?\\d+$"));
        static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_]\\w*$"));
        if (text.startsWith(QLatin1Char('"')))
            return {Kind::String, Unquote(text), Location()};
        if (text.startsWith(QLatin1Char('[')) && text.endsWith(QLatin1Char(']')))
            return {Kind::Set, text.mid(1, text.size() - 2), Location()};
        if (integer.match(text).hasMatch())
            return {Kind::Integer, text, Location()};
        if (identifier.match(text).hasMatch())
            return {Kind::Identifier, text, Location()};
        Fail(QStringLiteral("unreadable value \"%1\"").arg(text));
    }

    QString Unquote(const QString& text) const
    {
        QString result;
        for (qsizetype i = 1; i < text.size(); ++i) {
            const QChar c = text[i];
            if (c == QLatin1Char('"')) {
                if (i + 1 != text.size())
                    Fail(QStringLiteral("text after the closing quote"));
                return result;
            }
            if (c == QLatin1Char('\\')) {
                if (++i == text.size())
                    break;
                if (text[i] != QLatin1Char('"') && text[i] != QLatin1Char('\\'))
                    Fail(QStringLiteral("unknown escape \"\\%1\"").arg(text[i]));
            }
            result += text[i];
        }
        Fail(QStringLiteral("a string without its closing quote"));
    }

    QString sourceName_;
    QStringList lines_;
    int line_ = 0;
};

} // namespace

FormDescription FormDescription::Parse(const QString& text, const QString& sourceName)
{
    return Parser(text, sourceName).Run();
}
