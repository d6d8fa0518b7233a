#pragma once

#include "platform/Servizi.h"
#include "reports/StatisticheCosti.h"
#include "settings/SettingsStore.h"

#include <QDate>
#include <QDialog>
#include <functional>
#include <optional>

class CountingSession;
class GraficoAndamento;
class PieGauge;
class QAction;
class QFileDialog;
class QGridLayout;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QTabWidget;
struct StatoProgramma;

// "Costi": the statistics window. The user picks a date range and reads the
// totals the statistics pass gives for it, for its last connection and its
// last day, how far the stored consumption is from the limits, and the
// range's trend in a chart with the month-end projection. Its menu
// views or deletes the archive, switches to an alternate archive and opens
// the export. Modal; a pass that meets a missing closing record leads to the
// repair, and the program ends after it.
class TfrmStatistiche : public QDialog
{
    Q_OBJECT
public:
    // Runs the open dialog, already set up, and answers the chosen path
    // (empty when the user cancelled). Tests put their own in its place.
    using SceltaFile = std::function<QString(QFileDialog& OpenDialog1)>;
    // The drop-down calendar of a date field: the date picked, nothing when
    // the user closed it without picking. Tests put their own in its place.
    using SceltaData = std::function<std::optional<QDate>(QLineEdit& campo, const QDate& attuale)>;

    TfrmStatistiche(Servizi& servizi, StatoProgramma& stato, CountingSession& session, QWidget* parent = nullptr);

    // "&Statistiche" of the main window and of the compact strip: the
    // statistics read tqklog.txt, the window is shown modally and destroyed.
    static void apri(QWidget* parent, Servizi& servizi, StatoProgramma& stato, CountingSession& session);

    void setSceltaFile(SceltaFile scelta) { m_sceltaFile = std::move(scelta); }
    void setSceltaData(SceltaData scelta) { m_sceltaData = std::move(scelta); }

    // The archive the window reads and the alternate file last chosen.
    const StatisticheCosti& statistiche() const { return m_statistiche; }

public slots:
    void FormShow();
    // "&Calcola".
    void BitBtn1Click();
    void VisualizzaFilediconteggio1Click();
    void CancellaFilediconteggio1Click();
    void mnuAttualeClick();
    void AltroFile1Click();
    void Esci1Click();
    void SuFilediTesto1Click();
    void InMicrosoftExcel1Click();
    // Every way of closing ends here: the start date is stored and the
    // statistics read tqklog.txt again.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildHeader();
    QGridLayout* buildDates();
    void buildOpenDialog();
    void buildMenus();
    QWidget* buildPages();
    void addPage(const QString& titolo, const QList<QLineEdit*>& campi, const QString& sopra = {},
                 const QString& sotto = {});
    QWidget* buildTrendPage();
    QLineEdit* dateEdit(const QString& name, const QString& label);
    QLineEdit* valueField(const QString& name, const QString& label);
    void calendario(QLineEdit& campo);
    void showArchive();
    void showTexts(const ConsumiTexts& testi);
    void showLimits(const StatisticheCosti::Scostamenti& limiti);
    void showTrend(const AndamentoConsumi& andamento, const QStringList& proiezione);
    void progress(int percento);
    void esporta(bool foglio);
    // The repair of a pass that stopped on a missing closing record; true when the program ends.
    bool ripara(const ConsumiResult& passata, QWidget* sopra);

    Servizi& m_servizi;
    StatoProgramma& m_stato;
    CountingSession& m_session;
    SettingsStore m_store;
    StatisticheCosti m_statistiche;
    SceltaFile m_sceltaFile;
    SceltaData m_sceltaData;
    bool m_mostrata = false;

    QMenuBar* MainMenu1 = nullptr;
    QAction* VisualizzaFilediconteggio1 = nullptr;
    QAction* CancellaFilediconteggio1 = nullptr;
    QAction* mnuAttuale = nullptr;
    QAction* AltroFile1 = nullptr;
    QAction* Esci1 = nullptr;
    QAction* SuFilediTesto1 = nullptr;
    QAction* InMicrosoftExcel1 = nullptr;

    QLabel* Label1 = nullptr;
    QLineEdit* DateEdit1 = nullptr;
    QLineEdit* DateEdit2 = nullptr;
    PieGauge* Gauge1 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QLineEdit* Edit6 = nullptr;
    QLineEdit* Edit7 = nullptr;
    QLineEdit* Edit8 = nullptr;
    QLineEdit* Edit9 = nullptr;
    QLineEdit* Edit10 = nullptr;
    QLineEdit* Edit11 = nullptr;
    QLineEdit* Edit12 = nullptr;
    QLineEdit* Edit13 = nullptr;
    QLineEdit* Edit15 = nullptr;
    GraficoAndamento* ChartView1 = nullptr;
    QLabel* Label21 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QFileDialog* OpenDialog1 = nullptr;
};
