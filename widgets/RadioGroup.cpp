// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The radio group: the buttons share the box's height below the caption
// line evenly, the remainder split above and below.
#include "RadioGroup.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFontMetrics>
#include <QRadioButton>

TRadioGroup::TRadioGroup(QWidget* parent)
    : TGroupBox(parent)
    , m_group(new QButtonGroup(this))
{
    m_group->setExclusive(true);
}

void TRadioGroup::setItems(const QStringList& items)
{
    if (items == m_items)
        return;
    const int checked = itemIndex();
    m_items = items;
    for (QRadioButton* button : m_buttons) {
        m_group->removeButton(button);
        delete button;
    }
    m_buttons.clear();
    for (int i = 0; i < m_items.size(); ++i) {
        auto* button = new QRadioButton(m_items[i], this);
        m_group->addButton(button, i);
        m_buttons.push_back(button);
        button->show();
    }
    arrangeButtons();
    if (checked >= 0 && checked < int(m_buttons.size()))
        m_buttons[std::size_t(checked)]->setChecked(true);
}

int TRadioGroup::itemIndex() const
{
    return m_group->checkedId();
}

void TRadioGroup::setItemIndex(int index)
{
    if (index == itemIndex())
        return;
    if (index >= 0 && index < int(m_buttons.size())) {
        m_buttons[std::size_t(index)]->setChecked(true);
        return;
    }
    // Unchecking needs a non-exclusive group for a moment.
    m_group->setExclusive(false);
    for (QRadioButton* button : m_buttons)
        button->setChecked(false);
    m_group->setExclusive(true);
}

void TRadioGroup::arrangeButtons()
{
    if (m_buttons.empty())
        return;
    const int count = int(m_buttons.size());
    const int top = captionHeight();
    const int available = std::max(height() - top - 5, count);
    const int buttonHeight = available / count;
    const int first = top + (available % count) / 2;
    for (int i = 0; i < count; ++i)
        m_buttons[std::size_t(i)]->setGeometry(8, first + i * buttonHeight, std::max(width() - 16, 1), buttonHeight);
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
