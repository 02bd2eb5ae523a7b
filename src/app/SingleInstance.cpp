#include "app/SingleInstance.h"

#include "platform/files.h"
#include "platform/runtime.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace app {

namespace {

using Request = SingleInstance::Request;

// Each request's word on the line. The command line may choose another
// request for the launch; the running copy learns it here.
struct RequestWord {
    Request request;
    const char *word;
};
constexpr RequestWord Words[] = {
    {Request::Show, "mostrar"},
    {Request::Toggle, "alternar"},
};

const QByteArray Done = "ok";
const QByteArray Unknown = "desconhecido";

// How long a launch waits for the copy that holds the folder: its start-up,
// before it listens, included.
constexpr int RunningCopyWaitMs = 10000;
constexpr int RetryMs = 50;
// A caller unanswered for that long calls again. Under Wine (8.0) a caller
// that reaches the pipe while the server sets up its pipe instances is only
// reported to the server with the next caller.
constexpr int AnswerWaitMs = 2000;
// The launches whose request has been carried out, against a second call.
constexpr int RecentLaunches = 16;
// A caller that asks nothing, or does not hang up, is not kept.
constexpr int CallerTimeoutMs = 5000;
constexpr qint64 MaxLineBytes = 256;

QByteArray wordFor(Request request) {
    for (const RequestWord &w : Words)
        if (w.request == request)
            return w.word;
    return {};
}

std::optional<Request> requestFor(const QByteArray &word) {
    for (const RequestWord &w : Words)
        if (word == w.word)
            return w.request;
    return std::nullopt;
}

void say(const QString &message) {
    std::fputs(qPrintable(QStringLiteral("corvale-scrivulets: ") + message + u'\n'), stderr);
    std::fflush(stderr);
}

const QString StartsAnyway = QStringLiteral("esta cópia abre sem saber se outra já está aberta");

// Named for the user and the folder itself: the folder is made first, so
// that a link to it or a trailing '/' lead to the same name as its own path.
QString meetingName(const QString &dataFolder) {
    platform::makeFolder(dataFolder);
    QString folder = platform::canonicalPath(dataFolder);
    if (folder.isEmpty())
        folder = QDir::cleanPath(QDir(dataFolder).absolutePath());
    const QByteArray key = platform::userId().toUtf8() + '\n' + folder.toUtf8();
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex();
    return QStringLiteral("corvale-scrivulets-") + QString::fromLatin1(hash.left(16));
}

} // namespace

SingleInstance::SingleInstance(const QString &dataFolder, QObject *parent)
    : QObject(parent), m_name(meetingName(dataFolder)) {}

SingleInstance::~SingleInstance() = default;

std::optional<int> SingleInstance::claim(Request request) {
    const platform::RuntimeFolder folder = platform::privateRuntimeFolder();
    if (folder.path.isEmpty()) {
        say(QStringLiteral("nenhuma pasta privada para encontrar outra cópia (%1): %2")
                .arg(folder.problem, StartsAnyway));
        return std::nullopt;
    }
    m_serverName = platform::localServerName(folder.path, m_name);
    const QString lockPath = folder.path + u'/' + m_name + QStringLiteral(".lock");
    const QDeadlineTimer deadline(RunningCopyWaitMs);
    for (;;) {
        QString problem;
        switch (platform::FileLock::take(lockPath, m_lock, problem)) {
        case platform::FileLock::Outcome::Taken:
            return std::nullopt;
        case platform::FileLock::Outcome::Failed:
            say(QStringLiteral("não foi possível travar %1 (%2): %3")
                    .arg(QDir::toNativeSeparators(lockPath), problem, StartsAnyway));
            return std::nullopt;
        case platform::FileLock::Outcome::Held:
            break;
        }
        // A copy holds the folder: it answers once it listens.
        platform::letRunningCopyComeForward();
        const int wait = int(std::min<qint64>(deadline.remainingTime(), AnswerWaitMs));
        if (const std::optional<QByteArray> answer = ask(request, wait)) {
            if (*answer == Done)
                return 0;
            say(QStringLiteral("a cópia aberta não atendeu o pedido \"%1\": \"%2\"")
                    .arg(QString::fromLatin1(wordFor(request)), QString::fromUtf8(*answer)));
            return 1;
        }
        if (deadline.hasExpired()) {
            say(QStringLiteral("a cópia aberta não respondeu: esta abre também"));
            return std::nullopt;
        }
        QThread::msleep(RetryMs);
    }
}

std::optional<QByteArray> SingleInstance::ask(Request request, int timeoutMs) const {
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return std::nullopt;
    socket.write(wordFor(request) + ' ' + QByteArray::number(QCoreApplication::applicationPid()) +
                 '\n');
    socket.flush();
    while (!socket.canReadLine())
        if (!socket.waitForReadyRead(int(deadline.remainingTime())))
            return std::nullopt;
    return socket.readLine(MaxLineBytes).trimmed();
}

void SingleInstance::listen() {
    if (!m_lock || m_server)
        return;
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // The lock is this process's, so a socket of that name was left by a
    // copy that ended without closing it.
    QLocalServer::removeServer(m_serverName);
    if (!m_server->listen(m_serverName)) {
        say(QStringLiteral("não foi possível esperar outras aberturas em %1 (%2): elas vão abrir "
                           "outra cópia")
                .arg(QDir::toNativeSeparators(m_serverName), m_server->errorString()));
        // Held, the lock would only make them wait for an answer that never comes.
        m_lock.reset();
        return;
    }
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::answerNewCallers);
}

void SingleInstance::answerNewCallers() {
    while (QLocalSocket *caller = m_server->nextPendingConnection()) {
        // The caller hangs up once it has read the answer: a named pipe
        // closed from this end drops what the caller has not read yet.
        connect(caller, &QLocalSocket::disconnected, caller, &QObject::deleteLater);
        connect(caller, &QLocalSocket::readyRead, this, [this, caller] { answer(caller); });
        QTimer::singleShot(CallerTimeoutMs, caller, [caller] {
            caller->abort();
            caller->deleteLater();
        });
        answer(caller);
    }
}

void SingleInstance::answer(QLocalSocket *caller) {
    while (caller->canReadLine()) {
        const QByteArray line = caller->readLine(MaxLineBytes);
        if (!line.endsWith('\n')) {
            caller->abort();
            return;
        }
        const QList<QByteArray> words = line.trimmed().split(' ');
        const std::optional<Request> request =
            words.size() == 2 ? requestFor(words[0]) : std::nullopt;
        if (request && !m_recentLaunches.contains(words[1])) {
            m_recentLaunches.append(words[1]);
            if (m_recentLaunches.size() > RecentLaunches)
                m_recentLaunches.removeFirst();
            switch (*request) {
            case Request::Show:
                emit showRequested();
                break;
            case Request::Toggle:
                emit toggleRequested();
                break;
            }
        }
        caller->write((request ? Done : Unknown) + '\n');
    }
    if (caller->bytesAvailable() >= MaxLineBytes)
        caller->abort();
}

} // namespace app
