#include "platform/XlsxFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <locale.h>
#include <unistd.h>
#include <xlsxwriter.h>

namespace {

constexpr double larghezzaMinima = 8.43; // characters, the sheet's own column width

// libxlsxwriter, opened the first time a workbook is written: linked to the
// programs, it and what it needs (zlib, minizip, a cryptography library)
// would be loaded and relocated at every start of the program and of every
// brenvolo-cli command, for the one feature that uses it.
struct Libreria
{
    decltype(&::workbook_new_opt) workbook_new_opt = nullptr;
    decltype(&::workbook_add_worksheet) workbook_add_worksheet = nullptr;
    decltype(&::workbook_add_format) workbook_add_format = nullptr;
    decltype(&::workbook_close) workbook_close = nullptr;
    decltype(&::worksheet_write_string) worksheet_write_string = nullptr;
    decltype(&::worksheet_write_number) worksheet_write_number = nullptr;
    decltype(&::worksheet_write_datetime) worksheet_write_datetime = nullptr;
    decltype(&::worksheet_write_blank) worksheet_write_blank = nullptr;
    decltype(&::worksheet_set_column) worksheet_set_column = nullptr;
    decltype(&::worksheet_set_paper) worksheet_set_paper = nullptr;
    decltype(&::worksheet_fit_to_pages) worksheet_fit_to_pages = nullptr;
    decltype(&::format_set_font_name) format_set_font_name = nullptr;
    decltype(&::format_set_font_size) format_set_font_size = nullptr;
    decltype(&::format_set_bold) format_set_bold = nullptr;
    decltype(&::format_set_italic) format_set_italic = nullptr;
    decltype(&::format_set_underline) format_set_underline = nullptr;
    decltype(&::format_set_font_strikeout) format_set_font_strikeout = nullptr;
    decltype(&::format_set_align) format_set_align = nullptr;
    decltype(&::format_set_text_wrap) format_set_text_wrap = nullptr;
    decltype(&::format_set_rotation) format_set_rotation = nullptr;
    decltype(&::format_set_num_format) format_set_num_format = nullptr;
    decltype(&::lxw_strerror) lxw_strerror = nullptr;
    QString errore; // why the library cannot be used; empty when it can
};

Libreria carica()
{
    Libreria l;
    void* handle = ::dlopen(BRENVOLO_XLSXWRITER_SONAME, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        l.errore = QStringLiteral("impossibile caricare la libreria dei fogli di calcolo: %1")
                       .arg(QString::fromLocal8Bit(::dlerror()));
        return l;
    }
    const auto simbolo = [&](auto& funzione, const char* nome) {
        void* trovato = ::dlsym(handle, nome);
        static_assert(sizeof funzione == sizeof trovato);
        std::memcpy(&funzione, &trovato, sizeof trovato);
        if (!trovato && l.errore.isEmpty())
            l.errore =
                QStringLiteral("la libreria dei fogli di calcolo non ha la funzione %1").arg(QLatin1String(nome));
    };
    simbolo(l.workbook_new_opt, "workbook_new_opt");
    simbolo(l.workbook_add_worksheet, "workbook_add_worksheet");
    simbolo(l.workbook_add_format, "workbook_add_format");
    simbolo(l.workbook_close, "workbook_close");
    simbolo(l.worksheet_write_string, "worksheet_write_string");
    simbolo(l.worksheet_write_number, "worksheet_write_number");
    simbolo(l.worksheet_write_datetime, "worksheet_write_datetime");
    simbolo(l.worksheet_write_blank, "worksheet_write_blank");
    simbolo(l.worksheet_set_column, "worksheet_set_column");
    simbolo(l.worksheet_set_paper, "worksheet_set_paper");
    simbolo(l.worksheet_fit_to_pages, "worksheet_fit_to_pages");
    simbolo(l.format_set_font_name, "format_set_font_name");
    simbolo(l.format_set_font_size, "format_set_font_size");
    simbolo(l.format_set_bold, "format_set_bold");
    simbolo(l.format_set_italic, "format_set_italic");
    simbolo(l.format_set_underline, "format_set_underline");
    simbolo(l.format_set_font_strikeout, "format_set_font_strikeout");
    simbolo(l.format_set_align, "format_set_align");
    simbolo(l.format_set_text_wrap, "format_set_text_wrap");
    simbolo(l.format_set_rotation, "format_set_rotation");
    simbolo(l.format_set_num_format, "format_set_num_format");
    simbolo(l.lxw_strerror, "lxw_strerror");
    return l;
}

const Libreria& libreria()
{
    static const Libreria caricata = carica();
    return caricata;
}

uint8_t orizzontale(int allineamento)
{
    switch (allineamento) {
    case 2:
        return LXW_ALIGN_LEFT;
    case 3:
        return LXW_ALIGN_CENTER;
    case 4:
        return LXW_ALIGN_RIGHT;
    case 5:
        return LXW_ALIGN_FILL;
    case 6:
        return LXW_ALIGN_JUSTIFY;
    case 7:
        return LXW_ALIGN_CENTER_ACROSS;
    default:
        return LXW_ALIGN_NONE;
    }
}

uint8_t verticale(int allineamento)
{
    switch (allineamento) {
    case 1:
        return LXW_ALIGN_VERTICAL_TOP;
    case 2:
        return LXW_ALIGN_VERTICAL_CENTER;
    case 4:
        return LXW_ALIGN_VERTICAL_JUSTIFY;
    default:
        return LXW_ALIGN_VERTICAL_BOTTOM;
    }
}

int16_t rotazione(int orientamento)
{
    switch (orientamento) {
    case 1:
        return 270; // letters stacked top to bottom
    case 2:
        return 90;
    case 3:
        return -90;
    default:
        return 0;
    }
}

// One format per look that cells share; the workbook owns them.
class Formati
{
public:
    Formati(const Libreria& xlsx, lxw_workbook* workbook)
        : m_xlsx(xlsx)
        , m_workbook(workbook)
    {
    }

    lxw_format* per(const SheetCommands::Style& s, bool data)
    {
        const SheetCommands::Style predefinito;
        if (s == predefinito && !data)
            return nullptr;
        const QString chiave = QStringLiteral("%1|%2|%3%4%5%6|%7|%8|%9|%10|%11")
                                   .arg(s.fontName)
                                   .arg(s.fontSize)
                                   .arg(s.bold)
                                   .arg(s.italic)
                                   .arg(s.underline)
                                   .arg(s.strikeout)
                                   .arg(s.horizontal)
                                   .arg(s.wrap)
                                   .arg(s.vertical)
                                   .arg(s.orientation)
                                   .arg(data);
        lxw_format*& f = m_formati[chiave];
        if (f)
            return f;
        f = m_xlsx.workbook_add_format(m_workbook);
        if (!s.fontName.isEmpty())
            m_xlsx.format_set_font_name(f, s.fontName.toUtf8().constData());
        if (s.fontSize > 0)
            m_xlsx.format_set_font_size(f, s.fontSize);
        if (s.bold)
            m_xlsx.format_set_bold(f);
        if (s.italic)
            m_xlsx.format_set_italic(f);
        if (s.underline)
            m_xlsx.format_set_underline(f, LXW_UNDERLINE_SINGLE);
        if (s.strikeout)
            m_xlsx.format_set_font_strikeout(f);
        if (orizzontale(s.horizontal) != LXW_ALIGN_NONE)
            m_xlsx.format_set_align(f, orizzontale(s.horizontal));
        if (s.vertical != predefinito.vertical)
            m_xlsx.format_set_align(f, verticale(s.vertical));
        if (s.wrap)
            m_xlsx.format_set_text_wrap(f);
        if (rotazione(s.orientation) != 0)
            m_xlsx.format_set_rotation(f, rotazione(s.orientation));
        if (data)
            m_xlsx.format_set_num_format(f, "dd/mm/yyyy");
        return f;
    }

private:
    const Libreria& m_xlsx;
    lxw_workbook* m_workbook;
    QHash<QString, lxw_format*> m_formati;
};

// The library writes the sheet's numbers (column widths, margins, cell
// values) with the C library's printf, which follows the process's numeric
// locale: under an Italian one it writes "12,71", which no reader accepts.
// While it lives, this thread formats numbers the C way; the rest of the
// locale, and every other thread, stay as they were.
class NumeriAllaC
{
public:
    NumeriAllaC()
    {
        if (const locale_t base = ::duplocale(LC_GLOBAL_LOCALE))
            m_c = ::newlocale(LC_NUMERIC_MASK, "C", base);
        if (m_c)
            m_prima = ::uselocale(m_c);
    }
    ~NumeriAllaC()
    {
        if (!m_c)
            return;
        ::uselocale(m_prima);
        ::freelocale(m_c);
    }
    NumeriAllaC(const NumeriAllaC&) = delete;
    NumeriAllaC& operator=(const NumeriAllaC&) = delete;

private:
    locale_t m_c{};
    locale_t m_prima{};
};

// The library reports its failures on standard error in English, with the
// name of the file being written; the caller reports them in Italian. While
// it lives, standard error goes nowhere.
class ErroriDellaLibreria
{
public:
    ErroriDellaLibreria()
    {
        std::fflush(stderr);
        m_salvato = ::dup(STDERR_FILENO);
        const int nulla = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (m_salvato >= 0 && nulla >= 0)
            ::dup2(nulla, STDERR_FILENO);
        if (nulla >= 0)
            ::close(nulla);
    }
    ~ErroriDellaLibreria()
    {
        if (m_salvato < 0)
            return;
        std::fflush(stderr);
        ::dup2(m_salvato, STDERR_FILENO);
        ::close(m_salvato);
    }
    ErroriDellaLibreria(const ErroriDellaLibreria&) = delete;
    ErroriDellaLibreria& operator=(const ErroriDellaLibreria&) = delete;

private:
    int m_salvato = -1;
};

// Characters a cell's content shows, to size its column.
int caratteri(const SheetCommands::Cell& c)
{
    switch (c.kind) {
    case SheetCommands::Cell::Kind::Text:
        return static_cast<int>(c.text.size());
    case SheetCommands::Cell::Kind::Number:
        return static_cast<int>(QString::number(c.number, 'g', 15).size());
    case SheetCommands::Cell::Kind::Date:
        return 10;
    case SheetCommands::Cell::Kind::Empty:
        break;
    }
    return 0;
}

// Every cell with its look; each column's width in characters into `larghezze`.
lxw_error scriviCelle(const Libreria& xlsx, lxw_worksheet* foglio, Formati& formati, const SheetCommands& sheet,
                      QHash<int, int>& larghezze)
{
    lxw_error errore = LXW_NO_ERROR;
    for (auto it = sheet.cells().begin(); errore == LXW_NO_ERROR && it != sheet.cells().end(); ++it) {
        const lxw_row_t riga = static_cast<lxw_row_t>(it->first.first - 1);
        const lxw_col_t colonna = static_cast<lxw_col_t>(it->first.second - 1);
        const SheetCommands::Cell& c = it->second;
        lxw_format* formato = formati.per(c.style, c.kind == SheetCommands::Cell::Kind::Date);
        switch (c.kind) {
        case SheetCommands::Cell::Kind::Text:
            errore = xlsx.worksheet_write_string(foglio, riga, colonna, c.text.toUtf8().constData(), formato);
            break;
        case SheetCommands::Cell::Kind::Number:
            errore = xlsx.worksheet_write_number(foglio, riga, colonna, c.number, formato);
            break;
        case SheetCommands::Cell::Kind::Date: {
            lxw_datetime quando{c.date.year(), c.date.month(), c.date.day(), 0, 0, 0};
            errore = xlsx.worksheet_write_datetime(foglio, riga, colonna, &quando, formato);
            break;
        }
        case SheetCommands::Cell::Kind::Empty:
            errore = xlsx.worksheet_write_blank(foglio, riga, colonna, formato);
            break;
        }
        const int grassetto = c.style.bold ? 2 : 0;
        larghezze[it->first.second] = qMax(larghezze.value(it->first.second), caratteri(c) + grassetto);
    }
    return errore;
}

// Columns wide enough for what they hold; printed on A4, every column on one
// page across (as many pages down as the rows need).
lxw_error impagina(const Libreria& xlsx, lxw_worksheet* foglio, const QHash<int, int>& larghezze)
{
    lxw_error errore = LXW_NO_ERROR;
    for (auto it = larghezze.cbegin(); errore == LXW_NO_ERROR && it != larghezze.cend(); ++it) {
        const double larghezza = qMax(larghezzaMinima, it.value() * 1.1 + 1);
        const lxw_col_t colonna = static_cast<lxw_col_t>(it.key() - 1);
        errore = xlsx.worksheet_set_column(foglio, colonna, colonna, larghezza, nullptr);
    }
    xlsx.worksheet_set_paper(foglio, 9);
    xlsx.worksheet_fit_to_pages(foglio, 1, 0);
    return errore;
}

} // namespace

QString XlsxFile::write(const SheetCommands& sheet, const QString& path)
{
    const Libreria& xlsx = libreria();
    if (!xlsx.errore.isEmpty())
        return xlsx.errore;
    // The library's scratch files go beside the workbook and are unlinked as
    // soon as they are made: a writer killed half-way leaves none of them,
    // and no folder of its own anywhere.
    const NumeriAllaC numeri;
    const ErroriDellaLibreria taciuti;
    QByteArray tmpdir = QFile::encodeName(QFileInfo(path).absolutePath());
    lxw_workbook_options opzioni{LXW_FALSE, tmpdir.data(), LXW_FALSE};
    lxw_workbook* workbook = xlsx.workbook_new_opt(QFile::encodeName(path).constData(), &opzioni);
    if (!workbook)
        return QStringLiteral("impossibile creare la cartella di lavoro %1").arg(path);
    lxw_worksheet* foglio = xlsx.workbook_add_worksheet(workbook, "Foglio1");
    Formati formati(xlsx, workbook);
    QHash<int, int> larghezze;
    lxw_error errore = foglio ? scriviCelle(xlsx, foglio, formati, sheet, larghezze) : LXW_ERROR_MEMORY_MALLOC_FAILED;
    if (errore == LXW_NO_ERROR)
        errore = impagina(xlsx, foglio, larghezze);

    errno = 0;
    const lxw_error chiusura = xlsx.workbook_close(workbook);
    // A file the system refused (a full disk) is told in the system's words.
    const int sistema = errno;
    if (errore == LXW_NO_ERROR)
        errore = chiusura;
    if (errore != LXW_NO_ERROR) {
        QFile::remove(path);
        return chiusura != LXW_NO_ERROR && sistema != 0 ? QString::fromLocal8Bit(std::strerror(sistema))
                                                        : QString::fromUtf8(xlsx.lxw_strerror(errore));
    }
    return QString();
}
