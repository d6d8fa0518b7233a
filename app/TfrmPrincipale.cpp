#include "app/TfrmPrincipale.h"

#include "app/MainToolBar.h"
#include "app/ProgramCommands.h"
#include "app/TSingleInstanceGuard.h"
#include "app/TimePanels.h"
#include "app/TrayIcon.h"
#include "compact/TfrmLight.h"
#include "meter/LiveMeter.h"
#include "meter/TfrmCosto.h"
#include "platform/Clock.h"
#include "platform/Prompter.h"
#include "platform/Shell.h"
#include "ras/DialUpCounting.h"
#include "ras/TRasMonitor.h"
#include "reports/TfrmConvert.h"
#include "reports/TfrmCorreggi.h"
#include "session/CountingSession.h"
#include "settings/StatoProgramma.h"
#include "widgets/ExceptionBox.h"
#include "widgets/Glyphs.h"
#include "widgets/ScreenCentre.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>

TfrmPrincipale::TfrmPrincipale(Servizi& servizi, StatoProgramma& stato, CountingSession& session,
                               std::unique_ptr<TSingleInstanceGuard> guard, QWidget* parent)
    : QMainWindow(parent)
    , m_servizi(servizi)
    , m_stato(stato)
    , m_session(session)
    , m_store(servizi.settings)
    , m_avvio(servizi, stato, m_store, [&servizi](const Message& m) { servizi.prompter.show(m); })
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
    auto action = [this](auto* menu, const char* name, const QString& text, auto handler) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, handler);
        return a;
    };

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    QMenu* preferenze = file->addMenu(QStringLiteral("&Preferenze"));
    QMenu* salva = preferenze->addMenu(QStringLiteral("&Salva Posizione"));
    Principale1 = action(salva, "Principale1", QStringLiteral("Principale"), [this] { savePosition(true, false); });
    Costi1 = action(salva, "Costi1", QStringLiteral("Costi"), [this] { savePosition(false, true); });
    Entrambe1 = action(salva, "Entrambe1", QStringLiteral("Entrambe"), [this] { savePosition(true, true); });
    Setup1 = action(preferenze, "Setup1", QStringLiteral("Se&tup"), [this] { m_commands->preferenze(this, false); });
    Visualizzacosti1 = action(preferenze, "Visualizzacosti1", QStringLiteral("&Visualizza costi"),
                              [this] { Visualizzacosti1Click(); });
    Visualizzacosti1->setCheckable(true);
    Conversionevecchiarchivi1 = action(file, "Conversionevecchiarchivi1", QStringLiteral("&Conversione vecchi archivi"),
                                       [this] { Conversionevecchiarchivi1Click(); });
    file->addSeparator();
    Esci1 = action(file, "Esci1", QStringLiteral("&Esci"), [this] { close(); });
    Esci1->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));

    Statistiche1 =
        action(menuBar(), "Statistiche1", QStringLiteral("&Statistiche"), [this] { m_commands->statistiche(this); });

    QMenu* tariffe = menuBar()->addMenu(QStringLiteral("&Tariffe"));
    VisualizzaleFasceTUT1 = action(tariffe, "VisualizzaleFasceTUT1", QStringLiteral("&Visualizza le Fasce TUT"),
                                   [this] { m_commands->fasceTut(this); });
    Visualizzafasceteleselezione1 =
        action(tariffe, "Visualizzafasceteleselezione1", QStringLiteral("V&isualizza fasce teleselezione"),
               [this] { m_commands->fasceTele(this); });
    tariffe->addSeparator();
    Forzailconteggiofestivo1 =
        action(tariffe, "Forzailconteggiofestivo1", QStringLiteral("&Forza il conteggio Festivo"),
               [this] { Forzailconteggiofestivo1Click(); });
    Forzailconteggiofestivo1->setCheckable(true);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&?"));
    Sommario1 = action(help, "Sommario1", QStringLiteral("&Sommario"), [this] { m_commands->sommario(this); });
    Informazionisu1 = action(help, "Informazionisu1", QStringLiteral("&Informazioni su..."),
                             [this] { m_commands->informazioni(this); });
    Costi1->setEnabled(false);
    Entrambe1->setEnabled(false);
}

void TfrmPrincipale::buildToolBar()
{
    m_toolBar = new MainToolBar(this);
    addToolBar(m_toolBar);
    connect(m_toolBar, &MainToolBar::trayClicked, this, &TfrmPrincipale::SpeedButton1Click);
    connect(m_toolBar, &MainToolBar::classClicked, this, &TfrmPrincipale::ClassButtonClick);
    connect(m_toolBar, &MainToolBar::startClicked, this, &TfrmPrincipale::SpeedButton7Click);
    connect(m_toolBar, &MainToolBar::stopClicked, this, &TfrmPrincipale::SpeedButton8Click);
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

void TfrmPrincipale::FormCreate()
{
    // 1. Dates and times always go through the program's own formats
    // (settings/Conversion.h), never the system's regional settings.
    PrimaAttivazione = 1;
    ContatoreLampeggio = 0;
    // 2.-12.
    showStartup(m_avvio.prepara(width()));
    // A session cut short by a crash or a power cut is closed first, before
    // a new one can bury its opening record in the middle of the archive.
    m_endsAfterRepair = TfrmCorreggi::riparaAllAvvio(m_servizi.prompter, m_session, m_avvio.archivePath(),
                                                     m_servizi.dataDirectory, this);
    if (m_endsAfterRepair)
        return;
    // 13. A pass that stopped on a missing closing record leads to the
    // repair; once it is written the program ends without going on.
    const LimitiResult limiti = m_avvio.verificaLimiti();
    m_endsAfterRepair =
        limiti.interrotto && TfrmCorreggi::ripara(m_servizi.prompter, m_session, *limiti.interrotto, this);
    if (m_endsAfterRepair)
        return;
    ConnessioneRas->setDoTimer(true); // 14.
    presentMode();
}

void TfrmPrincipale::showStartup(const StartupSequence::Finestra& f)
{
    m_costoMostrato.reset();
    setWindowTitle(f.caption);
    if (f.posizione)
        placeOnScreen(*this, *f.posizione);
    if (f.vediCosti) {
        Visualizzacosti1->setChecked(*f.vediCosti);
        Visualizzacosti1->setEnabled(!f.vediCostiBloccato);
    }
    pressClassButton(f.classe);
    Forzailconteggiofestivo1->setChecked(f.festivo);
    applyHolidayColour();
}

// 15.-16. The display mode in force for this run.
void TfrmPrincipale::presentMode()
{
    if (m_stato.modo(Visualizzazione::Tray))
        buildTrayIcon();
    if (m_stato.modo(Visualizzazione::Barra)) {
        move(-5000, y());
        hide();
        m_compactWindow = new TfrmLight(m_servizi, m_stato, m_session, *m_dialUpCounting, *m_commands, *this);
        m_compactWindow->show();
    }
    if (m_stato.modo(Visualizzazione::Ridotto)) {
        show();
        ConnessioneRas->setDoTimer(true);
        showMinimized();
    }
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
    // The show handler: dial and launch, in normal mode.
    if (!m_shown) {
        m_shown = true;
        m_avvio.primaVisione();
    }
    if (isActiveWindow())
        FormActivate();
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
    m_toolBar->setTrayEnabled(true);
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
    setWindowTitle(StartupSequence::caption(m_servizi.clock.now().date(), QLocale::system()));
}

void TfrmPrincipale::applyHolidayColour()
{
    // Disabled items keep their greyed text: only the active and inactive colours turn red.
    const QPalette normal = QApplication::palette();
    QPalette p = palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText})
            p.setColor(group, role, m_stato.FestivoForzato == 1 ? QColor(Qt::red) : normal.color(group, role));
    }
    setPalette(p);
}

void TfrmPrincipale::pressClassButton(int classe)
{
    m_toolBar->pressClass(classe);
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
    QPointer<TfrmConvert> finestra = new TfrmConvert(m_servizi.prompter, m_avvio.archivePath(), this);
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
    m_toolBar->timePanels()->setVisible(true);
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
    m_toolBar->timePanels()->showStart(start.start.time());
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
    m_toolBar->timePanels()->showStop(stop.end.time());
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
    connect(m_meter, &LiveMeter::ticked, &m_session, &CountingSession::meterTicked);
    connect(m_meter, &LiveMeter::ticked, this, &TfrmPrincipale::meterTicked);
    // Queued: the stop deletes the meter.
    connect(m_meter, &LiveMeter::clockJumped, &m_session, &CountingSession::stopAtClockJump, Qt::QueuedConnection);
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
        m_toolBar->blink();
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
    m_toolBar->setCounting(counting);
    Visualizzacosti1->setEnabled(!counting && !m_stato.costiForzati());
    Statistiche1->setEnabled(!counting);
    Setup1->setEnabled(!counting);
    Costi1->setEnabled(counting && m_costo);
    Entrambe1->setEnabled(counting && m_costo);
}

void TfrmPrincipale::syncStartStop()
{
    m_toolBar->showRunning(m_session.isRunning());
}
