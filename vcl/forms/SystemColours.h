#pragma once

#include <QPalette>
#include <QString>

#include <optional>

// The palette colour that stands for a system colour name of a form
// description (clBtnFace, clWindow, clWindowText, ...).
std::optional<QColor> SystemColour(const QString& name, const QPalette& palette);
