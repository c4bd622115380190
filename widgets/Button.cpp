// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The push button: Qt's button for drawing, press/release and space; Enter is
// handled here (focused button) and by TForm (default button).
#include "Button.h"

#include "Application.h"

#include "KeyRules.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPen>

TButton::TButton(QWidget* parent)
    : QPushButton(parent)
{
    // Visible from the start, like the layouts' widgets: one created in a
    // container that is shown already appears at once.
    show();
    setAutoDefault(false);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractButton::clicked, this, &TButton::runClickHandler);
}

void TButton::setCaption(const QString& caption)
{
    if (text() != caption)
        setText(caption);
}

QString TButton::caption() const
{
    return text();
}

void TButton::keyPressEvent(QKeyEvent* event)
{
    if (isEnterKey(event)) {
        event->accept();
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void TButton::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    if (!hasFocus())
        return;
    // A dotted rectangle inside the focused button. Qt's own styles draw the
    // default button and the focused one alike, so without it the focus on a
    // screen's default button could not be seen.
    QPainter painter(this);
    QPen pen(palette().color(QPalette::ButtonText));
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    painter.drawRect(rect().adjusted(4, 4, -5, -5));
}

void TButton::runClickHandler()
{
    // A copy, because the handler may delete this button.
    const auto handler = onClick;
    TApplication::invoke(handler);
}
