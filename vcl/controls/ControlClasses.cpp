#include "vcl/controls/ControlClasses.h"

#include "vcl/controls/TButton.h"
#include "vcl/controls/TEdit.h"
#include "vcl/controls/TLabel.h"

namespace {

template <class Control> bool Is(const QString& className)
{
    return className == QLatin1String(Control::StaticClassName);
}

} // namespace

bool IsControlClass(const QString& className)
{
    return Is<TLabel>(className) || Is<TEdit>(className) || Is<TButton>(className);
}

TControl* CreateControl(const QString& className, QWidget* parent)
{
    if (Is<TLabel>(className))
        return new TLabel(parent);
    if (Is<TEdit>(className))
        return new TEdit(parent);
    if (Is<TButton>(className))
        return new TButton(parent);
    return nullptr;
}
