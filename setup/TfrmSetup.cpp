#include "setup/TfrmSetup.h"

#include "platform/Clock.h"
#include "platform/DialUpSource.h"
#include "platform/Prompter.h"
#include "settings/Conversion.h"
#include "settings/StatoProgramma.h"
#include "setup/DialogPickers.h"
#include "widgets/ExceptionBox.h"
#include "widgets/ScreenCentre.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

// The dialog was drawn for an 8-point sans serif at 96 dpi (13-pixel lines)
// in a client area of 537 x 257: it grows in proportion with the desktop's font.
constexpr double designedLineHeight = 13.0;
const QSize designedClient(537, 257);

double fontScale(const QFont& font)
{
    return std::max(1.0, QFontMetrics(font).height() / designedLineHeight);
}

int scaled(int pixels, const QFont& font)
{
    return static_cast<int>(std::lround(pixels * fontScale(font)));
}

QLabel* label(const QString& text, QWidget* buddy = nullptr)
{
    auto* l = new QLabel(text);
    if (buddy)
        l->setBuddy(buddy);
    return l;
}

QLineEdit* lineEdit(const QString& name, const QString& accessible)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    edit->setAccessibleName(accessible);
    return edit;
}

// A spin box that changes by its arrows (and the arrow keys) only.
QSpinBox* arrowSpin(const QString& name, const QString& accessible, int minimum, int maximum, int step)
{
    auto* spin = new QSpinBox;
    spin->setObjectName(name);
    spin->setAccessibleName(accessible);
    spin->setRange(minimum, maximum);
    spin->setSingleStep(step);
    spin->setAlignment(Qt::AlignRight);
    return spin;
}

// A whole-number field without arrows.
QSpinBox* numberField(const QString& name, const QString& accessible)
{
    QSpinBox* field = arrowSpin(name, accessible, 0, static_cast<int>(FormStorage::massimoGrande), 1);
    field->setButtonSymbols(QAbstractSpinBox::NoButtons);
    return field;
}

void readOnlyText(QSpinBox* spin)
{
    if (auto* text = spin->findChild<QLineEdit*>())
        text->setReadOnly(true);
}

QToolButton* fieldButton(const QString& name, const QString& hint)
{
    auto* button = new QToolButton;
    button->setObjectName(name);
    button->setText(QStringLiteral("..."));
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    return button;
}

QComboBox* editableCombo(const QString& name, const QString& accessible)
{
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    combo->setAccessibleName(accessible);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    // The texts are compared exactly at run time: completion never changes their case.
    combo->completer()->setCaseSensitivity(Qt::CaseSensitive);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(12);
    return combo;
}

// The caption of a group box in red bold letters; its contents keep the dialog's font.
void redBoldTitle(QGroupBox* group)
{
    group->setStyleSheet(QStringLiteral("QGroupBox::title { color: #ff0000; font-weight: bold; }"));
    QFont bold = group->font();
    bold.setBold(true);
    group->setFont(bold);
}

void normalFont(QWidget* parent, QWidget* child)
{
    QFont font = parent->parentWidget() ? parent->parentWidget()->font() : child->font();
    font.setBold(false);
    child->setFont(font);
}

void setRadio(QButtonGroup* group, int item)
{
    if (QAbstractButton* button = group->button(item)) {
        button->setChecked(true);
        return;
    }
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons())
        button->setChecked(false);
    group->setExclusive(true);
}

void setComboText(QComboBox* combo, const QString& text)
{
    const QSignalBlocker blocker(combo);
    combo->setEditText(text);
}

void setList(QComboBox* combo, const QStringList& items)
{
    const QSignalBlocker blocker(combo);
    const QString text = combo->currentText();
    combo->clear();
    combo->addItems(items);
    combo->setEditText(text);
}

} // namespace

TfrmSetup::TfrmSetup(Servizi& servizi, StatoProgramma& stato, const Preferenze::Geometria& geometria, QWidget* parent,
                     SetupPickers* pickers)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_servizi(servizi)
    , m_store(servizi.settings)
    , m_vociDisponibili([&dialUp = servizi.dialUp, cache = std::make_shared<std::optional<QStringList>>()] {
        // The phone book's names, read once an opening, when a page first needs them.
        if (!*cache) {
            QStringList nomi;
            if (const auto rubrica = dialUp.phoneBook()) {
                for (const DialUpSource::PhoneBookEntry& voce : *rubrica)
                    nomi.append(voce.name);
            }
            *cache = nomi;
        }
        return **cache;
    })
    , m_preferenze(m_store, stato, servizi.dialUp, geometria, servizi.clock.now().date(), m_vociDisponibili)
    , m_pickers(pickers)
{
    if (!m_pickers) {
        m_ownPickers = std::make_unique<DialogPickers>();
        m_pickers = m_ownPickers.get();
    }
    setObjectName(QStringLiteral("frmSetup"));
    setWindowTitle(QStringLiteral("Preferenze"));

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->tabBar()->setUsesScrollButtons(false);
    PageControl1->tabBar()->setElideMode(Qt::ElideNone);
    const struct
    {
        QWidget* (TfrmSetup::*build)();
        const char* name;
        const char* caption;
    } pages[] = {
        {&TfrmSetup::buildGenerale, "TabSheet1", "Generale"},
        {&TfrmSetup::buildFasce, "TabSheet2", "Fasce orarie"},
        {&TfrmSetup::buildFestivita, "TabSheet6", "Festività"},
        {&TfrmSetup::buildConnessione, "TabSheet7", "Connessione automatica"},
        {&TfrmSetup::buildAvvio, "TabSheet9", "Avvio Automatico"},
        {&TfrmSetup::buildLimiti, "TabSheet8", "Limiti Ore"},
        {&TfrmSetup::buildNumeri, "TabSheet10", "Numeri"},
    };
    for (const auto& page : pages) {
        QWidget* sheet = (this->*page.build)();
        sheet->setObjectName(QLatin1String(page.name));
        PageControl1->addTab(sheet, QString::fromUtf8(page.caption));
    }
    connect(PageControl1, &QTabWidget::currentChanged, this, &TfrmSetup::PageControl1Change);

    const auto button = [this](const char* name, const char* caption, const char* hint) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(QString::fromUtf8(hint));
        b->setMinimumWidth(scaled(75, font()));
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

// ---- building the pages ----

QGroupBox* TfrmSetup::radioGroup(const QString& name, const QString& title, const QStringList& items, int columns,
                                 QButtonGroup*& group)
{
    auto* box = new QGroupBox(title);
    box->setObjectName(name);
    group = new QButtonGroup(box);
    group->setObjectName(name + QStringLiteral("Items"));
    auto* grid = new QGridLayout(box);
    const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
    for (int item = 0; item < items.size(); ++item) {
        auto* radio = new QRadioButton(items.at(item), box);
        radio->setObjectName(QStringLiteral("%1_%2").arg(name).arg(item));
        group->addButton(radio, item);
        grid->addWidget(radio, item % rows, item / rows);
    }
    grid->setRowStretch(rows, 1);
    return box;
}

QWidget* TfrmSetup::buildGenerale()
{
    auto* page = new QWidget;

    auto* costi = new QGroupBox(QStringLiteral("Costi"));
    costi->setObjectName(QStringLiteral("GroupBoxCosti"));
    Edit1 = lineEdit(QStringLiteral("Edit1"), QStringLiteral("Costo scatto (IVA compresa)"));
    Edit11 = lineEdit(QStringLiteral("Edit11"), QStringLiteral("Ritardo avvio automatico (sec)"));
    RxSpinEdit2 = arrowSpin(QStringLiteral("RxSpinEdit2"), QStringLiteral("Inizio avviso (sec)"), 1, 18, 1);
    readOnlyText(RxSpinEdit2);
    for (QWidget* field : std::initializer_list<QWidget*>{Edit1, Edit11, RxSpinEdit2})
        field->setMaximumWidth(scaled(60, font()));
    auto* costiGrid = new QGridLayout(costi);
    costiGrid->addWidget(label(QStringLiteral("Costo scatto (IVA compresa)"), Edit1), 0, 0);
    costiGrid->addWidget(Edit1, 0, 1);
    costiGrid->addWidget(label(QStringLiteral("Ritardo avvio automatico (sec)"), Edit11), 1, 0);
    costiGrid->addWidget(Edit11, 1, 1);
    costiGrid->addWidget(label(QStringLiteral("Inizio avviso (sec)"), RxSpinEdit2), 2, 0);
    costiGrid->addWidget(RxSpinEdit2, 2, 1);

    auto* ambiente = new QGroupBox(QStringLiteral("Ambiente"));
    ambiente->setObjectName(QStringLiteral("GroupBoxAmbiente"));
    CheckBox3 = new QCheckBox(QStringLiteral("backup di tqklog all' avviamento"));
    CheckBox3->setObjectName(QStringLiteral("CheckBox3"));
    CheckBox2 = new QCheckBox(QStringLiteral("aggiunge uno scatto ulteriore all'avvio"));
    CheckBox2->setObjectName(QStringLiteral("CheckBox2"));
    CheckBox1 = new QCheckBox(QStringLiteral("abilita beep"));
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setToolTip(QStringLiteral("beep al cambio scatto"));
    QGroupBox* conteggio = radioGroup(QStringLiteral("RadioGroup4"), QStringLiteral("Conteggio"),
                                      {QStringLiteral("automatico"), QStringLiteral("manuale")}, 2, RadioGroup4);
    auto* ambienteLayout = new QVBoxLayout(ambiente);
    ambienteLayout->addWidget(CheckBox3);
    ambienteLayout->addWidget(CheckBox2);
    ambienteLayout->addWidget(CheckBox1);
    ambienteLayout->addWidget(conteggio);

    QGroupBox* tariffa = radioGroup(QStringLiteral("RadioGroup1"), QStringLiteral("Tariffa di default"),
                                    {QStringLiteral("Tut"), QStringLiteral("fino a 15 Km"),
                                     QStringLiteral("15 - 30 Km"), QStringLiteral("oltre 30 Km")},
                                    1, RadioGroup1);
    QGroupBox* tipo = radioGroup(QStringLiteral("RadioGroup2"), QStringLiteral("Tipo di tariffa internet"),
                                 {QStringLiteral("Normale"), QStringLiteral("Agevolata ")}, 1, RadioGroup2);
    QGroupBox* visualizza =
        radioGroup(QStringLiteral("RadioGroup3"), QStringLiteral("Visualizzazione"),
                   {QStringLiteral("normale"), QStringLiteral("avvia nella try bar"),
                    QStringLiteral("visualizza come barra"), QStringLiteral("avvia ridotto a icona")},
                   1, RadioGroup3);

    auto* posizione = new QGroupBox(QStringLiteral("Posizione finestre"));
    posizione->setObjectName(QStringLiteral("GroupBoxPosizione"));
    auto* posGrid = new QGridLayout(posizione);
    posGrid->addWidget(label(QStringLiteral("Pos X:")), 0, 1);
    posGrid->addWidget(label(QStringLiteral("Pos Y:")), 0, 2);
    const char* const righe[] = {"barra", "normale", "costi"};
    const char* const nomi[] = {"Edit9", "Edit10", "Edit12", "Edit13", "Edit14", "Edit15"};
    for (int i = 0; i < Preferenze::numeroPosizioni; ++i) {
        const int riga = i / 2;
        const QString descrizione = QStringLiteral("%1 %2").arg(
            QLatin1String(righe[riga]), i % 2 == 0 ? QStringLiteral("Pos X") : QStringLiteral("Pos Y"));
        QLineEdit* edit = lineEdit(QLatin1String(nomi[i]), descrizione);
        edit->setMaximumWidth(scaled(48, font()));
        m_posizioni[static_cast<size_t>(i)] = edit;
        if (i % 2 == 0)
            posGrid->addWidget(label(QLatin1String(righe[riga]), edit), riga + 1, 0);
        posGrid->addWidget(edit, riga + 1, 1 + i % 2);
        const auto campo = static_cast<Preferenze::Posizione>(i);
        connect(edit, &QLineEdit::textChanged, this, [this, campo] { positionChanged(campo); });
    }

    posGrid->setRowStretch(4, 1);

    auto* grid = new QGridLayout(page);
    grid->addWidget(costi, 0, 0);
    grid->addWidget(tariffa, 0, 1);
    grid->addWidget(tipo, 0, 2);
    grid->addWidget(ambiente, 1, 0);
    grid->addWidget(visualizza, 1, 1);
    grid->addWidget(posizione, 1, 2);
    grid->setRowStretch(2, 1);
    return page;
}

QWidget* TfrmSetup::buildFasce()
{
    auto* page = new QWidget;
    PageControl2 = new QTabWidget(page);
    PageControl2->setObjectName(QStringLiteral("PageControl2"));
    m_fasce[0].giorno = EditorFasce::Giorno::Feriali;
    m_fasce[1].giorno = EditorFasce::Giorno::Festivi;
    m_fasce[2].giorno = EditorFasce::Giorno::Sabato;
    QWidget* feriali = buildPaginaFasce(m_fasce[0], 2, 5, 6, QStringLiteral("Edit3"), 6);
    feriali->setObjectName(QStringLiteral("TabSheet3"));
    PageControl2->addTab(feriali, QStringLiteral("Feriali"));
    QWidget* festivi = buildPaginaFasce(m_fasce[1], 3, 3, 4, QStringLiteral("edit4"), 5);
    festivi->setObjectName(QStringLiteral("TabSheet4"));
    PageControl2->addTab(festivi, QStringLiteral("Festivi"));
    QWidget* sabato = buildPaginaFasce(m_fasce[2], 4, 1, 2, QStringLiteral("Edit5"), 4);
    sabato->setObjectName(QStringLiteral("TabSheet5"));
    PageControl2->addTab(sabato, QStringLiteral("Sabato"));
    connect(PageControl2, &QTabWidget::currentChanged, this, &TfrmSetup::sottoPaginaCambiata);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(PageControl2);
    return page;
}

QWidget* TfrmSetup::buildPaginaFasce(PaginaFasce& pagina, int grid, int dalle, int alle, const QString& intervallo,
                                     int conferma)
{
    auto* page = new QWidget;
    const EditorFasce::Giorno giorno = pagina.giorno;
    const int righe = EditorFasce::numeroFasce(giorno);

    pagina.griglia = new QTableWidget(righe, EditorFasce::colonne, page);
    QTableWidget* g = pagina.griglia;
    g->setObjectName(QStringLiteral("StringGrid%1").arg(grid));
    const char* const giorni[] = {"Feriali", "Festivi", "Sabato"};
    g->setAccessibleName(QLatin1String(giorni[static_cast<int>(giorno)]));
    g->setHorizontalHeaderLabels(EditorFasce::intestazioni(giorno));
    g->setVerticalHeaderLabels(EditorFasce::etichette(giorno));
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setCornerButtonEnabled(false);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->setSelectionBehavior(QAbstractItemView::SelectItems);
    g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    g->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    g->horizontalHeader()->setHighlightSections(false);
    g->verticalHeader()->setHighlightSections(false);
    const int rowHeight = std::max(scaled(15, font()), fontMetrics().height() + 4);
    const int columnWidth =
        std::max(scaled(62, font()), fontMetrics().horizontalAdvance(QStringLiteral("00.00.00")) + 12);
    for (int c = 0; c < EditorFasce::colonne; ++c)
        g->setColumnWidth(c, columnWidth);
    for (int r = 0; r < righe; ++r)
        g->setRowHeight(r, rowHeight);
    g->verticalHeader()->setFixedWidth(
        std::max(scaled(50, font()), fontMetrics().horizontalAdvance(QStringLiteral("Ordinaria")) + 12));
    g->horizontalHeader()->setFixedHeight(rowHeight + 4);
    const int frame = 2 * g->frameWidth();
    g->setFixedSize(g->verticalHeader()->width() + EditorFasce::colonne * columnWidth + frame,
                    g->horizontalHeader()->height() + righe * rowHeight + frame);
    g->viewport()->installEventFilter(this);

    const auto picker = [page](int number, const QString& accessible) {
        auto* edit = new QTimeEdit(page);
        edit->setObjectName(QStringLiteral("DTp%1").arg(number));
        edit->setAccessibleName(accessible);
        edit->setDisplayFormat(QStringLiteral("HH.mm.ss"));
        return edit;
    };
    pagina.dalle = picker(dalle, QStringLiteral("dalle"));
    pagina.alle = picker(alle, QStringLiteral("alle"));
    pagina.intervallo = lineEdit(intervallo, QStringLiteral("decimi di sec"));
    pagina.intervallo->setMaximumWidth(scaled(48, font()));
    pagina.conferma = new QPushButton(QStringLiteral("&Conferma"), page);
    pagina.conferma->setObjectName(QStringLiteral("BitBtn%1").arg(conferma));

    auto* editor = new QHBoxLayout;
    editor->addWidget(label(giorno == EditorFasce::Giorno::Feriali ? QStringLiteral("Nuove impostazioni:")
                                                                   : QStringLiteral("Nuove impostazioni")));
    editor->addSpacing(8);
    editor->addWidget(label(QStringLiteral("dalle:"), pagina.dalle));
    editor->addWidget(pagina.dalle);
    editor->addWidget(label(QStringLiteral("alle:"), pagina.alle));
    editor->addWidget(pagina.alle);
    editor->addWidget(label(QStringLiteral("decimi di sec:"), pagina.intervallo));
    editor->addWidget(pagina.intervallo);
    editor->addStretch();
    editor->addWidget(pagina.conferma);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(g, 0, Qt::AlignHCenter);
    layout->addStretch();
    layout->addLayout(editor);

    PaginaFasce* p = &pagina;
    connect(g, &QTableWidget::currentCellChanged, this, [this, p] { grigliaClic(*p); });
    connect(g, &QTableWidget::cellClicked, this, [this, p](int row, int column) {
        if (m_cellaPrimaDelClic == QPoint(column, row))
            grigliaClic(*p);
    });
    connect(pagina.dalle, &QTimeEdit::timeChanged, this,
            [this, giorno](QTime time) { m_preferenze.fasce(giorno).setDalle(time); });
    connect(pagina.alle, &QTimeEdit::timeChanged, this,
            [this, giorno](QTime time) { m_preferenze.fasce(giorno).setAlle(time); });
    connect(pagina.intervallo, &QLineEdit::textChanged, this,
            [this, giorno](const QString& text) { m_preferenze.fasce(giorno).setIntervallo(text); });
    connect(pagina.conferma, &QPushButton::clicked, this, [this, p] { confermaFasce(*p); });
    return page;
}

QWidget* TfrmSetup::buildFestivita()
{
    auto* page = new QWidget;
    StringGrid1 = new QTableWidget(EditorFestivita::righe, 1, page);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setAccessibleName(QStringLiteral("Festività"));
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setHighlightSections(false);
    QStringList numeri;
    for (int r = 1; r <= EditorFestivita::righe; ++r)
        numeri.append(QString::number(r));
    StringGrid1->setVerticalHeaderLabels(numeri);
    StringGrid1->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    const int rowHeight = std::max(scaled(15, font()), fontMetrics().height() + 4);
    for (int r = 0; r < EditorFestivita::righe; ++r)
        StringGrid1->setRowHeight(r, rowHeight);
    StringGrid1->verticalHeader()->setFixedWidth(scaled(32, font()));
    StringGrid1->setColumnWidth(
        0, std::max(scaled(48, font()), fontMetrics().horizontalAdvance(QStringLiteral("00/00")) + 16));
    const int frame = 2 * StringGrid1->frameWidth();
    StringGrid1->setFixedSize(StringGrid1->verticalHeader()->width() + StringGrid1->columnWidth(0) + frame,
                              EditorFestivita::righe * rowHeight + frame);
    StringGrid1->viewport()->installEventFilter(this);

    DateEdit1 = lineEdit(QStringLiteral("DateEdit1"), QStringLiteral("Data"));
    DateEdit1->setReadOnly(true);
    DateEdit1->setMaximumWidth(scaled(80, font()));
    QToolButton* calendario = fieldButton(QStringLiteral("DateEdit1Button"), QStringLiteral("Scegliere una data"));
    Edit2 = lineEdit(QStringLiteral("Edit2"), QStringLiteral("Nuovo valore"));
    Edit2->setReadOnly(true);
    Edit2->setMaximumWidth(scaled(48, font()));
    BitBtn3 = new QPushButton(QStringLiteral("&Conferma"), page);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));

    auto* editor = new QGridLayout;
    editor->addWidget(label(QStringLiteral("Nuove Impostazioni")), 0, 0, 1, 3);
    auto* data = new QHBoxLayout;
    data->setSpacing(0);
    data->addWidget(DateEdit1);
    data->addWidget(calendario);
    editor->addLayout(data, 1, 0);
    editor->addWidget(label(QStringLiteral("Nuovo valore"), Edit2), 2, 0);
    editor->addWidget(Edit2, 3, 0, Qt::AlignLeft);
    editor->addWidget(BitBtn3, 4, 0, Qt::AlignLeft);
    editor->setRowStretch(5, 1);

    auto* layout = new QHBoxLayout(page);
    layout->addWidget(StringGrid1, 0, Qt::AlignTop);
    layout->addSpacing(24);
    layout->addLayout(editor);
    layout->addStretch();

    connect(StringGrid1, &QTableWidget::currentCellChanged, this, &TfrmSetup::StringGrid1Click);
    connect(StringGrid1, &QTableWidget::cellClicked, this, [this](int row, int column) {
        if (m_cellaPrimaDelClic == QPoint(column, row))
            StringGrid1Click();
    });
    connect(calendario, &QToolButton::clicked, this, [this] {
        QDate attuale;
        try {
            attuale = strToDate(DateEdit1->text());
        } catch (const EConvertError&) {
            attuale = m_servizi.clock.now().date();
        }
        if (const std::optional<QDate> scelta = m_pickers->date(this, attuale)) {
            m_preferenze.festivita().dataScelta(*scelta);
            DateEdit1Change();
        }
    });
    connect(BitBtn3, &QPushButton::clicked, this, &TfrmSetup::BitBtn3Click);
    return page;
}

QWidget* TfrmSetup::buildConnessione()
{
    TabSheet7 = new QWidget;
    GroupBox4 = new QGroupBox(PaginaConnessione::titoloProgettato(), TabSheet7);
    GroupBox4->setObjectName(QStringLiteral("GroupBox4"));
    redBoldTitle(GroupBox4);
    CheckBox4 = new QCheckBox(QStringLiteral("Connetti all'avvio a:"));
    CheckBox4->setObjectName(QStringLiteral("CheckBox4"));
    ComboBox1 = editableCombo(QStringLiteral("ComboBox1"), QStringLiteral("Connessione"));
    ComboBox1->setMinimumContentsLength(20);
    Edit6 = lineEdit(QStringLiteral("Edit6"), QStringLiteral("Nome utente"));
    Edit6->setReadOnly(true);
    Edit7 = lineEdit(QStringLiteral("Edit7"), QStringLiteral("Password"));
    Edit7->setReadOnly(true);
    Edit7->setEchoMode(QLineEdit::Password);
    BitBtn8 = new QPushButton(QStringLiteral("Applica"));
    BitBtn8->setObjectName(QStringLiteral("BitBtn8"));
    for (QWidget* child : std::initializer_list<QWidget*>{CheckBox4, ComboBox1, Edit6, Edit7, BitBtn8})
        normalFont(GroupBox4, child);

    auto* grid = new QGridLayout(GroupBox4);
    grid->addWidget(CheckBox4, 0, 0);
    grid->addWidget(ComboBox1, 0, 1);
    QLabel* utente = label(QStringLiteral("Nome utente:"), Edit6);
    QLabel* password = label(QStringLiteral("Password:"), Edit7);
    normalFont(GroupBox4, utente);
    normalFont(GroupBox4, password);
    grid->addWidget(utente, 1, 0, Qt::AlignRight);
    grid->addWidget(Edit6, 1, 1);
    grid->addWidget(password, 2, 0, Qt::AlignRight);
    grid->addWidget(Edit7, 2, 1);
    grid->addWidget(BitBtn8, 3, 1, Qt::AlignRight);

    auto* layout = new QVBoxLayout(TabSheet7);
    layout->addWidget(GroupBox4);
    layout->addStretch();

    connect(CheckBox4, &QCheckBox::clicked, this, &TfrmSetup::CheckBox4Click);
    connect(ComboBox1, &QComboBox::activated, this, &TfrmSetup::ComboBox1Click);
    connect(ComboBox1, &QComboBox::editTextChanged, this,
            [this](const QString& text) { m_preferenze.connessione().setVoce(text); });
    connect(BitBtn8, &QPushButton::clicked, this, &TfrmSetup::BitBtn8Click);
    return TabSheet7;
}

QLineEdit* TfrmSetup::fileField(const QString& name, const QString& caption)
{
    QLineEdit* edit = lineEdit(name, caption);
    edit->setMinimumWidth(scaled(300, font()));
    return edit;
}

QWidget* TfrmSetup::buildAvvio()
{
    TabSheet9 = new QWidget;
    auto* programmi = new QGroupBox(QStringLiteral("Programmi da lanciare all'avvio"), TabSheet9);
    programmi->setObjectName(QStringLiteral("GroupBoxProgrammi"));
    redBoldTitle(programmi);
    auto* grid = new QGridLayout(programmi);
    const char* const captions[] = {"Browser Web:", "Posta elettronica:", "Altro:"};
    for (int i = 0; i < 3; ++i) {
        const QString caption = QString::fromUtf8(captions[i]);
        QLineEdit* edit = fileField(QStringLiteral("FilenameEdit%1").arg(i + 1), caption.chopped(1));
        QToolButton* sfoglia =
            fieldButton(QStringLiteral("FilenameEdit%1Button").arg(i + 1), QStringLiteral("Scegli il programma"));
        QLabel* etichetta = label(caption, edit);
        for (QWidget* child : std::initializer_list<QWidget*>{edit, sfoglia, etichetta})
            normalFont(programmi, child);
        grid->addWidget(etichetta, i, 0);
        auto* campo = new QHBoxLayout;
        campo->setSpacing(0);
        campo->addWidget(edit);
        campo->addWidget(sfoglia);
        grid->addLayout(campo, i, 1);
        m_programmi[static_cast<size_t>(i)] = edit;
        connect(sfoglia, &QToolButton::clicked, this, [this, edit] {
            if (const std::optional<QString> scelto = m_pickers->program(this, edit->text()))
                edit->setText(*scelto);
        });
    }
    auto* layout = new QVBoxLayout(TabSheet9);
    layout->addWidget(programmi);
    layout->addStretch();
    return TabSheet9;
}

QWidget* TfrmSetup::buildLimiti()
{
    auto* page = new QWidget;

    auto* minuti = new QGroupBox(QStringLiteral("Minuti Max"));
    minuti->setObjectName(QStringLiteral("GroupBoxMinuti"));
    RxSpinEdit3 = arrowSpin(QStringLiteral("RxSpinEdit3"), QStringLiteral("Limite collegamento"), 0, 1440, 1);
    RxSpinEdit4 = arrowSpin(QStringLiteral("RxSpinEdit4"), QStringLiteral("Limite giornaliero"), 0, 1440, 10);
    RxCalcEdit1 = numberField(QStringLiteral("RxCalcEdit1"), QStringLiteral("Limite mensile"));
    RxCalcEdit2 = numberField(QStringLiteral("RxCalcEdit2"), QStringLiteral("Limite annuale"));
    auto* minutiGrid = new QGridLayout(minuti);
    const struct
    {
        const char* caption;
        QSpinBox* field;
    } limiti[] = {{"Limite collegamento", RxSpinEdit3},
                  {"Limite giornaliero", RxSpinEdit4},
                  {"Limite mensile", RxCalcEdit1},
                  {"Limite annuale", RxCalcEdit2}};
    for (int i = 0; i < 4; ++i) {
        QSpinBox* field = limiti[i].field;
        field->setMinimumWidth(scaled(70, font()));
        minutiGrid->addWidget(label(QString::fromUtf8(limiti[i].caption), field), i, 0);
        auto* campo = new QHBoxLayout;
        campo->setSpacing(0);
        campo->addWidget(field);
        if (field == RxCalcEdit1 || field == RxCalcEdit2) {
            QToolButton* calcola =
                fieldButton(field->objectName() + QStringLiteral("Button"), QStringLiteral("Calcolatrice"));
            campo->addWidget(calcola);
            connect(calcola, &QToolButton::clicked, this, [this, field] {
                if (const std::optional<double> valore = m_pickers->calculate(this, field->value())) {
                    const double limitato = std::clamp(*valore, 0.0, static_cast<double>(field->maximum()));
                    field->setValue(static_cast<int>(std::lround(limitato)));
                }
            });
        } else {
            QToolButton misura;
            misura.setText(QStringLiteral("..."));
            campo->addSpacing(misura.sizeHint().width());
        }
        minutiGrid->addLayout(campo, i, 1);
    }

    auto* allarmi = new QGroupBox(QStringLiteral("Attiva Allarme - Attiva Addebito"));
    allarmi->setObjectName(QStringLiteral("GroupBoxAllarmi"));
    const auto check = [](const char* name, const QString& caption) {
        auto* box = new QCheckBox(caption);
        box->setObjectName(QLatin1String(name));
        return box;
    };
    CheckBox5 = check("CheckBox5", QStringLiteral("collegamento"));
    CheckBox6 = check("CheckBox6", QStringLiteral("giornaliero"));
    CheckBox7 = check("CheckBox7", QStringLiteral("mensile"));
    CheckBox11 = check("CheckBox11", QStringLiteral("annuale"));
    const char* const periodi[] = {"giornaliero", "mensile", "annuale"};
    auto* allarmiGrid = new QGridLayout(allarmi);
    allarmiGrid->addWidget(CheckBox5, 0, 0);
    allarmiGrid->addWidget(CheckBox6, 1, 0);
    allarmiGrid->addWidget(CheckBox7, 2, 0);
    allarmiGrid->addWidget(CheckBox11, 3, 0);
    for (int i = 0; i < 3; ++i) {
        QCheckBox* box = check(i == 0 ? "CheckBox13" : i == 1 ? "CheckBox14" : "CheckBox15", QString());
        const QString hint = QStringLiteral("addebito %1").arg(QLatin1String(periodi[i]));
        box->setToolTip(hint);
        box->setAccessibleName(hint);
        m_addebiti[static_cast<size_t>(i)] = box;
        allarmiGrid->addWidget(box, i + 1, 1, Qt::AlignHCenter);
        connect(box, &QCheckBox::toggled, this, [this, i] { addebitoClic(i); });
    }

    auto* generale = new QGroupBox(QStringLiteral("Generale"));
    generale->setObjectName(QStringLiteral("GroupBoxGenerale"));
    CurrencyEdit1 = numberField(QStringLiteral("CurrencyEdit1"), QStringLiteral("Costo ore aggiuntive"));
    CurrencyEdit1->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    CurrencyEdit1->setGroupSeparatorShown(true);
    RxSpinEdit7 = arrowSpin(QStringLiteral("RxSpinEdit7"), QStringLiteral("Inizio avviso (sec)"), 1, 60, 1);
    readOnlyText(RxSpinEdit7);
    DateEdit2 = new QDateEdit;
    DateEdit2->setObjectName(QStringLiteral("DateEdit2"));
    DateEdit2->setAccessibleName(QStringLiteral("Inizio Anno Abbonamento"));
    DateEdit2->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    DateEdit2->setCalendarPopup(true);
    auto* generaleGrid = new QGridLayout(generale);
    generaleGrid->addWidget(label(QStringLiteral("Costo ore aggiuntive"), CurrencyEdit1), 0, 0);
    generaleGrid->addWidget(CurrencyEdit1, 0, 1);
    generaleGrid->addWidget(label(QStringLiteral("Inizio avviso (sec)"), RxSpinEdit7), 1, 0);
    generaleGrid->addWidget(RxSpinEdit7, 1, 1);
    generaleGrid->addWidget(label(QStringLiteral("Inizio Anno Abbonamento"), DateEdit2), 2, 0);
    generaleGrid->addWidget(DateEdit2, 2, 1);

    auto* nota1 = label(QStringLiteral("N.B. Se il limite vale 0 non viene considerato"));
    nota1->setObjectName(QStringLiteral("LabelNota1"));
    auto* nota2 = label(QStringLiteral("L'avviso acustico vale solo per il collegamento in corso"));
    nota2->setObjectName(QStringLiteral("LabelNota2"));

    auto* grid = new QGridLayout(page);
    grid->addWidget(minuti, 0, 0);
    grid->addWidget(allarmi, 0, 1);
    grid->addWidget(generale, 0, 2);
    grid->addWidget(nota1, 1, 0, 1, 3);
    grid->addWidget(nota2, 2, 0, 1, 3);
    grid->setRowStretch(3, 1);
    return page;
}

QWidget* TfrmSetup::buildNumeri()
{
    TabSheet10 = new QWidget;
    auto* grid = new QGridLayout(TabSheet10);
    auto* connessione = label(QStringLiteral("Connessione"));
    auto* distanza = label(QStringLiteral("Distanza"));
    QFont bold = connessione->font();
    bold.setBold(true);
    connessione->setFont(bold);
    distanza->setFont(bold);
    grid->addWidget(connessione, 0, 1);
    grid->addWidget(distanza, 0, 2);
    const int voci[] = {3, 5, 8, 11, 14};
    const int distanze[] = {2, 7, 10, 13, 16};
    for (int riga = 0; riga < 5; ++riga) {
        QComboBox* voce =
            editableCombo(QStringLiteral("ComboBox%1").arg(voci[riga]), QStringLiteral("Connessione %1").arg(riga + 1));
        voce->setMinimumContentsLength(24);
        QComboBox* classe = editableCombo(QStringLiteral("ComboBox%1").arg(distanze[riga]),
                                          QStringLiteral("Distanza %1").arg(riga + 1));
        m_voci[static_cast<size_t>(riga)] = voce;
        m_distanze[static_cast<size_t>(riga)] = classe;
        grid->addWidget(label(QStringLiteral("%1.").arg(riga + 1), voce), riga + 1, 0);
        grid->addWidget(voce, riga + 1, 1);
        grid->addWidget(classe, riga + 1, 2);
    }
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(6, 1);
    return TabSheet10;
}

void TfrmSetup::fixSize()
{
    // One factor in both directions keeps the designed proportions: the
    // desktop font's, or more where the contents need it.
    const QSize needed = minimumSizeHint();
    const double scale = std::max({fontScale(font()), static_cast<double>(needed.width()) / designedClient.width(),
                                   static_cast<double>(needed.height()) / designedClient.height()});
    const QSize grown(static_cast<int>(std::ceil(designedClient.width() * scale)),
                      static_cast<int>(std::ceil(designedClient.height() * scale)));
    setFixedSize(grown.expandedTo(needed));
}

// ---- load, save, defaults ----

void TfrmSetup::FormCreate()
{
    m_loading = true;
    const Preferenze::Caricamento caricamento = m_preferenze.carica();
    mostraGenerale();
    for (PaginaFasce& pagina : m_fasce)
        mostraFasce(pagina);
    mostraFestivita();
    for (int i = 0; i < Preferenze::numeroPosizioni; ++i) {
        const auto campo = static_cast<Preferenze::Posizione>(i);
        m_posizioni[static_cast<size_t>(i)]->setEnabled(m_preferenze.modificabile(campo));
    }
    mostraLimiti();
    m_loading = false;
    mostra(caricamento.avvisi);
    for (const QString& errore : caricamento.errori)
        mostraErrore(EConvertError(errore));
}

void TfrmSetup::mostraGenerale()
{
    const Preferenze::Generale& g = m_preferenze.generale();
    const bool loading = std::exchange(m_loading, true);
    Edit1->setText(g.Edit1);
    Edit11->setText(g.Edit11);
    RxSpinEdit2->setValue(g.RxSpinEdit2);
    CheckBox1->setChecked(g.CheckBox1);
    CheckBox2->setChecked(g.CheckBox2);
    CheckBox3->setChecked(g.CheckBox3);
    setRadio(RadioGroup1, g.RadioGroup1);
    setRadio(RadioGroup2, g.RadioGroup2);
    setRadio(RadioGroup3, g.RadioGroup3);
    for (size_t i = 0; i < m_posizioni.size(); ++i)
        m_posizioni[i]->setText(g.posizioni[i]);
    for (size_t i = 0; i < m_programmi.size(); ++i)
        m_programmi[i]->setText(g.programmi[i]);
    m_loading = loading;
}

void TfrmSetup::leggiGenerale()
{
    Preferenze::Generale& g = m_preferenze.generale();
    g.Edit1 = Edit1->text();
    g.Edit11 = Edit11->text();
    g.RxSpinEdit2 = RxSpinEdit2->value();
    g.CheckBox1 = CheckBox1->isChecked();
    g.CheckBox2 = CheckBox2->isChecked();
    g.CheckBox3 = CheckBox3->isChecked();
    g.RadioGroup1 = RadioGroup1->checkedId();
    g.RadioGroup2 = RadioGroup2->checkedId();
    g.RadioGroup3 = RadioGroup3->checkedId();
    for (size_t i = 0; i < m_posizioni.size(); ++i)
        g.posizioni[i] = m_posizioni[i]->text();
    for (size_t i = 0; i < m_programmi.size(); ++i)
        g.programmi[i] = m_programmi[i]->text();
}

void TfrmSetup::positionChanged(Preferenze::Posizione campo)
{
    if (m_loading)
        return;
    QLineEdit* edit = m_posizioni[static_cast<size_t>(campo)];
    try {
        const Preferenze::Controllo controllo = m_preferenze.controllaPosizione(campo, edit->text());
        if (controllo.avviso)
            m_servizi.prompter.show(*controllo.avviso);
        if (controllo.correzione)
            edit->setText(*controllo.correzione);
    } catch (const std::exception& errore) {
        mostraErrore(errore);
    }
}

void TfrmSetup::BitBtn1Click()
{
    leggiGenerale();
    try {
        m_preferenze.salva();
    } catch (const std::exception& errore) {
        // The values before the failing one stay written; no restart prompt.
        mostraErrore(errore);
        done(QDialog::Accepted);
        return;
    }
    domandaRiavvio();
    done(QDialog::Accepted);
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
    leggiLimiti();
    m_preferenze.salvaLimiti();
}

void TfrmSetup::mostraLimiti()
{
    const FormStorage::Valori& v = m_preferenze.limiti();
    const auto numero = [](QSpinBox* field, qint64 value) {
        field->setValue(static_cast<int>(std::clamp<qint64>(value, field->minimum(), field->maximum())));
    };
    numero(CurrencyEdit1, v.CurrencyEdit1);
    numero(RxSpinEdit3, v.RxSpinEdit3);
    numero(RxSpinEdit4, v.RxSpinEdit4);
    numero(RxCalcEdit1, v.RxCalcEdit1);
    numero(RxCalcEdit2, v.RxCalcEdit2);
    numero(RxSpinEdit7, v.RxSpinEdit7);
    CheckBox5->setChecked(v.CheckBox5);
    CheckBox6->setChecked(v.CheckBox6);
    CheckBox7->setChecked(v.CheckBox7);
    CheckBox11->setChecked(v.CheckBox11);
    const bool addebiti[] = {v.CheckBox13, v.CheckBox14, v.CheckBox15};
    for (size_t i = 0; i < m_addebiti.size(); ++i) {
        const QSignalBlocker blocker(m_addebiti[i]);
        m_addebiti[i]->setChecked(addebiti[i]);
    }
    DateEdit2->setDate(strToDate(v.DateEdit2));
    const QString voci[] = {v.ComboBox3, v.ComboBox5, v.ComboBox8, v.ComboBox11, v.ComboBox14};
    const QString distanze[] = {v.ComboBox2, v.ComboBox7, v.ComboBox10, v.ComboBox13, v.ComboBox16};
    for (size_t i = 0; i < m_voci.size(); ++i) {
        setComboText(m_voci[i], voci[i]);
        setComboText(m_distanze[i], distanze[i]);
    }
    setRadio(RadioGroup4, static_cast<int>(v.RadioGroup4));
}

void TfrmSetup::leggiLimiti()
{
    FormStorage::Valori& v = m_preferenze.limiti();
    v.CurrencyEdit1 = CurrencyEdit1->value();
    v.RxSpinEdit3 = RxSpinEdit3->value();
    v.RxSpinEdit4 = RxSpinEdit4->value();
    v.RxCalcEdit1 = RxCalcEdit1->value();
    v.RxCalcEdit2 = RxCalcEdit2->value();
    v.RxSpinEdit7 = RxSpinEdit7->value();
    v.CheckBox5 = CheckBox5->isChecked();
    v.CheckBox6 = CheckBox6->isChecked();
    v.CheckBox7 = CheckBox7->isChecked();
    v.CheckBox11 = CheckBox11->isChecked();
    v.CheckBox13 = m_addebiti[0]->isChecked();
    v.CheckBox14 = m_addebiti[1]->isChecked();
    v.CheckBox15 = m_addebiti[2]->isChecked();
    v.DateEdit2 = formatDate(DateEdit2->date());
    QString* voci[] = {&v.ComboBox3, &v.ComboBox5, &v.ComboBox8, &v.ComboBox11, &v.ComboBox14};
    QString* distanze[] = {&v.ComboBox2, &v.ComboBox7, &v.ComboBox10, &v.ComboBox13, &v.ComboBox16};
    for (size_t i = 0; i < m_voci.size(); ++i) {
        *voci[i] = m_voci[i]->currentText();
        *distanze[i] = m_distanze[i]->currentText();
    }
    v.RadioGroup4 = RadioGroup4->checkedId();
}

void TfrmSetup::addebitoClic(int quale)
{
    FormStorage::Valori& v = m_preferenze.limiti();
    v.CheckBox13 = m_addebiti[0]->isChecked();
    v.CheckBox14 = m_addebiti[1]->isChecked();
    v.CheckBox15 = m_addebiti[2]->isChecked();
    v.spuntaAddebito(quale, m_addebiti[static_cast<size_t>(quale)]->isChecked());
    const bool addebiti[] = {v.CheckBox13, v.CheckBox14, v.CheckBox15};
    for (size_t i = 0; i < m_addebiti.size(); ++i) {
        const QSignalBlocker blocker(m_addebiti[i]);
        m_addebiti[i]->setChecked(addebiti[i]);
    }
}

// ---- pages ----

void TfrmSetup::PageControl1Change()
{
    QWidget* pagina = PageControl1->currentWidget();
    sottoPaginaCambiata();
    if (pagina == TabSheet9)
        m_servizi.prompter.message(Preferenze::avvisoAvvioAutomatico(), QStringLiteral("Informazione"),
                                   Message::Icon::Information);
    else if (pagina == TabSheet7)
        TabSheet7Enter();
    else if (pagina == TabSheet10)
        TabSheet10Enter();
}

// "&Conferma" of the band sub-page in view is the default button; elsewhere "OK" is.
void TfrmSetup::sottoPaginaCambiata()
{
    if (!BitBtn1)
        return;
    const bool fasce = PageControl1->currentWidget() == PageControl2->parentWidget();
    QPushButton* predefinito = BitBtn1;
    if (fasce)
        predefinito = m_fasce[static_cast<size_t>(PageControl2->currentIndex())].conferma;
    predefinito->setDefault(true);
}

void TfrmSetup::TabSheet7Enter()
{
    const QList<Message> messaggi = m_preferenze.connessione().entra();
    mostraConnessione();
    mostra(messaggi);
}

void TfrmSetup::ComboBox1Click()
{
    const QList<Message> messaggi = m_preferenze.connessione().scegli(ComboBox1->currentText());
    mostraConnessione();
    mostra(messaggi);
}

void TfrmSetup::CheckBox4Click()
{
    m_preferenze.connessione().spunta(CheckBox4->isChecked());
    mostraConnessione();
}

void TfrmSetup::BitBtn8Click()
{
    m_preferenze.connessione().applica();
}

void TfrmSetup::mostraConnessione()
{
    const PaginaConnessione& c = m_preferenze.connessione();
    GroupBox4->setTitle(c.titolo());
    {
        const QSignalBlocker blocker(CheckBox4);
        CheckBox4->setChecked(c.automatica());
    }
    {
        const QSignalBlocker blocker(ComboBox1);
        const QStringList elenco = c.elenco();
        QStringList attuale;
        for (int i = 0; i < ComboBox1->count(); ++i)
            attuale.append(ComboBox1->itemText(i));
        if (attuale != elenco) {
            ComboBox1->clear();
            ComboBox1->addItems(elenco);
        }
        ComboBox1->setCurrentIndex(static_cast<int>(elenco.indexOf(c.voce())));
        ComboBox1->setEditText(c.voce());
    }
    Edit6->setText(c.utente());
    Edit7->setText(c.password());
    for (QWidget* campo : std::initializer_list<QWidget*>{ComboBox1, Edit6, Edit7})
        campo->setEnabled(c.campiAttivi());
}

void TfrmSetup::TabSheet10Enter()
{
    const QStringList distanze = Preferenze::distanze();
    for (QComboBox* combo : m_distanze)
        setList(combo, distanze);
    const QStringList voci = m_vociDisponibili();
    for (QComboBox* combo : m_voci)
        setList(combo, voci);
}

void TfrmSetup::mostraFasce(PaginaFasce& pagina)
{
    const EditorFasce& editor = m_preferenze.fasce(pagina.giorno);
    QTableWidget* g = pagina.griglia;
    const QSignalBlocker blocker(g);
    for (int riga = 1; riga <= editor.righe(); ++riga) {
        for (int colonna = 1; colonna <= EditorFasce::colonne; ++colonna) {
            QTableWidgetItem* item = g->item(riga - 1, colonna - 1);
            if (!item) {
                item = new QTableWidgetItem;
                item->setTextAlignment(Qt::AlignCenter);
                g->setItem(riga - 1, colonna - 1, item);
            }
            item->setText(editor.cella(colonna, riga));
        }
    }
    g->setCurrentCell(editor.rigaCorrente() - 1, editor.colonnaCorrente() - 1);
    const QSignalBlocker dalle(pagina.dalle);
    const QSignalBlocker alle(pagina.alle);
    const QSignalBlocker intervallo(pagina.intervallo);
    pagina.dalle->setTime(editor.dalle());
    pagina.alle->setTime(editor.alle());
    pagina.intervallo->setText(editor.intervallo());
    pagina.intervallo->setEnabled(editor.intervalloAttivo());
}

void TfrmSetup::grigliaClic(PaginaFasce& pagina)
{
    EditorFasce& editor = m_preferenze.fasce(pagina.giorno);
    const int riga = pagina.griglia->currentRow() + 1;
    const int colonna = pagina.griglia->currentColumn() + 1;
    try {
        editor.clic(colonna, riga);
    } catch (const std::exception& errore) {
        mostraFasce(pagina);
        mostraErrore(errore);
        return;
    }
    mostraFasce(pagina);
    switch (editor.fuoco()) {
    case EditorFasce::Fuoco::Dalle:
        pagina.dalle->setFocus();
        break;
    case EditorFasce::Fuoco::Alle:
        pagina.alle->setFocus();
        break;
    case EditorFasce::Fuoco::Intervallo:
        pagina.intervallo->setFocus();
        break;
    case EditorFasce::Fuoco::Nessuno:
        break;
    }
}

void TfrmSetup::confermaFasce(PaginaFasce& pagina)
{
    EditorFasce& editor = m_preferenze.fasce(pagina.giorno);
    std::optional<Message> rifiuto;
    try {
        rifiuto = editor.conferma();
    } catch (const std::exception& errore) {
        mostraFasce(pagina);
        mostraErrore(errore);
        return;
    }
    mostraFasce(pagina);
    if (rifiuto)
        m_servizi.prompter.show(*rifiuto);
}

void TfrmSetup::StringGrid2Click()
{
    grigliaClic(m_fasce[0]);
}

void TfrmSetup::StringGrid3Click()
{
    grigliaClic(m_fasce[1]);
}

void TfrmSetup::StringGrid4Click()
{
    grigliaClic(m_fasce[2]);
}

void TfrmSetup::BitBtn6Click()
{
    confermaFasce(m_fasce[0]);
}

void TfrmSetup::BitBtn5Click()
{
    confermaFasce(m_fasce[1]);
}

void TfrmSetup::BitBtn4Click()
{
    confermaFasce(m_fasce[2]);
}

void TfrmSetup::mostraFestivita()
{
    const EditorFestivita& editor = m_preferenze.festivita();
    const QSignalBlocker blocker(StringGrid1);
    for (int riga = 0; riga < EditorFestivita::righe; ++riga) {
        QTableWidgetItem* item = StringGrid1->item(riga, 0);
        if (!item) {
            item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            StringGrid1->setItem(riga, 0, item);
        }
        item->setText(editor.cella(riga));
    }
    StringGrid1->setCurrentCell(editor.rigaCorrente(), 0);
    DateEdit1->setText(editor.data());
    Edit2->setText(editor.nuovoValore());
}

void TfrmSetup::StringGrid1Click()
{
    m_preferenze.festivita().clic(StringGrid1->currentRow());
    mostraFestivita();
}

void TfrmSetup::DateEdit1Change()
{
    m_preferenze.festivita().dataCambiata(m_preferenze.festivita().data());
    mostraFestivita();
}

void TfrmSetup::BitBtn3Click()
{
    m_preferenze.festivita().conferma();
    mostraFestivita();
}

// ---- helpers ----

bool TfrmSetup::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        for (QTableWidget* grid : {m_fasce[0].griglia, m_fasce[1].griglia, m_fasce[2].griglia, StringGrid1}) {
            if (grid && watched == grid->viewport())
                m_cellaPrimaDelClic = QPoint(grid->currentColumn(), grid->currentRow());
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmSetup::mostra(const QList<Message>& messaggi)
{
    m_servizi.prompter.show(messaggi);
}

void TfrmSetup::mostraErrore(const std::exception& errore)
{
    showException(m_servizi.prompter, errore);
}
