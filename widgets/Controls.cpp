#include "widgets/Controls.h"

#include "widgets/NamedComboAccessible.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QCompleter>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace {

constexpr double designedLineHeight = 13.0;

} // namespace

namespace Controls {

double fontScale(const QFont& font)
{
    return std::max(1.0, QFontMetrics(font).height() / designedLineHeight);
}

int scaled(int pixels, const QFont& font)
{
    return static_cast<int>(std::lround(pixels * fontScale(font)));
}

QLabel* label(const QString& text, QWidget* buddy)
{
    auto* l = new QLabel(text);
    if (buddy)
        l->setBuddy(buddy);
    return l;
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

QLineEdit* lineEdit(const QString& name, const QString& accessible)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    edit->setAccessibleName(accessible);
    return edit;
}

QLineEdit* fileField(const QString& name, const QString& accessible)
{
    QLineEdit* edit = lineEdit(name, accessible);
    edit->setMinimumWidth(scaled(300, edit->font()));
    return edit;
}

QSpinBox* arrowSpin(const QString& name, const QString& accessible, int minimum, int maximum, int step)
{
    auto* spin = new QSpinBox;
    spin->setObjectName(name);
    spin->setAccessibleName(accessible);
    spin->setRange(minimum, maximum);
    spin->setSingleStep(step);
    spin->setAlignment(Qt::AlignRight);
    return spin;
}

QSpinBox* numberField(const QString& name, const QString& accessible, int maximum)
{
    QSpinBox* field = arrowSpin(name, accessible, 0, maximum, 1);
    field->setButtonSymbols(QAbstractSpinBox::NoButtons);
    return field;
}

void readOnlyText(QSpinBox* spin)
{
    if (auto* text = spin->findChild<QLineEdit*>())
        text->setReadOnly(true);
}

void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette p = widget->palette();
    p.setColor(role, colour);
    widget->setPalette(p);
}

QToolButton* toolButton(QWidget* parent, const QString& name, const QString& hint, const QIcon& glyph)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setToolTip(hint);
    if (!glyph.isNull()) {
        button->setIcon(glyph);
        button->setAccessibleName(hint);
    }
    return button;
}

QToolButton* fieldButton(const QString& name, const QString& hint)
{
    auto* button = new QToolButton;
    button->setObjectName(name);
    button->setText(QStringLiteral("..."));
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    return button;
}

QComboBox* editableCombo(const QString& name, const QString& accessible)
{
    // Before the drop-down exists: a screen reader may ask for it as soon as it is made.
    NamedComboAccessible::install();
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    // Editable before it is named: the name is when a screen reader first asks for it.
    combo->setEditable(true);
    combo->setAccessibleName(accessible);
    combo->setInsertPolicy(QComboBox::NoInsert);
    // The texts are compared exactly at run time: completion never changes their case.
    combo->completer()->setCaseSensitivity(Qt::CaseSensitive);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(12);
    combo->lineEdit()->setAccessibleName(accessible);
    return combo;
}

QGroupBox* groupBox(const QString& name, const QString& title)
{
    auto* box = new QGroupBox(title);
    box->setObjectName(name);
    box->setAccessibleName(title);
    return box;
}

void setGroupTitle(QGroupBox* group, const QString& title)
{
    group->setTitle(title);
    group->setAccessibleName(title);
}

QGroupBox* radioGroup(const QString& name, const QString& title, const QStringList& items, int columns,
                      QButtonGroup*& group)
{
    QGroupBox* box = groupBox(name, title);
    group = new QButtonGroup(box);
    group->setObjectName(name + QStringLiteral("Items"));
    auto* grid = new QGridLayout(box);
    const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
    for (int item = 0; item < items.size(); ++item) {
        auto* radio = new QRadioButton(items.at(item), box);
        radio->setObjectName(QStringLiteral("%1_%2").arg(name).arg(item));
        group->addButton(radio, item);
        grid->addWidget(radio, item % rows, item / rows);
    }
    grid->setRowStretch(rows, 1);
    return box;
}

void setRadio(QButtonGroup* group, int item)
{
    if (QAbstractButton* button = group->button(item)) {
        button->setChecked(true);
        return;
    }
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons())
        button->setChecked(false);
    group->setExclusive(true);
}

void redBoldTitle(QGroupBox* group)
{
    group->setStyleSheet(QStringLiteral("QGroupBox::title { color: #ff0000; font-weight: bold; }"));
    QFont bold = group->font();
    bold.setBold(true);
    group->setFont(bold);
}

void normalFont(QWidget* group, QWidget* child)
{
    QFont font = group->parentWidget() ? group->parentWidget()->font() : child->font();
    font.setBold(false);
    child->setFont(font);
}

void focusField(QWidget* field, bool select)
{
    field->setFocus(Qt::OtherFocusReason);
    if (!select)
        return;
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->selectAll();
    else if (auto* spin = qobject_cast<QAbstractSpinBox*>(field))
        spin->selectAll();
}

void setComboText(QComboBox* combo, const QString& text)
{
    const QSignalBlocker blocker(combo);
    combo->setEditText(text);
}

void setList(QComboBox* combo, const QStringList& items)
{
    const QSignalBlocker blocker(combo);
    const QString text = combo->currentText();
    combo->clear();
    combo->addItems(items);
    combo->setEditText(text);
}

} // namespace Controls
