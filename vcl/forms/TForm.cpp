#include "vcl/forms/TForm.h"

#include "vcl/application/TApplication.h"
#include "vcl/controls/TControl.h"
#include "vcl/forms/FormDescription.h"
#include "vcl/forms/FormLoader.h"
#include "vcl/forms/PropertyValue.h"
#include "vcl/forms/SystemColours.h"
#include "vcl/sysutils/ErrorClasses.h"
#include "vcl/sysutils/Exception.h"
#include "vcl/sysutils/Format.h"
#include "vcl/sysutils/ResourceStrings.h"

#include <QCloseEvent>
#include <QFile>
#include <QWindow>

#include <algorithm>

TForm::TForm(TObject* /*owner*/) : client_(new QWidget)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(true);
    setWidget(client_);
    client_->setAutoFillBackground(true);
}

TForm::~TForm() = default;

void TForm::ReadDescription(const PublishedMembers& members)
{
    const QString resource = QString::fromLatin1(ClassName()).toUpper();
    QFile file(QStringLiteral(":/forms/") + resource);
    if (!file.open(QIODevice::ReadOnly))
        throw EResNotFound(Format(SResNotFound, {ClassName()}));
    ReadDescription(FormDescription::Parse(QString::fromUtf8(file.readAll()), resource), members);
}

void TForm::ReadDescription(const FormDescription& description, const PublishedMembers& members)
{
    LoadForm(*this, description, members);
    FinishLoading();
}

void TForm::SetProperty(const QString& property, const PropertyValue& value)
{
    if (property == QLatin1String("Caption")) {
        setWindowTitle(value.ToString());
    } else if (property == QLatin1String("Left")) {
        designedFrame_.moveLeft(value.ToInt());
    } else if (property == QLatin1String("Top")) {
        designedFrame_.moveTop(value.ToInt());
    } else if (property == QLatin1String("Width")) {
        designedFrame_.setWidth(value.ToInt());
    } else if (property == QLatin1String("Height")) {
        designedFrame_.setHeight(value.ToInt());
    } else if (property == QLatin1String("Color") || property == QLatin1String("Font.Color")) {
        const auto colour = SystemColour(value.ToIdentifier(), palette());
        if (!colour)
            throw Exception(QStringLiteral("%1: unknown colour %2")
                                .arg(value.Location(), value.ToIdentifier())
                                .toStdString());
        QPalette colours = palette();
        colours.setColor(
            property == QLatin1String("Color") ? QPalette::Window : QPalette::WindowText, *colour);
        setPalette(colours);
    } else if (property == QLatin1String("Font.Name")) {
        font_.SetName(value.ToString());
        setFont(font_.ToFont());
    } else if (property == QLatin1String("Font.Height")) {
        font_.SetHeight(value.ToInt());
        setFont(font_.ToFont());
    } else if (property == QLatin1String("Font.Style")) {
        font_.SetStyle(value.ToSet());
        setFont(font_.ToFont());
    } else if (property == QLatin1String("Font.Charset")) {
        // The font's faces are chosen for Japanese text already (WindowFont).
        value.ToIdentifier();
    } else if (property == QLatin1String("PixelsPerInch") ||
               property == QLatin1String("TextHeight")) {
        // The stored layout is for 96 pixels per inch, which is Qt's
        // device-independent pixel: Qt scales it to the screen as a whole.
        value.ToInt();
    } else if (property == QLatin1String("OldCreateOrder")) {
        value.ToBool();
    } else if (property == QLatin1String("Visible")) {
        visible_ = value.ToBool();
    } else {
        throw Exception(QStringLiteral("%1: %2 has no property %3")
                            .arg(value.Location(), QLatin1String(ClassName()), property)
                            .toStdString());
    }
}

void TForm::AdoptControl(TControl* control)
{
    controls_.push_back(control);
}

void TForm::FinishLoading()
{
    QRect extent;
    for (TControl* control : controls_)
        extent |= control->Widget()->geometry();
    client_->setMinimumSize(extent.right() + 1, extent.bottom() + 1);

    const auto order = TabOrderList();
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1]->Widget(), order[i]->Widget());

    move(designedFrame_.topLeft());
    resize(designedFrame_.size());
    if (visible_)
        show();
}

std::vector<TControl*> TForm::TabOrderList() const
{
    std::vector<TControl*> order;
    std::copy_if(controls_.begin(), controls_.end(), std::back_inserter(order),
                 [](TControl* control) { return control->IsWindowed(); });
    std::stable_sort(order.begin(), order.end(),
                     [](TControl* a, TControl* b) { return a->TabOrder() < b->TabOrder(); });
    return order;
}

bool TForm::CanFocus(TControl* control) const
{
    QWidget* widget = control->Widget();
    return widget->isEnabled() && widget->isVisibleTo(const_cast<TForm*>(this)) &&
           (widget->focusPolicy() & Qt::TabFocus);
}

TControl* TForm::ActiveControl() const
{
    QWidget* focused = focusWidget();
    const auto found = std::find_if(controls_.begin(), controls_.end(),
                                    [&](TControl* c) { return c->Widget() == focused; });
    return found == controls_.end() ? nullptr : *found;
}

void TForm::SelectNext(TControl* current, bool forward)
{
    const auto order = TabOrderList();
    if (order.empty())
        return;
    const auto count = std::ptrdiff_t(order.size());
    const auto at = std::find(order.begin(), order.end(), current);
    // Not in the list: start at the last position, so the search begins with
    // the first (backwards: at the first, so it begins with the last).
    const std::ptrdiff_t start = at != order.end() ? at - order.begin() : forward ? count - 1 : 0;
    for (std::ptrdiff_t step = 1; step <= count; ++step) {
        const std::ptrdiff_t position =
            ((start + (forward ? step : -step)) % count + count) % count;
        TControl* candidate = order[std::size_t(position)];
        if (CanFocus(candidate)) {
            candidate->Widget()->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            ensureWidgetVisible(candidate->Widget(), 0, 0);
            return;
        }
    }
}

bool TForm::focusNextPrevChild(bool next)
{
    SelectNext(ActiveControl(), next);
    return true;
}

LRESULT TForm::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NEXTDLGCTL && wParam == 0 && lParam == 0)
        SelectNext(ActiveControl(), true);
    return 0;
}

void TForm::Close()
{
    // No close query or close action is wired, so the form may always close.
    if (Application && Application->MainForm() == this)
        Application->Terminate();
    else
        hide();
}

void TForm::closeEvent(QCloseEvent* event)
{
    // The window stays as it is until the event loop has ended.
    event->ignore();
    Close();
}

bool TForm::event(QEvent* event)
{
    const bool handled = QScrollArea::event(event);
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
        FitFrameToDesign();
        break;
    default:
        break;
    }
    return handled;
}

// The window manager draws the frame, and its size is known only once the
// window is framed: then the client area is fitted so that the outer size is
// the stored one. This happens once per change of the frame, so a size the
// user gives the window later is kept.
void TForm::FitFrameToDesign()
{
    const QWindow* window = windowHandle();
    if (!window || !designedFrame_.isValid())
        return;
    const QMargins margins = window->frameMargins();
    if (margins == fittedMargins_)
        return;
    fittedMargins_ = margins;
    resize(designedFrame_.width() - margins.left() - margins.right(),
           designedFrame_.height() - margins.top() - margins.bottom());
}
