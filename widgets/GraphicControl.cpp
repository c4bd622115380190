// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Stacking and mouse capture of the windowless widget kinds.
#include "GraphicControl.h"

#include <QEvent>
#include <QMouseEvent>

TGraphicControl::TGraphicControl(QWidget* parent)
    : QWidget(parent)
{
    // Visible from the start, like the layouts' widgets: one created in a
    // container that is shown already appears at once.
    show();
    restack();
}

void TGraphicControl::restack()
{
    QWidget* container = parentWidget();
    if (!container)
        return;
    for (QObject* sibling : container->children()) {
        auto* widget = qobject_cast<QWidget*>(sibling);
        if (widget && widget != this && !widget->isWindow() && !qobject_cast<TGraphicControl*>(widget)) {
            stackUnder(widget);
            return;
        }
    }
    // No windowed sibling: the newest windowless one is on top already.
}

bool TGraphicControl::event(QEvent* event)
{
    if (event->type() == QEvent::ParentChange)
        restack();
    return QWidget::event(event);
}

void TGraphicControl::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void TGraphicControl::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}

void TGraphicControl::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double-click is a press like any other.
    mousePressEvent(event);
}
