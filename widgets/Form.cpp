// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A screen as a full-size layer of the application's window. Showing,
// closing and the modal loop are the window's layer stack at work; the screen
// adds its modal result, its default button and its look.
#include "Form.h"

#include "Application.h"
#include "Button.h"
#include "Colors.h"
#include "DesktopWindow.h"
#include "Fonts.h"
#include "ToolkitError.h"

#include "KeyRules.h"

#include <QIcon>
#include <QKeyEvent>
#include <QPainter>

#include <vector>

TForm::TForm(const QString& caption)
    : QWidget(TApplication::instance()->desktopWindow())
    , m_desktop(TApplication::instance()->desktopWindow())
{
    setWindowTitle(caption);
    setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11));
    setBackground(this, clWhite);
    // Lets the layer itself hold the focus, so that Enter reaches it when no
    // child can take the focus.
    setFocusPolicy(Qt::ClickFocus);
    m_desktop->addLayer(this);
}

TForm::~TForm()
{
    m_desktop->removeLayer(this);
}

QString TForm::caption() const
{
    return windowTitle();
}

void TForm::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(clWhite));
}

bool TForm::Visible() const
{
    return m_desktop->isLayerVisible(this);
}

void TForm::Show()
{
    m_desktop->showLayer(this);
}

int TForm::ShowModal()
{
    if (Visible())
        throw EToolkitError(QString::fromUtf8("Aus einem sichtbaren Fenster kann kein modales gemacht werden"));
    m_modalResult = 0;
    m_desktop->runModal(this);
    return m_modalResult;
}

void TForm::setModalResult(int result)
{
    m_modalResult = result;
    if (result != 0)
        m_desktop->endModal(this);
}

bool TForm::isModal() const
{
    return m_desktop->isModal(this);
}

void TForm::Close()
{
    if (isModal()) {
        setModalResult(2);
        return;
    }
    if (this == m_desktop->firstLayer()) {
        TApplication::instance()->terminate();
        return;
    }
    m_desktop->hideLayer(this);
}

int TForm::Left() const
{
    return m_desktop->x();
}

int TForm::Top() const
{
    return m_desktop->y();
}

int TForm::Width() const
{
    return m_desktop->width();
}

int TForm::Height() const
{
    return m_desktop->height();
}

void TForm::setPosition(int left, int top)
{
    m_desktop->move(left, top);
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
