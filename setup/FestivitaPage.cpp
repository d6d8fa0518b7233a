#include "setup/FestivitaPage.h"

#include "platform/Clock.h"
#include "settings/Conversion.h"
#include "setup/EditorFestivita.h"
#include "setup/GridClicks.h"
#include "setup/SetupPickers.h"
#include "widgets/Controls.h"

#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>

#include <algorithm>

using namespace Controls;

FestivitaPage::FestivitaPage(EditorFestivita& editor, SetupPickers& pickers, const Clock& clock)
    : m_editor(editor)
    , m_pickers(pickers)
    , m_clock(clock)
{
    setObjectName(QStringLiteral("TabSheet6"));
    buildGrid();

    DateEdit1 = lineEdit(QStringLiteral("DateEdit1"), QStringLiteral("Data"));
    DateEdit1->setReadOnly(true);
    DateEdit1->setMaximumWidth(scaled(80, font()));
    QToolButton* calendario = fieldButton(QStringLiteral("DateEdit1Button"), QStringLiteral("Scegliere una data"));
    Edit2 = lineEdit(QStringLiteral("Edit2"), QStringLiteral("Nuovo valore"));
    Edit2->setReadOnly(true);
    Edit2->setMaximumWidth(scaled(48, font()));
    BitBtn3 = new QPushButton(QStringLiteral("&Conferma"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));

    auto* campi = new QGridLayout;
    campi->addWidget(label(QStringLiteral("Nuove Impostazioni")), 0, 0, 1, 3);
    auto* data = new QHBoxLayout;
    data->setSpacing(0);
    data->addWidget(DateEdit1);
    data->addWidget(calendario);
    campi->addLayout(data, 1, 0);
    campi->addWidget(label(QStringLiteral("Nuovo valore"), Edit2), 2, 0);
    campi->addWidget(Edit2, 3, 0, Qt::AlignLeft);
    campi->addWidget(BitBtn3, 4, 0, Qt::AlignLeft);
    campi->setRowStretch(5, 1);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(StringGrid1, 0, Qt::AlignTop);
    layout->addSpacing(24);
    layout->addLayout(campi);
    layout->addStretch();

    connect(calendario, &QToolButton::clicked, this, &FestivitaPage::calendarClick);
    connect(BitBtn3, &QPushButton::clicked, this, &FestivitaPage::BitBtn3Click);
}

void FestivitaPage::buildGrid()
{
    StringGrid1 = new QTableWidget(EditorFestivita::righe, 1, this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setAccessibleName(QStringLiteral("Date delle festività"));
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setTabKeyNavigation(false);
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
    new GridClicks(StringGrid1, [this] { StringGrid1Click(); });
}

void FestivitaPage::mostra()
{
    const QSignalBlocker blocker(StringGrid1);
    for (int riga = 0; riga < EditorFestivita::righe; ++riga) {
        QTableWidgetItem* item = StringGrid1->item(riga, 0);
        if (!item) {
            item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            StringGrid1->setItem(riga, 0, item);
        }
        item->setText(m_editor.cella(riga));
    }
    StringGrid1->setCurrentCell(m_editor.rigaCorrente(), 0);
    DateEdit1->setText(m_editor.data());
    Edit2->setText(m_editor.nuovoValore());
}

void FestivitaPage::calendarClick()
{
    QDate attuale;
    try {
        attuale = strToDate(DateEdit1->text());
    } catch (const EConvertError&) {
        attuale = m_clock.now().date();
    }
    if (const std::optional<QDate> scelta = m_pickers.date(this, attuale)) {
        m_editor.dataScelta(*scelta);
        DateEdit1Change();
    }
}

void FestivitaPage::StringGrid1Click()
{
    m_editor.clic(StringGrid1->currentRow());
    mostra();
}

void FestivitaPage::DateEdit1Change()
{
    m_editor.dataCambiata(m_editor.data());
    mostra();
}

void FestivitaPage::BitBtn3Click()
{
    m_editor.conferma();
    mostra();
}
