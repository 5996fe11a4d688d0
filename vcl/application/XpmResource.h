#pragma once

#include <QImage>
#include <QString>

// Reads an image in XPM, the C-source form of a palette image, from a file or a
// compiled-in resource. The strings of the C array are handed straight to Qt's
// XPM reader, so no image-format plugin is looked up: at start-up, before the
// first window shows, that search costs more than reading a small icon.
// Returns a null image when the file is missing or not a readable XPM.
QImage ReadXpmResource(const QString& path);
