#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

QString guide()
{
    QFile file(QStringLiteral(BRENVOLO_GUIDE));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

// "&Sommario" opens a guide that names what the user meets: every menu item
// of the main window, its tray icon, the compact strip and the statistics
// window, the display modes, and every command of brenvolo-cli.
TEST(HelpGuide, NamesEveryMenuItemModeAndCommand)
{
    const QString text = guide();
    ASSERT_FALSE(text.isEmpty());
    const char* const names[] = {
        // Main window.
        "Salva Posizione", "Principale", "Entrambe", "Setup", "Visualizza costi", "Conversione vecchi archivi", "Esci",
        "Statistiche", "Visualizza le Fasce TUT", "Visualizza fasce teleselezione", "Forza il conteggio Festivo",
        "Sommario", "Informazioni su...",
        // Tray icon.
        "Ripristina", "Avvia il conteggio", "Arresta il conteggio", "Info",
        // Compact strip.
        "Visualizza fasce TUT", "Visualizza fasce Teleselezione", "Forza conteggio festivo", "Scelta tariffa",
        "Minimizza", "Preferenze",
        // Statistics window and export.
        "Calcola", "Visualizza File di conteggio", "Cancella File di conteggio", "Scegli file di conteggio", "Attuale",
        "Altro File", "Su File di Testo", "Cartella Microsoft Excel®", "Andamento",
        // Display modes.
        "normale", "avvia nella try bar", "visualizza come barra", "avvia ridotto a icona",
        // Preferences pages.
        "Generale", "Fasce orarie", "Festività", "Connessione automatica", "Avvio Automatico", "Limiti Ore", "Numeri",
        // Maintenance.
        "Cancellazione archivio chiamate", "Aggiunta Chiusura Mancante", "tqklog_old.txt", "tqklog.tx~",
        // Dial-up sources.
        "pppd", "BRENVOLO_DIALUP_SCRIPT",
        // Command-line tool.
        "brenvolo-cli", "consumi", "andamento", "esporta", "limiti", "intervallo", "pasqua", "valida", "converti",
        "ripara", "impostazioni"};
    for (const char* name : names)
        EXPECT_TRUE(text.contains(QString::fromUtf8(name))) << name;
}

// One file the browser opens as it is: its style inside, nothing fetched from elsewhere.
TEST(HelpGuide, IsASelfContainedItalianPage)
{
    const QString text = guide();
    EXPECT_TRUE(text.contains(QStringLiteral("<html lang=\"it\">")));
    EXPECT_TRUE(text.contains(QStringLiteral("<meta charset=\"utf-8\">")));
    EXPECT_TRUE(text.contains(QStringLiteral("<style>")));
    EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("<(link|script|img|iframe)\\b"))));
    EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("(src|href)=\"(https?:)?//"))));
    // Every link inside the page lands on a section of it.
    const QRegularExpression link(QStringLiteral("href=\"#([^\"]+)\""));
    for (auto it = link.globalMatch(text); it.hasNext();) {
        const QString anchor = it.next().captured(1);
        EXPECT_TRUE(text.contains(QStringLiteral("id=\"%1\"").arg(anchor))) << anchor.toStdString();
    }
}
