#include "Unit1.h"

#include "SpacingCalculation.h"

#include "vcl/sysutils/IntConversion.h"
#include "vcl/windows/WinApi.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(TObject* Owner) : TForm(Owner)
{
    ReadDescription(Published());
}

const PublishedMembers& TForm1::Published()
{
    static const PublishedMembers members = PublishedMembers()
                                                .Field("Label1", &TForm1::Label1)
                                                .Field("Label2", &TForm1::Label2)
                                                .Field("Label3", &TForm1::Label3)
                                                .Field("Edit1", &TForm1::Edit1)
                                                .Field("Edit2", &TForm1::Edit2)
                                                .Field("Edit3", &TForm1::Edit3)
                                                .Field("Label4", &TForm1::Label4)
                                                .Field("Edit4", &TForm1::Edit4)
                                                .Field("Button1", &TForm1::Button1)
                                                .Field("Label5", &TForm1::Label5)
                                                .Field("Edit5", &TForm1::Edit5)
                                                .Field("Button2", &TForm1::Button2)
                                                .Method("Button2Click", &TForm1::Button2Click)
                                                .Method("Button1Click", &TForm1::Button1Click)
                                                .Method("Edit1KeyPress", &TForm1::Edit1KeyPress)
                                                .Method("Edit2KeyPress", &TForm1::Edit2KeyPress)
                                                .Method("Edit3KeyPress", &TForm1::Edit3KeyPress)
                                                .Method("Edit4KeyPress", &TForm1::Edit4KeyPress);
    return members;
}

void TForm1::Button2Click(TObject* /*Sender*/)
{
    Form1->Close();
}

void TForm1::Button1Click(TObject* /*Sender*/)
{
    const int spacing =
        CalculateSpacing({Edit1->Text(), Edit2->Text(), Edit3->Text(), Edit4->Text()});
    Edit5->SetText(IntToStr(spacing));
    // Select the whole value, so that the copy puts exactly it on the clipboard.
    SendMessageA(Edit5->Handle(), EM_SETSEL, 0, -1);
    SendMessageA(Edit5->Handle(), WM_COPY, 0, 0);
    SetWindowTextA(Edit4->Handle(), "");
}

// Enter moves the focus on to the next control, as Tab does, and the carriage
// return never reaches the field.
void TForm1::Edit1KeyPress(TObject* /*Sender*/, char& Key)
{
    if (Key == '\r') {
        SendMessageA(Handle(), WM_NEXTDLGCTL, 0, 0);
        Key = '\0';
    }
}

void TForm1::Edit2KeyPress(TObject* Sender, char& Key)
{
    Edit1KeyPress(Sender, Key);
}

void TForm1::Edit3KeyPress(TObject* Sender, char& Key)
{
    Edit1KeyPress(Sender, Key);
}

void TForm1::Edit4KeyPress(TObject* Sender, char& Key)
{
    Edit1KeyPress(Sender, Key);
}
