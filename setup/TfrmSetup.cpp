#include "setup/TfrmSetup.h"

#include "platform/Clock.h"
#include "platform/DialUpSource.h"
#include "platform/Prompter.h"
#include "settings/Conversion.h"
#include "settings/StatoProgramma.h"
#include "setup/AvvioPage.h"
#include "setup/ConnessionePage.h"
#include "setup/DialogPickers.h"
#include "setup/FascePage.h"
#include "setup/FestivitaPage.h"
#include "setup/GeneralePage.h"
#include "setup/LimitiPage.h"
#include "setup/NumeriPage.h"
#include "widgets/Controls.h"
#include "widgets/ExceptionBox.h"
#include "widgets/ScreenCentre.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

// The dialog's client area as drawn, at the designed font.
const QSize designedClient(537, 257);

// The phone book's names, read once an opening, when a page first needs them.
std::function<QStringList()> vociDellaRubrica(DialUpSource& dialUp)
{
    return [&dialUp, cache = std::make_shared<std::optional<QStringList>>()] {
        if (!*cache) {
            QStringList nomi;
            if (const auto rubrica = dialUp.phoneBook()) {
                for (const DialUpSource::PhoneBookEntry& voce : *rubrica)
                    nomi.append(voce.name);
            }
            *cache = nomi;
        }
        return **cache;
    };
}

} // namespace

TfrmSetup::TfrmSetup(Servizi& servizi, StatoProgramma& stato, const Preferenze::Geometria& geometria, QWidget* parent,
                     SetupPickers* pickers)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_servizi(servizi)
    , m_store(servizi.settings)
    , m_vociDisponibili(vociDellaRubrica(servizi.dialUp))
    , m_preferenze(m_store, stato, servizi.dialUp, geometria, servizi.clock.now().date(), m_vociDisponibili)
    , m_pickers(pickers)
{
    if (!m_pickers) {
        m_ownPickers = std::make_unique<DialogPickers>();
        m_pickers = m_ownPickers.get();
    }
    setObjectName(QStringLiteral("frmSetup"));
    setWindowTitle(QStringLiteral("Preferenze"));
    buildPages();
    buildButtons();
    connect(this, &QDialog::finished, this, &TfrmSetup::FormClose);
    FormCreate();
    fixSize();
}

TfrmSetup::~TfrmSetup()
{
    // Closed without a close (the program ending under the dialog): the form
    // storage still keeps what the user set.
    if (!m_closed && m_restored)
        FormStorageSave();
}

bool TfrmSetup::apri(QWidget* parent, Servizi& servizi, StatoProgramma& stato, bool daBarra,
                     const QSize& finestraPrincipale, const QSize& finestraBarra)
{
    stato.SetupDaBarra = daBarra;
    const QScreen* schermo = parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen();
    const Preferenze::Geometria geometria{schermo ? schermo->geometry().size() : QSize(), finestraPrincipale,
                                          finestraBarra};
    QPointer<TfrmSetup> finestra = new TfrmSetup(servizi, stato, geometria, parent);
    finestra->exec();
    const bool chiudi = finestra && finestra->chiudiProgramma();
    delete finestra.data();
    return chiudi;
}

// ---- building ----

void TfrmSetup::buildPages()
{
    Prompter& prompter = m_servizi.prompter;
    m_generale = new GeneralePage(m_preferenze, prompter);
    m_generale->setObjectName(QStringLiteral("TabSheet1"));
    m_festivita = new FestivitaPage(m_preferenze.festivita(), *m_pickers, m_servizi.clock);
    m_connessione = new ConnessionePage(m_preferenze.connessione(), prompter);
    m_avvio = new AvvioPage(*m_pickers);
    m_limiti = new LimitiPage(m_preferenze.limiti(), *m_pickers);
    m_numeri = new NumeriPage(m_vociDisponibili);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->tabBar()->setUsesScrollButtons(false);
    PageControl1->tabBar()->setElideMode(Qt::ElideNone);
    PageControl1->addTab(m_generale, QStringLiteral("Generale"));
    PageControl1->addTab(buildFasce(), QStringLiteral("Fasce orarie"));
    PageControl1->addTab(m_festivita, QStringLiteral("Festività"));
    PageControl1->addTab(m_connessione, QStringLiteral("Connessione automatica"));
    PageControl1->addTab(m_avvio, QStringLiteral("Avvio Automatico"));
    PageControl1->addTab(m_limiti, QStringLiteral("Limiti Ore"));
    PageControl1->addTab(m_numeri, QStringLiteral("Numeri"));
    connect(PageControl1, &QTabWidget::currentChanged, this, &TfrmSetup::PageControl1Change);
}

QWidget* TfrmSetup::buildFasce()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet2"));
    PageControl2 = new QTabWidget(page);
    PageControl2->setObjectName(QStringLiteral("PageControl2"));
    const std::pair<EditorFasce::Giorno, const char*> giorni[] = {{EditorFasce::Giorno::Feriali, "Feriali"},
                                                                  {EditorFasce::Giorno::Festivi, "Festivi"},
                                                                  {EditorFasce::Giorno::Sabato, "Sabato"}};
    for (size_t i = 0; i < m_fasce.size(); ++i) {
        m_fasce[i] = new FascePage(m_preferenze, m_servizi.prompter, giorni[i].first);
        PageControl2->addTab(m_fasce[i], QLatin1String(giorni[i].second));
    }
    connect(PageControl2, &QTabWidget::currentChanged, this, &TfrmSetup::sottoPaginaCambiata);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(PageControl2);
    return page;
}

void TfrmSetup::buildButtons()
{
    const auto button = [this](const char* name, const char* caption, const char* hint) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(QString::fromUtf8(hint));
        b->setMinimumWidth(Controls::scaled(75, font()));
        return b;
    };
    BitBtn1 = button("BitBtn1", "OK", "Salva i nuovi valori");
    BitBtn2 = button("BitBtn2", "Annulla", "Esce senza salvare");
    BitBtn7 = button("BitBtn7", "Default", "Ripristina i valori originali");
    connect(BitBtn1, &QPushButton::clicked, this, &TfrmSetup::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn7, &QPushButton::clicked, this, &TfrmSetup::BitBtn7Click);
    BitBtn1->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn7);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(PageControl1, 1);
    layout->addLayout(buttons);
}

void TfrmSetup::fixSize()
{
    // One factor in both directions keeps the designed proportions: the
    // desktop font's, or more where the contents need it.
    const QSize needed = minimumSizeHint();
    const double scale =
        std::max({Controls::fontScale(font()), static_cast<double>(needed.width()) / designedClient.width(),
                  static_cast<double>(needed.height()) / designedClient.height()});
    const QSize grown(static_cast<int>(std::ceil(designedClient.width() * scale)),
                      static_cast<int>(std::ceil(designedClient.height() * scale)));
    setFixedSize(grown.expandedTo(needed));
}

// ---- load, save, defaults ----

void TfrmSetup::FormCreate()
{
    const Preferenze::Caricamento caricamento = m_preferenze.carica();
    m_generale->mostra();
    m_avvio->mostra(m_preferenze.generale().programmi);
    for (FascePage* pagina : m_fasce)
        pagina->mostra();
    m_festivita->mostra();
    mostraLimiti();
    m_servizi.prompter.show(caricamento.avvisi);
    for (const QString& errore : caricamento.errori)
        showException(m_servizi.prompter, EConvertError(errore));
}

void TfrmSetup::BitBtn1Click()
{
    m_generale->leggi();
    m_avvio->leggi(m_preferenze.generale().programmi);
    m_limiti->leggi();
    if (const std::optional<Preferenze::Rifiuto> rifiuto = m_preferenze.salva()) {
        // Nothing was written: the dialog stays, with the keyboard on the field to mend.
        m_servizi.prompter.show(rifiuto->messaggio);
        mostraCampo(rifiuto->campo);
        return;
    }
    domandaRiavvio();
    done(QDialog::Accepted);
}

void TfrmSetup::mostraCampo(const QString& nome)
{
    auto* campo = findChild<QWidget*>(nome);
    if (!campo)
        return;
    for (int pagina = 0; pagina < PageControl1->count(); ++pagina) {
        if (PageControl1->widget(pagina)->isAncestorOf(campo))
            PageControl1->setCurrentIndex(pagina);
    }
    Controls::focusField(campo, true);
}

void TfrmSetup::BitBtn7Click()
{
    m_preferenze.ripristinaDefault();
    domandaRiavvio();
    done(QDialog::Accepted);
}

void TfrmSetup::domandaRiavvio()
{
    const Prompter::Button risposta =
        m_servizi.prompter.message(Preferenze::domandaRiavvio(), QStringLiteral("Attenzione!"), Message::Icon::Question,
                                   Prompter::Button::Yes | Prompter::Button::No);
    m_chiudiProgramma = risposta == Prompter::Button::Yes;
}

void TfrmSetup::FormClose()
{
    m_closed = true;
    if (m_restored)
        FormStorageSave();
    deleteLater();
}

// ---- form storage ----

void TfrmSetup::showEvent(QShowEvent* event)
{
    if (!m_shown) {
        m_shown = true;
        centreOnScreen(*this);
        FormStorageRestore();
    }
    QDialog::showEvent(event);
}

void TfrmSetup::FormStorageRestore()
{
    m_preferenze.ripristinaLimiti();
    mostraLimiti();
    m_restored = true;
}

void TfrmSetup::FormStorageSave()
{
    m_limiti->leggi();
    m_numeri->leggi(m_preferenze.limiti());
    m_generale->leggiConteggio();
    m_preferenze.salvaLimiti();
}

void TfrmSetup::mostraLimiti()
{
    m_limiti->mostra();
    m_numeri->mostra(m_preferenze.limiti());
    m_generale->mostraConteggio();
}

// ---- pages ----

void TfrmSetup::PageControl1Change()
{
    QWidget* pagina = PageControl1->currentWidget();
    sottoPaginaCambiata();
    if (pagina == m_avvio)
        m_servizi.prompter.message(Preferenze::avvisoAvvioAutomatico(), QStringLiteral("Informazione"),
                                   Message::Icon::Information);
    else if (pagina == m_connessione)
        m_connessione->TabSheet7Enter();
    else if (pagina == m_numeri)
        m_numeri->TabSheet10Enter();
}

// "&Conferma" of the band sub-page in view is the default button; elsewhere "OK" is.
void TfrmSetup::sottoPaginaCambiata()
{
    if (!BitBtn1)
        return;
    QPushButton* predefinito = BitBtn1;
    if (PageControl1->currentWidget() == PageControl2->parentWidget())
        predefinito = m_fasce[static_cast<size_t>(PageControl2->currentIndex())]->conferma();
    predefinito->setDefault(true);
}
