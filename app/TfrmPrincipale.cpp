#include "app/TfrmPrincipale.h"

#include "app/BrenvoloApplication.h"
#include "app/Glyphs.h"
#include "app/Sommario.h"
#include "app/TSingleInstanceGuard.h"
#include "app/TfrmInfo.h"
#include "archive/ArchivioChiamate.h"
#include "archive/VerificaLimiti.h"
#include "compact/TfrmLight.h"
#include "meter/CostMeter.h"
#include "meter/TfrmCosto.h"
#include "platform/Clock.h"
#include "platform/Prompter.h"
#include "platform/Shell.h"
#include "ras/AutomaticCounting.h"
#include "ras/StartupLaunch.h"
#include "ras/TRasMonitor.h"
#include "settings/Conversion.h"
#include "settings/StatoProgramma.h"
#include "setup/TfrmTele.h"
#include "setup/TfrmTut.h"
#include "tariff/Calendario.h"

#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScopedValueRollback>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

constexpr int ModoNormale = 0;
constexpr int ModoTray = 1;
constexpr int ModoBarra = 2;
constexpr int ModoRidotto = 3;

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

QLabel* makeTimePanel(QWidget* parent, const QString& name)
{
    auto* panel = new QLabel(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAlignment(Qt::AlignCenter);
    panel->setAutoFillBackground(true);
    panel->setToolTip(QStringLiteral("Doppio click per nascondere"));
    panel->hide();
    return panel;
}

} // namespace

TfrmPrincipale::TfrmPrincipale(Servizi& servizi, StatoProgramma& stato, std::unique_ptr<TSingleInstanceGuard> guard,
                               QWidget* parent)
    : QMainWindow(parent)
    , m_servizi(servizi)
    , m_stato(stato)
    , m_store(servizi.settings)
    , m_guard(std::move(guard))
{
    setObjectName(QStringLiteral("frmPrincipale"));
    setWindowIcon(Glyphs::trayFrame(0));
    buildMenus();
    buildToolBar();
    buildConnectionMonitor();
    setFixedSize(sizeHint().expandedTo(QSize(260, 0)));
#ifndef QT_NO_SESSIONMANAGER
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(app, &QGuiApplication::commitDataRequest, this, [this] { stopForSessionEnd(); });
#endif
    FormCreate();
}

TfrmPrincipale::~TfrmPrincipale() = default;

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

    // The windows these open arrive with their own parts of the program.
    m_nonDisponibili = {Setup1, Conversionevecchiarchivi1, Statistiche1};
    for (QAction* later : m_nonDisponibili)
        later->setEnabled(false);
    Costi1->setEnabled(false);
    Entrambe1->setEnabled(false);

    connect(Principale1, &QAction::triggered, this, [this] { savePosition(true, false); });
    connect(Costi1, &QAction::triggered, this, [this] { savePosition(false, true); });
    connect(Entrambe1, &QAction::triggered, this, [this] { savePosition(true, true); });
    connect(Visualizzacosti1, &QAction::triggered, this, &TfrmPrincipale::Visualizzacosti1Click);
    connect(Esci1, &QAction::triggered, this, &QWidget::close);
    connect(VisualizzaleFasceTUT1, &QAction::triggered, this, [this] { TfrmTut::apri(this, m_servizi, m_stato); });
    connect(Visualizzafasceteleselezione1, &QAction::triggered, this,
            [this] { TfrmTele::apri(this, m_servizi, m_stato); });
    connect(Forzailconteggiofestivo1, &QAction::triggered, this, &TfrmPrincipale::Forzailconteggiofestivo1Click);
    connect(Sommario1, &QAction::triggered, this, &TfrmPrincipale::Sommario1Click);
    connect(Informazionisu1, &QAction::triggered, this, &TfrmPrincipale::Informazionisu1Click);
}

void TfrmPrincipale::buildToolBar()
{
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setToolTip(QStringLiteral("Doppio click per visualizzare\ni pannelli degli orari"));
    m_toolBar->installEventFilter(this);
    addToolBar(m_toolBar);

    SpeedButton1 = makeButton(m_toolBar, QStringLiteral("SpeedButton1"), QStringLiteral("Riduce nella try bar"));
    SpeedButton1->setIcon(Glyphs::trayButton());
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
        button->setMinimumWidth(26);
        m_classButtons->addButton(button, classe);
    }
    connect(m_classButtons, &QButtonGroup::idClicked, this, &TfrmPrincipale::ClassButtonClick);
    m_toolBar->addSeparator();

    SpeedButton6 = makeButton(m_toolBar, QStringLiteral("SpeedButton6"), QStringLiteral("Conteggio in corso"));
    SpeedButton6->setIcon(Glyphs::lamp());
    SpeedButton6->setEnabled(false);
    m_toolBar->addSeparator();

    auto* startStop = new QButtonGroup(this);
    startStop->setExclusive(true);
    SpeedButton7 = makeButton(m_toolBar, QStringLiteral("SpeedButton7"), QStringLiteral("Avvio"));
    SpeedButton7->setIcon(Glyphs::start());
    SpeedButton7->setCheckable(true);
    SpeedButton8 = makeButton(m_toolBar, QStringLiteral("SpeedButton8"), QStringLiteral("Arresto"));
    SpeedButton8->setIcon(Glyphs::stop());
    SpeedButton8->setCheckable(true);
    SpeedButton8->setChecked(true);
    startStop->addButton(SpeedButton7);
    startStop->addButton(SpeedButton8);
    connect(SpeedButton7, &QToolButton::clicked, this, &TfrmPrincipale::SpeedButton7Click);
    connect(SpeedButton8, &QToolButton::clicked, this, &TfrmPrincipale::SpeedButton8Click);

    Panel1 = makeTimePanel(m_toolBar, QStringLiteral("Panel1"));
    Panel2 = makeTimePanel(m_toolBar, QStringLiteral("Panel2"));
    Panel1->installEventFilter(this);
    Panel2->installEventFilter(this);
}

void TfrmPrincipale::buildTrayIcon()
{
    m_trayMenu = new QMenu(this);
    m_trayMenu->setObjectName(QStringLiteral("PopupMenu1"));
    auto item = [this](const QString& name, const QString& text) {
        QAction* a = m_trayMenu->addAction(text);
        a->setObjectName(name);
        return a;
    };
    connect(item(QStringLiteral("Ripristina1"), QStringLiteral("Ripristina")), &QAction::triggered, this,
            &TfrmPrincipale::RipristinaClick);
    connect(item(QStringLiteral("Avviailconteggio1"), QStringLiteral("Avvia il conteggio")), &QAction::triggered, this,
            &TfrmPrincipale::SpeedButton7Click);
    connect(item(QStringLiteral("Arrestailconteggio1"), QStringLiteral("Arresta il conteggio")), &QAction::triggered,
            this, &TfrmPrincipale::SpeedButton8Click);
    connect(item(QStringLiteral("Esci2"), QStringLiteral("Esci")), &QAction::triggered, this, &QWidget::close);
    connect(item(QStringLiteral("Info1"), QStringLiteral("Info")), &QAction::triggered, this,
            &TfrmPrincipale::Informazionisu1Click);

    m_trayIcon = new QSystemTrayIcon(Glyphs::trayFrame(0), this);
    m_trayIcon->setObjectName(QStringLiteral("TrayIcon1"));
    m_trayIcon->setToolTip(QStringLiteral("Brenvolo"));
    m_trayIcon->setContextMenu(m_trayMenu);
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
            RipristinaClick();
    });

    m_trayAnimation = new QTimer(this);
    m_trayAnimation->setObjectName(QStringLiteral("TrayAnimation"));
    m_trayAnimation->setInterval(1000);
    connect(m_trayAnimation, &QTimer::timeout, this, &TfrmPrincipale::nextTrayFrame);
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

    // 2.-3. The settings key and the sound events.
    m_store.open();
    m_store.registerSoundEvents();

    // 4. First run.
    if (m_store.isFirstRun()) {
        m_servizi.prompter.warning(QStringLiteral("Inizializzazione alla prima esecuzione"));
        m_store.writeFirstRunDefaults(width());
        m_servizi.prompter.information(QStringLiteral("Grazie per aver scelto Brenvolo"));
    }

    // 5.
    refreshCaption();

    // 6.-7. and 9.: the snapshot, sound files included.
    m_stato.fromStore(m_store);
    if (m_stato.ModoVisualizzazione != ModoBarra)
        move(m_stato.Posizione);

    // 8.
    if (m_stato.ModoVisualizzazione != ModoBarra) {
        Visualizzacosti1->setChecked(m_store.readText(QStringLiteral("VediCosti"), QStringLiteral("attivo"),
                                                      QStringLiteral("OFF")) == QLatin1String("ON"));
        if (costsForced()) {
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
    // 13. The archive repair dialog, when it exists, is offered through the hooks' chiusuraMancante.
    verificaLimiti(0, archivePath(), m_servizi.clock.now().date(), m_stato, m_store, m_servizi.prompter);
    // 14.
    ConnessioneRas->setDoTimer(true);

    if (m_stato.ModoVisualizzazione == ModoTray)
        buildTrayIcon();

    // 15.
    if (m_stato.ModoVisualizzazione == ModoBarra) {
        move(-5000, y());
        hide();
        m_compactWindow = new TfrmLight(m_servizi, m_stato, this);
        m_compactWindow->show();
    }

    // 16.
    if (m_stato.ModoVisualizzazione == ModoRidotto) {
        show();
        ConnessioneRas->setDoTimer(true);
        showMinimized();
    }
}

void TfrmPrincipale::present()
{
    if (m_stato.ModoVisualizzazione == ModoNormale || m_stato.ModoVisualizzazione == ModoTray)
        show();
}

void TfrmPrincipale::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
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
    if (m_stato.ModoVisualizzazione == ModoNormale)
        StartupLaunch::run(m_stato.ComposizioneAutomatica, m_store, m_servizi.dialUp, m_servizi.shell);
}

void TfrmPrincipale::buildConnectionMonitor()
{
    ConnessioneRas = new TRasMonitor(m_servizi.dialUp, this);
    ConnessioneRas->setObjectName(QStringLiteral("ConnessioneRas"));
    ConnessioneRas->setLanguage(RasTracker::Language::English);
    connect(ConnessioneRas, &TRasMonitor::OnStatusChange, this, &TfrmPrincipale::ConnessioneRasStatusChange);
    connect(ConnessioneRas, &TRasMonitor::OnConnectionStatus, this, &TfrmPrincipale::ConnessioneRasConnectionStatus);
}

void TfrmPrincipale::ConnessioneRasStatusChange()
{
    // The compact window runs its own sessions in compact mode.
    if (m_stato.ModoVisualizzazione == ModoBarra)
        return;
    const bool sessionOpen = SpeedButton7->isChecked() || m_inTransizione;
    switch (AutomaticCounting::onStatusChange(m_stato, ConnessioneRas->IsConnected(), sessionOpen)) {
    case AutomaticCounting::Action::Start:
        AutomaticCounting::markAutomaticStart(m_stato, m_store);
        SpeedButton7Click();
        break;
    case AutomaticCounting::Action::Stop:
        SpeedButton8Click();
        break;
    case AutomaticCounting::Action::None:
        break;
    }
}

void TfrmPrincipale::ConnessioneRasConnectionStatus(int phase)
{
    if (AutomaticCounting::onConnectionStatus(phase, ConnessioneRas->ConnectedEntry(), m_stato, m_store))
        pressClassButton(m_stato.TariffaCorrente);
}

void TfrmPrincipale::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TfrmPrincipale::FormActivate()
{
    if (m_stato.ModoVisualizzazione != ModoTray || PrimaAttivazione != 1 || !m_trayIcon)
        return;
    PrimaAttivazione = 0;
    SpeedButton1->setEnabled(true);
    // Without a tray to show the icon in, hiding would leave the user no way
    // back to the program: the window stays.
    if (!QSystemTrayIcon::isSystemTrayAvailable())
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
        m_compactWindow->close();
}

bool TfrmPrincipale::FormCloseQuery()
{
    // A session still starting counts as open: ending now would leave its
    // opening record without a closing one.
    if (m_stato.ConteggioInCorso != 1 && !m_inTransizione)
        return true;
    m_servizi.prompter.message(QStringLiteral("Conteggio ancora in corso !"), QStringLiteral("Impossibile uscire!"),
                               Prompter::Icon::Critical);
    return false;
}

void TfrmPrincipale::FormClose()
{
    if (m_trayIcon)
        m_trayIcon->hide();
    m_store.writeText(QStringLiteral("ritardo"), QStringLiteral("flagAuto"), QStringLiteral("OFF"));
    ConnessioneRas->setDoTimer(false);
}

bool TfrmPrincipale::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == m_toolBar) {
            setTimePanelsVisible(true);
            return true;
        }
        if (watched == Panel1 || watched == Panel2) {
            setTimePanelsVisible(false);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmPrincipale::setTimePanelsVisible(bool visible)
{
    const QRect area = m_toolBar->rect();
    const int half = area.width() / 2;
    Panel1->setGeometry(0, 0, half, area.height());
    Panel2->setGeometry(half, 0, area.width() - half, area.height());
    Panel1->setVisible(visible);
    Panel2->setVisible(visible);
    if (visible) {
        Panel1->raise();
        Panel2->raise();
    }
}

void TfrmPrincipale::refreshCaption()
{
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
    m_store.writeText(QStringLiteral("VediCosti"), QStringLiteral("attivo"),
                      Visualizzacosti1->isChecked() ? QStringLiteral("ON") : QStringLiteral("OFF"));
}

void TfrmPrincipale::Forzailconteggiofestivo1Click()
{
    m_stato.FestivoForzato = Forzailconteggiofestivo1->isChecked() ? 1 : 0;
    applyHolidayColour();
}

void TfrmPrincipale::savePosition(bool main, bool costs)
{
    if (main) {
        m_store.writeInteger(QStringLiteral("Posizione"), QStringLiteral("posX"), x());
        m_store.writeInteger(QStringLiteral("Posizione"), QStringLiteral("posY"), y());
    }
    if (costs && m_costo) {
        m_store.writeInteger(QStringLiteral("Posizione"), QStringLiteral("posCostiX"), m_costo->x());
        m_store.writeInteger(QStringLiteral("Posizione"), QStringLiteral("posCostiY"), m_costo->y());
    }
}

void TfrmPrincipale::Informazionisu1Click()
{
    TfrmInfo::apri(this, m_servizi, m_stato);
}

void TfrmPrincipale::Sommario1Click()
{
    Sommario::apri(this, m_servizi, m_stato);
}

void TfrmPrincipale::SpeedButton1Click()
{
    if (m_stato.ModoVisualizzazione != ModoTray || !QSystemTrayIcon::isSystemTrayAvailable())
        return;
    if (m_costo)
        m_costo->hide();
    m_trayIcon->show();
    hide();
    QCoreApplication::processEvents();
}

void TfrmPrincipale::RipristinaClick()
{
    show();
    raise();
    activateWindow();
    if (m_stato.ConteggioInCorso == 1 && m_costo)
        m_costo->show();
    QCoreApplication::processEvents();
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
    if (m_store.readText(QStringLiteral("visualizza"), QStringLiteral("backup"), QStringLiteral("ON")) ==
        QLatin1String("ON"))
        copiaArchivio(archivio.path());
}

QString TfrmPrincipale::archivePath() const
{
    return QDir(m_servizi.dataDirectory).filePath(ArchivioChiamate::nomeFile);
}

QString TfrmPrincipale::nomeConnessione() const
{
    return ConnessioneRas->ConnectedEntry();
}

bool TfrmPrincipale::costsForced() const
{
    return m_stato.ModoVisualizzazione == ModoTray || m_stato.ModoVisualizzazione == ModoRidotto;
}

void TfrmPrincipale::SpeedButton7Click()
{
    if (m_stato.ConteggioInCorso == 1 || m_inTransizione) {
        syncStartStop();
        return;
    }
    avvia();
    afterTransition();
}

void TfrmPrincipale::SpeedButton8Click()
{
    if (m_stato.ConteggioInCorso != 1 || m_inTransizione) {
        syncStartStop();
        return;
    }
    arresta();
    afterTransition();
}

void TfrmPrincipale::avvia()
{
    const QScopedValueRollback<bool> transizione(m_inTransizione, true);
    const QDateTime adesso = m_servizi.clock.now();

    setTimePanelsVisible(true);
    m_stato.RiduzioneTeleAttiva = 0;
    const QString nome = nomeConnessione();

    if (Visualizzacosti1->isChecked()) {
        refreshCaption();
        openCostWindow(adesso);
        if (m_costo) {
            m_costo->setVisible(m_stato.ModoVisualizzazione != ModoRidotto);
            m_costo->setTimerEnabled(true);
        }
        if (m_stato.ModoVisualizzazione == ModoRidotto)
            showMinimized();
    }

    if (m_stato.ModoVisualizzazione == ModoTray) {
        setTrayAnimation(true);
        if (m_costo)
            m_costo->hide();
        QCoreApplication::processEvents();
    }

    setCountingControls(true);

    // The cost window has read the automatic-start flag: the record and the
    // meter take the same start moment.
    const QDateTime inizio = CostMeter::inizioSessione(m_stato, adesso);
    Panel1->setText(formatTime(inizio.time()));
    Panel2->clear();

    m_stato.ConteggioInCorso = 1;
    syncStartStop();

    ArchivioChiamate(archivePath())
        .appendRecord(
            recordApertura(inizio, m_stato.FestivoForzato, m_stato.TariffaCorrente, m_stato.TipoTariffaInternet, nome),
            m_servizi.prompter);
}

void TfrmPrincipale::arresta()
{
    const QScopedValueRollback<bool> transizione(m_inTransizione, true);

    m_stato.RiduzioneTeleAttiva = 0;
    m_stato.AvvioAutomatico = QStringLiteral("OFF");
    m_store.writeText(QStringLiteral("ritardo"), QStringLiteral("flagAuto"), QStringLiteral("OFF"));
    // Undoes any reduced price of the session.
    m_stato.CostoScatto = m_store.readText(QStringLiteral("importo"), QStringLiteral("costo"), QStringLiteral("000"));

    closeCostWindow();

    if (m_stato.ModoVisualizzazione == ModoTray) {
        setTrayAnimation(false);
        QCoreApplication::processEvents();
    }

    setCountingControls(false);

    const QDateTime adesso = m_servizi.clock.now();
    Panel2->setText(formatTime(adesso.time()));
    m_stato.ConteggioInCorso = 0;
    syncStartStop();

    ArchivioChiamate(archivePath())
        .appendRecord(
            recordChiusura(adesso, m_stato.FestivoForzato, m_stato.TariffaCorrente, m_stato.TipoTariffaInternet),
            m_servizi.prompter);
}

// What was asked of the session while it was starting or stopping, done now
// that it has finished.
void TfrmPrincipale::afterTransition()
{
    if (m_chiusuraRichiesta) {
        m_chiusuraRichiesta = false;
        m_arrestoRichiesto = false;
        shutDown();
    } else if (m_arrestoRichiesto) {
        m_arrestoRichiesto = false;
        stopForSessionEnd();
    }
}

void TfrmPrincipale::stopForSessionEnd()
{
    if (m_inTransizione) {
        m_arrestoRichiesto = true;
        return;
    }
    if (m_stato.ConteggioInCorso == 1)
        SpeedButton8Click();
}

void TfrmPrincipale::shutDown()
{
    if (m_inTransizione) {
        m_chiusuraRichiesta = true;
        return;
    }
    stopForSessionEnd();
    close();
    emit readyToQuit();
}

void TfrmPrincipale::openCostWindow(const QDateTime& adesso)
{
    try {
        m_costo = new TfrmCosto(m_servizi, m_stato, adesso, this);
    } catch (const std::exception& error) {
        // Without a readable band there is no meter; the session still
        // counts and leaves its two records.
        m_costo = nullptr;
        BrenvoloApplication::showException(m_servizi.prompter, error);
        return;
    }
    connect(m_costo, &TfrmCosto::ticked, this, &TfrmPrincipale::costTicked);
}

void TfrmPrincipale::closeCostWindow()
{
    if (!m_costo)
        return;
    m_costo->setTimerEnabled(false);
    m_costo->FormClose();
    delete m_costo;
    m_costo = nullptr;
}

void TfrmPrincipale::costTicked(const QString& costText)
{
    if (++ContatoreLampeggio >= 10) {
        SpeedButton6->setEnabled(!SpeedButton6->isEnabled());
        ContatoreLampeggio = 0;
    }
    if (m_trayIcon)
        m_trayIcon->setToolTip(costText);
}

void TfrmPrincipale::setTrayAnimation(bool running)
{
    if (!m_trayIcon)
        return;
    m_trayFrame = 0;
    if (running) {
        m_trayAnimation->start();
    } else {
        m_trayAnimation->stop();
        m_trayIcon->setIcon(Glyphs::trayFrame(0));
    }
}

void TfrmPrincipale::nextTrayFrame()
{
    m_trayFrame = m_trayFrame % 3 + 1;
    m_trayIcon->setIcon(Glyphs::trayFrame(m_trayFrame));
}

void TfrmPrincipale::setCountingControls(bool counting)
{
    SpeedButton6->setEnabled(counting);
    Visualizzacosti1->setEnabled(!counting && !costsForced());
    setItemEnabled(Statistiche1, !counting);
    setItemEnabled(Setup1, !counting);
    Costi1->setEnabled(counting && m_costo);
    Entrambe1->setEnabled(counting && m_costo);
    for (QAbstractButton* button : m_classButtons->buttons())
        button->setEnabled(!counting);
}

void TfrmPrincipale::syncStartStop()
{
    const bool counting = m_stato.ConteggioInCorso == 1;
    SpeedButton7->setChecked(counting);
    SpeedButton8->setChecked(!counting);
}

void TfrmPrincipale::setItemEnabled(QAction* item, bool enabled)
{
    item->setEnabled(enabled && !m_nonDisponibili.contains(item));
}
