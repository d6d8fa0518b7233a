#include "setup/BandViewerWindow.h"

#include "widgets/ScreenCentre.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

// The height of a line of the font the windows were drawn with (8-point
// sans serif at 96 dpi): the desktop's font grows them in proportion.
constexpr double designedLineHeight = 13.0;
constexpr int designedListFontPixels = 13;
constexpr int designedItemHeight = 16;

double fontScale(const QFont& font)
{
    return QFontMetrics(font).height() / designedLineHeight;
}

// The lists' bold font, 13 pixels at the designed font and as much larger as the desktop's font is.
QFont listFont(const QFont& base)
{
    QFont font = base;
    font.setPixelSize(static_cast<int>(std::lround(designedListFontPixels * std::max(1.0, fontScale(base)))));
    font.setBold(true);
    return font;
}

// A list whose selection only the user moves. Taking the focus with no band
// selected (a page switch with the focus in the list, a Tab) selects none:
// the toolkit's own list would make the first band current and the viewer
// would show its interval.
class BandList : public QListWidget
{
protected:
    void focusInEvent(QFocusEvent* event) override
    {
        const bool none = !currentIndex().isValid();
        const QSignalBlocker blocker(this);
        QListWidget::focusInEvent(event);
        if (none && currentIndex().isValid())
            selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
};

} // namespace

BandViewerWindow::BandViewerWindow(BandViewer::Kind kind, const StatoProgramma& stato, const QString& caption,
                                   const QString& groupCaption, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_viewer(kind, stato)
{
    setWindowTitle(caption);

    GroupBox1 = new QGroupBox(groupCaption, this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setAccessibleName(groupCaption);

    PageControl1 = new QTabWidget(GroupBox1);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    // Every page's caption stays readable: no scroll arrows over the tabs.
    PageControl1->tabBar()->setUsesScrollButtons(false);
    PageControl1->tabBar()->setElideMode(Qt::ElideNone);
    const QStringList captions = BandViewer::pageCaptions();
    for (int page = 0; page < BandViewer::pageCount; ++page) {
        auto* sheet = new QWidget(PageControl1);
        sheet->setObjectName(QStringLiteral("TabSheet%1").arg(page + 1));
        auto* sheetLayout = new QVBoxLayout(sheet);
        sheetLayout->setContentsMargins(4, 4, 4, 4);
        sheetLayout->addWidget(makeList(page));
        PageControl1->addTab(sheet, captions.at(page));
    }
    connect(PageControl1, &QTabWidget::currentChanged, this, &BandViewerWindow::PageControl1Change);

    auto* durata = new QGroupBox(QStringLiteral("Durata scatto"), GroupBox1);
    durata->setObjectName(QStringLiteral("GroupBox2"));
    durata->setAccessibleName(durata->title());
    Edit1 = new QLineEdit(QStringLiteral("0"), durata);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setAccessibleName(QStringLiteral("Durata scatto"));
    Edit1->setReadOnly(true);
    Edit1->setAlignment(Qt::AlignCenter);
    QFont bold = Edit1->font();
    bold.setBold(true);
    Edit1->setFont(bold);
    Edit1->setMinimumWidth(QFontMetrics(bold).horizontalAdvance(QStringLiteral("000000")) + 12);
    auto* decimi = new QLabel(QStringLiteral("(decimi di secondo)"), durata);
    decimi->setObjectName(QStringLiteral("Label1"));
    decimi->setAlignment(Qt::AlignCenter);
    auto* durataLayout = new QVBoxLayout(durata);
    durataLayout->addWidget(Edit1);
    durataLayout->addWidget(decimi);

    m_side = new QVBoxLayout;
    m_side->addWidget(durata);
    auto* inside = new QHBoxLayout(GroupBox1);
    inside->addWidget(PageControl1, 1);
    inside->addLayout(m_side);
    auto* outside = new QVBoxLayout(this);
    outside->setContentsMargins(8, 8, 8, 8);
    outside->addWidget(GroupBox1);

    connect(this, &QDialog::finished, this, &BandViewerWindow::FormClose);
    FormCreate();
}

QListWidget* BandViewerWindow::makeList(int page)
{
    auto* list = new BandList;
    list->setObjectName(QStringLiteral("ListBox%1").arg(page + 1));
    list->setAccessibleName(BandViewer::pageCaptions().at(page));
    list->setFont(listFont(font()));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true);
    // A click on the band already selected shows its interval again (after
    // another page's band was shown); the keys move the selection too.
    connect(list, &QListWidget::itemClicked, this, [this, page] { listClicked(page); });
    connect(list, &QListWidget::currentRowChanged, this, [this, page] { listClicked(page); });
    m_lists[static_cast<size_t>(page)] = list;
    return list;
}

void BandViewerWindow::FormCreate()
{
    for (int page = 0; page < BandViewer::pageCount; ++page) {
        QListWidget* list = m_lists[static_cast<size_t>(page)];
        const QSignalBlocker blocker(list);
        const QFontMetrics metrics(list->font());
        const int height = std::max(
            static_cast<int>(std::lround(designedItemHeight * std::max(1.0, fontScale(font())))), metrics.height() + 2);
        int widest = 0;
        for (const QString& text : m_viewer.items(page)) {
            auto* item = new QListWidgetItem(text, list);
            const int width = metrics.horizontalAdvance(text) + 8;
            item->setSizeHint(QSize(width, height));
            widest = std::max(widest, width);
        }
        // Every band stays readable, whole, with room for a scroll bar.
        const int frame = 2 * list->frameWidth();
        list->setMinimumWidth(widest + frame + list->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
        list->setMinimumHeight(BandViewer::maxBands * height + frame + 4);
    }
    refresh();
}

void BandViewerWindow::fixSize(const QSize& designedClientSize)
{
    // The window grows by one factor in both directions, so that it keeps its
    // designed proportions: the desktop font's, or more where the contents need it.
    const QSize needed = minimumSizeHint();
    const double scale =
        std::max({1.0, fontScale(font()), static_cast<double>(needed.width()) / designedClientSize.width(),
                  static_cast<double>(needed.height()) / designedClientSize.height()});
    const QSize grown(static_cast<int>(std::ceil(designedClientSize.width() * scale)),
                      static_cast<int>(std::ceil(designedClientSize.height() * scale)));
    setFixedSize(grown.expandedTo(needed));
}

void BandViewerWindow::refresh()
{
    for (int page = 0; page < BandViewer::pageCount; ++page) {
        QListWidget* list = m_lists[static_cast<size_t>(page)];
        const QSignalBlocker blocker(list);
        const int row = m_viewer.selectedRow(page);
        if (row == BandViewer::none) {
            list->clearSelection();
            list->setCurrentRow(-1);
        } else {
            list->setCurrentRow(row);
        }
    }
    Edit1->setText(m_viewer.intervallo());
}

void BandViewerWindow::listClicked(int page)
{
    m_viewer.bandClicked(page, m_lists[static_cast<size_t>(page)]->currentRow());
    refresh();
}

void BandViewerWindow::ListBox1Click()
{
    listClicked(0);
}

void BandViewerWindow::ListBox2Click()
{
    listClicked(1);
}

void BandViewerWindow::ListBox3Click()
{
    listClicked(2);
}

void BandViewerWindow::PageControl1Change()
{
    m_viewer.pageChanged(PageControl1->currentIndex());
    refresh();
}

void BandViewerWindow::FormClose()
{
    deleteLater();
}

void BandViewerWindow::showEvent(QShowEvent* event)
{
    if (!m_centred) {
        m_centred = true;
        centreOnScreen(*this);
    }
    QDialog::showEvent(event);
}
