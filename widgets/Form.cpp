// A screen as a full-size layer of the application's window. Showing raises
// the layer; ShowModal disables the other visible layers for the time of its
// nested event loop; only the top-most visible layer is shown to Qt.
#include "Form.h"

#include "Application.h"
#include "Button.h"
#include "Colors.h"
#include "Fonts.h"
#include "ToolkitError.h"

#include "KeyRules.h"

#include <QEventLoop>
#include <QIcon>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <vector>

TForm::TForm(const QString& caption)
    : QWidget(TApplication::instance()->desktopWindow())
{
    setWindowTitle(caption);
    setGeometry(0, 0, FormWidth, FormHeight);
    setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11));
    setBackground(this, m_color);
    // Lets the layer itself hold the focus, so that Enter reaches it when no
    // child can take the focus.
    setFocusPolicy(Qt::ClickFocus);
    hide();
    TApplication::instance()->registerForm(this);
}

TForm::~TForm()
{
    if (m_modalLoop)
        m_modalLoop->exit();
    // A layer destroyed while on top uncovers the one beneath it.
    if (m_visible && !isHidden()) {
        m_visible = false;
        arrangeLayers();
    }
}

QString TForm::caption() const
{
    return windowTitle();
}

void TForm::setColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    setBackground(this, m_color);
    update();
}

void TForm::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(m_color));
}

void TForm::Show()
{
    QWidget* window = TApplication::instance()->desktopWindow();
    if (m_disabledByModal) {
        m_disabledByModal = false;
        setEnabled(true);
    }
    m_visible = true;
    raise();
    arrangeLayers();
    if (!window->isVisible())
        window->show();
}

int TForm::ShowModal()
{
    if (m_visible)
        throw EToolkitError(QString::fromUtf8("Aus einem sichtbaren Fenster kann kein modales gemacht werden"));

    // Only the layers visible and enabled now are disabled; a layer shown
    // during the loop is enabled and comes on top.
    std::vector<QPointer<TForm>> disabled;
    for (TForm* form : TApplication::instance()->forms()) {
        if (form != this && form->m_visible && form->isEnabled()) {
            form->setEnabled(false);
            form->m_disabledByModal = true;
            disabled.emplace_back(form);
        }
    }

    m_modalResult = 0;
    QEventLoop loop;
    m_modalLoop = &loop;
    Show();
    if (m_modalResult == 0)
        loop.exec();
    m_modalLoop = nullptr;

    // Enabled first, so that the layer uncovered next can take the focus.
    for (const auto& form : disabled) {
        if (form && form->m_disabledByModal) {
            form->m_disabledByModal = false;
            form->setEnabled(true);
        }
    }
    hideLayer();
    return m_modalResult;
}

void TForm::setModalResult(int result)
{
    m_modalResult = result;
    if (result != 0 && m_modalLoop)
        m_modalLoop->exit();
}

void TForm::Close()
{
    if (m_modalLoop) {
        setModalResult(2);
        return;
    }
    if (this == TApplication::instance()->mainForm()) {
        TApplication::instance()->terminate();
        return;
    }
    hideLayer();
}

void TForm::hideLayer()
{
    m_visible = false;
    // Shown again later, the layer starts from its first widget.
    m_lastFocus = nullptr;
    arrangeLayers();
}

void TForm::arrangeLayers()
{
    auto* app = TApplication::instance();
    if (!app || !app->hasDesktopWindow())
        return;
    QWidget* window = app->desktopWindow();
    TForm* top = nullptr;
    std::vector<TForm*> shown;
    // The window's children in stacking order, the top-most last.
    const QObjectList& children = window->children();
    for (QObject* child : children) {
        auto* form = qobject_cast<TForm*>(child);
        if (!form)
            continue;
        if (form->m_visible)
            top = form;
        if (!form->isHidden())
            shown.push_back(form);
    }
    const bool topChanged = top && top->isHidden();
    // The new top is shown, and given the focus, before the old one is
    // hidden: no frame shows the layer beneath them, and Qt does not move the
    // focus out of the hidden layer along the window's chain on its own.
    if (topChanged)
        top->show();
    QWidget* focus = window->focusWidget();
    for (TForm* form : shown)
        if (form != top && form->m_visible && focus && form->isAncestorOf(focus))
            form->m_lastFocus = focus;
    if (top && (topChanged || !focus || (focus != top && !top->isAncestorOf(focus))))
        top->restoreFocus();
    for (TForm* form : shown)
        if (form != top)
            form->hide();
}

void TForm::restoreFocus()
{
    QWidget* target = m_lastFocus;
    if (!target || !isAncestorOf(target) || !target->isVisibleTo(this) || !target->isEnabled()
        || !(target->focusPolicy() & Qt::TabFocus))
        target = firstInFocusOrder();
    // With no widget that takes the focus, the layer holds it itself, so that
    // Enter still reaches its default button.
    (target ? target : this)->setFocus(Qt::OtherFocusReason);
}

QWidget* TForm::firstInFocusOrder() const
{
    // The window's one focus chain, from this layer on; its widgets follow it.
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(this) && w->isEnabled())
            return w;
    }
    return nullptr;
}

int TForm::Left() const
{
    return TApplication::instance()->desktopWindow()->x();
}

int TForm::Top() const
{
    return TApplication::instance()->desktopWindow()->y();
}

int TForm::Width() const
{
    return TApplication::instance()->desktopWindow()->width();
}

int TForm::Height() const
{
    return TApplication::instance()->desktopWindow()->height();
}

void TForm::setPosition(int left, int top)
{
    TApplication::instance()->desktopWindow()->move(left, top);
}

void TForm::Zentrieren()
{
    const QSize desktop = TApplication::desktopSize();
    // C++ integer division truncates toward zero, as the rule requires.
    setPosition((desktop.width() - Width()) / 2, (desktop.height() - Height()) / 2);
}

void TForm::setFocusOrder(std::initializer_list<QWidget*> order)
{
    // Right after the layer itself comes its first widget (the layer is no
    // compound widget, so Qt puts it there). A container that takes no focus
    // itself, such as a radio group, stands for the widgets in it that do:
    // Qt leaves a widget without focus out of the order altogether.
    QWidget* previous = this;
    for (QWidget* widget : order) {
        std::vector<QWidget*> stops;
        if (widget->focusPolicy() != Qt::NoFocus)
            stops.push_back(widget);
        else
            for (QWidget* w = widget->nextInFocusChain(); w != widget; w = w->nextInFocusChain())
                if (widget->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus))
                    stops.push_back(w);
        for (QWidget* stop : stops) {
            setTabOrder(previous, stop);
            previous = stop;
        }
    }
}

void TForm::setDefaultButton(TButton* button)
{
    if (m_defaultButton == button)
        return;
    if (m_defaultButton)
        m_defaultButton->setDefault(false);
    m_defaultButton = button;
    if (button)
        button->setDefault(true);
}

TButton* TForm::defaultButton() const
{
    return m_defaultButton.data();
}

void TForm::setFormIcon(const QIcon& icon)
{
    setWindowIcon(icon);
    TApplication::instance()->setIcon(icon);
}

void TForm::keyPressEvent(QKeyEvent* event)
{
    if (isEnterKey(event)) {
        event->accept();
        if (m_defaultButton && m_defaultButton->isVisibleTo(this) && m_defaultButton->isEnabled())
            m_defaultButton->click();
        return;
    }
    QWidget::keyPressEvent(event);
}
