#include "setup/TfrmTele.h"

#include "widgets/NamedComboAccessible.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPointer>
#include <QVBoxLayout>

TfrmTele::TfrmTele(const StatoProgramma& stato, QWidget* parent)
    : BandViewerWindow(BandViewer::Kind::Teleselezione, stato, QStringLiteral("Tariffe Teleselezione"),
                       QStringLiteral("Tariffe Teleselezione in vigore"), parent)
{
    setObjectName(QStringLiteral("frmTele"));

    auto* distanza = new QGroupBox(QStringLiteral("Distanza"), this);
    distanza->setObjectName(QStringLiteral("GroupBox3"));
    distanza->setAccessibleName(distanza->title());
    NamedComboAccessible::install();
    ComboBox1 = new QComboBox(distanza);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    // A drop-down that also takes a typed text, as the viewer always had;
    // editable before it is named, for a screen reader to announce that name.
    ComboBox1->setEditable(true);
    ComboBox1->setAccessibleName(QStringLiteral("Distanza"));
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->lineEdit()->setAccessibleName(ComboBox1->accessibleName());
    ComboBox1->addItems(BandViewer::distances());
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* distanzaLayout = new QVBoxLayout(distanza);
    distanzaLayout->addWidget(ComboBox1);
    sideColumn()->insertWidget(0, distanza);
    sideColumn()->addStretch();

    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TfrmTele::ComboBox1Change);
    connect(ComboBox1, &QComboBox::editTextChanged, this, &TfrmTele::ComboBox1Change);
    fixSize(QSize(340, 208));
}

void TfrmTele::apri(QWidget* parent, Servizi&, StatoProgramma& stato)
{
    QPointer<TfrmTele> finestra = new TfrmTele(stato, parent);
    finestra->exec();
    delete finestra.data();
}

void TfrmTele::showEvent(QShowEvent* event)
{
    BandViewerWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TfrmTele::FormShow()
{
    const QSignalBlocker blocker(ComboBox1);
    ComboBox1->setCurrentIndex(0);
    model().shown();
    refresh();
}

void TfrmTele::ComboBox1Change()
{
    // A typed text that is not one of the items selects no distance.
    model().distanceChanged(ComboBox1->findText(ComboBox1->currentText(), Qt::MatchExactly));
    refresh();
}
