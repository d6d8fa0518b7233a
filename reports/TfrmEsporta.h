#pragma once

#include "archive/CalcolaConsumi.h"
#include "platform/Servizi.h"
#include "reports/TExcel.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class PieGauge;
struct StatoProgramma;

// The export dialog: the user picks a month and a year, and OK exports that
// month of the call archive day by day to <mmm>_<yy>.txt or, with the
// spreadsheet switch on, through the spreadsheet link (Excel1). The archive is
// the statistics window's alternate archive while AltroFileAttivo is set,
// else tqklog.txt in the data directory. OK and "Annulla" both close it.
class TfrmEsporta : public QDialog
{
    Q_OBJECT
public:
    // `archivioAlternativo` is the file chosen in the statistics window,
    // read only while stato.AltroFileAttivo is set.
    TfrmEsporta(Servizi& servizi, StatoProgramma& stato, QString archivioAlternativo, QWidget* parent = nullptr);

    // The spreadsheet switch (CheckBox1), set by the opener before showing.
    void setSpreadsheetSwitch(bool on);
    bool spreadsheetSwitch() const;
    TExcel& excel() { return Excel1; }

public slots:
    // Year and month from today; the caption from the spreadsheet switch.
    void FormShow();
    // The export, then the dialog closes.
    void BitBtn1Click();

signals:
    // The export stopped on an opening record without its closing record,
    // after its message was shown: `passata` carries the record and the
    // archive read, for TfrmCorreggi::ripara().
    void chiusuraMancante(const ConsumiResult& passata);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMonth();
    void buildButtons();
    void layOut();
    QString archivio() const;

    Servizi& m_servizi;
    StatoProgramma& m_stato;
    QString m_archivioAlternativo;
    bool m_mostrato = false;
    TExcel Excel1;

    QLabel* Panel1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QSpinBox* SpinEdit1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    PieGauge* Gauge2 = nullptr;
};
