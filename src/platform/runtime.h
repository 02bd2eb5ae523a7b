#pragma once

#include <QString>
#include <memory>

// What the user's running copies of the program share with each other, and
// with nobody else: a folder, a lock and the name of a local socket.
namespace platform {

// The user as the system knows them, whatever USER or USERNAME say: the uid
// on Linux, the security identifier (SID) on Windows.
QString userId();

// A folder that only this user can write in, for the running program's lock
// and socket. On Linux: XDG_RUNTIME_DIR when it is a real folder of the
// user's with mode 0700; else a folder the program makes for itself in the
// temporary folder ($TMPDIR or /tmp), corvale-scrivulets-<uid>, or failing
// that in the user's cache folder, each used only when it is a real folder
// of the user's that no one else may enter (another user may have put
// anything under that name first). On Windows: the user's temporary folder.
struct RuntimeFolder {
    QString path;    // empty when there is none
    QString problem; // why, in a few words, when there is none
};
RuntimeFolder privateRuntimeFolder();

// The name a QLocalServer listens on as `name` in that folder: a socket in
// it on Linux. Windows names its pipes for the whole machine, so the name
// must be the user's own already.
QString localServerName(const QString &folder, const QString &name);

// Lets the running copy bring its window in front of the user's current
// one when this launch hands over to it: Windows grants that only to the
// process the user has just started (a click, a shortcut's key), which can
// pass it on. X11 window managers judge each request on its own.
void letRunningCopyComeForward();

// An exclusive lock on a file, held until it is destroyed or the process
// ends: the system drops it with the process, however that ends, so a lock
// is never left behind, and what the file holds does not matter.
class FileLock {
public:
    enum class Outcome { Taken, Held, Failed };
    // Taken: `lock` holds it. Held: a live process holds it. Failed: the
    // file cannot be opened, and `problem` says why.
    static Outcome take(const QString &path, std::unique_ptr<FileLock> &lock, QString &problem);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

private:
    explicit FileLock(qintptr handle) : m_handle(handle) {}
    qintptr m_handle;
};

} // namespace platform
