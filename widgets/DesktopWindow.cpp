// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window that holds the screens, and the order, visibility, modal state
// and focus of the screen layers in it.
#include "DesktopWindow.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QPointer>

struct TDesktopWindow::Layer {
    QWidget* widget = nullptr;
    bool visible = false;
    // Where the focus was when the layer was last covered.
    QPointer<QWidget> lastFocus;
    // Disabled by a running modal loop of another layer.
    bool disabledByModal = false;
    // The layer's own modal loop while it runs, and whether it was asked to
    // end before it could start.
    QEventLoop* modalLoop = nullptr;
    bool modalEnded = false;
};

TDesktopWindow::TDesktopWindow()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
{
    setFixedSize(LayerWidth, LayerHeight);
}

TDesktopWindow::~TDesktopWindow()
{
    // Before Qt deletes the children in their own order, while this window
    // can still take their removal.
    destroyLayers();
}

void TDesktopWindow::closeEvent(QCloseEvent* event)
{
    // The window stays until the layers are destroyed after the loop ends.
    event->ignore();
    emit closeRequested();
}

TDesktopWindow::Layer* TDesktopWindow::find(const QObject* layer) const
{
    for (const auto& entry : m_layers)
        if (entry->widget == layer)
            return entry.get();
    return nullptr;
}

void TDesktopWindow::addLayer(QWidget* layer)
{
    layer->setGeometry(0, 0, LayerWidth, LayerHeight);
    layer->hide();
    auto entry = std::make_unique<Layer>();
    entry->widget = layer;
    m_layers.push_back(std::move(entry));
}

void TDesktopWindow::removeLayer(QWidget* layer)
{
    Layer* entry = find(layer);
    if (!entry)
        return;
    if (entry->modalLoop)
        entry->modalLoop->exit();
    // A layer destroyed while on top uncovers the one beneath it.
    if (entry->visible && !layer->isHidden()) {
        entry->visible = false;
        arrange();
    }
    std::erase_if(m_layers, [entry](const auto& other) { return other.get() == entry; });
}

std::vector<QWidget*> TDesktopWindow::layers() const
{
    std::vector<QWidget*> widgets;
    widgets.reserve(m_layers.size());
    for (const auto& entry : m_layers)
        widgets.push_back(entry->widget);
    return widgets;
}

QWidget* TDesktopWindow::firstLayer() const
{
    return m_layers.empty() ? nullptr : m_layers.front()->widget;
}

void TDesktopWindow::destroyLayers()
{
    // Each layer's destructor takes it out of the list.
    while (!m_layers.empty())
        delete m_layers.back()->widget;
}

bool TDesktopWindow::isLayerVisible(const QWidget* layer) const
{
    const Layer* entry = find(layer);
    return entry && entry->visible;
}

void TDesktopWindow::showLayer(QWidget* layer)
{
    Layer* entry = find(layer);
    if (!entry)
        return;
    if (entry->disabledByModal) {
        entry->disabledByModal = false;
        layer->setEnabled(true);
    }
    entry->visible = true;
    layer->raise();
    arrange();
    if (!isVisible())
        show();
}

void TDesktopWindow::hideLayer(QWidget* layer)
{
    Layer* entry = find(layer);
    if (!entry)
        return;
    entry->visible = false;
    entry->lastFocus = nullptr;
    arrange();
}

void TDesktopWindow::runModal(QWidget* layer)
{
    Layer* entry = find(layer);
    if (!entry)
        return;
    // Only the layers visible and enabled now are disabled; a layer shown
    // during the loop is enabled and comes on top.
    std::vector<QPointer<QWidget>> disabled;
    for (const auto& other : m_layers) {
        if (other.get() != entry && other->visible && other->widget->isEnabled()) {
            other->widget->setEnabled(false);
            other->disabledByModal = true;
            disabled.emplace_back(other->widget);
        }
    }

    QEventLoop loop;
    entry->modalLoop = &loop;
    entry->modalEnded = false;
    // The layer may be destroyed while its loop runs, and its entry with it.
    const QPointer<QWidget> alive(layer);
    showLayer(layer);
    if (!entry->modalEnded)
        loop.exec();
    if (alive)
        entry->modalLoop = nullptr;

    // Enabled first, so that the layer uncovered next can take the focus.
    for (const auto& widget : disabled) {
        Layer* other = widget ? find(widget) : nullptr;
        if (other && other->disabledByModal) {
            other->disabledByModal = false;
            widget->setEnabled(true);
        }
    }
    if (alive)
        hideLayer(layer);
}

void TDesktopWindow::endModal(QWidget* layer)
{
    Layer* entry = find(layer);
    if (!entry || !entry->modalLoop)
        return;
    entry->modalEnded = true;
    entry->modalLoop->exit();
}

bool TDesktopWindow::isModal(const QWidget* layer) const
{
    const Layer* entry = find(layer);
    return entry && entry->modalLoop;
}

void TDesktopWindow::arrange()
{
    Layer* top = nullptr;
    std::vector<Layer*> shown;
    // The window's children in stacking order, the top-most last.
    for (QObject* child : children()) {
        Layer* entry = find(child);
        if (!entry)
            continue;
        if (entry->visible)
            top = entry;
        if (!entry->widget->isHidden())
            shown.push_back(entry);
    }
    const bool topChanged = top && top->widget->isHidden();
    // The new top is shown, and given the focus, before the old one is
    // hidden: no frame shows the layer beneath them, and Qt does not move the
    // focus out of the hidden layer along the window's chain on its own.
    if (topChanged)
        top->widget->show();
    QWidget* focus = focusWidget();
    for (Layer* entry : shown)
        if (entry != top && entry->visible && focus && entry->widget->isAncestorOf(focus))
            entry->lastFocus = focus;
    if (top && (topChanged || !focus || (focus != top->widget && !top->widget->isAncestorOf(focus))))
        restoreFocus(*top);
    for (Layer* entry : shown)
        if (entry != top)
            entry->widget->hide();
}

void TDesktopWindow::restoreFocus(const Layer& layer)
{
    // The widget that had the focus gets it back, also one that only takes
    // it from the program (the game's field); the layer itself, focused by a
    // click beside its widgets, hands it to its first widget instead.
    QWidget* target = layer.lastFocus;
    if (!target || target == layer.widget || !layer.widget->isAncestorOf(target) || !target->isVisibleTo(layer.widget)
        || !target->isEnabled())
        target = firstInFocusOrder(layer.widget);
    // With no widget that takes the focus, the layer holds it itself, so that
    // Enter still reaches its default button.
    (target ? target : layer.widget)->setFocus(Qt::OtherFocusReason);
}

QWidget* TDesktopWindow::firstInFocusOrder(const QWidget* layer)
{
    // The window's one focus chain, from this layer on; its widgets follow it.
    for (QWidget* w = layer->nextInFocusChain(); w && w != layer; w = w->nextInFocusChain()) {
        if (layer->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(layer) && w->isEnabled())
            return w;
    }
    return nullptr;
}
