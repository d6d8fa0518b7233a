#include "app/TfrmPrincipale.h"

#include "app/ProgramCommands.h"

#include "app/TSingleInstanceGuard.h"
#include "app/TimePanels.h"
#include "app/TrayIcon.h"
#include "archive/ArchivioChiamate.h"
#include "archive/ArchivioLetto.h"
#include "archive/CopiaVerificata.h"
#include "archive/VerificaLimiti.h"
#include "compact/TfrmLight.h"
#include "meter/LiveMeter.h"
#include "meter/TfrmCosto.h"
#include "platform/Clock.h"
#include "platform/Prompter.h"
#include "platform/Shell.h"
#include "ras/DialUpCounting.h"
#include "ras/StartupLaunch.h"
#include "ras/TRasMonitor.h"
#include "reports/TfrmConvert.h"
#include "reports/TfrmCorreggi.h"
#include "session/CountingSession.h"
#include "settings/Conversion.h"
#include "settings/SettingsRepair.h"
#include "settings/StatoProgramma.h"
#include "tariff/Calendario.h"
#include "widgets/ExceptionBox.h"
#include "widgets/Glyphs.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

const char* const classCaptions[] = {"T", "15", "30", ">"};
const char* const classHints[] = {"Tariffa urbana a tempo", "Fino a 15 Km", "Da 15 a 30 Km", "Oltre i 30 Km"};

QToolButton* makeButton(QToolBar* bar, const QString& name, const QString& hint)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    bar->addWidget(button);
    return button;
}

// A button that shows only a picture: screen readers announce its hint.
QToolButton* makeGlyphButton(QToolBar* bar, const QString& name, const QString& hint, const QIcon& glyph)
{
    QToolButton* button = makeButton(bar, name, hint);
    button->setIcon(glyph);
    button->setAccessibleName(hint);
    return button;
}

} // namespace

TfrmPrincipale::TfrmPrincipale(Servizi& servizi, StatoProgramma& stato, CountingSession& session,
                               std::unique_ptr<TSingleInstanceGuard> guard, QWidget* parent)
    : QMainWindow(parent)
    , m_servizi(servizi)
    , m_stato(stato)
    , m_session(session)
    , m_store(servizi.settings)
    , m_guard(std::move(guard))
    , m_commands(std::make_unique<ProgramCommands>(servizi, stato, session, *this))
{
    setObjectName(QStringLiteral("frmPrincipale"));
    setWindowIcon(Glyphs::trayFrame(0));
    buildMenus();
    buildToolBar();
    buildConnectionMonitor();
    setFixedSize(sizeHint().expandedTo(QSize(260, 0)));
    connect(&m_session, &CountingSession::started, this, &TfrmPrincipale::sessionStarted);
    connect(&m_session, &CountingSession::stopped, this, &TfrmPrincipale::sessionStopped);
    connect(&m_session, &CountingSession::finished, this, [this] { close(); });
    FormCreate();
}

TfrmPrincipale::~TfrmPrincipale()
{
    m_session.setNomeConnessione({});
}

void TfrmPrincipale::buildMenus()
{
    auto action = [this](QMenu* menu, const QString& name, const QString& text) {
        auto* a = menu->addAction(text);
        a->setObjectName(name);
        return a;
    };

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    QMenu* preferenze = file->addMenu(QStringLiteral("&Preferenze"));
    QMenu* salva = preferenze->addMenu(QStringLiteral("&Salva Posizione"));
    Principale1 = action(salva, QStringLiteral("Principale1"), QStringLiteral("Principale"));
    Costi1 = action(salva, QStringLiteral("Costi1"), QStringLiteral("Costi"));
    Entrambe1 = action(salva, QStringLiteral("Entrambe1"), QStringLiteral("Entrambe"));
    Setup1 = action(preferenze, QStringLiteral("Setup1"), QStringLiteral("Se&tup"));
    Visualizzacosti1 = action(preferenze, QStringLiteral("Visualizzacosti1"), QStringLiteral("&Visualizza costi"));
    Visualizzacosti1->setCheckable(true);
    Conversionevecchiarchivi1 =
        action(file, QStringLiteral("Conversionevecchiarchivi1"), QStringLiteral("&Conversione vecchi archivi"));
    file->addSeparator();
    Esci1 = action(file, QStringLiteral("Esci1"), QStringLiteral("&Esci"));
    Esci1->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));

    Statistiche1 = menuBar()->addAction(QStringLiteral("&Statistiche"));
    Statistiche1->setObjectName(QStringLiteral("Statistiche1"));

    QMenu* tariffe = menuBar()->addMenu(QStringLiteral("&Tariffe"));
    VisualizzaleFasceTUT1 =
        action(tariffe, QStringLiteral("VisualizzaleFasceTUT1"), QStringLiteral("&Visualizza le Fasce TUT"));
    Visualizzafasceteleselezione1 = action(tariffe, QStringLiteral("Visualizzafasceteleselezione1"),
                                           QStringLiteral("V&isualizza fasce teleselezione"));
    tariffe->addSeparator();
    Forzailconteggiofestivo1 =
        action(tariffe, QStringLiteral("Forzailconteggiofestivo1"), QStringLiteral("&Forza il conteggio Festivo"));
    Forzailconteggiofestivo1->setCheckable(true);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&?"));
    Sommario1 = action(help, QStringLiteral("Sommario1"), QStringLiteral("&Sommario"));
    Informazionisu1 = action(help, QStringLiteral("Informazionisu1"), QStringLiteral("&Informazioni su..."));

    Costi1->setEnabled(false);
    Entrambe1->setEnabled(false);

    connect(Principale1, &QAction::triggered, this, [this] { savePosition(true, false); });
    connect(Costi1, &QAction::triggered, this, [this] { savePosition(false, true); });
    connect(Entrambe1, &QAction::triggered, this, [this] { savePosition(true, true); });
    connect(Setup1, &QAction::triggered, this, [this] { m_commands->preferenze(this, false); });
    connect(Visualizzacosti1, &QAction::triggered, this, &TfrmPrincipale::Visualizzacosti1Click);
    connect(Esci1, &QAction::triggered, this, &QWidget::close);
    connect(Conversionevecchiarchivi1, &QAction::triggered, this, &TfrmPrincipale::Conversionevecchiarchivi1Click);
    connect(Statistiche1, &QAction::triggered, this, [this] { m_commands->statistiche(this); });
    connect(VisualizzaleFasceTUT1, &QAction::triggered, this, [this] { m_commands->fasceTut(this); });
    connect(Visualizzafasceteleselezione1, &QAction::triggered, this, [this] { m_commands->fasceTele(this); });
    connect(Forzailconteggiofestivo1, &QAction::triggered, this, &TfrmPrincipale::Forzailconteggiofestivo1Click);
    connect(Sommario1, &QAction::triggered, this, [this] { m_commands->sommario(this); });
    connect(Informazionisu1, &QAction::triggered, this, [this] { m_commands->informazioni(this); });
}

void TfrmPrincipale::buildToolBar()
{
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    addToolBar(m_toolBar);

    SpeedButton1 = makeGlyphButton(m_toolBar, QStringLiteral("SpeedButton1"), QStringLiteral("Riduce nella try bar"),
                                   Glyphs::trayButton());
    SpeedButton1->setEnabled(false);
    connect(SpeedButton1, &QToolButton::clicked, this, &TfrmPrincipale::SpeedButton1Click);
    m_toolBar->addSeparator();

    m_classButtons = new QButtonGroup(this);
    m_classButtons->setExclusive(true);
    for (int classe = 1; classe <= 4; ++classe) {
        QToolButton* button = makeButton(m_toolBar, QStringLiteral("SpeedButton%1").arg(classe + 1),
                                         QString::fromUtf8(classHints[classe - 1]));
        button->setText(QString::fromUtf8(classCaptions[classe - 1]));
        button->setCheckable(true);
        button->setMinimumWidth(30);
        m_classButtons->addButton(button, classe);
    }
    connect(m_classButtons, &QButtonGroup::idClicked, this, &TfrmPrincipale::ClassButtonClick);
    m_toolBar->addSeparator();

    SpeedButton6 = makeGlyphButton(m_toolBar, QStringLiteral("SpeedButton6"), QStringLiteral("Conteggio in corso"),
                                   Glyphs::lamp());
    SpeedButton6->setEnabled(false);
    m_toolBar->addSeparator();

    auto* startStop = new QButtonGroup(this);
    startStop->setExclusive(true);
    SpeedButton7 = makeGlyphButton(m_toolBar, QStringLiteral("SpeedButton7"), QStringLiteral("Avvio"), Glyphs::start());
    SpeedButton7->setCheckable(true);
    SpeedButton8 =
        makeGlyphButton(m_toolBar, QStringLiteral("SpeedButton8"), QStringLiteral("Arresto"), Glyphs::stop());
    SpeedButton8->setCheckable(true);
    SpeedButton8->setChecked(true);
    startStop->addButton(SpeedButton7);
    startStop->addButton(SpeedButton8);
    connect(SpeedButton7, &QToolButton::clicked, this, &TfrmPrincipale::SpeedButton7Click);
    connect(SpeedButton8, &QToolButton::clicked, this, &TfrmPrincipale::SpeedButton8Click);

    // Over the class buttons: the session's own controls stay in view.
    m_timePanels = new TimePanels(m_toolBar, [this] {
        QRect area;
        for (const QAbstractButton* button : m_classButtons->buttons())
            area = area.united(button->geometry());
        return area;
    });
}

void TfrmPrincipale::buildTrayIcon()
{
    m_trayIcon = new TrayIcon(this);
    connect(m_trayIcon, &TrayIcon::restoreRequested, this, &TfrmPrincipale::RipristinaClick);
    connect(m_trayIcon, &TrayIcon::startRequested, this, &TfrmPrincipale::SpeedButton7Click);
    connect(m_trayIcon, &TrayIcon::stopRequested, this, &TfrmPrincipale::SpeedButton8Click);
    connect(m_trayIcon, &TrayIcon::quitRequested, this, &QWidget::close);
    connect(m_trayIcon, &TrayIcon::aboutRequested, this, [this] { m_commands->informazioni(this); });
}

QString TfrmPrincipale::captionFor(const QDate& today)
{
    return QLocale::system().dayName(today.dayOfWeek(), QLocale::LongFormat) + QLatin1Char(' ') +
           formatShortDate(today);
}

void TfrmPrincipale::FormCreate()
{
    // 1. Dates and times always go through the program's own formats
    // (settings/Conversion.h), never the system's regional settings.
    PrimaAttivazione = 1;
    ContatoreLampeggio = 0;

    // 2.-3. The settings key and the sound events; files that cannot be read are kept aside first.
    const QStringList copie = m_servizi.settings.rescueUnreadableFiles();
    const bool salvabile = m_store.open();
    m_store.registerSoundEvents();

    // 4. First run. A store that cannot be saved gets the factory values in
    // memory, with the store's own message instead of the welcome; a damaged
    // or half-written one gets its missing values back.
    if (m_store.isFirstRun() && salvabile && copie.isEmpty()) {
        m_servizi.prompter.warning(QStringLiteral("Inizializzazione alla prima esecuzione"));
        m_store.writeFirstRunDefaults(width());
        m_servizi.prompter.information(QStringLiteral("Grazie per aver scelto Brenvolo"));
    } else {
        const QString riparazione = SettingsRepair::run(m_store, copie, width()).messaggio();
        if (!riparazione.isEmpty())
            m_servizi.prompter.warning(riparazione);
    }

    // 5.
    refreshCaption();

    // 6.-7. and 9.: the snapshot, sound files included.
    QStringList problemi;
    m_stato.fromStore(m_store, &problemi);
    for (const QString& problema : problemi)
        m_servizi.prompter.warning(problema);
    fallBackFromTray();
    if (!m_stato.modo(Visualizzazione::Barra))
        move(m_stato.Posizione);

    // 8.
    if (!m_stato.modo(Visualizzazione::Barra)) {
        Visualizzacosti1->setChecked(m_store.isOn(Catalogue::VediCostiAttivo));
        if (m_stato.costiForzati()) {
            Visualizzacosti1->setChecked(true);
            Visualizzacosti1->setEnabled(false);
        }
    }

    // 9.
    pressClassButton(m_stato.TariffaCorrente);

    // 10.
    checkHoliday();
    // 11.-12.
    prepareArchive();
    // A session cut short by a crash or a power cut is closed first, before
    // a new one can bury its opening record in the middle of the archive.
    if (TfrmCorreggi::riparaAllAvvio(m_servizi.prompter, m_session, archivePath(), m_servizi.dataDirectory, this)) {
        m_endsAfterRepair = true;
        return;
    }
    // 13. A pass that stopped on a missing closing record leads to the
    // repair; once it is written the program ends without going on.
    const LimitiResult limiti = verificaLimiti(0, archivePath(), m_servizi.clock.now().date(), m_stato, m_store);
    notificaLimiti(m_servizi.notifier, limiti.messages);
    m_servizi.prompter.show(limiti.messages);
    if (limiti.interrotto && TfrmCorreggi::ripara(m_servizi.prompter, m_session, *limiti.interrotto, this)) {
        m_endsAfterRepair = true;
        return;
    }
    // 14.
    ConnessioneRas->setDoTimer(true);

    if (m_stato.modo(Visualizzazione::Tray))
        buildTrayIcon();

    // 15.
    if (m_stato.modo(Visualizzazione::Barra)) {
        move(-5000, y());
        hide();
        m_compactWindow = new TfrmLight(m_servizi, m_stato, m_session, *m_dialUpCounting, *m_commands, *this);
        m_compactWindow->show();
    }

    // 16.
    if (m_stato.modo(Visualizzazione::Ridotto)) {
        show();
        ConnessioneRas->setDoTimer(true);
        showMinimized();
    }
}

void TfrmPrincipale::fallBackFromTray()
{
    // An icon nobody can see would leave a hidden window no way back: this
    // run goes minimised instead. The setting stays, for a desktop with a tray.
    if (!m_stato.modo(Visualizzazione::Tray) || trayAvailable())
        return;
    m_stato.ModoVisualizzazione = Visualizzazione::Ridotto;
    m_servizi.prompter.information(
        QStringLiteral("Il desktop non ha un'area di notifica in cui mostrare l'icona di Brenvolo.\r"
                       "Brenvolo si avvia ridotto a icona: i costi restano nella finestra principale."));
}

bool TfrmPrincipale::trayAvailable() const
{
    return m_servizi.trayAvailable && m_servizi.trayAvailable();
}

void TfrmPrincipale::present()
{
    if (m_endsAfterRepair)
        return;
    if (m_stato.modo(Visualizzazione::Normale) || m_stato.modo(Visualizzazione::Tray))
        show();
}

void TfrmPrincipale::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // However the window comes back (the tray icon, "Ripristina", the window
    // manager), the running session's cost window comes back with it.
    if (m_session.isRunning() && !m_stato.modo(Visualizzazione::Ridotto))
        showCostWindow();
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
    if (isActiveWindow())
        FormActivate();
}

void TfrmPrincipale::FormShow()
{
    // In compact mode the compact window dials and launches; in tray and
    // minimised modes nothing is.
    if (m_stato.modo(Visualizzazione::Normale))
        StartupLaunch::run(m_stato.ComposizioneAutomatica, m_store, m_servizi.dialUp, m_servizi.shell);
}

void TfrmPrincipale::buildConnectionMonitor()
{
    ConnessioneRas = new TRasMonitor(m_servizi.dialUp, this);
    ConnessioneRas->setObjectName(QStringLiteral("ConnessioneRas"));
    ConnessioneRas->setLanguage(RasTracker::Language::English);
    m_session.setNomeConnessione([this] { return nomeConnessione(); });
    // In compact mode too: the session is the compact strip's then.
    m_dialUpCounting = new DialUpCounting(m_session, m_stato, m_servizi.settings, this);
    connect(ConnessioneRas, &TRasMonitor::OnStatusChange, m_dialUpCounting,
            [this] { m_dialUpCounting->statusChanged(ConnessioneRas->IsConnected()); });
    connect(ConnessioneRas, &TRasMonitor::OnConnectionStatus, m_dialUpCounting,
            [this](int phase) { m_dialUpCounting->connectionStatus(phase, ConnessioneRas->ConnectedEntry()); });
    connect(m_dialUpCounting, &DialUpCounting::classChosen, this, &TfrmPrincipale::pressClassButton);
}

void TfrmPrincipale::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TfrmPrincipale::FormActivate()
{
    if (!m_stato.modo(Visualizzazione::Tray) || PrimaAttivazione != 1 || !m_trayIcon)
        return;
    PrimaAttivazione = 0;
    SpeedButton1->setEnabled(true);
    // A tray that went away since the start: hiding would leave the user no
    // way back to the program, so the window stays.
    if (!trayAvailable())
        return;
    m_trayIcon->show();
    hide();
    QCoreApplication::processEvents();
}

void TfrmPrincipale::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
    if (m_compactWindow)
        m_compactWindow->closeWithProgram();
    emit readyToQuit();
}

bool TfrmPrincipale::FormCloseQuery()
{
    // A session still starting counts as open: ending now would leave its
    // opening record without a closing one.
    if (!m_session.isOpen())
        return true;
    m_servizi.prompter.message(QStringLiteral("Conteggio ancora in corso !"), QStringLiteral("Impossibile uscire!"),
                               Message::Icon::Critical);
    return false;
}

void TfrmPrincipale::FormClose()
{
    if (m_trayIcon)
        m_trayIcon->hide();
    m_session.close();
    ConnessioneRas->setDoTimer(false);
}

void TfrmPrincipale::refreshCaption()
{
    m_costoMostrato.reset();
    setWindowTitle(captionFor(m_servizi.clock.now().date()));
}

void TfrmPrincipale::applyHolidayColour()
{
    // Disabled items keep their greyed text: only the active and inactive colours turn red.
    const QPalette normal = QApplication::palette();
    QPalette p = palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText}) {
            p.setColor(group, role, m_stato.FestivoForzato == 1 ? QColor(Qt::red) : normal.color(group, role));
        }
    }
    setPalette(p);
}

void TfrmPrincipale::pressClassButton(int classe)
{
    if (QAbstractButton* button = m_classButtons->button(classe))
        button->setChecked(true);
}

void TfrmPrincipale::ClassButtonClick(int classe)
{
    m_stato.TariffaCorrente = classe;
}

void TfrmPrincipale::Visualizzacosti1Click()
{
    m_store.writeSwitch(Catalogue::VediCostiAttivo, Visualizzacosti1->isChecked());
}

void TfrmPrincipale::Forzailconteggiofestivo1Click()
{
    m_stato.FestivoForzato = Forzailconteggiofestivo1->isChecked() ? 1 : 0;
    applyHolidayColour();
}

void TfrmPrincipale::savePosition(bool main, bool costs)
{
    if (main) {
        m_store.writeInteger(Catalogue::PosizionePosX, x());
        m_store.writeInteger(Catalogue::PosizionePosY, y());
    }
    if (costs && m_costo) {
        m_store.writeInteger(Catalogue::PosizionePosCostiX, m_costo->x());
        m_store.writeInteger(Catalogue::PosizionePosCostiY, m_costo->y());
    }
}

void TfrmPrincipale::Conversionevecchiarchivi1Click()
{
    QPointer<TfrmConvert> finestra = new TfrmConvert(m_servizi.prompter, archivePath(), this);
    finestra->exec();
    delete finestra.data();
}

void TfrmPrincipale::SpeedButton1Click()
{
    if (!m_stato.modo(Visualizzazione::Tray) || !trayAvailable())
        return;
    if (m_costo)
        m_costo->hide();
    m_trayIcon->show();
    hide();
    QCoreApplication::processEvents();
}

void TfrmPrincipale::RipristinaClick()
{
    showNormal();
    raise();
    activateWindow();
    if (m_session.isRunning())
        showCostWindow();
    QCoreApplication::processEvents();
}

void TfrmPrincipale::showCostWindow()
{
    if (!m_costo)
        return;
    m_costo->show();
    m_costo->raise();
}

void TfrmPrincipale::checkHoliday()
{
    if (festivoAllAvvio(m_servizi.clock.now().date(), m_stato.festivita)) {
        m_stato.FestivoForzato = 1;
        Forzailconteggiofestivo1->setChecked(true);
    }
    applyHolidayColour();
}

void TfrmPrincipale::prepareArchive()
{
    // The archive and the exports are addressed by bare names in the data directory.
    QDir().mkpath(m_servizi.dataDirectory);
    if (QDir::currentPath() != QDir(m_servizi.dataDirectory).absolutePath())
        QDir::setCurrent(m_servizi.dataDirectory);

    ArchivioChiamate archivio(archivePath());
    if (!archivio.exists()) {
        m_servizi.prompter.warning(QStringLiteral("Creazione archivio chiamate"));
        QString error;
        if (!archivio.create(&error) && !archivio.exists())
            m_servizi.prompter.warning(QStringLiteral("Impossibile creare l'archivio chiamate: %1").arg(error));
    }
    QString errore;
    if (m_store.isOn(Catalogue::VisualizzaBackup) && archivio.exists() && !copiaArchivio(archivio.path(), &errore))
        m_servizi.prompter.warning(QStringLiteral("Impossibile aggiornare la copia di sicurezza %1: %2.\r"
                                                  "La copia precedente è rimasta com'era.")
                                       .arg(QDir::toNativeSeparators(nomeCopiaDiSicurezza(archivio.path())), errore));
}

QString TfrmPrincipale::archivePath() const
{
    return ArchivioLetto::attuale(m_servizi.dataDirectory);
}

QString TfrmPrincipale::nomeConnessione() const
{
    return ConnessioneRas->ConnectedEntry();
}

void TfrmPrincipale::SpeedButton7Click()
{
    if (!m_session.start())
        syncStartStop();
}

void TfrmPrincipale::SpeedButton8Click()
{
    if (!m_session.stop())
        syncStartStop();
}

void TfrmPrincipale::shutDown()
{
    m_session.finish();
}

// In compact mode the compact strip shows the sessions.
bool TfrmPrincipale::showsSessions() const
{
    return !m_stato.modo(Visualizzazione::Barra);
}

void TfrmPrincipale::sessionStarted(const SessionStart& start)
{
    if (!showsSessions())
        return;
    m_timePanels->setVisible(true);
    if (Visualizzacosti1->isChecked()) {
        refreshCaption();
        openCostWindow(start);
        if (m_costo)
            m_costo->setVisible(!m_stato.modo(Visualizzazione::Ridotto));
        if (m_stato.modo(Visualizzazione::Ridotto))
            showMinimized();
    }
    if (m_trayIcon) {
        m_trayIcon->setAnimated(true);
        if (m_costo)
            m_costo->hide();
        QCoreApplication::processEvents();
    }
    setCountingControls(true);
    m_timePanels->showStart(start.start.time());
    syncStartStop();
    m_servizi.prompter.show(start.messages);
}

void TfrmPrincipale::sessionStopped(const SessionStop& stop)
{
    if (!showsSessions())
        return;
    closeCostWindow();
    if (m_trayIcon) {
        m_trayIcon->setAnimated(false);
        QCoreApplication::processEvents();
    }
    setCountingControls(false);
    m_timePanels->showStop(stop.end.time());
    syncStartStop();
    m_servizi.prompter.show(stop.messages);
}

void TfrmPrincipale::openCostWindow(const SessionStart& start)
{
    try {
        m_meter = new LiveMeter(m_servizi.clock, m_stato, start.meter, start.now, start.start, this);
    } catch (const std::exception& error) {
        // Without a readable band there is no meter; the session still
        // counts and leaves its two records.
        showException(m_servizi.prompter, error);
        return;
    }
    m_costo = new TfrmCosto(m_servizi, *m_meter, this);
    connect(m_meter, &LiveMeter::ticked, this, &TfrmPrincipale::meterTicked);
    m_meter->setRunning(true);
}

void TfrmPrincipale::closeCostWindow()
{
    if (!m_costo)
        return;
    m_costo->FormClose();
    delete m_costo;
    delete m_meter;
    m_costo = nullptr;
    m_meter = nullptr;
}

// On Linux the taskbar entry of the program is this window's: it carries the
// running cost while counting (also minimised, and hidden in the tray, where
// the tray hint carries it too), and keeps the last text after the stop.
void TfrmPrincipale::meterTicked()
{
    if (++ContatoreLampeggio >= 10) {
        SpeedButton6->setEnabled(!SpeedButton6->isEnabled());
        ContatoreLampeggio = 0;
    }
    const CostMeter& meter = m_meter->meter();
    const std::pair mostrato{meter.CostoSessione(), meter.secondiMancanti()};
    if (mostrato == m_costoMostrato)
        return;
    m_costoMostrato = mostrato;
    const QString costo = TfrmCosto::costText(meter);
    setWindowTitle(costo);
    if (m_trayIcon)
        m_trayIcon->setHint(costo);
}

void TfrmPrincipale::setCountingControls(bool counting)
{
    SpeedButton6->setEnabled(counting);
    Visualizzacosti1->setEnabled(!counting && !m_stato.costiForzati());
    Statistiche1->setEnabled(!counting);
    Setup1->setEnabled(!counting);
    Costi1->setEnabled(counting && m_costo);
    Entrambe1->setEnabled(counting && m_costo);
    for (QAbstractButton* button : m_classButtons->buttons())
        button->setEnabled(!counting);
}

void TfrmPrincipale::syncStartStop()
{
    const bool counting = m_session.isRunning();
    SpeedButton7->setChecked(counting);
    SpeedButton8->setChecked(!counting);
}
