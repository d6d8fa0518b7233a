#include "app/MainToolBar.h"

#include "app/TimePanels.h"
#include "widgets/Controls.h"
#include "widgets/Glyphs.h"

#include <QButtonGroup>
#include <QToolButton>

namespace {

const char* const classCaptions[] = {"T", "15", "30", ">"};
const char* const classHints[] = {"Tariffa urbana a tempo", "Fino a 15 Km", "Da 15 a 30 Km", "Oltre i 30 Km"};

QToolButton* makeButton(QToolBar* bar, const QString& name, const QString& hint, const QIcon& glyph = QIcon())
{
    QToolButton* button = Controls::toolButton(bar, name, hint, glyph);
    button->setAutoRaise(true);
    bar->addWidget(button);
    return button;
}

} // namespace

MainToolBar::MainToolBar(QWidget* parent)
    : QToolBar(parent)
{
    setObjectName(QStringLiteral("ToolBar1"));
    setMovable(false);
    setFloatable(false);

    SpeedButton1 =
        makeButton(this, QStringLiteral("SpeedButton1"), QStringLiteral("Riduce nella try bar"), Glyphs::trayButton());
    SpeedButton1->setEnabled(false);
    connect(SpeedButton1, &QToolButton::clicked, this, &MainToolBar::trayClicked);
    addSeparator();
    buildClassButtons();
    addSeparator();
    SpeedButton6 =
        makeButton(this, QStringLiteral("SpeedButton6"), QStringLiteral("Conteggio in corso"), Glyphs::lamp());
    SpeedButton6->setEnabled(false);
    addSeparator();
    buildStartStop();

    // Over the class buttons: the session's own controls stay in view.
    m_timePanels = new TimePanels(this, [this] {
        QRect area;
        for (const QAbstractButton* button : m_classButtons->buttons())
            area = area.united(button->geometry());
        return area;
    });
}

void MainToolBar::buildClassButtons()
{
    m_classButtons = new QButtonGroup(this);
    m_classButtons->setExclusive(true);
    for (int classe = 1; classe <= 4; ++classe) {
        QToolButton* button = makeButton(this, QStringLiteral("SpeedButton%1").arg(classe + 1),
                                         QString::fromUtf8(classHints[classe - 1]));
        button->setText(QString::fromUtf8(classCaptions[classe - 1]));
        button->setCheckable(true);
        button->setMinimumWidth(30);
        m_classButtons->addButton(button, classe);
    }
    connect(m_classButtons, &QButtonGroup::idClicked, this, &MainToolBar::classClicked);
}

void MainToolBar::buildStartStop()
{
    auto* startStop = new QButtonGroup(this);
    startStop->setExclusive(true);
    SpeedButton7 = makeButton(this, QStringLiteral("SpeedButton7"), QStringLiteral("Avvio"), Glyphs::start());
    SpeedButton7->setCheckable(true);
    SpeedButton8 = makeButton(this, QStringLiteral("SpeedButton8"), QStringLiteral("Arresto"), Glyphs::stop());
    SpeedButton8->setCheckable(true);
    SpeedButton8->setChecked(true);
    startStop->addButton(SpeedButton7);
    startStop->addButton(SpeedButton8);
    connect(SpeedButton7, &QToolButton::clicked, this, &MainToolBar::startClicked);
    connect(SpeedButton8, &QToolButton::clicked, this, &MainToolBar::stopClicked);
}

void MainToolBar::setTrayEnabled(bool enabled)
{
    SpeedButton1->setEnabled(enabled);
}

void MainToolBar::pressClass(int classe)
{
    if (QAbstractButton* button = m_classButtons->button(classe))
        button->setChecked(true);
}

void MainToolBar::setCounting(bool counting)
{
    SpeedButton6->setEnabled(counting);
    for (QAbstractButton* button : m_classButtons->buttons())
        button->setEnabled(!counting);
}

void MainToolBar::blink()
{
    SpeedButton6->setEnabled(!SpeedButton6->isEnabled());
}

void MainToolBar::showRunning(bool running)
{
    SpeedButton7->setChecked(running);
    SpeedButton8->setChecked(!running);
}
