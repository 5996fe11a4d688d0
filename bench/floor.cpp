// The cheapest Qt Widgets program that shows what the calculator window shows:
// one top-level window of the same size with the same labels, fields and
// buttons, captions and texts, in the font the calculator's captions are drawn
// in. Everything is set in code; nothing is read, loaded or looked up. It is the
// floor the calculator's start-up and memory are measured against.

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>
#include <QWidget>

namespace {

void AddLabel(QWidget* window, const QString& caption, const QRect& geometry)
{
    auto* label = new QLabel(caption, window);
    label->setGeometry(geometry);
}

QLineEdit* AddEdit(QWidget* window, const QString& text, const QRect& geometry)
{
    auto* edit = new QLineEdit(text, window);
    edit->setGeometry(geometry);
    return edit;
}

void AddButton(QWidget* window, const QString& caption, const QRect& geometry)
{
    auto* button = new QPushButton(caption, window);
    button->setGeometry(geometry);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);

    QWidget window;
    window.setWindowTitle(QStringLiteral("moravin"));
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(12);
    window.setFont(font);

    AddLabel(&window, QStringLiteral("本文のQ数"), {8, 8, 56, 12});
    AddLabel(&window, QStringLiteral("本文の字送り"), {88, 8, 69, 12});
    AddLabel(&window, QStringLiteral("字取りの指定文字数"), {176, 8, 105, 12});
    AddLabel(&window, QStringLiteral("字取りしたい文字をコピーか、文字数を入力"), {8, 56, 220, 12});
    AddLabel(&window, QStringLiteral("字送り計算結果"), {8, 144, 81, 12});
    AddEdit(&window, QStringLiteral("12"), {8, 24, 49, 20});
    AddEdit(&window, QStringLiteral("0"), {88, 24, 49, 20})->setEnabled(false);
    AddEdit(&window, QStringLiteral("28"), {176, 24, 49, 20});
    AddEdit(&window, QString(), {8, 72, 273, 20});
    AddButton(&window, QStringLiteral("計算する"), {8, 104, 273, 25});
    AddEdit(&window, QStringLiteral("0"), {96, 144, 73, 20});
    AddButton(&window, QStringLiteral("終了"), {224, 144, 57, 25});

    window.setGeometry(192, 107, 298, 204);
    window.show();
    return application.exec();
}
