#pragma once

#include "vcl/forms/PropertyValue.h"

#include <QString>

#include <vector>

// The stored layout of a form: the form's own properties, then its controls in
// the order they are to be created.
//
// The text format, one item a line:
//
//     # a comment
//     form Form1: TForm1
//         Caption = "moravin"
//         Left = 192
//     control Edit1: TEdit
//         Text = "12"
//         Enabled = false
//         Font.Style = []
//         OnKeyPress = Edit1KeyPress
//
// Strings are quoted, with \" and \\ as escapes; integers, names and sets are not.
struct StoredProperty {
    QString name;
    PropertyValue value;
};

struct StoredObject {
    QString name;
    QString className;
    QString location;
    std::vector<StoredProperty> properties;
};

struct FormDescription {
    StoredObject form;
    std::vector<StoredObject> controls;

    // Reads the text of a description; sourceName names it in error messages.
    // Raises Exception, with the line, for anything it cannot read.
    static FormDescription Parse(const QString& text, const QString& sourceName);
};
