#include "reports/TfrmStatistiche.h"

#include "archive/ArchivioLetto.h"
#include "platform/Clock.h"
#include "platform/Prompter.h"
#include "reports/CalendarioATendina.h"
#include "reports/DimensioneFissa.h"
#include "reports/GraficoAndamento.h"
#include "reports/PieGauge.h"
#include "reports/TfrmCancella.h"
#include "reports/TfrmCorreggi.h"
#include "reports/TfrmEsporta.h"
#include "settings/Conversion.h"
#include "settings/StatoProgramma.h"

#include <QActionGroup>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QFont inPixel(QFont font, int pixel)
{
    font.setPixelSize(pixel);
    font.setBold(true);
    return font;
}

QString eseguiDialogo(QFileDialog& dialogo)
{
    return dialogo.exec() == QDialog::Accepted ? dialogo.selectedFiles().value(0) : QString();
}

} // namespace

TfrmStatistiche::TfrmStatistiche(Servizi& servizi, StatoProgramma& stato, CountingSession& session, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint)
    , m_servizi(servizi)
    , m_stato(stato)
    , m_session(session)
    , m_store(servizi.settings)
    , m_statistiche(servizi.dataDirectory, stato, m_store)
    , m_sceltaFile(eseguiDialogo)
    , m_sceltaData(CalendarioATendina::scegli)
{
    setObjectName(QStringLiteral("frmStatistiche"));
    setWindowTitle(QStringLiteral("Costi"));
    setModal(true);

    QWidget* intestazione = buildHeader();
    QGridLayout* date = buildDates();
    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogApplyButton), QStringLiteral("&Calcola"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &TfrmStatistiche::BitBtn1Click);
    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("&Esci"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::close);
    buildOpenDialog();
    buildMenus();

    auto* pulsanti = new QHBoxLayout;
    pulsanti->addWidget(BitBtn1);
    pulsanti->addStretch();
    pulsanti->addWidget(BitBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->setMenuBar(MainMenu1);
    layout->addWidget(intestazione);
    layout->addLayout(date);
    layout->addWidget(buildPages(), 1);
    layout->addLayout(pulsanti);
    // The window as designed, 331 x 292 below its menu, grown evenly where this desktop's fonts need more room.
    fissaDimensioneInProporzione(*this, QSize(331, 292 + MainMenu1->sizeHint().height()));
}

// The caption naming the archive read.
QWidget* TfrmStatistiche::buildHeader()
{
    auto* Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Label1 = new QLabel(Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFont(inPixel(Label1->font(), 16));
    auto* intestazione = new QVBoxLayout(Panel1);
    intestazione->setContentsMargins(4, 2, 4, 2);
    intestazione->addWidget(Label1);
    return Panel1;
}

// The range's two dates, with the pass's gauge between them.
QGridLayout* TfrmStatistiche::buildDates()
{
    auto* Label11 = new QLabel(QStringLiteral("INIZIO PERIODO"), this);
    Label11->setObjectName(QStringLiteral("Label11"));
    auto* Label10 = new QLabel(QStringLiteral("FINE PERIODO"), this);
    Label10->setObjectName(QStringLiteral("Label10"));
    Label10->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    DateEdit1 = dateEdit(QStringLiteral("DateEdit1"), Label11->text());
    DateEdit2 = dateEdit(QStringLiteral("DateEdit2"), Label10->text());
    Label11->setBuddy(DateEdit1);
    Label10->setBuddy(DateEdit2);

    Gauge1 = new PieGauge(this);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setAccessibleName(QStringLiteral("Avanzamento"));
    Gauge1->setRange(0, 100);
    Gauge1->setValue(0);
    QSizePolicy resta = Gauge1->sizePolicy();
    resta.setRetainSizeWhenHidden(true);
    Gauge1->setSizePolicy(resta);
    Gauge1->hide();

    auto* date = new QGridLayout;
    date->setHorizontalSpacing(8);
    date->setVerticalSpacing(2);
    date->addWidget(Label11, 0, 0);
    date->addWidget(Label10, 0, 2);
    date->addWidget(DateEdit1, 1, 0);
    date->addWidget(Gauge1, 0, 1, 2, 1, Qt::AlignCenter);
    date->addWidget(DateEdit2, 1, 2);
    date->setColumnStretch(0, 1);
    date->setColumnStretch(2, 1);
    return date;
}

void TfrmStatistiche::buildOpenDialog()
{
    OpenDialog1 = new QFileDialog(this);
    OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));
    OpenDialog1->setWindowTitle(QStringLiteral("Apri altro file di conteggio"));
    OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
    OpenDialog1->setFileMode(QFileDialog::ExistingFile);
    OpenDialog1->setNameFilter(QStringLiteral("File di conteggio (*.txt)"));
    OpenDialog1->setDefaultSuffix(QStringLiteral("txt"));
    OpenDialog1->setDirectory(m_servizi.dataDirectory);
}

void TfrmStatistiche::apri(QWidget* parent, Servizi& servizi, StatoProgramma& stato, CountingSession& session)
{
    ArchivioLetto(servizi.dataDirectory, stato).tornaAttuale();
    QPointer<TfrmStatistiche> finestra = new TfrmStatistiche(servizi, stato, session, parent);
    finestra->exec();
    delete finestra.data();
}

void TfrmStatistiche::buildMenus()
{
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    const auto voce = [this](QMenu* menu, const char* nome, const QString& testo) {
        QAction* a = menu->addAction(testo);
        a->setObjectName(QLatin1String(nome));
        return a;
    };

    QMenu* file = MainMenu1->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File1"));
    VisualizzaFilediconteggio1 =
        voce(file, "VisualizzaFilediconteggio1", QStringLiteral("&Visualizza File di conteggio"));
    CancellaFilediconteggio1 = voce(file, "CancellaFilediconteggio1", QStringLiteral("&Cancella File di conteggio"));
    QMenu* scegli = file->addMenu(QStringLiteral("&Scegli  file di conteggio"));
    scegli->setObjectName(QStringLiteral("Sceglifilediconteggio1"));
    auto* archivi = new QActionGroup(this);
    archivi->setExclusive(true);
    mnuAttuale = voce(scegli, "mnuAttuale", QStringLiteral("Attuale"));
    AltroFile1 = voce(scegli, "AltroFile1", QStringLiteral("Altro File"));
    for (QAction* a : {mnuAttuale, AltroFile1}) {
        a->setCheckable(true);
        archivi->addAction(a);
    }
    mnuAttuale->setChecked(true);
    file->addSeparator();
    Esci1 = voce(file, "Esci1", QStringLiteral("&Esci"));
    Esci1->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));

    QMenu* esporta = MainMenu1->addMenu(QStringLiteral("&Esporta"));
    esporta->setObjectName(QStringLiteral("Esporta1"));
    SuFilediTesto1 = voce(esporta, "SuFilediTesto1", QStringLiteral("&Su File di Testo"));
    InMicrosoftExcel1 = voce(esporta, "InMicrosoftExcel1", QStringLiteral("&Cartella Microsoft Excel\u00ae"));

    connect(VisualizzaFilediconteggio1, &QAction::triggered, this, &TfrmStatistiche::VisualizzaFilediconteggio1Click);
    connect(CancellaFilediconteggio1, &QAction::triggered, this, &TfrmStatistiche::CancellaFilediconteggio1Click);
    connect(mnuAttuale, &QAction::triggered, this, &TfrmStatistiche::mnuAttualeClick);
    connect(AltroFile1, &QAction::triggered, this, &TfrmStatistiche::AltroFile1Click);
    connect(Esci1, &QAction::triggered, this, &TfrmStatistiche::Esci1Click);
    connect(SuFilediTesto1, &QAction::triggered, this, &TfrmStatistiche::SuFilediTesto1Click);
    connect(InMicrosoftExcel1, &QAction::triggered, this, &TfrmStatistiche::InMicrosoftExcel1Click);
}

QLineEdit* TfrmStatistiche::dateEdit(const QString& name, const QString& label)
{
    auto* campo = new QLineEdit(this);
    campo->setObjectName(name);
    campo->setAccessibleName(label);
    campo->setToolTip(QStringLiteral("Scegli una data\ndal calendario"));
    campo->setMaxLength(10);
    QAction* tendina = campo->addAction(CalendarioATendina::icona(), QLineEdit::TrailingPosition);
    tendina->setObjectName(name + QStringLiteral("Calendario"));
    tendina->setText(QStringLiteral("Scegli una data dal calendario"));
    tendina->setToolTip(campo->toolTip());
    tendina->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Down));
    tendina->setShortcutContext(Qt::WidgetShortcut);
    connect(tendina, &QAction::triggered, this, [this, campo] { calendario(*campo); });
    return campo;
}

QLineEdit* TfrmStatistiche::valueField(const QString& name, const QString& label)
{
    auto* campo = new QLineEdit(this);
    campo->setObjectName(name);
    campo->setReadOnly(true);
    campo->setFocusPolicy(Qt::ClickFocus);
    campo->setFont(inPixel(campo->font(), 15));
    campo->setAccessibleName(label);
    return campo;
}

QWidget* TfrmStatistiche::buildPages()
{
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    // Every page's caption stays whole: the window grows for them instead.
    PageControl1->setUsesScrollButtons(false);
    PageControl1->setElideMode(Qt::ElideNone);

    Edit9 = valueField(QStringLiteral("Edit9"), QStringLiteral("DUR. COLLEGAMENTI"));
    Edit11 = valueField(QStringLiteral("Edit11"), QStringLiteral("SCATTI NEL PERIODO"));
    Edit13 = valueField(QStringLiteral("Edit13"), QStringLiteral("COSTO DEL PERIODO"));
    Edit15 = valueField(QStringLiteral("Edit15"), QStringLiteral("N° COLLEGAMENTI"));
    addPage(QStringLiteral("Generale"), {Edit9, Edit11, Edit13, Edit15});
    Edit1 = valueField(QStringLiteral("Edit1"), QStringLiteral("SCATTI"));
    Edit2 = valueField(QStringLiteral("Edit2"), QStringLiteral("COSTO"));
    Edit3 = valueField(QStringLiteral("Edit3"), QStringLiteral("TEMPO"));
    addPage(QStringLiteral("Ultimo collegamento"), {Edit1, Edit2, Edit3});
    Edit6 = valueField(QStringLiteral("Edit6"), QStringLiteral("SCATTI"));
    Edit4 = valueField(QStringLiteral("Edit4"), QStringLiteral("COSTO"));
    Edit5 = valueField(QStringLiteral("Edit5"), QStringLiteral("TEMPO"));
    Edit7 = valueField(QStringLiteral("Edit7"), QStringLiteral("COLLEG"));
    addPage(QStringLiteral("Ultima giornata"), {Edit6, Edit4, Edit5, Edit7});
    Edit8 = valueField(QStringLiteral("Edit8"), QStringLiteral("GIORNALIERO"));
    Edit10 = valueField(QStringLiteral("Edit10"), QStringLiteral("MENSILE"));
    Edit12 = valueField(QStringLiteral("Edit12"), QStringLiteral("ANNUO"));
    addPage(QStringLiteral("Limiti"), {Edit8, Edit10, Edit12},
            QStringLiteral("Scostamento dal limite impostato (in minuti)"),
            QStringLiteral("N.B. un valore negativo indica di quanti minuti\n        è stato superato un limite."));
    showLimits({});
    PageControl1->addTab(buildTrendPage(), QStringLiteral("Andamento"));
    return PageControl1;
}

// A page of read-only fields, each under its label (the field's accessible
// name), with a title above them and a note below when given.
void TfrmStatistiche::addPage(const QString& titolo, const QList<QLineEdit*>& campi, const QString& sopra,
                              const QString& sotto)
{
    auto* foglio = new QWidget(PageControl1);
    foglio->setObjectName(QStringLiteral("TabSheet%1").arg(PageControl1->count() + 1));
    auto* griglia = new QGridLayout(foglio);
    griglia->setHorizontalSpacing(10);
    griglia->setVerticalSpacing(4);
    int riga = 0;
    if (!sopra.isEmpty()) {
        auto* titoloLimiti = new QLabel(sopra, foglio);
        titoloLimiti->setObjectName(QStringLiteral("Label19"));
        griglia->addWidget(titoloLimiti, riga++, 0, 1, 2, Qt::AlignHCenter);
    }
    for (QLineEdit* campo : campi) {
        auto* label = new QLabel(campo->accessibleName(), foglio);
        label->setBuddy(campo);
        griglia->addWidget(label, riga, 0);
        griglia->addWidget(campo, riga++, 1);
    }
    if (!sotto.isEmpty()) {
        auto* nota = new QLabel(sotto, foglio);
        nota->setObjectName(QStringLiteral("Label20"));
        griglia->addWidget(nota, riga++, 0, 1, 2);
    }
    griglia->setRowStretch(riga, 1);
    griglia->setColumnStretch(1, 1);
    PageControl1->addTab(foglio, titolo);
}

// The range's bars over the page, the month-end projection under them.
QWidget* TfrmStatistiche::buildTrendPage()
{
    auto* TabSheet5 = new QWidget(PageControl1);
    TabSheet5->setObjectName(QStringLiteral("TabSheet5"));
    ChartView1 = new GraficoAndamento(TabSheet5);
    ChartView1->setObjectName(QStringLiteral("ChartView1"));
    ChartView1->setAccessibleName(QStringLiteral("Andamento del periodo"));
    Label21 = new QLabel(QStringLiteral("Premere Calcola per vedere l'andamento del periodo."), TabSheet5);
    Label21->setObjectName(QStringLiteral("Label21"));
    Label21->setWordWrap(true);
    Label21->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* layout = new QVBoxLayout(TabSheet5);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(ChartView1, 1);
    layout->addWidget(Label21);
    return TabSheet5;
}

void TfrmStatistiche::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_mostrata)
        return;
    m_mostrata = true;
    FormShow();
}

void TfrmStatistiche::FormShow()
{
    DateEdit1->setText(m_statistiche.dataInizio());
    DateEdit2->setText(formatDate(m_servizi.clock.now().date()));
    showArchive();
}

// The caption, the radio mark and the file items of the archive read.
void TfrmStatistiche::showArchive()
{
    const bool altro = m_statistiche.altroFileAttivo();
    Label1->setText(m_statistiche.etichetta());
    (altro ? AltroFile1 : mnuAttuale)->setChecked(true);
    VisualizzaFilediconteggio1->setEnabled(true);
    CancellaFilediconteggio1->setEnabled(!altro);
}

void TfrmStatistiche::BitBtn1Click()
{
    const StatisticheCosti::Calcolo c =
        m_statistiche.calcola(DateEdit1->text(), DateEdit2->text(), m_servizi.clock.now().date(),
                              [this](int percento) { progress(percento); });
    if (c.testi)
        showTexts(*c.testi);
    if (c.andamento)
        showTrend(*c.andamento, c.proiezione);
    Gauge1->hide();
    Gauge1->setValue(0);
    if (c.eseguito)
        showLimits(c.limiti);
    m_servizi.prompter.show(c.messaggi);
    if (ripara(c.passata, this))
        reject();
}

// The pass runs inside this click: the gauge is painted at once, every time it moves.
void TfrmStatistiche::progress(int percento)
{
    Gauge1->show();
    Gauge1->setValue(percento);
    Gauge1->repaint();
}

void TfrmStatistiche::showTexts(const ConsumiTexts& testi)
{
    Edit9->setText(testi.durata);
    Edit11->setText(testi.scatti);
    Edit13->setText(testi.costo);
    Edit15->setText(testi.collegamenti);
    Edit1->setText(testi.ultimoScatti);
    Edit2->setText(testi.ultimoCosto);
    Edit3->setText(testi.ultimoTempo);
    Edit6->setText(testi.giornataScatti);
    Edit4->setText(testi.giornataCosto);
    Edit5->setText(testi.giornataTempo);
    Edit7->setText(testi.giornataCollegamenti);
    for (QLineEdit* campo : {Edit9, Edit11, Edit13, Edit15, Edit1, Edit2, Edit3, Edit6, Edit4, Edit5, Edit7})
        campo->setCursorPosition(0);
}

void TfrmStatistiche::showLimits(const StatisticheCosti::Scostamenti& limiti)
{
    Edit8->setText(limiti.giornaliero);
    Edit10->setText(limiti.mensile);
    Edit12->setText(limiti.annuo);
}

void TfrmStatistiche::showTrend(const AndamentoConsumi& andamento, const QStringList& proiezione)
{
    ChartView1->mostra(andamento);
    Label21->setText(proiezione.join(QLatin1Char('\n')));
}

void TfrmStatistiche::calendario(QLineEdit& campo)
{
    const QDate attuale = StatisticheCosti::dataDelCampo(campo.text(), m_servizi.clock.now().date());
    if (const std::optional<QDate> scelta = m_sceltaData(campo, attuale))
        campo.setText(formatDate(*scelta));
}

void TfrmStatistiche::VisualizzaFilediconteggio1Click()
{
    if (const std::optional<Message> m = m_statistiche.visualizza(m_servizi.shell))
        m_servizi.prompter.show(*m);
}

void TfrmStatistiche::CancellaFilediconteggio1Click()
{
    if (const std::optional<Message> m = m_statistiche.cancellazioneImpossibile()) {
        m_servizi.prompter.show(*m);
        return;
    }
    QPointer<TfrmCancella> finestra = new TfrmCancella(m_servizi.prompter, m_statistiche.archivioAttuale(), {}, this);
    finestra->exec();
    delete finestra.data();
}

void TfrmStatistiche::mnuAttualeClick()
{
    m_statistiche.attuale();
    showArchive();
}

void TfrmStatistiche::AltroFile1Click()
{
    const QString file = m_sceltaFile(*OpenDialog1);
    if (m_statistiche.scegliAltroFile(file) == StatisticheCosti::Scelta::NonValida)
        m_servizi.prompter.show(StatisticheCosti::archivioNonValido());
    showArchive();
}

void TfrmStatistiche::Esci1Click()
{
    BitBtn2->click();
}

void TfrmStatistiche::SuFilediTesto1Click()
{
    esporta(false);
}

void TfrmStatistiche::InMicrosoftExcel1Click()
{
    esporta(true);
}

void TfrmStatistiche::esporta(bool foglio)
{
    QPointer<TfrmEsporta> finestra = new TfrmEsporta(m_servizi, m_stato, m_statistiche.archivioAlternativo(), this);
    finestra->setSpreadsheetSwitch(foglio);
    bool fine = false;
    connect(finestra, &TfrmEsporta::chiusuraMancante, this,
            [this, &fine, finestra](const ConsumiResult& passata) { fine = ripara(passata, finestra); });
    finestra->exec();
    delete finestra.data();
    if (fine)
        reject();
}

bool TfrmStatistiche::ripara(const ConsumiResult& passata, QWidget* sopra)
{
    return TfrmCorreggi::ripara(m_servizi.prompter, m_session, passata, sopra);
}

void TfrmStatistiche::done(int result)
{
    m_statistiche.chiudi(DateEdit1->text());
    QDialog::done(result);
}
