// The push button: Qt's button for drawing, press/release and space; Enter is
// handled here (focused button) and by TForm (default button).
#include "Button.h"

#include "Application.h"

#include "KeyRules.h"

#include <QKeyEvent>

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

void TButton::runClickHandler()
{
    // A copy, because the handler may delete this button.
    const auto handler = onClick;
    TApplication::invoke(handler);
}
