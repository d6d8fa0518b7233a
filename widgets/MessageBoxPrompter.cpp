#include "widgets/MessageBoxPrompter.h"

#include <QApplication>
#include <QMessageBox>

Prompter::Button MessageBoxPrompter::message(const QString& text, const QString& title, Icon icon, Buttons buttons)
{
    QMessageBox box(QApplication::activeWindow());
    // The program's messages break their lines with a carriage return.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // A text from a file (a band, an entry's name) is shown as it is, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(shown);
    box.setWindowTitle(title.isEmpty() ? QApplication::applicationName() : title);
    switch (icon) {
    case Icon::None:
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    const std::pair<Button, QMessageBox::StandardButton> map[] = {{Button::Ok, QMessageBox::Ok},
                                                                  {Button::Cancel, QMessageBox::Cancel},
                                                                  {Button::Yes, QMessageBox::Yes},
                                                                  {Button::No, QMessageBox::No}};
    QMessageBox::StandardButtons shownButtons;
    for (const auto& [ours, theirs] : map) {
        if (buttons.testFlag(ours))
            shownButtons |= theirs;
    }
    box.setStandardButtons(shownButtons ? shownButtons : QMessageBox::Ok);
    const int pressed = box.exec();
    for (const auto& [ours, theirs] : map) {
        if (pressed == theirs)
            return ours;
    }
    return buttons.testFlag(Button::Cancel) ? Button::Cancel : (buttons.testFlag(Button::No) ? Button::No : Button::Ok);
}
