// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The accessible interfaces of the widget kinds and the facts screens add to
// them. The facts are kept on the widgets themselves, as dynamic properties,
// so that they live and die with the widget they describe.
#include "Accessibility.h"

#include "AccessibleChange.h"
#include "GroupBox.h"
#include "Label.h"
#include "Panel.h"
#include "Shape.h"
#include "StaticText.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QMetaObject>
#include <QPointer>
#include <QRect>
#include <QVariant>
#include <QWidget>

#include <utility>
#include <vector>

namespace {

const char* const labelProperty = "tintariumAccessibleLabel";
const char* const labelForProperty = "tintariumAccessibleLabelFor";
const char* const valueProperty = "tintariumAccessibleValue";
const char* const maximumProperty = "tintariumAccessibleMaximum";
const char* const areaProperty = "tintariumAccessibleArea";
const char* const ignoredProperty = "tintariumAccessibleIgnored";
const char* const currentItemProperty = "tintariumAccessibleCurrentItem";

QWidget* widgetProperty(const QWidget* widget, const char* name)
{
    return widget->property(name).value<QPointer<QWidget>>().data();
}

void setWidgetProperty(QWidget* widget, const char* name, QWidget* value)
{
    widget->setProperty(name, QVariant::fromValue(QPointer<QWidget>(value)));
}

// The caption of a text kind, as said: without the blanks that set it off
// from the edge of its strip.
QString captionOf(const QWidget* widget)
{
    if (const auto* text = qobject_cast<const TStaticText*>(widget))
        return text->caption().trimmed();
    if (const auto* label = qobject_cast<const TLabel*>(widget))
        return label->caption().trimmed();
    return {};
}

bool isIgnored(const QWidget* widget)
{
    return widget->property(ignoredProperty).toBool();
}

// The children assistive technology is told of, in Qt's order.
std::vector<QWidget*> exposedChildren(const QWidget* widget)
{
    std::vector<QWidget*> children;
    for (QObject* object : widget->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (child && !child->isWindow() && !isIgnored(child))
            children.push_back(child);
    }
    return children;
}

enum class Kind { Window, Screen, Panel, Group, Text, Picture, Shape, Animation };

QAccessible::Role roleOf(Kind kind)
{
    switch (kind) {
    case Kind::Window: return QAccessible::Window;
    case Kind::Screen:
    case Kind::Panel: return QAccessible::Pane;
    case Kind::Group: return QAccessible::Grouping;
    case Kind::Text: return QAccessible::StaticText;
    case Kind::Picture:
    case Kind::Shape: return QAccessible::Graphic;
    case Kind::Animation: return QAccessible::Animation;
    }
    return QAccessible::Client;
}

class WidgetAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    WidgetAccessible(QWidget* widget, Kind kind)
        : QAccessibleWidget(widget, roleOf(kind))
        , m_kind(kind)
    {
    }

    QAccessible::Role role() const override { return pressable() ? QAccessible::Button : QAccessibleWidget::role(); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value && hasValue())
            return QString::number(widget()->property(valueProperty).toInt());
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        // A text hidden on its own says nothing: a tile's hidden reveal label
        // would otherwise tell which tile has the target colour. (A text on a
        // covered screen keeps its caption, ready for when it is uncovered.)
        if (m_kind == Kind::Text && widget()->isHidden())
            return {};
        if (!widget()->accessibleName().isEmpty())
            return widget()->accessibleName();
        if (const QWidget* label = widgetProperty(widget(), labelProperty))
            return captionOf(label);
        switch (m_kind) {
        case Kind::Window:
        case Kind::Screen: return widget()->windowTitle();
        case Kind::Text: return captionOf(widget());
        case Kind::Group: return groupName();
        case Kind::Panel: return panelName();
        default: return {};
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        // A tile, and the field that takes the focus for it from the keys.
        if (pressable() || widget()->property(currentItemProperty).isValid())
            s.focusable = true;
        if (const QWidget* container = widget()->parentWidget())
            if (container->hasFocus() && widgetProperty(container, currentItemProperty) == widget())
                s.focused = true;
        if (hasValue())
            s.readOnly = true;
        return s;
    }

    QRect rect() const override
    {
        const QVariant area = widget()->property(areaProperty);
        const QWidget* parent = widget()->parentWidget();
        if (!area.isValid() || !parent)
            return QAccessibleWidget::rect();
        const QRect inParent = area.toRect();
        return QRect(parent->mapToGlobal(inParent.topLeft()), inParent.size());
    }

    int childCount() const override { return static_cast<int>(exposedChildren(widget()).size()); }

    QAccessibleInterface* child(int index) const override
    {
        const auto children = exposedChildren(widget());
        if (index < 0 || index >= static_cast<int>(children.size()))
            return nullptr;
        return QAccessible::queryAccessibleInterface(children[static_cast<std::size_t>(index)]);
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (!child)
            return -1;
        const auto children = exposedChildren(widget());
        for (std::size_t i = 0; i < children.size(); ++i)
            if (children[i] == child->object())
                return static_cast<int>(i);
        return -1;
    }

    QAccessibleInterface* focusChild() const override
    {
        if (widget()->hasFocus())
            if (QWidget* item = widgetProperty(widget(), currentItemProperty))
                return QAccessible::queryAccessibleInterface(item);
        return QAccessibleWidget::focusChild();
    }

    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation match) const override
    {
        auto result = QAccessibleWidget::relations(match);
        if (match & QAccessible::Label)
            if (QWidget* label = widgetProperty(widget(), labelProperty))
                result.append({ QAccessible::queryAccessibleInterface(label), QAccessible::Label });
        if (match & QAccessible::Labelled)
            if (QWidget* target = widgetProperty(widget(), labelForProperty))
                result.append({ QAccessible::queryAccessibleInterface(target), QAccessible::Labelled });
        return result;
    }

    QStringList actionNames() const override
    {
        if (pressable())
            return { pressAction() };
        return QAccessibleWidget::actionNames();
    }

    void doAction(const QString& name) override
    {
        if (!pressable() || name != pressAction()) {
            QAccessibleWidget::doAction(name);
            return;
        }
        // A press of any mouse button runs the shape's handler, and so does
        // this action, through the same path. It runs from the event loop,
        // as a press would: the action's caller is answered at once, even
        // when the handler goes on to show a modal screen.
        QPointer<TShape> shape(static_cast<TShape*>(widget()));
        QMetaObject::invokeMethod(
            shape,
            [shape] {
                if (shape && shape->isVisible() && shape->isEnabled())
                    shape->press();
            },
            Qt::QueuedConnection);
    }

    QStringList keyBindingsForAction(const QString& name) const override
    {
        if (pressable())
            return {};
        return QAccessibleWidget::keyBindingsForAction(name);
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface && hasValue())
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // The value is the program's to set, not the user's.
    QVariant currentValue() const override { return widget()->property(valueProperty); }
    void setCurrentValue(const QVariant&) override { }
    QVariant maximumValue() const override { return widget()->property(maximumProperty); }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    bool hasValue() const { return widget()->property(valueProperty).isValid(); }

    // A shape with a press handler is a button (a tile).
    bool pressable() const
    {
        if (m_kind != Kind::Shape)
            return false;
        return static_cast<bool>(static_cast<const TShape*>(widget())->onMouseDown);
    }

    // A box is named by its caption, or by the one text it frames (a title
    // strip, the credits line).
    QString groupName() const
    {
        if (const auto* box = qobject_cast<const TGroupBox*>(widget()))
            if (!box->caption().trimmed().isEmpty())
                return box->caption().trimmed();
        const auto children = exposedChildren(widget());
        if (children.size() == 1)
            return captionOf(children.front());
        return {};
    }

    // A panel without a caption only divides its screen: it carries the
    // screen's name.
    QString panelName() const
    {
        if (const auto* panel = qobject_cast<const TPanel*>(widget()))
            if (!panel->caption().trimmed().isEmpty())
                return panel->caption().trimmed();
        const QWidget* screen = widget();
        while (screen->parentWidget() && !screen->parentWidget()->isWindow())
            screen = screen->parentWidget();
        if (screen == widget() || !screen->parentWidget())
            return {};
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(const_cast<QWidget*>(screen));
        return iface ? iface->text(QAccessible::Name) : QString();
    }

    Kind m_kind;
};

QAccessibleInterface* accessibleFactory(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    // Qt asks for each class of the widget's, the most derived first.
    static const std::pair<const char*, Kind> kinds[] = { { "TForm", Kind::Screen }, { "TPanel", Kind::Panel },
        { "TGroupBox", Kind::Group }, { "TLabel", Kind::Text }, { "TStaticText", Kind::Text },
        { "TImage", Kind::Picture }, { "TShape", Kind::Shape }, { "TAnimate", Kind::Animation } };
    for (const auto& [name, kind] : kinds)
        if (className == QLatin1String(name))
            return new WidgetAccessible(widget, kind);
    // The program's one window, a plain widget that holds the screens.
    const QMetaObject* meta = widget->metaObject();
    if (className == QLatin1String("QWidget") && widget->isWindow()
        && (meta == &QWidget::staticMetaObject || meta->superClass() == &QWidget::staticMetaObject))
        return new WidgetAccessible(widget, Kind::Window);
    return nullptr;
}

} // namespace

void installAccessibility()
{
    QAccessible::installFactory(accessibleFactory);
}

void setAccessibleLabel(QWidget* widget, QWidget* label)
{
    setWidgetProperty(widget, labelProperty, label);
    setWidgetProperty(label, labelForProperty, widget);
    // Qt's own kinds (edits, the text view) read the name from here.
    widget->setAccessibleName(captionOf(label));
}

void setAccessibleValue(QWidget* widget, int value, int maximum)
{
    if (widget->property(maximumProperty) != QVariant(maximum))
        widget->setProperty(maximumProperty, maximum);
    const QVariant before = widget->property(valueProperty);
    if (before.isValid() && before.toInt() == value)
        return;
    widget->setProperty(valueProperty, value);
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent change(widget, value);
        QAccessible::updateAccessibility(&change);
    }
}

void setAccessibleArea(QWidget* widget, const QRect& area)
{
    if (widget->property(areaProperty) != QVariant(area))
        widget->setProperty(areaProperty, area);
}

void setAccessibleIgnored(QWidget* widget)
{
    widget->setProperty(ignoredProperty, true);
}

void setAccessibleCurrentItem(QWidget* container, QWidget* item)
{
    setWidgetProperty(container, currentItemProperty, item);
    if (item && container->hasFocus())
        announceAccessibleChange(item, QAccessible::Focus);
}
