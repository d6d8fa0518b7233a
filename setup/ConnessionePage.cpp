#include "setup/ConnessionePage.h"

#include "platform/Prompter.h"
#include "setup/PaginaConnessione.h"
#include "widgets/Controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Controls;

ConnessionePage::ConnessionePage(PaginaConnessione& pagina, Prompter& prompter)
    : m_pagina(pagina)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("TabSheet7"));
    GroupBox4 = groupBox(QStringLiteral("GroupBox4"), PaginaConnessione::titoloProgettato());
    GroupBox4->setParent(this);
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
    Edit7->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }")); // "*"
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

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox4);
    layout->addStretch();

    connect(CheckBox4, &QCheckBox::clicked, this, &ConnessionePage::CheckBox4Click);
    connect(ComboBox1, &QComboBox::activated, this, &ConnessionePage::ComboBox1Click);
    connect(ComboBox1, &QComboBox::editTextChanged, this, [this](const QString& text) { m_pagina.setVoce(text); });
    connect(BitBtn8, &QPushButton::clicked, this, &ConnessionePage::BitBtn8Click);
}

void ConnessionePage::TabSheet7Enter()
{
    const QList<Message> messaggi = m_pagina.entra();
    mostra();
    m_prompter.show(messaggi);
}

void ConnessionePage::ComboBox1Click()
{
    const QList<Message> messaggi = m_pagina.scegli(ComboBox1->currentText());
    mostra();
    m_prompter.show(messaggi);
}

void ConnessionePage::CheckBox4Click()
{
    m_pagina.spunta(CheckBox4->isChecked());
    mostra();
}

void ConnessionePage::BitBtn8Click()
{
    m_pagina.applica();
}

void ConnessionePage::mostra()
{
    setGroupTitle(GroupBox4, m_pagina.titolo());
    {
        const QSignalBlocker blocker(CheckBox4);
        CheckBox4->setChecked(m_pagina.automatica());
    }
    {
        const QSignalBlocker blocker(ComboBox1);
        const QStringList elenco = m_pagina.elenco();
        QStringList attuale;
        for (int i = 0; i < ComboBox1->count(); ++i)
            attuale.append(ComboBox1->itemText(i));
        if (attuale != elenco) {
            ComboBox1->clear();
            ComboBox1->addItems(elenco);
        }
        ComboBox1->setCurrentIndex(static_cast<int>(elenco.indexOf(m_pagina.voce())));
        ComboBox1->setEditText(m_pagina.voce());
    }
    Edit6->setText(m_pagina.utente());
    Edit7->setText(m_pagina.password());
    for (QWidget* campo : std::initializer_list<QWidget*>{ComboBox1, Edit6, Edit7})
        campo->setEnabled(m_pagina.campiAttivi());
}
