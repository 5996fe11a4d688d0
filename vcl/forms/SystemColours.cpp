#include "vcl/forms/SystemColours.h"

#include <utility>

std::optional<QColor> SystemColour(const QString& name, const QPalette& palette)
{
    static const std::pair<const char*, QPalette::ColorRole> roles[] = {
        {"clBtnFace", QPalette::Button},      {"clBtnText", QPalette::ButtonText},
        {"clWindow", QPalette::Base},         {"clWindowText", QPalette::WindowText},
        {"clHighlight", QPalette::Highlight}, {"clHighlightText", QPalette::HighlightedText},
    };
    for (const auto& [colourName, role] : roles) {
        if (name == QLatin1String(colourName))
            return palette.color(QPalette::Active, role);
    }
    return std::nullopt;
}
