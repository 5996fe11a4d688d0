#include "vcl/windows/WinApi.h"

#include <QMessageBox>

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type)
{
    const auto icon = (type & MB_ICONERROR) ? QMessageBox::Critical : QMessageBox::NoIcon;
    QMessageBox box(icon, QString::fromUtf8(caption), QString::fromUtf8(text), QMessageBox::Ok,
                    owner);
    box.setObjectName(QStringLiteral("MessageBox"));
    // The text is shown as it stands, never read as markup.
    box.setTextFormat(Qt::PlainText);
    // Without an owner the box is modal for the whole application, so the form
    // takes no input while it shows; Qt gives the focus back when it closes.
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    return IDOK;
}
