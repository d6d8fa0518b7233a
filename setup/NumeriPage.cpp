#include "setup/NumeriPage.h"

#include "setup/Preferenze.h"
#include "widgets/Controls.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

using namespace Controls;

namespace {

using V = FormStorage::Valori;
constexpr QString V::*voci[] = {&V::ComboBox3, &V::ComboBox5, &V::ComboBox8, &V::ComboBox11, &V::ComboBox14};
constexpr QString V::*distanze[] = {&V::ComboBox2, &V::ComboBox7, &V::ComboBox10, &V::ComboBox13, &V::ComboBox16};

} // namespace

NumeriPage::NumeriPage(std::function<QStringList()> vociDisponibili)
    : m_vociDisponibili(std::move(vociDisponibili))
{
    setObjectName(QStringLiteral("TabSheet10"));
    auto* grid = new QGridLayout(this);
    auto* connessione = label(QStringLiteral("Connessione"));
    auto* distanza = label(QStringLiteral("Distanza"));
    QFont bold = connessione->font();
    bold.setBold(true);
    connessione->setFont(bold);
    distanza->setFont(bold);
    grid->addWidget(connessione, 0, 1);
    grid->addWidget(distanza, 0, 2);
    const int numeriVoci[] = {3, 5, 8, 11, 14};
    const int numeriDistanze[] = {2, 7, 10, 13, 16};
    for (int riga = 0; riga < 5; ++riga) {
        QComboBox* voce = editableCombo(QStringLiteral("ComboBox%1").arg(numeriVoci[riga]),
                                        QStringLiteral("Connessione %1").arg(riga + 1));
        voce->setMinimumContentsLength(24);
        QComboBox* classe = editableCombo(QStringLiteral("ComboBox%1").arg(numeriDistanze[riga]),
                                          QStringLiteral("Distanza %1").arg(riga + 1));
        m_voci[static_cast<size_t>(riga)] = voce;
        m_distanze[static_cast<size_t>(riga)] = classe;
        grid->addWidget(label(QStringLiteral("%1.").arg(riga + 1), voce), riga + 1, 0);
        grid->addWidget(voce, riga + 1, 1);
        grid->addWidget(classe, riga + 1, 2);
    }
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(6, 1);
}

void NumeriPage::mostra(const FormStorage::Valori& valori)
{
    for (size_t i = 0; i < m_voci.size(); ++i) {
        setComboText(m_voci[i], valori.*voci[i]);
        setComboText(m_distanze[i], valori.*distanze[i]);
    }
}

void NumeriPage::leggi(FormStorage::Valori& valori) const
{
    for (size_t i = 0; i < m_voci.size(); ++i) {
        valori.*voci[i] = m_voci[i]->currentText();
        valori.*distanze[i] = m_distanze[i]->currentText();
    }
}

void NumeriPage::TabSheet10Enter()
{
    const QStringList elencoDistanze = Preferenze::distanze();
    for (QComboBox* combo : m_distanze)
        setList(combo, elencoDistanze);
    const QStringList elencoVoci = m_vociDisponibili();
    for (QComboBox* combo : m_voci)
        setList(combo, elencoVoci);
}
