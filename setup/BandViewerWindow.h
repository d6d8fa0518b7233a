#pragma once

#include "setup/BandViewer.h"

#include <QDialog>
#include <array>

class QGroupBox;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QVBoxLayout;
struct StatoProgramma;

// What the two band viewers share: a fixed window centred on the screen, the
// outer group box, the page control with one list of bands per kind of day
// and "Durata scatto" with the interval of the selected band. The window
// binds these controls to a BandViewer; it closes by itself and asks for its
// own destruction when it closes.
class BandViewerWindow : public QDialog
{
    Q_OBJECT
public:
    const BandViewer& viewer() const { return m_viewer; }

    void ListBox1Click();
    void ListBox2Click();
    void ListBox3Click();
    void PageControl1Change();
    void FormClose();

protected:
    // The creation: the controls and the lists filled from the start-up snapshot.
    BandViewerWindow(BandViewer::Kind kind, const StatoProgramma& stato, const QString& caption,
                     const QString& groupCaption, QWidget* parent);

    // The column beside the page control, holding "Durata scatto"; a viewer
    // puts its own controls above it.
    QVBoxLayout* sideColumn() const { return m_side; }
    // Fixes the window's size: the designed client size grown in proportion
    // with the font, and with whatever more its contents need.
    void fixSize(const QSize& designedClientSize);
    BandViewer& model() { return m_viewer; }
    // Shows the viewer's selections and interval in the controls.
    void refresh();

    void showEvent(QShowEvent* event) override;

private:
    QListWidget* makeList(int page);
    void listClicked(int page);
    void FormCreate();

    BandViewer m_viewer;
    bool m_centred = false;
    QGroupBox* GroupBox1 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    std::array<QListWidget*, BandViewer::pageCount> m_lists{};
    QLineEdit* Edit1 = nullptr;
    QVBoxLayout* m_side = nullptr;
};
