#include "setup/AvvioPage.h"

#include "setup/SetupPickers.h"
#include "widgets/Controls.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Controls;

AvvioPage::AvvioPage(SetupPickers& pickers)
    : m_pickers(pickers)
{
    setObjectName(QStringLiteral("TabSheet9"));
    QGroupBox* programmi =
        groupBox(QStringLiteral("GroupBoxProgrammi"), QStringLiteral("Programmi da lanciare all'avvio"));
    programmi->setParent(this);
    redBoldTitle(programmi);
    auto* grid = new QGridLayout(programmi);
    const char* const captions[] = {"Browser Web:", "Posta elettronica:", "Altro:"};
    for (int i = 0; i < 3; ++i) {
        const QString caption = QString::fromUtf8(captions[i]);
        QLineEdit* edit = fileField(QStringLiteral("FilenameEdit%1").arg(i + 1), caption.chopped(1));
        QToolButton* sfoglia =
            fieldButton(QStringLiteral("FilenameEdit%1Button").arg(i + 1), QStringLiteral("Scegli il programma"));
        sfoglia->setAccessibleName(QStringLiteral("Scegli il programma: ") + caption.chopped(1));
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
            if (const std::optional<QString> scelto = m_pickers.program(this, edit->text()))
                edit->setText(*scelto);
        });
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(programmi);
    layout->addStretch();
}

void AvvioPage::mostra(const std::array<QString, 3>& programmi)
{
    for (size_t i = 0; i < m_programmi.size(); ++i)
        m_programmi[i]->setText(programmi[i]);
}

void AvvioPage::leggi(std::array<QString, 3>& programmi) const
{
    for (size_t i = 0; i < m_programmi.size(); ++i)
        programmi[i] = m_programmi[i]->text();
}
