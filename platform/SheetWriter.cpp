#include "platform/SheetWriter.h"

#include "platform/ReplacingFile.h"
#include "platform/Shell.h"
#include "platform/XlsxFile.h"

#include <QDir>
#include <QFile>

SheetWriter::SheetWriter(QString directory, Shell* shell)
    : m_directory(std::move(directory))
    , m_shell(shell)
{
}

bool SheetWriter::open(const QString& service, const QString& topic)
{
    if (service.compare(QLatin1String("Excel"), Qt::CaseInsensitive) != 0 ||
        topic.compare(QLatin1String("System"), Qt::CaseInsensitive) != 0)
        return false;
    if (!m_sheet) {
        m_sheet.emplace();
        m_refused = false;
        m_refusal.clear();
        m_message.clear();
    }
    return true;
}

bool SheetWriter::execute(const QString& command, bool)
{
    if (!m_sheet)
        return false;
    if (m_sheet->execute(command))
        return true;
    m_refused = true;
    m_refusal = m_sheet->error();
    return false;
}

std::optional<QString> SheetWriter::request(const QString& item, int)
{
    if (!m_sheet)
        return std::nullopt;
    if (item.compare(QLatin1String("Status"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Ready");
    if (item.compare(QLatin1String("Selection"), Qt::CaseInsensitive) == 0)
        return m_sheet->selectionText();
    return std::nullopt;
}

bool SheetWriter::close(Ending ending)
{
    if (!m_sheet)
        return true;
    m_message.clear();
    bool kept = true;
    if (ending == Ending::Keep) {
        if (m_refused) {
            m_message =
                QStringLiteral("Il foglio non è stato salvato: un comando non è stato eseguito (%1)").arg(m_refusal);
            kept = false;
        } else {
            kept = save();
        }
    }
    m_sheet.reset();
    return kept;
}

bool SheetWriter::save()
{
    const QString path = QDir(m_directory).filePath(m_documentName + QStringLiteral(".xlsx"));
    const auto fallito = [&](const QString& motivo) {
        m_message = QStringLiteral("Impossibile scrivere il file %1: %2").arg(path, motivo);
        return false;
    };
    // The workbook is written beside its name, in the data directory, and
    // takes the name only when whole: a writer killed half-way leaves a
    // leftover there that the next start removes, and nothing elsewhere.
    ReplacingFile file(path);
    if (!file.open())
        return fallito(file.errorString());
    const QString errore = XlsxFile::write(*m_sheet, file.workingName());
    if (!errore.isEmpty()) {
        file.cancelWriting();
        return fallito(errore);
    }
    if (!file.commit())
        return fallito(file.errorString());
    m_savedPath = path;

    if (m_shell && m_shell->open(path, Shell::ShowMode::Normal) < Shell::Started)
        m_message = QStringLiteral("Il foglio è stato salvato in %1, ma nessun programma ha potuto aprirlo.").arg(path);
    return true;
}
