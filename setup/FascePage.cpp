#include "setup/FascePage.h"

#include "platform/Prompter.h"
#include "setup/GridClicks.h"
#include "setup/Preferenze.h"
#include "setup/TypedField.h"
#include "widgets/Controls.h"
#include "widgets/ExceptionBox.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

using namespace Controls;

FascePage::Nomi FascePage::nomi(EditorFasce::Giorno giorno)
{
    switch (giorno) {
    case EditorFasce::Giorno::Festivi:
        return {"TabSheet4", 3, 3, 4, "edit4", 5};
    case EditorFasce::Giorno::Sabato:
        return {"TabSheet5", 4, 1, 2, "Edit5", 4};
    case EditorFasce::Giorno::Feriali:
        break;
    }
    return {"TabSheet3", 2, 5, 6, "Edit3", 6};
}

FascePage::FascePage(Preferenze& preferenze, Prompter& prompter, EditorFasce::Giorno giorno)
    : m_preferenze(preferenze)
    , m_prompter(prompter)
    , m_giorno(giorno)
{
    const Nomi n = nomi(giorno);
    setObjectName(QLatin1String(n.sheet));
    buildGrid(n.grid);
    buildEditor(n);
}

EditorFasce& FascePage::editor()
{
    return m_preferenze.fasce(m_giorno);
}

void FascePage::buildGrid(int numero)
{
    const int righe = EditorFasce::numeroFasce(m_giorno);
    m_griglia = new QTableWidget(righe, EditorFasce::colonne, this);
    QTableWidget* g = m_griglia;
    g->setObjectName(QStringLiteral("StringGrid%1").arg(numero));
    // Named apart from the sub-page's tab, which a screen reader announces too.
    const char* const giorni[] = {"Fasce feriali", "Fasce festive", "Fasce del sabato"};
    g->setAccessibleName(QLatin1String(giorni[static_cast<int>(m_giorno)]));
    g->setHorizontalHeaderLabels(EditorFasce::intestazioni(m_giorno));
    g->setVerticalHeaderLabels(EditorFasce::etichette(m_giorno));
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setCornerButtonEnabled(false);
    // The arrows move between the cells; Tab goes on to the editor.
    g->setTabKeyNavigation(false);
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
    new GridClicks(g, [this] { gridClick(); });
}

void FascePage::buildEditor(const Nomi& n)
{
    const auto picker = [this](int number, const QString& accessible) {
        auto* edit = new TypedField(TypedField::Kind::Time, this);
        edit->setObjectName(QStringLiteral("DTp%1").arg(number));
        edit->setAccessibleName(accessible);
        return edit;
    };
    m_dalle = picker(n.dalle, QStringLiteral("dalle"));
    m_alle = picker(n.alle, QStringLiteral("alle"));
    m_intervallo = lineEdit(QLatin1String(n.intervallo), QStringLiteral("decimi di sec"));
    m_intervallo->setMaximumWidth(scaled(48, font()));
    m_conferma = new QPushButton(QStringLiteral("&Conferma"), this);
    m_conferma->setObjectName(QStringLiteral("BitBtn%1").arg(n.conferma));

    auto* riga = new QHBoxLayout;
    riga->addWidget(label(m_giorno == EditorFasce::Giorno::Feriali ? QStringLiteral("Nuove impostazioni:")
                                                                   : QStringLiteral("Nuove impostazioni")));
    riga->addSpacing(8);
    riga->addWidget(label(QStringLiteral("dalle:"), m_dalle));
    riga->addWidget(m_dalle);
    riga->addWidget(label(QStringLiteral("alle:"), m_alle));
    riga->addWidget(m_alle);
    riga->addWidget(label(QStringLiteral("decimi di sec:"), m_intervallo));
    riga->addWidget(m_intervallo);
    riga->addStretch();
    riga->addWidget(m_conferma);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_griglia, 0, Qt::AlignHCenter);
    layout->addStretch();
    layout->addLayout(riga);

    // The keyboard goes through the page as it reads, left to right.
    setTabOrder(m_griglia, m_dalle);
    setTabOrder(m_dalle, m_alle);
    setTabOrder(m_alle, m_intervallo);
    setTabOrder(m_intervallo, m_conferma);
    connect(m_griglia, &QTableWidget::cellDoubleClicked, this, &FascePage::gridDoubleClick);
    connect(m_intervallo, &QLineEdit::textChanged, this, [this](const QString& text) { editor().setIntervallo(text); });
    connect(m_conferma, &QPushButton::clicked, this, &FascePage::confermaClick);
}

void FascePage::mostra()
{
    const EditorFasce& e = editor();
    QTableWidget* g = m_griglia;
    const QSignalBlocker blocker(g);
    for (int riga = 1; riga <= e.righe(); ++riga) {
        for (int colonna = 1; colonna <= EditorFasce::colonne; ++colonna) {
            QTableWidgetItem* item = g->item(riga - 1, colonna - 1);
            if (!item) {
                item = new QTableWidgetItem;
                item->setTextAlignment(Qt::AlignCenter);
                g->setItem(riga - 1, colonna - 1, item);
            }
            item->setText(e.cella(colonna, riga));
        }
    }
    g->setCurrentCell(e.rigaCorrente() - 1, e.colonnaCorrente() - 1);
    const QSignalBlocker intervallo(m_intervallo);
    m_dalle->setTime(e.dalle());
    m_alle->setTime(e.alle());
    m_intervallo->setText(e.intervallo());
    m_intervallo->setEnabled(e.intervalloAttivo());
}

void FascePage::gridClick()
{
    EditorFasce& e = editor();
    try {
        e.clic(m_griglia->currentColumn() + 1, m_griglia->currentRow() + 1);
    } catch (const std::exception& errore) {
        mostra();
        showException(m_prompter, errore);
        return;
    }
    mostra();
}

void FascePage::gridDoubleClick()
{
    focusEditor();
}

void FascePage::focusEditor()
{
    switch (editor().fuoco()) {
    case EditorFasce::Fuoco::Dalle:
        focusField(m_dalle, true);
        break;
    case EditorFasce::Fuoco::Alle:
        focusField(m_alle, true);
        break;
    case EditorFasce::Fuoco::Intervallo:
        focusField(m_intervallo, true);
        break;
    case EditorFasce::Fuoco::Nessuno:
        break;
    }
}

void FascePage::confermaClick()
{
    std::optional<Message> rifiuto = editor().leggiOrari(m_dalle->typed(), m_alle->typed());
    if (rifiuto) {
        // The pickers keep what was typed, for the user to mend.
        m_prompter.show(*rifiuto);
        focusEditor();
        return;
    }
    try {
        rifiuto = editor().conferma();
    } catch (const std::exception& errore) {
        mostra();
        showException(m_prompter, errore);
        focusField(m_intervallo, true);
        return;
    }
    mostra();
    if (rifiuto) {
        m_prompter.show(*rifiuto);
        focusEditor();
    }
}
