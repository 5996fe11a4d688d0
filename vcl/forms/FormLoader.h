#pragma once

class TForm;
class PublishedMembers;
struct FormDescription;

// Builds a form from its description: applies the form's properties, then
// creates each control in the description's order, binds it to the form's field
// of the same name, applies its properties and wires its handlers by name.
// Raises Exception for an unknown class, field, property or handler.
void LoadForm(TForm& form, const FormDescription& description, const PublishedMembers& members);
