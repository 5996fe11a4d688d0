#pragma once

#include <QString>

class QWidget;
class TControl;

// Whether className names a registered control class.
bool IsControlClass(const QString& className);

// Creates a control of a registered class (TLabel, TEdit, TButton) as a child
// of parent; nullptr for a class that is not registered.
TControl* CreateControl(const QString& className, QWidget* parent);
