// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A group box with one radio button per item, in one column from top to
// bottom. ItemIndex is the 0-based index of the checked item, -1 for none.
#pragma once

#include "GroupBox.h"

#include <QStringList>

#include <vector>

class QButtonGroup;
class QRadioButton;

class TRadioGroup : public TGroupBox {
    Q_OBJECT

public:
    explicit TRadioGroup(QWidget* parent);

    // Replaces the items; the checked index is kept when still in range.
    void setItems(const QStringList& items);
    int itemIndex() const;
    void setItemIndex(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void arrangeButtons();

    QStringList m_items;
    QButtonGroup* m_group;
    std::vector<QRadioButton*> m_buttons;
};
