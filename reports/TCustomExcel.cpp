#include "reports/TCustomExcel.h"

#include "platform/Clock.h"

#include <QCoreApplication>
#include <QFile>

namespace {

const QString servizio = QStringLiteral("Excel");
const QString argomento = QStringLiteral("System");

} // namespace

ExcelError::ExcelError(const QString& message)
    : std::runtime_error(message.toStdString())
{
}

QString ExcelError::message() const
{
    return QString::fromStdString(what());
}

TCustomExcel::TCustomExcel(SheetTransport& transport, const Clock& clock)
    : m_transport(transport)
    , m_clock(clock)
{
}

TCustomExcel::~TCustomExcel()
{
    EndConversation();
}

QString TCustomExcel::NoReply()
{
    return QStringLiteral("*** Excel - No Reply ***");
}

bool TCustomExcel::Connected() const
{
    return m_transport.isConnected();
}

void TCustomExcel::setExeName(const QString& exeName)
{
    EndConversation();
    m_exeName = exeName;
}

bool TCustomExcel::apri()
{
    if (m_transport.open(servizio, argomento))
        return true;
    const QString programma = m_exeName.isEmpty() ? servizio + QLatin1Char(' ') + argomento : m_exeName;
    return m_transport.launch(programma) && m_transport.open(servizio, argomento);
}

void TCustomExcel::StartConversation()
{
    if (Connected())
        return;
    m_contatore = 0;
    if (apri()) {
        QueryItem(QStringLiteral("Selection"));
        return;
    }
    LocateProgram();
    if (!apri())
        throw ExcelError(QStringLiteral("Excel could not be launched"));
}

bool TCustomExcel::EndConversation(SheetTransport::Ending ending)
{
    if (!Connected())
        return ending == SheetTransport::Ending::Abandon;
    return m_transport.close(ending);
}

void TCustomExcel::SendCommand(const QString& command)
{
    if (++m_contatore == m_burstCount) {
        WaitUntilReady();
        m_contatore = 0;
    }
    if (m_transport.execute(command, false))
        return;
    WaitUntilReady();
    if (!m_transport.execute(command, true))
        throw ExcelError(QStringLiteral("\"%1\" not accepted by Excel").arg(command));
}

QString TCustomExcel::QueryItem(const QString& item)
{
    return m_transport.request(item, TimeoutRichiesta).value_or(NoReply());
}

bool TCustomExcel::IsReady()
{
    QCoreApplication::processEvents();
    return QueryItem(QStringLiteral("Status")) == QLatin1String("Ready");
}

void TCustomExcel::WaitUntilReady()
{
    const QDateTime inizio = m_clock.now();
    while (m_transport.isBusy() || !IsReady()) {
        if (inizio.msecsTo(m_clock.now()) >= AttesaMassima)
            throw ExcelError(QStringLiteral("Microsoft Excel\u00ae non risponde"));
        QCoreApplication::processEvents();
    }
}

void TCustomExcel::GoToCell(int row, int column)
{
    if (row != 0 && column != 0)
        SendCommand(QStringLiteral("[SELECT(\"R%1C%2\")]").arg(row).arg(column));
}

void TCustomExcel::ShiftSelection(int rows, int columns)
{
    SendCommand(QStringLiteral("[SELECT(\"R[%1]C[%2]\")]").arg(rows).arg(columns));
}

void TCustomExcel::WriteText(const QString& text)
{
    QString testo = text;
    testo.replace(QLatin1Char('"'), QLatin1String("\"\""));
    SendCommand(QStringLiteral("[FORMULA(\"%1\")]").arg(testo));
    switch (m_moveActiveCell) {
    case TCellDir::dirNone:
        break;
    case TCellDir::dirUp:
        SendCommand(QStringLiteral("[SELECT(\"R[-1]C\")]"));
        break;
    case TCellDir::dirDown:
        SendCommand(QStringLiteral("[SELECT(\"R[1]C\")]"));
        break;
    case TCellDir::dirLeft:
        SendCommand(QStringLiteral("[SELECT(\"RC[-1]\")]"));
        break;
    case TCellDir::dirRight:
        SendCommand(QStringLiteral("[SELECT(\"RC[1]\")]"));
        break;
    }
}

void TCustomExcel::LocateProgram()
{
    const QString classe = m_transport.associationValue(QStringLiteral(".xls"));
    if (classe.isEmpty())
        return;
    QString comando = m_transport.associationValue(classe + QStringLiteral("\\shell\\Open\\command"));
    // Case does not matter in the program's name, but the rest of the path
    // keeps its own on file systems where it does.
    const QString file = QStringLiteral("EXCEL.EXE");
    const qsizetype dove = comando.lastIndexOf(file, -1, Qt::CaseInsensitive);
    if (dove < 0)
        return;
    comando.truncate(dove + file.size());
    const qsizetype virgolette = comando.indexOf(QLatin1Char('"'));
    if (virgolette >= 0)
        comando = comando.mid(virgolette + 1);
    setExeName(comando.left(comando.size() - 4));
    if (!QFile::exists(m_exeName + comando.right(4)))
        m_exeName.clear();
}
