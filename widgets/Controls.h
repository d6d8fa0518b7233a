#pragma once

#include <QPalette>
#include <QStringList>

class QButtonGroup;
class QComboBox;
class QFont;
class QGroupBox;
class QIcon;
class QLabel;
class QLineEdit;
class QSpinBox;
class QString;
class QToolButton;
class QWidget;

// The controls the program's windows are built of, made the same way
// everywhere: named for tests and AT-SPI scripts, announced by their hint.
namespace Controls {

// The windows were drawn for an 8-point sans serif at 96 dpi (13-pixel
// lines): they grow in proportion with the desktop's font, never shrink.
double fontScale(const QFont& font);
// A designed size in pixels at the desktop's font.
int scaled(int pixels, const QFont& font);

// A caption; with a buddy, its mnemonic and a screen reader lead to that field.
QLabel* label(const QString& text, QWidget* buddy = nullptr);
// A caption the window changes or tests find by its name.
QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text);
QLineEdit* lineEdit(const QString& name, const QString& accessible);
// A file name typed or chosen with a button beside it, wide enough for a path.
QLineEdit* fileField(const QString& name, const QString& accessible);
// A spin box that changes by its arrows (and the arrow keys) only.
QSpinBox* arrowSpin(const QString& name, const QString& accessible, int minimum, int maximum, int step);
// A whole-number field without arrows, 0 to `maximum`.
QSpinBox* numberField(const QString& name, const QString& accessible, int maximum);
void readOnlyText(QSpinBox* spin);
// A tool button with its hint as tooltip; one that shows only a picture
// (`glyph`) is announced by its hint.
QToolButton* toolButton(QWidget* parent, const QString& name, const QString& hint, const QIcon& glyph);
// The "..." button beside a field that opens a calendar, a file dialog or a calculator.
QToolButton* fieldButton(const QString& name, const QString& hint);
// A drop-down that also takes a typed text, compared exactly where it is
// used; its text field is announced by the same name.
QComboBox* editableCombo(const QString& name, const QString& accessible);

// A group box announced by its own title: without a name of its own, a
// screen reader would take the title of the group box around it.
QGroupBox* groupBox(const QString& name, const QString& title);
// The caption of a group box changed: its name follows.
void setGroupTitle(QGroupBox* group, const QString& title);
// A group of radio buttons named `name`_0, `name`_1 ..., laid out in `columns`
// columns; `group` numbers them from 0.
QGroupBox* radioGroup(const QString& name, const QString& title, const QStringList& items, int columns,
                      QButtonGroup*& group);
// Checks item `item`; an item that does not exist checks none.
void setRadio(QButtonGroup* group, int item);

// The caption of a group box in red bold letters; its contents keep the window's font.
void redBoldTitle(QGroupBox* group);
// A control inside such a group box, in the window's own font.
void normalFont(QWidget* group, QWidget* child);

// Sends the keyboard back to a field after a message about it; `select`
// selects its text, so the next keys replace it.
void focusField(QWidget* field, bool select);

// One colour of a widget's palette.
void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);

// A drop-down's text or list changed by the program, not by the user: no signal.
void setComboText(QComboBox* combo, const QString& text);
void setList(QComboBox* combo, const QStringList& items);

} // namespace Controls
