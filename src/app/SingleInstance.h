#pragma once

#include <QObject>
#include <memory>
#include <optional>

class QLocalServer;
class QLocalSocket;
namespace platform {
class FileLock;
}

namespace app {

// One running copy per user and data folder: two copies would overwrite each
// other's texts and settings without a word. A later launch hands its
// request to the running copy and ends.
//
// The copy of a folder is the process that holds a lock on a file named for
// the user and the folder, in a folder only the user can write in; it
// listens on a local socket of the same name (a Unix socket, a named pipe on
// Windows) that only the user can reach. A request is one line, a word and
// the launch's process id, answered with one line once it has been carried
// out. The system drops the lock with its process, so a copy that crashed or
// was killed leaves nothing that stops the next start, whatever is left in
// the folder.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // What a later launch may ask of the running copy, carried out once per
    // launch however often it has to ask.
    enum class Request {
        Show,   // "mostrar": the strip in front, expanded, with the keyboard
        Toggle, // "alternar": the strip collapsed when in front, else as Show
    };

    explicit SingleInstance(const QString &dataFolder, QObject *parent = nullptr);
    ~SingleInstance() override;

    // Claims the folder for this process, or hands the request to the copy
    // that has it. Returns the exit status when this process is done (0: the
    // running copy did what was asked); nothing when it is to start. It
    // starts too, saying why on standard error, when no private folder or
    // lock can be had, or when the copy that holds the folder does not
    // answer within a few seconds: better a second copy than none at all.
    std::optional<int> claim(Request request = Request::Show);

    // Takes requests from later launches from now on. Until then they wait
    // for this copy (a few seconds), so it may come after the start-up.
    void listen();

signals:
    void showRequested();
    void toggleRequested();

private:
    std::optional<QByteArray> ask(Request request, int timeoutMs) const;
    void answerNewCallers();
    void answer(QLocalSocket *caller);

    QString m_name;
    QString m_serverName;
    std::unique_ptr<platform::FileLock> m_lock;
    QLocalServer *m_server = nullptr;
    QList<QByteArray> m_recentLaunches;
};

} // namespace app
