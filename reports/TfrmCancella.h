#pragma once

#include "reports/CancellazioneArchivio.h"

#include <QDialog>
#include <functional>

class Prompter;
class QFileDialog;
class QLabel;
class QPushButton;

// "Cancellazione archivio chiamate": deletes the call archive, but only
// after the user has saved a copy of it and the copy is known good.
class TfrmCancella : public QDialog
{
    Q_OBJECT
public:
    // Runs the save dialog, already set up, and answers the chosen path
    // (empty when the user cancelled). Tests put their own in its place.
    using SceltaCopia = std::function<QString(QFileDialog& SaveDialog1)>;

    // `archivio`: tqklog.txt in the program's directory. Without `scelta` the save dialog is shown.
    TfrmCancella(Prompter& prompter, const QString& archivio, SceltaCopia scelta = {}, QWidget* parent = nullptr);

public slots:
    void BitBtn2Click();

private:
    Prompter& m_prompter;
    CancellazioneArchivio m_cancellazione;
    SceltaCopia m_scelta;
    QLabel* Label1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QFileDialog* SaveDialog1 = nullptr;
};
