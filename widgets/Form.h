// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A screen. All screens are full-size layers of the application's one
// top-level window; a screen's Left, Top, Width and Height are the window's.
// The window keeps the stack of layers (TDesktopWindow): a screen's Visible
// state, which screen is on top, the modal state and the focus of a covered
// screen are kept there, and only the screen on top is shown to Qt.
#pragma once

#include <QPointer>
#include <QWidget>

#include <initializer_list>

class QIcon;
class TButton;
class TDesktopWindow;

class TForm : public QWidget {
    Q_OBJECT

public:
    // A hidden layer of 808 x 601, white, font "MS Sans Serif" 11 px. The
    // first form constructed is the application's main form.
    explicit TForm(const QString& caption);
    ~TForm() override;

    QString caption() const;

    // The screen's own visibility, also while another screen covers it.
    // (To Qt only the screen on top is shown: isVisible() true, isHidden() false.)
    bool Visible() const;

    // Makes the layer visible and brings it to the front; does not wait.
    void Show();
    // Shows the layer on top with the other visible layers disabled and runs
    // a nested event loop until the modal result is non-zero; then hides the
    // layer, enables the others again and returns the result. A layer shown
    // while the loop runs takes input (even one that was disabled when the
    // loop began: otherwise it would cover the modal layer and take nothing).
    // Throws EToolkitError when the layer is visible already.
    int ShowModal();
    // Modal: result 2. Main form: terminates the application. Else: hides.
    void Close();
    void setModalResult(int result);
    bool isModal() const;

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void setPosition(int left, int top);
    // Centres the window on the whole desktop (integer division toward zero).
    void Zentrieren();

    // The keyboard focus order of the screen's widgets. The first of them
    // takes the focus when the screen is shown anew, wherever the window's
    // one focus chain had put it (Qt starts a layer from the widget that
    // follows it in that chain).
    void setFocusOrder(std::initializer_list<QWidget*> order);

    // Enter clicks the focused button if a button has the focus, otherwise
    // this button. At most one per form; null for none.
    void setDefaultButton(TButton* button);
    void setFormIcon(const QIcon& icon);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The window whose layer this is; it outlives the layer.
    TDesktopWindow* const m_desktop;
    int m_modalResult = 0;
    QPointer<TButton> m_defaultButton;
};
