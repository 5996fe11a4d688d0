#pragma once

#include "vcl/controls/Events.h"

#include <QString>

#include <functional>
#include <vector>

class TControl;
class TForm;
class TObject;

// The table of a form class's published members, through which a form
// description binds its controls to the form's fields and its event names to the
// form's methods.
//
//     PublishedMembers()
//         .Field("Edit1", &TForm1::Edit1)
//         .Method("Button1Click", &TForm1::Button1Click);
class PublishedMembers {
public:
    struct FieldEntry {
        QString name;
        QString className;
        std::function<void(TForm&, TControl&)> bind;
    };
    struct MethodEntry {
        QString name;
        std::function<EventHandler(TForm&)> bind;
    };

    template <class Form, class Control>
    PublishedMembers& Field(const char* name, Control* Form::*field)
    {
        fields_.push_back({QString::fromLatin1(name), QString::fromLatin1(Control::StaticClassName),
                           [field](TForm& form, TControl& control) {
                               static_cast<Form&>(form).*field = &dynamic_cast<Control&>(control);
                           }});
        return *this;
    }

    template <class Form> PublishedMembers& Method(const char* name, void (Form::*method)(TObject*))
    {
        methods_.push_back({QString::fromLatin1(name), [method](TForm& form) -> EventHandler {
                                auto* self = &static_cast<Form&>(form);
                                return TNotifyEvent(
                                    [self, method](TObject* sender) { (self->*method)(sender); });
                            }});
        return *this;
    }

    template <class Form>
    PublishedMembers& Method(const char* name, void (Form::*method)(TObject*, char&))
    {
        methods_.push_back({QString::fromLatin1(name), [method](TForm& form) -> EventHandler {
                                auto* self = &static_cast<Form&>(form);
                                return TKeyPressEvent([self, method](TObject* sender, char& key) {
                                    (self->*method)(sender, key);
                                });
                            }});
        return *this;
    }

    const FieldEntry* FindField(const QString& name) const;
    const MethodEntry* FindMethod(const QString& name) const;

private:
    std::vector<FieldEntry> fields_;
    std::vector<MethodEntry> methods_;
};
