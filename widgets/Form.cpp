// A screen as a full-size layer of the application's window. Showing raises
// the layer; ShowModal disables the other visible layers for the time of its
// nested event loop.
#include "Form.h"

#include "Application.h"
#include "Button.h"
#include "Colors.h"
#include "Fonts.h"
#include "ToolkitError.h"

#include <QEventLoop>
#include <QIcon>
#include "KeyRules.h"

#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <vector>

TForm::TForm(const QString& caption)
    : QWidget(TApplication::instance()->desktopWindow())
{
    setWindowTitle(caption);
    setGeometry(0, 0, FormWidth, FormHeight);
    setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11));
    setBackground(this, color_);
    // Lets the layer itself hold the focus, so that Enter reaches it when no
    // child can take the focus.
    setFocusPolicy(Qt::ClickFocus);
    hide();
    TApplication::instance()->registerForm(this);
}

TForm::~TForm()
{
    if (modalLoop_)
        modalLoop_->exit();
}

QString TForm::caption() const
{
    return windowTitle();
}

void TForm::setColor(TColor color)
{
    if (color == color_)
        return;
    color_ = color;
    setBackground(this, color_);
    update();
}

void TForm::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(color_));
}

void TForm::Show()
{
    QWidget* window = TApplication::instance()->desktopWindow();
    if (disabledByModal_) {
        disabledByModal_ = false;
        setEnabled(true);
    }
    show();
    raise();
    if (!window->isVisible())
        window->show();
    focusFirstChild();
}

int TForm::ShowModal()
{
    if (!isHidden())
        throw EToolkitError(QString::fromUtf8("Aus einem sichtbaren Fenster kann kein modales gemacht werden"));

    // Only the layers visible and enabled now are disabled; a layer shown
    // during the loop is enabled and comes on top.
    std::vector<QPointer<TForm>> disabled;
    for (TForm* form : TApplication::instance()->forms()) {
        if (form != this && !form->isHidden() && form->isEnabled()) {
            form->setEnabled(false);
            form->disabledByModal_ = true;
            disabled.emplace_back(form);
        }
    }

    modalResult_ = 0;
    QEventLoop loop;
    modalLoop_ = &loop;
    Show();
    if (modalResult_ == 0)
        loop.exec();
    modalLoop_ = nullptr;

    hideLayer();
    for (const auto& form : disabled) {
        if (form && form->disabledByModal_) {
            form->disabledByModal_ = false;
            form->setEnabled(true);
        }
    }
    return modalResult_;
}

void TForm::setModalResult(int result)
{
    modalResult_ = result;
    if (result != 0 && modalLoop_)
        modalLoop_->exit();
}

void TForm::Close()
{
    if (modalLoop_) {
        setModalResult(2);
        return;
    }
    if (this == TApplication::instance()->mainForm()) {
        TApplication::instance()->terminate();
        return;
    }
    hideLayer();
}

void TForm::hideLayer()
{
    const bool hadFocus = isAncestorOf(QApplication::focusWidget()) || hasFocus();
    hide();
    if (!hadFocus)
        return;
    // The focus goes to the top-most layer still visible.
    const QObjectList& layers = TApplication::instance()->desktopWindow()->children();
    for (auto it = layers.crbegin(); it != layers.crend(); ++it) {
        auto* form = qobject_cast<TForm*>(*it);
        if (form && !form->isHidden() && form->isEnabled()) {
            form->focusFirstChild();
            break;
        }
    }
}

void TForm::focusFirstChild()
{
    QWidget* last = focusWidget();
    if (last && last != this && isAncestorOf(last) && last->isVisibleTo(this) && last->isEnabled()) {
        last->setFocus(Qt::OtherFocusReason);
        return;
    }
    const auto children = findChildren<QWidget*>();
    for (QWidget* child : children) {
        if ((child->focusPolicy() & Qt::TabFocus) && child->isVisibleTo(this) && child->isEnabled()) {
            child->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    setFocus(Qt::OtherFocusReason);
}

int TForm::Left() const
{
    return TApplication::instance()->desktopWindow()->x();
}

int TForm::Top() const
{
    return TApplication::instance()->desktopWindow()->y();
}

int TForm::Width() const
{
    return TApplication::instance()->desktopWindow()->width();
}

int TForm::Height() const
{
    return TApplication::instance()->desktopWindow()->height();
}

void TForm::setPosition(int left, int top)
{
    TApplication::instance()->desktopWindow()->move(left, top);
}

void TForm::Zentrieren()
{
    const QSize desktop = TApplication::desktopSize();
    // C++ integer division truncates toward zero, as the rule requires.
    setPosition((desktop.width() - Width()) / 2, (desktop.height() - Height()) / 2);
}

void TForm::setDefaultButton(TButton* button)
{
    if (defaultButton_ == button)
        return;
    if (defaultButton_)
        defaultButton_->setDefault(false);
    defaultButton_ = button;
    if (button)
        button->setDefault(true);
}

TButton* TForm::defaultButton() const
{
    return defaultButton_.data();
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
        if (defaultButton_ && defaultButton_->isVisibleTo(this) && defaultButton_->isEnabled())
            defaultButton_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}
