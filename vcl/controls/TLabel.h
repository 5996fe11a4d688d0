#pragma once

#include "vcl/controls/TControl.h"

#include <QLabel>

// A caption drawn on the form. It sizes itself to its text (its stored width and
// height give way to the text's extent) and never takes the focus.
class TLabel : public QLabel, public TControl {
    Q_OBJECT
public:
    static constexpr const char* StaticClassName = "TLabel";

    explicit TLabel(QWidget* parent);

    const char* ClassName() const override { return StaticClassName; }
    QWidget* Widget() override { return this; }
    bool IsWindowed() const override { return false; }
    void SetProperty(const QString& property, const PropertyValue& value) override;

protected:
    void changeEvent(QEvent* event) override;
};
