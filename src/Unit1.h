#pragma once

#include "vcl/controls/TButton.h"
#include "vcl/controls/TEdit.h"
#include "vcl/controls/TLabel.h"
#include "vcl/forms/PublishedMembers.h"
#include "vcl/forms/TForm.h"

// The calculator window. Its layout and texts are the form description TFORM1;
// the description binds its controls to the fields below and its events to the
// handlers below, by name.
class TForm1 : public TForm {
    Q_OBJECT
public: // published
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TEdit* Edit1 = nullptr; // size of the body text, in Q
    TEdit* Edit2 = nullptr; // character feed of the body text (disabled)
    TEdit* Edit3 = nullptr; // span: the character widths the text is to fill
    TLabel* Label4 = nullptr;
    TEdit* Edit4 = nullptr; // the text, or its number of characters
    TButton* Button1 = nullptr;
    TLabel* Label5 = nullptr;
    TEdit* Edit5 = nullptr; // the spacing value
    TButton* Button2 = nullptr;

    void Button2Click(TObject* Sender);
    void Button1Click(TObject* Sender);
    void Edit1KeyPress(TObject* Sender, char& Key);
    void Edit2KeyPress(TObject* Sender, char& Key);
    void Edit3KeyPress(TObject* Sender, char& Key);
    void Edit4KeyPress(TObject* Sender, char& Key);

public:
    explicit TForm1(TObject* Owner);

    const char* ClassName() const override { return "TForm1"; }
    static const PublishedMembers& Published();
};

extern TForm1* Form1;
