// The radio group: the buttons share the box's height below the caption
// line evenly, the remainder split above and below.
#include "RadioGroup.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFontMetrics>
#include <QRadioButton>

TRadioGroup::TRadioGroup(QWidget* parent)
    : TGroupBox(parent)
    , group_(new QButtonGroup(this))
{
    group_->setExclusive(true);
}

void TRadioGroup::setItems(const QStringList& items)
{
    if (items == items_)
        return;
    const int checked = itemIndex();
    items_ = items;
    for (QRadioButton* button : buttons_) {
        group_->removeButton(button);
        delete button;
    }
    buttons_.clear();
    for (int i = 0; i < items_.size(); ++i) {
        auto* button = new QRadioButton(items_[i], this);
        group_->addButton(button, i);
        buttons_.push_back(button);
        button->show();
    }
    arrangeButtons();
    if (checked >= 0 && checked < int(buttons_.size()))
        buttons_[std::size_t(checked)]->setChecked(true);
}

int TRadioGroup::itemIndex() const
{
    return group_->checkedId();
}

void TRadioGroup::setItemIndex(int index)
{
    if (index == itemIndex())
        return;
    if (index >= 0 && index < int(buttons_.size())) {
        buttons_[std::size_t(index)]->setChecked(true);
        return;
    }
    // Unchecking needs a non-exclusive group for a moment.
    group_->setExclusive(false);
    for (QRadioButton* button : buttons_)
        button->setChecked(false);
    group_->setExclusive(true);
}

void TRadioGroup::arrangeButtons()
{
    if (buttons_.empty())
        return;
    const int count = int(buttons_.size());
    const int top = captionHeight();
    const int available = std::max(height() - top - 5, count);
    const int buttonHeight = available / count;
    const int first = top + (available % count) / 2;
    for (int i = 0; i < count; ++i)
        buttons_[std::size_t(i)]->setGeometry(8, first + i * buttonHeight, std::max(width() - 16, 1), buttonHeight);
}

void TRadioGroup::resizeEvent(QResizeEvent* event)
{
    TGroupBox::resizeEvent(event);
    arrangeButtons();
}

void TRadioGroup::changeEvent(QEvent* event)
{
    TGroupBox::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        arrangeButtons();
}
