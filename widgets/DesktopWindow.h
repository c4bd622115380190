// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The application's single top-level window and the stack of screen layers
// in it. The window is borderless, 808 x 601; every screen is a full-size
// layer, and only the top-most one is ever seen. This class alone keeps the
// layers: their order of creation (the first is the main screen), each one's
// Visible state, which one is on top, the disabling of the others while one
// runs modally, and where each layer's focus was when it was covered. It
// knows the layers as plain widgets; TForm asks it for all of this.
//
// A layer's Visible state is kept apart from Qt's visibility: of the visible
// layers only the top-most is shown to Qt, the covered ones are hidden there.
// Qt keeps one focus chain per window, so a covered layer left shown would
// stay in it (Tab, Enter on a focused button, typing into its edits), in
// shortcut matching, tooltips and the accessibility tree. Hidden in Qt, it
// drops out of all of them at once, while it keeps its Visible state and its
// widgets keep their values.
#pragma once

#include <QWidget>

#include <memory>
#include <vector>

class TDesktopWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int LayerWidth = 808;
    static constexpr int LayerHeight = 601;

    TDesktopWindow();
    // Deletes the layers still left, the last added first.
    ~TDesktopWindow() override;

    // Makes a new child of this window a hidden full-size layer on top of
    // the others.
    void addLayer(QWidget* layer);
    // Forgets a layer that is being destroyed: a modal loop of it ends, and
    // when it was on top the layer beneath it is uncovered.
    void removeLayer(QWidget* layer);
    // The live layers in the order they were added.
    std::vector<QWidget*> layers() const;
    // The first live layer: the main screen. Null when there is none.
    QWidget* firstLayer() const;
    // Deletes every layer, the last added first, so that each one's
    // destructor runs while those added before it still exist.
    void destroyLayers();

    // The layer's own visibility, also while another layer covers it.
    bool isLayerVisible(const QWidget* layer) const;
    // Makes the layer visible, brings it to the front (enabled, even if a
    // running modal loop had disabled it) and shows the window.
    void showLayer(QWidget* layer);
    // Makes the layer invisible; shown again later, it starts from its first
    // widget in focus order.
    void hideLayer(QWidget* layer);

    // Shows the layer on top with the other visible layers disabled and runs
    // a nested event loop until endModal(layer); then enables those layers
    // again and hides this one. A layer shown while the loop runs takes input.
    void runModal(QWidget* layer);
    // Ends the modal loop of the layer; no effect when it runs none.
    void endModal(QWidget* layer);
    bool isModal(const QWidget* layer) const;

signals:
    // The window manager asks to close the window.
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Layer;

    Layer* find(const QObject* layer) const;
    // Shows the top-most Visible layer to Qt and hides every other layer
    // there. A layer that comes on top gets the focus back where it was when
    // it was covered, or else its first widget in focus order.
    void arrange();
    static void restoreFocus(const Layer& layer);
    static QWidget* firstInFocusOrder(const QWidget* layer);

    // In the order of creation; each entry is removed by the layer's own
    // destructor through removeLayer.
    std::vector<std::unique_ptr<Layer>> m_layers;
};
