#include "setup/GeneralePage.h"

#include "platform/Prompter.h"
#include "widgets/Controls.h"
#include "widgets/ExceptionBox.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace Controls;

GeneralePage::GeneralePage(Preferenze& preferenze, Prompter& prompter)
    : m_preferenze(preferenze)
    , m_prompter(prompter)
{
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

    auto* grid = new QGridLayout(this);
    grid->addWidget(buildCosti(), 0, 0);
    grid->addWidget(tariffa, 0, 1);
    grid->addWidget(tipo, 0, 2);
    grid->addWidget(buildAmbiente(), 1, 0);
    grid->addWidget(visualizza, 1, 1);
    grid->addWidget(buildPosizione(), 1, 2);
    grid->setRowStretch(2, 1);
}

QWidget* GeneralePage::buildCosti()
{
    QGroupBox* costi = groupBox(QStringLiteral("GroupBoxCosti"), QStringLiteral("Costi"));
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
    return costi;
}

QWidget* GeneralePage::buildAmbiente()
{
    QGroupBox* ambiente = groupBox(QStringLiteral("GroupBoxAmbiente"), QStringLiteral("Ambiente"));
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
    return ambiente;
}

QWidget* GeneralePage::buildPosizione()
{
    QGroupBox* posizione = groupBox(QStringLiteral("GroupBoxPosizione"), QStringLiteral("Posizione finestre"));
    auto* posGrid = new QGridLayout(posizione);
    posGrid->addWidget(label(QStringLiteral("Pos X:")), 0, 1);
    posGrid->addWidget(label(QStringLiteral("Pos Y:")), 0, 2);
    const char* const righe[] = {"barra", "normale", "costi"};
    for (int i = 0; i < Preferenze::numeroPosizioni; ++i) {
        const int riga = i / 2;
        const QString descrizione = QStringLiteral("%1 %2").arg(
            QLatin1String(righe[riga]), i % 2 == 0 ? QStringLiteral("Pos X") : QStringLiteral("Pos Y"));
        const auto campo = static_cast<Preferenze::Posizione>(i);
        QLineEdit* edit = lineEdit(Preferenze::nomePosizione(campo), descrizione);
        edit->setMaximumWidth(scaled(48, font()));
        m_posizioni[static_cast<size_t>(i)] = edit;
        if (i % 2 == 0)
            posGrid->addWidget(label(QLatin1String(righe[riga]), edit), riga + 1, 0);
        posGrid->addWidget(edit, riga + 1, 1 + i % 2);
        connect(edit, &QLineEdit::textChanged, this, [this, campo] { positionChanged(campo); });
    }
    posGrid->setRowStretch(4, 1);
    return posizione;
}

void GeneralePage::mostra()
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
    for (size_t i = 0; i < m_posizioni.size(); ++i) {
        m_posizioni[i]->setText(g.posizioni[i]);
        m_posizioni[i]->setEnabled(m_preferenze.modificabile(static_cast<Preferenze::Posizione>(i)));
    }
    m_loading = loading;
}

void GeneralePage::leggi()
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
}

void GeneralePage::mostraConteggio()
{
    setRadio(RadioGroup4, static_cast<int>(m_preferenze.limiti().RadioGroup4));
}

void GeneralePage::leggiConteggio()
{
    m_preferenze.limiti().RadioGroup4 = RadioGroup4->checkedId();
}

void GeneralePage::positionChanged(Preferenze::Posizione campo)
{
    if (m_loading)
        return;
    QLineEdit* edit = m_posizioni[static_cast<size_t>(campo)];
    try {
        const Preferenze::Controllo controllo = m_preferenze.controllaPosizione(campo, edit->text());
        if (controllo.avviso)
            m_prompter.show(*controllo.avviso);
        if (controllo.correzione)
            edit->setText(*controllo.correzione);
        if (controllo.avviso)
            focusField(edit, true);
    } catch (const std::exception& errore) {
        showException(m_prompter, errore);
        // The text stays as typed ("-" on the way to "-5"): the next keys go on from it.
        focusField(edit, false);
    }
}
