// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The one application object. It owns the single borderless top-level window
// that holds every screen as a layer (TDesktopWindow, which keeps the stack of
// layers), catches the toolkit's errors around the delivery of each event and
// shows them in the standard error box, runs and ends the event loop, and has
// the screens destroyed in the reverse order of creation.
#pragma once

#include <QApplication>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QIcon;
class TDesktopWindow;

class TApplication : public QApplication {
    Q_OBJECT

public:
    TApplication(int& argc, char** argv);
    ~TApplication() override;

    static TApplication* instance();

    // Caption of the error box and title of the window; "Tintarium" by default.
    void setTitle(const QString& title);
    QString title() const;

    // The standard error box: caption title(), critical icon, one OK button,
    // the message through withFullStop(). Waits for OK.
    void showException(const QString& message);
    // Appends "." unless the message is empty or its last character sorts at
    // or below "." in character code order.
    static QString withFullStop(const QString& message);

    // Shows the message in the error box once the outermost event delivery in
    // progress has finished; with no delivery in progress, at the next turn
    // of the event loop. Used where a failure must not interrupt the caller.
    void reportAfterEvent(const QString& message);

    // Runs an event handler. An error it throws is not let through Qt's own
    // code: it is shown once the delivery of the current event has finished
    // (or at once, outside any event delivery). Every widget of this layer
    // calls its handlers (onClick, onMouseDown, ...) through this.
    static void invoke(const std::function<void()>& handler);

    bool notify(QObject* receiver, QEvent* event) override;

    // Test seam: replaces the modal message box by a call of the handler
    // (empty function: the real box again).
    using ErrorBoxHandler = std::function<void(const QString& caption, const QString& text)>;
    void setErrorBoxHandler(ErrorBoxHandler handler);

    // The single top-level window, 808 x 601, frameless, made on first use;
    // closing it by the window manager terminates the application.
    TDesktopWindow* desktopWindow();
    // The application's icon: the window's and the task bar's.
    void setIcon(const QIcon& icon);

    // The main form: the first of the window's layers; null when there is none.
    QWidget* mainForm() const;

    // Shows the main form and runs the event loop until terminate().
    int run();
    // Ends the event loop (all nested loops too) once the current handler has
    // returned; before run() it makes run() return at once.
    void terminate();
    bool isTerminated() const { return m_terminated; }
    // Deletes the forms, the last created first.
    void destroyForms();
    // Called at the very end, once the forms are gone: on a platform whose
    // own teardown can hang, ends the process here with `status`; elsewhere
    // returns, and the application object is destroyed as usual.
    void exitBeforePlatformTeardown(int status);

    // The size of the whole virtual desktop (all monitors together).
    static QSize desktopSize();
    // Test seam: a fixed desktop size; an invalid size returns to the real one.
    static void setDesktopSizeForTests(QSize size);

private:
    void flushErrors();
    void flushReports();

    QString m_title;
    ErrorBoxHandler m_errorBoxHandler;
    std::unique_ptr<TDesktopWindow> m_desktopWindow;
    QStringList m_pendingErrors;
    QStringList m_pendingReports;
    int m_deliveryDepth = 0;
    bool m_flushingReports = false;
    bool m_terminated = false;
};
