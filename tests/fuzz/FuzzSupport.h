#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstddef>
#include <cstdint>

// What the fuzz targets share: the process set up as the tests set it up,
// an input cut into the files it stands for, and a fresh directory for each
// input.
namespace FuzzSupport {

// Call from LLVMFuzzerInitialize: Rome's time zone, the C locale with UTF-8
// and a QCoreApplication, as every test has them.
void initialize(int* argc, char*** argv);

// The input cut at form feeds into `count` parts: the files of one case, in
// a fixed order. Missing parts are empty; the last part keeps any further
// form feed.
QList<QByteArray> parts(const std::uint8_t* data, std::size_t size, qsizetype count);

// An empty directory for the input being run, emptied of the previous
// input's files, below a temporary directory of the process ($TMPDIR,
// /dev/shm for the runs of tools/run-fuzz).
QString freshDirectory();

// Writes `bytes` to `path`, making its folders, with a modification time no
// earlier file had; aborts when it cannot, since the target then tests nothing.
void writeFile(const QString& path, const QByteArray& bytes);

// Reports a finding that is no crash by itself (two readings that disagree) and aborts, so
// that the fuzzer keeps the input.
[[noreturn]] void fail(const QString& what);

} // namespace FuzzSupport
