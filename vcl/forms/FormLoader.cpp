#include "vcl/forms/FormLoader.h"

#include "vcl/controls/ControlClasses.h"
#include "vcl/controls/TControl.h"
#include "vcl/forms/FormDescription.h"
#include "vcl/forms/PublishedMembers.h"
#include "vcl/forms/TForm.h"
#include "vcl/sysutils/Exception.h"

namespace {

[[noreturn]] void Fail(const QString& location, const QString& what)
{
    throw Exception(QStringLiteral("%1: %2").arg(location, what).toStdString());
}

bool IsEvent(const QString& property)
{
    return property.startsWith(QLatin1String("On"));
}

TControl& CreateBoundControl(TForm& form, const StoredObject& stored,
                             const PublishedMembers& members)
{
    if (!IsControlClass(stored.className))
        Fail(stored.location, QStringLiteral("unknown class %1").arg(stored.className));
    const auto* field = members.FindField(stored.name);
    if (!field)
        Fail(
            stored.location,
            QStringLiteral("%1 has no field %2").arg(QLatin1String(form.ClassName()), stored.name));
    if (field->className != stored.className)
        Fail(stored.location, QStringLiteral("the field %1 is a %2, not a %3")
                                  .arg(stored.name, field->className, stored.className));
    TControl* control = CreateControl(stored.className, form.ClientArea());
    control->SetName(stored.name);
    control->Widget()->setObjectName(stored.name);
    form.AdoptControl(control);
    field->bind(form, *control);
    return *control;
}

void Wire(TForm& form, TControl& control, const StoredProperty& property,
          const PublishedMembers& members)
{
    const QString handlerName = property.value.ToIdentifier();
    const auto* method = members.FindMethod(handlerName);
    if (!method)
        Fail(property.value.Location(), QStringLiteral("%1 has no handler %2")
                                            .arg(QLatin1String(form.ClassName()), handlerName));
    control.SetEvent(property.name, method->bind(form), property.value.Location());
}

} // namespace

void LoadForm(TForm& form, const FormDescription& description, const PublishedMembers& members)
{
    const StoredObject& stored = description.form;
    if (stored.className != QLatin1String(form.ClassName()))
        Fail(stored.location, QStringLiteral("the description is of %1, not of %2")
                                  .arg(stored.className, QLatin1String(form.ClassName())));
    for (const StoredProperty& property : stored.properties)
        form.SetProperty(property.name, property.value);

    for (const StoredObject& object : description.controls) {
        TControl& control = CreateBoundControl(form, object, members);
        for (const StoredProperty& property : object.properties) {
            if (IsEvent(property.name))
                Wire(form, control, property, members);
            else
                control.SetProperty(property.name, property.value);
        }
    }
}
