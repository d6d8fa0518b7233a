#pragma once

#include <QString>

class Prompter;
class QWidget;
class Shell;
struct Servizi;
struct StatoProgramma;

// "&Sommario": the guide opened in the user's browser.
namespace Sommario {

// Finds the guide where the program was installed or built and opens it
// through the shell; the user is told when it cannot be found or opened.
void apri(QWidget* parent, Servizi& servizi, StatoProgramma& stato);
// Opens the guide at `guida` (empty: it was not found). True when the shell
// started a program for it; otherwise the message has been shown.
bool apri(Shell& shell, Prompter& prompter, const QString& guida);

} // namespace Sommario
