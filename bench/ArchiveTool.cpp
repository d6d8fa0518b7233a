// Archives and in-process timings for bench/run-targets.
//
//   brenvolo_bench_archive generate FILE --end DD/MM/YYYY --years N (--calls K | --megabytes M)
//       writes an archive of N years of calls ending on that day, with the
//       usual irregularities, K calls a day on average or about M megabytes
//   brenvolo_bench_archive pass FILE --from DD/MM/YYYY --to DD/MM/YYYY [--times N]
//       times the statistics pass over the range and a plain loop that reads
//       the file and counts its lines, alternately, and prints the fastest
//       run of each in milliseconds and their ratio (the fastest is the one
//       least disturbed by the other processes of a shared machine)
#include "archive/CalcolaConsumi.h"
#include "settings/Conversion.h"
#include "settings/StatoProgramma.h"
#include "tests/support/ArchiveGenerator.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <algorithm>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

QString option(const QStringList& arguments, const QString& name)
{
    const qsizetype at = arguments.indexOf(name);
    return at >= 0 && at + 1 < arguments.size() ? arguments.at(at + 1) : QString();
}

// What a generated call takes in the file on average, opening and closing
// records with their line ends.
constexpr double bytesPerCall = 98.0;

int generate(const QString& file, const QStringList& arguments)
{
    const QDate end = strToDate(option(arguments, QStringLiteral("--end")));
    const int years = option(arguments, QStringLiteral("--years")).toInt();
    ArchiveGenerator::Options o;
    o.firstDay = end.addYears(-years).addDays(1);
    o.days = static_cast<int>(o.firstDay.daysTo(end) + 1);
    o.emptyLines = 0.02;
    o.oldOpenings = 0.01;
    const double megabytes = option(arguments, QStringLiteral("--megabytes")).toDouble();
    if (megabytes > 0)
        o.callsPerDay = std::max(1, qRound(megabytes * 1e6 / bytesPerCall / o.days));
    else
        o.callsPerDay = std::max(1, option(arguments, QStringLiteral("--calls")).toInt());
    return ArchiveGenerator::write(file, o) ? 0 : 1;
}

qint64 countLines(const QByteArray& path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    std::vector<char> buffer(64 * 1024);
    qint64 lines = 0;
    ssize_t n = 0;
    while ((n = ::read(fd, buffer.data(), buffer.size())) > 0) {
        const char* p = buffer.data();
        const char* const end = p + n;
        while ((p = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p))))) {
            ++lines;
            ++p;
        }
    }
    ::close(fd);
    return lines;
}

template <typename Work> double milliseconds(Work&& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double fastest(const std::vector<double>& values)
{
    return *std::min_element(values.begin(), values.end());
}

int pass(const QString& file, const QStringList& arguments)
{
    const QDate from = strToDate(option(arguments, QStringLiteral("--from")));
    const QDate to = strToDate(option(arguments, QStringLiteral("--to")));
    const int times = std::max(1, option(arguments, QStringLiteral("--times")).toInt());
    const StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    const PricingSettings prezzi;
    const QByteArray path = QFile::encodeName(file);

    std::vector<double> passes;
    std::vector<double> loops;
    qint64 lines = 0;
    ConsumiResult result;
    // Alternated, so that both see the same state of a shared machine.
    for (int i = 0; i < times; ++i) {
        passes.push_back(milliseconds([&] { result = scanConsumi(file, from, to, stato, prezzi); }));
        loops.push_back(milliseconds([&] { lines = countLines(path); }));
    }
    if (result.outcome != ConsumiResult::Outcome::Done || lines < 0) {
        QTextStream(stderr) << "the pass failed: " << result.message << '\n';
        return 1;
    }
    const double p = fastest(passes);
    const double l = fastest(loops);
    QTextStream(stdout) << QString::number(p, 'f', 3) << ' ' << QString::number(l, 'f', 3) << ' '
                        << QString::number(p / l, 'f', 2) << ' ' << lines << ' ' << result.totals.collegamenti << '\n';
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.size() < 2) {
        QTextStream(stderr) << "usage: brenvolo_bench_archive generate|pass FILE OPTIONS\n";
        return 2;
    }
    const QString command = arguments.takeFirst();
    const QString file = arguments.takeFirst();
    try {
        if (command == QLatin1String("generate"))
            return generate(file, arguments);
        if (command == QLatin1String("pass"))
            return pass(file, arguments);
    } catch (const EConvertError& error) {
        QTextStream(stderr) << error.message() << '\n';
        return 2;
    }
    QTextStream(stderr) << "unknown command " << command << '\n';
    return 2;
}
