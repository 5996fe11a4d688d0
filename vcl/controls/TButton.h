#pragma once

#include "vcl/controls/TControl.h"

#include <QPushButton>

// A push button. OnClick runs on a mouse click, and on Space or on Enter held
// without Shift, Ctrl or Alt while it has the focus. It is never a default
// button: Enter in another control does not press it.
class TButton : public QPushButton, public TControl {
    Q_OBJECT
public:
    static constexpr const char* StaticClassName = "TButton";

    explicit TButton(QWidget* parent);

    const char* ClassName() const override { return StaticClassName; }
    QWidget* Widget() override { return this; }

    TNotifyEvent OnClick;

    void SetProperty(const QString& property, const PropertyValue& value) override;
    void SetEvent(const QString& event, const EventHandler& handler,
                  const QString& location) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
