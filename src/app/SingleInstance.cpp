#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

namespace {

// Where the lock and the requests live: the user's own runtime folder where
// there is one, the temporary folder otherwise.
QString meetingPlace(const QString &dataFolder) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    const QString canonical = QFileInfo(dataFolder).canonicalFilePath();
    const QByteArray key = qgetenv("USER") + qgetenv("USERNAME") + '\n' +
                           (canonical.isEmpty() ? dataFolder : canonical).toUtf8();
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex();
    return folder + QStringLiteral("/corvale-scrivulets-") + QString::fromLatin1(hash.left(16));
}

constexpr int AnswerWaitMs = 3000;

} // namespace

SingleInstance::SingleInstance(const QString &dataFolder) {
    const QString base = meetingPlace(dataFolder);
    m_lock = std::make_unique<QLockFile>(base + QStringLiteral(".lock"));
    // Never stale by age: only a lock whose process is gone is.
    m_lock->setStaleLockTime(0);
    m_requests = base + QStringLiteral(".requests");
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &SingleInstance::readRequests);
}

bool SingleInstance::claim() {
    if (m_lock->tryLock(0)) {
        QFile requests(m_requests);
        if (requests.open(QIODevice::WriteOnly | QIODevice::Truncate))
            requests.close();
        m_watcher.addPath(m_requests);
        return true;
    }
    // A copy is running: it is asked, and answers by emptying the file.
    QFile requests(m_requests);
    if (requests.open(QIODevice::Append)) {
        requests.write("show\n");
        requests.close();
    }
    const QDeadlineTimer deadline(AnswerWaitMs);
    while (!deadline.hasExpired() && QFileInfo(m_requests).size() > 0)
        QThread::msleep(20);
    return false;
}

void SingleInstance::readRequests() {
    QFile requests(m_requests);
    if (!requests.open(QIODevice::ReadWrite))
        return;
    const bool asked = requests.readAll().contains("show");
    requests.resize(0);
    requests.close();
    // Some systems stop watching a file that was rewritten.
    if (!m_watcher.files().contains(m_requests))
        m_watcher.addPath(m_requests);
    if (asked)
        emit showRequested();
}
