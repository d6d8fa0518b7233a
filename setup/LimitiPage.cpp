#include "setup/LimitiPage.h"

#include "archive/ImpostazioniLimiti.h"
#include "setup/SetupPickers.h"
#include "setup/TypedField.h"
#include "widgets/Controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QToolButton>

#include <algorithm>
#include <cmath>

using namespace Controls;

namespace {

constexpr int grande = static_cast<int>(FormStorage::massimoGrande);

// The largest limit the page takes, from the limits' table.
int massimo(ImpostazioniLimiti::Periodo periodo)
{
    return static_cast<int>(ImpostazioniLimiti::limite(periodo).massimo);
}

using V = FormStorage::Valori;
constexpr bool V::*allarmi[] = {&V::CheckBox5, &V::CheckBox6, &V::CheckBox7, &V::CheckBox11};
constexpr bool V::*addebiti[] = {&V::CheckBox13, &V::CheckBox14, &V::CheckBox15};

QCheckBox* check(const QString& name, const QString& caption)
{
    auto* box = new QCheckBox(caption);
    box->setObjectName(name);
    return box;
}

void setNumero(QSpinBox* field, qint64 value)
{
    field->setValue(static_cast<int>(std::clamp<qint64>(value, field->minimum(), field->maximum())));
}

} // namespace

LimitiPage::LimitiPage(FormStorage::Valori& valori, SetupPickers& pickers)
    : m_valori(valori)
    , m_pickers(pickers)
{
    setObjectName(QStringLiteral("TabSheet8"));
    auto* nota1 = label(QStringLiteral("N.B. Se il limite vale 0 non viene considerato"));
    nota1->setObjectName(QStringLiteral("LabelNota1"));
    auto* nota2 = label(QStringLiteral("L'avviso acustico vale solo per il collegamento in corso"));
    nota2->setObjectName(QStringLiteral("LabelNota2"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(buildMinuti(), 0, 0);
    grid->addWidget(buildAllarmi(), 0, 1);
    grid->addWidget(buildGenerale(), 0, 2);
    grid->addWidget(nota1, 1, 0, 1, 3);
    grid->addWidget(nota2, 2, 0, 1, 3);
    grid->setRowStretch(3, 1);
}

QWidget* LimitiPage::buildMinuti()
{
    QGroupBox* minuti = groupBox(QStringLiteral("GroupBoxMinuti"), QStringLiteral("Minuti Max"));
    RxSpinEdit3 = arrowSpin(QStringLiteral("RxSpinEdit3"), QStringLiteral("Limite collegamento"), 0,
                            massimo(ImpostazioniLimiti::Periodo::Collegamento), 1);
    RxSpinEdit4 = arrowSpin(QStringLiteral("RxSpinEdit4"), QStringLiteral("Limite giornaliero"), 0,
                            massimo(ImpostazioniLimiti::Periodo::Giornaliero), 10);
    RxCalcEdit1 = numberField(QStringLiteral("RxCalcEdit1"), QStringLiteral("Limite mensile"),
                              massimo(ImpostazioniLimiti::Periodo::Mensile));
    RxCalcEdit2 = numberField(QStringLiteral("RxCalcEdit2"), QStringLiteral("Limite annuale"),
                              massimo(ImpostazioniLimiti::Periodo::Annuo));
    auto* minutiGrid = new QGridLayout(minuti);
    addCampo(minutiGrid, 0, "Limite collegamento", RxSpinEdit3);
    addCampo(minutiGrid, 1, "Limite giornaliero", RxSpinEdit4);
    addCampo(minutiGrid, 2, "Limite mensile", RxCalcEdit1);
    addCampo(minutiGrid, 3, "Limite annuale", RxCalcEdit2);
    return minuti;
}

// A limit's row: its caption, its field and, for the month and the year, the calculator's button.
void LimitiPage::addCampo(QGridLayout* grid, int riga, const char* caption, QSpinBox* field)
{
    field->setMinimumWidth(scaled(70, font()));
    grid->addWidget(label(QString::fromUtf8(caption), field), riga, 0);
    auto* campo = new QHBoxLayout;
    campo->setSpacing(0);
    campo->addWidget(field);
    if (field == RxCalcEdit1 || field == RxCalcEdit2) {
        QToolButton* calcola =
            fieldButton(field->objectName() + QStringLiteral("Button"), QStringLiteral("Calcolatrice"));
        calcola->setAccessibleName(QStringLiteral("Calcolatrice: ") + field->accessibleName());
        campo->addWidget(calcola);
        connect(calcola, &QToolButton::clicked, this, [this, field] {
            if (const std::optional<double> valore = m_pickers.calculate(this, field->value())) {
                const double limitato = std::clamp(*valore, 0.0, static_cast<double>(field->maximum()));
                field->setValue(static_cast<int>(std::lround(limitato)));
            }
        });
    } else {
        QToolButton misura;
        misura.setText(QStringLiteral("..."));
        campo->addSpacing(misura.sizeHint().width());
    }
    grid->addLayout(campo, riga, 1);
}

QWidget* LimitiPage::buildAllarmi()
{
    QGroupBox* box = groupBox(QStringLiteral("GroupBoxAllarmi"), QStringLiteral("Attiva Allarme - Attiva Addebito"));
    const char* const nomi[] = {"CheckBox5", "CheckBox6", "CheckBox7", "CheckBox11"};
    const char* const periodi[] = {"collegamento", "giornaliero", "mensile", "annuale"};
    auto* grid = new QGridLayout(box);
    for (int i = 0; i < 4; ++i) {
        m_allarmi[static_cast<size_t>(i)] = check(QLatin1String(nomi[i]), QLatin1String(periodi[i]));
        grid->addWidget(m_allarmi[static_cast<size_t>(i)], i, 0);
    }
    for (int i = 0; i < 3; ++i) {
        QCheckBox* addebito = check(QStringLiteral("CheckBox%1").arg(13 + i), QString());
        const QString hint = QStringLiteral("addebito %1").arg(QLatin1String(periodi[i + 1]));
        addebito->setToolTip(hint);
        addebito->setAccessibleName(hint);
        m_addebiti[static_cast<size_t>(i)] = addebito;
        grid->addWidget(addebito, i + 1, 1, Qt::AlignHCenter);
        connect(addebito, &QCheckBox::toggled, this, [this, i] { addebitoClic(i); });
    }
    return box;
}

QWidget* LimitiPage::buildGenerale()
{
    QGroupBox* generale = groupBox(QStringLiteral("GroupBoxGenerale"), QStringLiteral("Generale"));
    CurrencyEdit1 = numberField(QStringLiteral("CurrencyEdit1"), QStringLiteral("Costo ore aggiuntive"), grande);
    CurrencyEdit1->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    CurrencyEdit1->setGroupSeparatorShown(true);
    // "Inizio avviso (sec)" of "Generale" is the unit's warning: this one is the limit's.
    RxSpinEdit7 = arrowSpin(QStringLiteral("RxSpinEdit7"), QStringLiteral("Inizio avviso limite (sec)"), 1, 60, 1);
    readOnlyText(RxSpinEdit7);
    DateEdit2 = new TypedField(TypedField::Kind::Date);
    DateEdit2->setObjectName(QStringLiteral("DateEdit2"));
    DateEdit2->setAccessibleName(QStringLiteral("Inizio Anno Abbonamento"));
    QToolButton* calendario = fieldButton(QStringLiteral("DateEdit2Button"), QStringLiteral("Scegliere una data"));
    connect(calendario, &QToolButton::clicked, this, &LimitiPage::calendarClick);
    auto* data = new QHBoxLayout;
    data->setSpacing(0);
    data->addWidget(DateEdit2);
    data->addWidget(calendario);
    auto* grid = new QGridLayout(generale);
    grid->addWidget(label(QStringLiteral("Costo ore aggiuntive"), CurrencyEdit1), 0, 0);
    grid->addWidget(CurrencyEdit1, 0, 1);
    grid->addWidget(label(QStringLiteral("Inizio avviso (sec)"), RxSpinEdit7), 1, 0);
    grid->addWidget(RxSpinEdit7, 1, 1);
    grid->addWidget(label(QStringLiteral("Inizio Anno Abbonamento"), DateEdit2), 2, 0);
    grid->addLayout(data, 2, 1);
    return generale;
}

void LimitiPage::mostra()
{
    const V& v = m_valori;
    setNumero(CurrencyEdit1, v.CurrencyEdit1);
    setNumero(RxSpinEdit3, v.RxSpinEdit3);
    setNumero(RxSpinEdit4, v.RxSpinEdit4);
    setNumero(RxCalcEdit1, v.RxCalcEdit1);
    setNumero(RxCalcEdit2, v.RxCalcEdit2);
    setNumero(RxSpinEdit7, v.RxSpinEdit7);
    for (size_t i = 0; i < m_allarmi.size(); ++i)
        m_allarmi[i]->setChecked(v.*allarmi[i]);
    mostraAddebiti();
    DateEdit2->setTyped(v.DateEdit2);
}

void LimitiPage::leggi()
{
    V& v = m_valori;
    v.CurrencyEdit1 = CurrencyEdit1->value();
    v.RxSpinEdit3 = RxSpinEdit3->value();
    v.RxSpinEdit4 = RxSpinEdit4->value();
    v.RxCalcEdit1 = RxCalcEdit1->value();
    v.RxCalcEdit2 = RxCalcEdit2->value();
    v.RxSpinEdit7 = RxSpinEdit7->value();
    for (size_t i = 0; i < m_allarmi.size(); ++i)
        v.*allarmi[i] = m_allarmi[i]->isChecked();
    for (size_t i = 0; i < m_addebiti.size(); ++i)
        v.*addebiti[i] = m_addebiti[i]->isChecked();
    v.DateEdit2 = DateEdit2->typed();
}

void LimitiPage::calendarClick()
{
    if (const std::optional<QDate> scelta = m_pickers.date(this, DateEdit2->date().value_or(QDate())))
        DateEdit2->setDate(*scelta);
}

void LimitiPage::addebitoClic(int quale)
{
    for (size_t i = 0; i < m_addebiti.size(); ++i)
        m_valori.*addebiti[i] = m_addebiti[i]->isChecked();
    m_valori.spuntaAddebito(quale, m_addebiti[static_cast<size_t>(quale)]->isChecked());
    mostraAddebiti();
}

void LimitiPage::mostraAddebiti()
{
    for (size_t i = 0; i < m_addebiti.size(); ++i) {
        const QSignalBlocker blocker(m_addebiti[i]);
        m_addebiti[i]->setChecked(m_valori.*addebiti[i]);
    }
}
