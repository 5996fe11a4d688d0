#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>

// Watches for the next modal message box, records what it shows and presses
// its button, so that a test can run code that opens a box and blocks in it.
//
//     ModalBoxWatcher box;
//     form.Button1->click();         // returns once the box was pressed
//     QCOMPARE(box.text, "...");
class ModalBoxWatcher {
public:
    ModalBoxWatcher()
    {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start();
    }

    bool seen = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    bool applicationModal = false;
    bool formWasBlocked = false;

    // Set to a widget that the box must keep from taking input while it shows.
    QPointer<QWidget> blockedWidget;

private:
    void Poll()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || seen)
            return;
        seen = true;
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        applicationModal = box->windowModality() == Qt::ApplicationModal;
        for (QAbstractButton* button : box->buttons())
            buttons << button->text();
        if (blockedWidget)
            formWasBlocked = QApplication::activeModalWidget() != blockedWidget->window();
        timer_.stop();
        box->accept();
    }

    QTimer timer_;
};
