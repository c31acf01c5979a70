#include "userfiles/historyfile.h"

#include "transfer/savefile.h"
#include "userfiles/backups.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>

namespace tarvenix {

namespace {

constexpr qint64 kRotateAt = 1 << 20;
// Read back from the end in pieces of this size.
constexpr qint64 kChunk = 64 * 1024;

QString historyFolder()
{
    return QFileInfo(historyPath()).path();
}

// The older lines go into ".1", replacing the ones before them.
void rotateWhenFull()
{
    const QString path = historyPath();
    if (entryKind(path) == QLatin1String("file") && QFileInfo(path).size() >= kRotateAt)
        replaceEntry(path, path + QStringLiteral(".1"));
}

// The folder is made for a writer; a reader without it has nothing to read.
QString lockPath(bool exclusive)
{
    if (exclusive)
        QDir().mkpath(historyFolder());
    return historyPath() + QStringLiteral(".lock");
}

} // namespace

QString historyPath()
{
#ifdef Q_OS_WIN
    const QString folder = dataFolder();
#else
    // Qt 5 has no standard location for a program's state.
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    const QString folder = state + QStringLiteral("/tarvenix");
#endif
    return folder + QStringLiteral("/history.jsonl");
}

HistoryLock::HistoryLock(bool exclusive) : FileLock(lockPath(exclusive), exclusive) {}

bool appendRecordLocked(const QJsonObject &record, QString &problem)
{
    rotateWhenFull();
    UserFile file;
    if (!file.open(historyPath(), UserFile::Mode::Append)) {
        problem = file.error();
        return false;
    }
    QByteArray line = QJsonDocument(record).toJson(QJsonDocument::Compact) + '\n';
    const qint64 size = file.size();
    if (size > 0 && file.readAt(size - 1, 1) != "\n")
        line.prepend('\n');
    if (file.append(line))
        return true;
    problem = file.error();
    return false;
}

bool HistoryLines::previous(QByteArray &line)
{
    for (;;) {
        // The line end before the last line in the buffer.
        const int from = buffer_.size() - 2;
        const int cut = from >= 0 ? buffer_.lastIndexOf('\n', from) : -1;
        if (cut >= 0 || (unread_ == 0 && !buffer_.isEmpty())) {
            line = buffer_.mid(cut + 1);
            buffer_.truncate(cut + 1);
            if (line.endsWith('\n'))
                line.chop(1);
            return true;
        }
        if (unread_ > 0) {
            const qint64 n = qMin(kChunk, unread_);
            unread_ -= n;
            buffer_.prepend(file_->readAt(unread_, n));
        } else if (!openNext()) {
            return false;
        }
    }
}

bool HistoryLines::openNext()
{
    while (next_ < files_.size()) {
        file_ = std::make_unique<UserFile>();
        if (file_->open(files_[next_++], UserFile::Mode::Read)) {
            unread_ = file_->size();
            return true;
        }
    }
    return false;
}

} // namespace tarvenix
