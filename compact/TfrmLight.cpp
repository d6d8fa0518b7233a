#include "compact/TfrmLight.h"

#include "archive/ArchivioLetto.h"
#include "archive/TfrmSupera.h"
#include "compact/StripDisplay.h"
#include "compact/StripDrag.h"
#include "meter/LiveMeter.h"
#include "platform/Clock.h"
#include "platform/Prompter.h"
#include "ras/DialUpCounting.h"
#include "ras/StartupLaunch.h"
#include "reports/TfrmCorreggi.h"
#include "session/CountingSession.h"
#include "settings/Conversion.h"
#include "settings/StatoProgramma.h"
#include "tariff/IntervalloScatto.h"
#include "widgets/Controls.h"
#include "widgets/ExceptionBox.h"
#include "widgets/Glyphs.h"
#include "widgets/ScreenCentre.h"
#include "widgets/SharedCommands.h"

#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The class items of "&Scelta tariffa" in menu order: caption, class, name.
struct VoceClasse
{
    const char* testo;
    int classe;
    const char* nome;
};
const VoceClasse vociClasse[] = {
    {"fino 15 Km", 2, "Tut2"},
    {"fino a 30 Km", 3, "finoa30Km1"},
    {"oltre 30 Km", 4, "oltre60Km1"},
    {"Tut", 1, "Tut3"},
};

QToolButton* makeButton(QWidget* parent, const QString& name, const QString& hint, const QIcon& glyph = QIcon())
{
    QToolButton* button = Controls::toolButton(parent, name, hint, glyph);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

TfrmLight::TfrmLight(Servizi& servizi, StatoProgramma& stato, CountingSession& session, DialUpCounting& dialUpCounting,
                     SharedCommands& commands, QWidget& owner)
    : QWidget(&owner, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_servizi(servizi)
    , m_stato(stato)
    , m_session(session)
    , m_commands(commands)
    , m_store(servizi.settings)
{
    setObjectName(QStringLiteral("frmLight"));
    // The taskbar entry: it brings the strip back after "&Minimizza" and
    // carries the running cost while counting.
    setWindowTitle(QStringLiteral("Brenvolo"));
    setToolTip(QStringLiteral("Il riquadro al centro trascina la finestra"));
    buildControls();
    buildMenu();
    layOut();
    place();
    new StripDrag(*this, *Bevel1);

    connect(&m_session, &CountingSession::started, this, &TfrmLight::sessionStarted);
    connect(&m_session, &CountingSession::stopped, this, &TfrmLight::sessionStopped);
    connect(&dialUpCounting, &DialUpCounting::classChosen, this, &TfrmLight::showClasse);
}

TfrmLight::~TfrmLight()
{
    // The warnings belong to no window; they end with the program's strip.
    for (const QPointer<TfrmSupera>& avviso : std::as_const(m_avvisi))
        delete avviso.data();
}

void TfrmLight::buildControls()
{
    buildButtons();
    // The drag handle is bare window surface: a press on it moves the strip.
    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    const QString trascina = QStringLiteral("'click e trascina la finestra'");
    Bevel1->setToolTip(trascina);
    Bevel1->setAccessibleName(trascina);
    Bevel1->setCursor(Qt::SizeAllCursor);
    Shape1 = new QFrame(Bevel1);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setAttribute(Qt::WA_TransparentForMouseEvents);
    Shape1->setStyleSheet(QStringLiteral("QFrame#Shape1 { background: red; border-radius: 1px; }"));
    Panel4 = new StripDisplay(this);
}

void TfrmLight::buildButtons()
{
    Panel3 = new QFrame(this);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setFrameStyle(QFrame::Panel | QFrame::Raised);

    SpeedButton1 =
        makeButton(Panel3, QStringLiteral("SpeedButton1"), QStringLiteral("Avvia il conteggio"), Glyphs::start());
    SpeedButton2 =
        makeButton(Panel3, QStringLiteral("SpeedButton2"), QStringLiteral("Arresta il conteggio"), Glyphs::stop());
    auto* startStop = new QButtonGroup(this);
    startStop->setExclusive(true);
    for (QToolButton* button : {SpeedButton1, SpeedButton2}) {
        button->setCheckable(true);
        startStop->addButton(button);
    }
    SpeedButton2->setChecked(true);
    connect(SpeedButton1, &QToolButton::clicked, this, &TfrmLight::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TfrmLight::SpeedButton2Click);

    SpeedButton3 =
        makeButton(Panel3, QStringLiteral("SpeedButton3"), QStringLiteral("Premere per cambiare la tariffa"));
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(11);
    SpeedButton3->setFont(arial);
    Controls::setColour(SpeedButton3, QPalette::ButtonText, Qt::red);
    SpeedButton3->setText(BarraCompatta::captionClasse(1));
    connect(SpeedButton3, &QToolButton::clicked, this, &TfrmLight::SpeedButton3Click);

    SpeedButton4 = makeButton(Panel3, QStringLiteral("SpeedButton4"), QStringLiteral("Riduce ad icona la finestra"),
                              Glyphs::minimise());
    connect(SpeedButton4, &QToolButton::clicked, this, &TfrmLight::SpeedButton4Click);
}

void TfrmLight::buildMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    auto action = [](QMenu* menu, const char* name, const QString& text) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };

    QMenu* file = PopupMenu1->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File1"));
    SalvaPosizione1 = action(file, "SalvaPosizione1", QStringLiteral("Salva Posizione"));
    Preferenze2 = action(file, "Preferenze2", QStringLiteral("&Preferenze"));
    file->addSeparator();
    Esci2 = action(file, "Esci2", QStringLiteral("&Esci"));
    Esci2->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    addAction(Esci2);

    Statistiche2 = action(PopupMenu1, "Statistiche2", QStringLiteral("&Statistiche"));

    QMenu* tariffe = PopupMenu1->addMenu(QStringLiteral("&Tariffe"));
    tariffe->setObjectName(QStringLiteral("Tariffe1"));
    VisualizzafasceTUT1 = action(tariffe, "VisualizzafasceTUT1", QStringLiteral("&Visualizza fasce TUT"));
    Visualizzafasceteleselezione1 =
        action(tariffe, "Visualizzafasceteleselezione1", QStringLiteral("V&isualizza fasce Teleselezione"));
    Forzaconteggiofestivo1 = action(tariffe, "Forzaconteggiofestivo1", QStringLiteral("&Forza conteggio festivo"));
    Forzaconteggiofestivo1->setCheckable(true);
    QMenu* scelta = tariffe->addMenu(QStringLiteral("&Scelta tariffa"));
    scelta->setObjectName(QStringLiteral("Sceltatariffa1"));
    m_classi = new QActionGroup(this);
    m_classi->setExclusive(true);
    for (const VoceClasse& voce : vociClasse) {
        QAction* a = action(scelta, voce.nome, QString::fromLatin1(voce.testo));
        a->setCheckable(true);
        a->setData(voce.classe);
        m_classi->addAction(a);
        connect(a, &QAction::triggered, this, [this, classe = voce.classe] { setClasse(classe); });
    }

    Minimizza1 = action(PopupMenu1, "Minimizza1", QStringLiteral("&Minimizza"));

    QMenu* help = PopupMenu1->addMenu(QStringLiteral("&?"));
    help->setObjectName(QStringLiteral("N1"));
    Sommario1 = action(help, "Sommario1", QStringLiteral("&Sommario"));
    Informazionisu1 = action(help, "Informazionisu1", QStringLiteral("&Informazioni su..."));

    connect(SalvaPosizione1, &QAction::triggered, this, &TfrmLight::SalvaPosizione1Click);
    connect(Preferenze2, &QAction::triggered, this, [this] { m_commands.preferenze(this, true); });
    connect(Esci2, &QAction::triggered, this, &TfrmLight::Esci2Click);
    connect(Statistiche2, &QAction::triggered, this, [this] { m_commands.statistiche(this); });
    connect(VisualizzafasceTUT1, &QAction::triggered, this, [this] { m_commands.fasceTut(this); });
    connect(Visualizzafasceteleselezione1, &QAction::triggered, this, [this] { m_commands.fasceTele(this); });
    connect(Forzaconteggiofestivo1, &QAction::triggered, this, &TfrmLight::Forzaconteggiofestivo1Click);
    connect(Minimizza1, &QAction::triggered, this, &TfrmLight::SpeedButton4Click);
    connect(Sommario1, &QAction::triggered, this, [this] { m_commands.sommario(this); });
    connect(Informazionisu1, &QAction::triggered, this, [this] { m_commands.informazioni(this); });
}

// The strip as drawn is 304 x 28 for a font of 11 pixels; a larger font
// enlarges every part in the same proportion, so no text is cut.
void TfrmLight::layOut()
{
    const QFontMetrics normal(font());
    const QFontMetrics grassetto(Panel4->boldFont());
    auto rapporto = [](int serve, int disegno) { return qreal(serve) / disegno; };
    const qreal scala = std::max({1.0, rapporto(normal.horizontalAdvance(QStringLiteral("freq.:")) + 3, 28),
                                  rapporto(grassetto.horizontalAdvance(QStringLiteral("000")) + 3, 22),
                                  rapporto(normal.horizontalAdvance(QStringLiteral("resto: 000")) + 4, 62),
                                  rapporto(normal.horizontalAdvance(QStringLiteral("inizio : 00.00.00")) + 8, 95),
                                  rapporto(std::max(normal.height(), grassetto.height()), 15)});
    auto r = [scala](int x, int y, int w, int h) {
        const auto s = [scala](int v) { return int(std::lround(v * scala)); };
        return QRect(s(x), s(y), s(x + w) - s(x), s(y + h) - s(y));
    };

    setFixedSize(r(0, 0, larghezza, altezza).size());
    Panel3->setGeometry(r(0, 0, 102, 28));
    SpeedButton1->setGeometry(r(3, 3, 22, 22));
    SpeedButton2->setGeometry(r(25, 3, 22, 22));
    SpeedButton3->setGeometry(r(49, 3, 28, 22));
    SpeedButton4->setGeometry(r(77, 3, 22, 22));
    Bevel1->setGeometry(r(103, 0, 9, 28));
    Shape1->setGeometry(r(3, 4, 3, 20));
    Panel4->setGeometry(r(114, 0, 190, 28));
    Panel4->layOut(r);
}

QList<TfrmSupera*> TfrmLight::avvisiAperti() const
{
    QList<TfrmSupera*> aperti;
    for (const QPointer<TfrmSupera>& avviso : m_avvisi) {
        if (avviso)
            aperti.append(avviso.data());
    }
    return aperti;
}

// Where it was saved, but never out of reach: it has no caption bar. Placed
// before it is first shown too, so that the window manager leaves it there.
void TfrmLight::place()
{
    placeOnScreen(*this, m_stato.Posizione);
}

void TfrmLight::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TfrmLight::FormShow()
{
    // 1.
    place();

    // 2.-3.
    QString cadenza;
    try {
        cadenza = QString::number(intervalloScatto(m_servizi.clock.now(), m_stato) / 10);
    } catch (const std::exception& error) {
        showException(m_servizi.prompter, error);
    }
    Panel4->reset(cadenza);
    // 4.-6. In compact mode the strip, not the main window, dials and launches.
    StartupLaunch::run(m_stato.ComposizioneAutomatica, m_store, m_servizi.dialUp, m_servizi.shell);
    // 7.
    showClasse(m_stato.TariffaCorrente);
    // A holiday found at start-up is in force from the first session: the
    // strip shows it, and the first click on the item clears it.
    Forzaconteggiofestivo1->setChecked(m_stato.FestivoForzato == 1);
    applyHolidayColour();
}

void TfrmLight::closeWithProgram()
{
    m_closingWithProgram = true;
    close();
}

void TfrmLight::closeEvent(QCloseEvent* event)
{
    // Any other close (Alt+F4, the taskbar, the window system) is "&Esci":
    // refused while counting, otherwise the main window ends the program and
    // closes the strip with it.
    if (!m_closingWithProgram)
        Esci2Click();
    if (!m_closingWithProgram) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void TfrmLight::contextMenuEvent(QContextMenuEvent* event)
{
    PopupMenu1->popup(event->globalPos());
}

void TfrmLight::SpeedButton1Click()
{
    if (!m_session.start())
        syncStartStop();
}

void TfrmLight::SpeedButton2Click()
{
    if (!m_session.stop())
        syncStartStop();
}

void TfrmLight::sessionStarted(const SessionStart& start)
{
    // 2.-3.
    setCountingControls(true);
    Panel4->setPanelsVisible(false);
    try {
        m_meter = new LiveMeter(m_servizi.clock, m_stato, start.meter, start.now, start.start, this);
    } catch (const std::exception& error) {
        // Without a readable band there is no meter; the session still
        // counts and leaves its two records.
        m_meter = nullptr;
        showException(m_servizi.prompter, error);
    }
    // 4.-5., 7. The limits, read at every start, watched from this moment.
    const QList<Message> messaggi = m_barra.avvia(start, m_meter ? &m_meter->meter() : nullptr, m_store);
    Panel4->showPanels(m_barra);
    // 9.-12.
    showMeter();
    if (m_meter) {
        connect(m_meter, &LiveMeter::ticked, &m_session, &CountingSession::meterTicked);
        connect(m_meter, &LiveMeter::ticked, this, &TfrmLight::meterTicked);
        // Queued: the stop deletes the meter.
        connect(m_meter, &LiveMeter::clockJumped, &m_session, &CountingSession::stopAtClockJump, Qt::QueuedConnection);
        connect(m_meter, &LiveMeter::bandError, this, [this](const QString& message) {
            m_servizi.prompter.message(message, QStringLiteral("Attenzione!"), Message::Icon::Critical);
        });
        m_meter->setRunning(true);
    }
    syncStartStop();
    m_servizi.prompter.show(messaggi);
}

void TfrmLight::Timer1Timer()
{
    if (m_meter)
        m_meter->tick();
}

void TfrmLight::meterTicked(const CostMeter::Tick& tick)
{
    const BarraCompatta::Passo passo =
        m_barra.tick(m_servizi.clock.now(), m_meter->meter(), tick, m_stato.consumiGiorno);
    for (const ControlloLimitiInDiretta::Avviso avviso : passo.avvisi)
        raiseWarning(avviso);
    for (int i = 0; i < passo.suoniScatto; ++i)
        BarraCompatta::suona(m_servizi.sounds, m_stato, BarraCompatta::Suono::FineScatto);
    showMeter();
}

void TfrmLight::raiseWarning(ControlloLimitiInDiretta::Avviso avviso)
{
    BarraCompatta::suona(m_servizi.sounds, m_stato, BarraCompatta::suonoAvviso(avviso));
    // The per-connection warning keeps the window's own text.
    const QString testo = avviso == ControlloLimitiInDiretta::Avviso::Collegamento
                              ? QString()
                              : ControlloLimitiInDiretta::testoAvviso(avviso);
    m_avvisi.removeIf([](const QPointer<TfrmSupera>& avviso) { return avviso.isNull(); });
    m_avvisi.append(TfrmSupera::mostra(m_servizi.clock, m_barra.limiti().anticipo, testo, &m_servizi.notifier));
}

void TfrmLight::showMeter()
{
    Panel4->showMeter(m_barra);
    if (!m_barra.costo().isEmpty())
        setWindowTitle(m_barra.costo());
}

void TfrmLight::sessionStopped(const SessionStop& stop)
{
    // 2.
    Panel4->setPanelsVisible(true);
    // 4.
    if (m_meter) {
        m_meter->close();
        delete m_meter;
        m_meter = nullptr;
    }
    // 9. The limits check after a stop finds today's consumption for the
    // next session's daily watch.
    const QString archivio = ArchivioLetto::attuale(m_servizi.dataDirectory);
    const BarraCompatta::Arresto arresto = m_barra.arresta(stop, archivio, m_stato, m_store);
    showMeter();
    // 5.-6.
    setCountingControls(false);
    Panel4->showPanels(m_barra);
    syncStartStop();
    m_servizi.prompter.show(arresto.messaggi);
    if (arresto.interrotto)
        TfrmCorreggi::ripara(m_servizi.prompter, m_session, *arresto.interrotto, this);
}

void TfrmLight::setCountingControls(bool counting)
{
    SpeedButton3->setEnabled(!counting);
    Statistiche2->setEnabled(!counting);
    Preferenze2->setEnabled(!counting);
}

void TfrmLight::syncStartStop()
{
    const bool counting = m_session.isRunning();
    SpeedButton1->setChecked(counting);
    SpeedButton2->setChecked(!counting);
}

void TfrmLight::SpeedButton3Click()
{
    setClasse(BarraCompatta::classeSuccessiva(m_stato.TariffaCorrente));
}

// A class chosen during a session counts from the next unit on, and is the
// one the closing record carries.
void TfrmLight::setClasse(int classe)
{
    m_stato.TariffaCorrente = classe;
    showClasse(classe);
}

void TfrmLight::showClasse(int classe)
{
    SpeedButton3->setText(BarraCompatta::captionClasse(classe));
    for (QAction* voce : m_classi->actions()) {
        if (voce->data().toInt() == classe)
            voce->setChecked(true);
    }
}

void TfrmLight::SpeedButton4Click()
{
    showMinimized();
}

void TfrmLight::Forzaconteggiofestivo1Click()
{
    m_stato.FestivoForzato = Forzaconteggiofestivo1->isChecked() ? 1 : 0;
    applyHolidayColour();
}

void TfrmLight::applyHolidayColour()
{
    Panel4->setHolidayColour(m_stato.FestivoForzato == 1 ? QColor(Qt::red)
                                                         : QApplication::palette().color(QPalette::WindowText));
}

void TfrmLight::SalvaPosizione1Click()
{
    m_store.writeInteger(Catalogue::PosizioneFinePosX, x());
    m_store.writeInteger(Catalogue::PosizioneFinePosY, y());
}

void TfrmLight::Esci2Click()
{
    if (m_session.isOpen()) {
        m_servizi.prompter.message(QStringLiteral("Conteggio ancora in corso!"), QStringLiteral("Impossibile uscire!"),
                                   Message::Icon::Critical);
        return;
    }
    m_commands.esci();
}
