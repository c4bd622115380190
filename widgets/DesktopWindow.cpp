// The top-level window that holds the screens.
#include "DesktopWindow.h"

#include "Application.h"
#include "Form.h"

#include <QCloseEvent>

TDesktopWindow::TDesktopWindow()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
{
    setFixedSize(TForm::FormWidth, TForm::FormHeight);
}

void TDesktopWindow::closeEvent(QCloseEvent* event)
{
    // The window stays until the forms are destroyed after the loop ends.
    event->ignore();
    if (auto* app = TApplication::instance())
        app->terminate();
}
