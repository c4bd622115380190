// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The application object: error box, deferred reports, the one window and
// the event loop.
//
// Errors thrown by handlers are caught in TApplication::invoke (and, for code
// that does not use it, in notify) rather than being let through Qt's own
// frames, which are built without exception support. They are kept in a list
// and shown when the notify() call delivering the event returns, so the box
// appears after the handler and everything it was doing has been abandoned.
#include "Application.h"

#include "DesktopWindow.h"
#include "Fonts.h"

#include <QGuiApplication>
#include <QIcon>
#include <QMessageBox>
#include <QMetaObject>
#include <QScreen>

#include <cstdio>
#include <cstdlib>
#include <exception>

namespace {

QSize desktopSizeOverride;

QString messageOf(const std::exception& error)
{
    return QString::fromUtf8(error.what());
}

// The error box, centred on the program's window. Qt centres a dialog by the
// size it guesses before the message box has sized itself to its text, which
// leaves it tens of pixels off; here it is placed once its size is known and
// before it is mapped.
class CentredMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override
    {
        QMessageBox::showEvent(event);
        if (const QWidget* window = parentWidget()) {
            const QRect area = window->frameGeometry();
            const QSize size = frameGeometry().size();
            move(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2);
        }
    }
};

} // namespace

TApplication::TApplication(int& argc, char** argv)
    : QApplication(argc, argv)
    , m_title(QStringLiteral("Tintarium"))
{
    setQuitOnLastWindowClosed(false);
    installFontSubstitutions();
}

TApplication::~TApplication()
{
    destroyForms();
    m_desktopWindow.reset();
}

TApplication* TApplication::instance()
{
    return qobject_cast<TApplication*>(QCoreApplication::instance());
}

void TApplication::setTitle(const QString& title)
{
    m_title = title;
    if (m_desktopWindow)
        m_desktopWindow->setWindowTitle(m_title);
}

QString TApplication::title() const
{
    return m_title;
}

QString TApplication::withFullStop(const QString& message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void TApplication::showException(const QString& message)
{
    const QString text = withFullStop(message);
    if (m_errorBoxHandler) {
        m_errorBoxHandler(m_title, text);
        return;
    }
    CentredMessageBox box(QMessageBox::Critical, m_title, text, QMessageBox::Ok, desktopWindow());
    box.exec();
}

void TApplication::setErrorBoxHandler(ErrorBoxHandler handler)
{
    m_errorBoxHandler = std::move(handler);
}

void TApplication::reportAfterEvent(const QString& message)
{
    m_pendingReports.append(message);
    if (m_deliveryDepth == 0) {
        // No delivery in progress: the queued call is itself an event, and
        // the reports are shown when its delivery returns.
        QMetaObject::invokeMethod(
            this, [] {}, Qt::QueuedConnection);
    }
}

void TApplication::invoke(const std::function<void()>& handler)
{
    if (!handler)
        return;
    auto* app = instance();
    try {
        handler();
    } catch (const std::exception& error) {
        if (!app)
            throw;
        app->m_pendingErrors.append(messageOf(error));
        if (app->m_deliveryDepth == 0)
            app->flushErrors();
    }
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    ++m_deliveryDepth;
    bool result = false;
    try {
        result = QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        m_pendingErrors.append(messageOf(error));
        result = true;
    }
    --m_deliveryDepth;
    flushErrors();
    if (m_deliveryDepth == 0)
        flushReports();
    return result;
}

void TApplication::flushErrors()
{
    while (!m_pendingErrors.isEmpty())
        showException(m_pendingErrors.takeFirst());
}

void TApplication::flushReports()
{
    // The box runs its own loop, whose events end at depth 0 again.
    if (m_flushingReports)
        return;
    m_flushingReports = true;
    while (!m_pendingReports.isEmpty())
        showException(m_pendingReports.takeFirst());
    m_flushingReports = false;
}

TDesktopWindow* TApplication::desktopWindow()
{
    if (!m_desktopWindow) {
        m_desktopWindow = std::make_unique<TDesktopWindow>();
        connect(m_desktopWindow.get(), &TDesktopWindow::closeRequested, this, &TApplication::terminate);
        m_desktopWindow->setWindowTitle(m_title);
        if (!windowIcon().isNull())
            m_desktopWindow->setWindowIcon(windowIcon());
    }
    return m_desktopWindow.get();
}

void TApplication::setIcon(const QIcon& icon)
{
    setWindowIcon(icon);
    desktopWindow()->setWindowIcon(icon);
}

QWidget* TApplication::mainForm() const
{
    return m_desktopWindow ? m_desktopWindow->firstLayer() : nullptr;
}

int TApplication::run()
{
    if (m_terminated)
        return 0;
    if (QWidget* form = mainForm())
        m_desktopWindow->showLayer(form);
    return exec();
}

void TApplication::terminate()
{
    m_terminated = true;
    // Leaves every event loop of the thread, nested modal ones included.
    QCoreApplication::exit(0);
}

void TApplication::destroyForms()
{
    if (m_desktopWindow)
        m_desktopWindow->destroyLayers();
}

void TApplication::exitBeforePlatformTeardown(int status)
{
    // Qt 6.4's Wayland plugin can deadlock while it is torn down: an event
    // thread told to quit just after the main thread prepared a read for it
    // leaves that read pending, and the other event thread then waits for it
    // forever while the display's destructor waits for that thread. The
    // program would hang with its window still on the screen. Nothing of the
    // game is left to tear down by now, and the compositor frees a client's
    // resources when its connection closes.
    if (platformName() != QLatin1String("wayland"))
        return;
    destroyForms();
    m_desktopWindow.reset();
    std::fflush(nullptr);
    std::_Exit(status);
}

QSize TApplication::desktopSize()
{
    if (desktopSizeOverride.isValid())
        return desktopSizeOverride;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return screen->virtualGeometry().size();
    return QSize(TDesktopWindow::LayerWidth, TDesktopWindow::LayerHeight);
}

void TApplication::setDesktopSizeForTests(QSize size)
{
    desktopSizeOverride = size;
}
