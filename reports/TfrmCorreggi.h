#pragma once

#include "reports/CorrezioneChiusura.h"

#include <QDialog>

class CountingSession;
class Prompter;
class QLabel;
struct ConsumiResult;
class QLineEdit;
class QPushButton;

// "Aggiunta Chiusura Mancante": shows the opening record a statistics pass
// found without its closing record and lets the user confirm or edit the
// proposed closing record. It cannot be closed until the correction is
// written; then the program must end and be started again.
class TfrmCorreggi : public QDialog
{
    Q_OBJECT
public:
    // `apertura`: the opening record as the pass read it from `archivio`, the archive the pass read.
    TfrmCorreggi(Prompter& prompter, const QString& archivio, const QString& apertura, QWidget* parent = nullptr);

    // Opens the dialog modally over `parent`. True when the closing record
    // was written: the caller then ends the program after its usual closing steps.
    static bool correggi(Prompter& prompter, const QString& archivio, const QString& apertura,
                         QWidget* parent = nullptr);

    // Where any window takes a statistics pass that stopped on a missing
    // closing record (the statistics window, the export, the limits check at
    // start-up and after a stop): the repair dialog over `parent` for the
    // pass's unpaired opening record, in the archive the pass read. Once the
    // closing record is written the program ends after its usual closing
    // steps (the session's finish(): the main window closes), as soon as
    // control is back in the event loop. True then: the caller does nothing
    // more and closes. False, doing nothing, for a pass that ended otherwise
    // and when the correction could not be written.
    static bool ripara(Prompter& prompter, CountingSession& session, const ConsumiResult& passata,
                       QWidget* parent = nullptr);

    bool correzionePendente() const { return m_correzionePendente; }

public slots:
    void Button1Click();
    // Refused, with its message, while the correction is pending.
    void reject() override;

signals:
    // The closing record is in the archive: the program must end.
    void correzioneEffettuata();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // True when the dialog may close now; tells the user why not otherwise.
    bool FormCloseQuery();

    Prompter& m_prompter;
    CorrezioneChiusura m_correzione;
    bool m_correzionePendente = true;
    // A correction that could not be written does not keep the user captive.
    bool m_scritturaFallita = false;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QPushButton* Button1 = nullptr;
    QLabel* Label1 = nullptr;
};
