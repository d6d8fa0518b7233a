#include "widgets/NamedComboAccessible.h"

#include <QAbstractItemView>
#include <QComboBox>

namespace {

QAccessibleInterface* namedCombo(const QString& className, QObject* object)
{
    if (className != QLatin1String("QComboBox"))
        return nullptr;
    auto* combo = qobject_cast<QComboBox*>(object);
    if (!combo || !combo->isEditable() || combo->accessibleName().isEmpty())
        return nullptr;
    return new NamedComboAccessible(combo);
}

} // namespace

NamedComboAccessible::NamedComboAccessible(QComboBox* combo)
    : QAccessibleWidget(combo, QAccessible::ComboBox)
{
}

void NamedComboAccessible::install()
{
    // The factory asked last comes first: this one before the toolkit's own.
    [[maybe_unused]] static const bool installed = [] {
        QAccessible::installFactory(&namedCombo);
        return true;
    }();
}

QComboBox* NamedComboAccessible::combo() const
{
    return static_cast<QComboBox*>(widget());
}

QString NamedComboAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        return combo()->accessibleName();
    case QAccessible::Value:
        return combo()->currentText();
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State NamedComboAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.editable = true;
    s.expandable = true;
    s.expanded = combo()->view()->isVisible();
    return s;
}

QStringList NamedComboAccessible::actionNames() const
{
    return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
}

void NamedComboAccessible::doAction(const QString& actionName)
{
    if (actionName == showMenuAction() || actionName == pressAction())
        combo()->showPopup();
    else
        QAccessibleWidget::doAction(actionName);
}
