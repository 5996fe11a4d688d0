#pragma once

#include "vcl/controls/Events.h"
#include "vcl/controls/TObject.h"
#include "vcl/windows/WinTypes.h"

#include <QString>

class PropertyValue;
class QWidget;

// A control of a form: a Qt widget that a form description creates, names and
// sets up property by property.
class TControl : public TObject {
public:
    virtual QWidget* Widget() = 0;
    HWND Handle() { return Widget(); }

    const QString& Name() const { return name_; }
    void SetName(const QString& name) { name_ = name; }

    // Labels are drawn on the form; only windowed controls can take the focus.
    virtual bool IsWindowed() const { return true; }
    int TabOrder() const { return tabOrder_; }

    // Applies one stored property; raises Exception for a property the class
    // does not have or a value of the wrong kind.
    virtual void SetProperty(const QString& property, const PropertyValue& value);

    // Wires a handler to an event; raises Exception for an event the class does
    // not have or a handler of the wrong type.
    virtual void SetEvent(const QString& event, const EventHandler& handler,
                          const QString& location);

protected:
    // Stores the handler into the event's field, or raises Exception naming
    // the place when the handler is of another type than the event takes.
    template <class Handler>
    static void AssignHandler(Handler& field, const EventHandler& handler, const QString& event,
                              const QString& location)
    {
        if (!std::holds_alternative<Handler>(handler))
            WrongHandlerType(event, location);
        field = std::get<Handler>(handler);
    }

    [[noreturn]] static void WrongHandlerType(const QString& event, const QString& location);
    [[noreturn]] void UnknownProperty(const QString& property, const QString& location) const;

private:
    QString name_;
    int tabOrder_ = -1;
};
