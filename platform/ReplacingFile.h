#pragma once

#include <QDateTime>
#include <QString>
#include <QTemporaryFile>

// A file written whole or not at all, like QSaveFile, that never writes
// through a symbolic link: the new file is made beside the target under a
// name of its own (created exclusively, so nothing planted there is opened),
// and on commit takes the target's name. What stood at that name, a link
// included, is replaced; the file a link points to is never touched. A file
// that replaces a regular file keeps its permissions; a new one gets the
// usual ones (0666 less the umask).
class ReplacingFile
{
public:
    explicit ReplacingFile(const QString& path);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    bool open();
    bool isOpen() const { return m_file.isOpen(); }
    qint64 write(const QByteArray& data) { return m_file.write(data); }
    // Writes out the buffer (a full disk shows here), syncs the new file and
    // gives it the target's name. False, with nothing replaced, on a failure.
    bool commit();
    // Removes the new file; the target stays as it was.
    void cancelWriting();

    QString fileName() const { return m_path; }
    // Where the new file is being written, for a writer that opens files by name.
    QString workingName() const { return m_file.fileName(); }
    QString errorString() const;

    // Removes the new files a writer killed before its commit left in
    // `directory`: those last written before `before`.
    static void removeLeftovers(const QString& directory, const QDateTime& before);

private:
    QString m_path;
    QTemporaryFile m_file;
    QString m_error;
};
