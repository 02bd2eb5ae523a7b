#pragma once

#include <QFileSystemWatcher>
#include <QLockFile>
#include <QObject>
#include <memory>

// One running copy per data folder: two copies would overwrite each other's
// texts and settings without a word. The first copy holds a lock for the
// folder; a later launch asks it to show its strip and leaves. A lock left by
// a copy that crashed belongs to no live process and is taken over.
//
// The request goes through a file beside the lock that the running copy
// watches: Qt Core alone does it on every system the program runs on.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // Per user and per data folder: other users and other folders each get
    // their own copy.
    explicit SingleInstance(const QString &dataFolder);

    // True when this process is the copy for the folder. Otherwise the
    // running copy has been asked to show itself (and has answered, or did
    // not within a few seconds).
    bool claim();

signals:
    void showRequested();

private:
    void readRequests();

    std::unique_ptr<QLockFile> m_lock;
    QString m_requests;
    QFileSystemWatcher m_watcher;
};
