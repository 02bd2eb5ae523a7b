#pragma once

#include "platform/files.h"

#include <QRegularExpression>

namespace support {

// The system's files on a device that fails on demand, as a full disk or a
// read-only folder would: a change the test names fails and changes nothing;
// every other operation goes through to the real files.
class FailingFiles : public platform::FileSystem {
public:
    // Every change inside the folder (a write, a rename, a deletion, a new
    // folder) fails.
    void failInside(const QString &folder) { m_patterns << prefix(folder + u'/'); }
    // Every change of a path the pattern matches fails.
    void failMatching(const QString &pattern) { m_patterns << QRegularExpression(pattern); }
    // Every change of that one path fails.
    void failAt(const QString &path);
    // The folder's device is full: nothing new is written there, no folder
    // made, while renames and deletions go through.
    void fillUp(const QString &folder) { m_full << prefix(folder + u'/'); }
    // The nth atomic write from now fails, and no other.
    void failWrite(int nth) { m_countdown = nth; }
    // No trash takes a file: each stays where it is, as on a volume without one.
    void takeAwayTheTrash() { m_noTrash = true; }
    // The device works again.
    void heal();

    // The atomic writes tried, failed or not.
    int writes = 0;

    bool makeFolder(const QString &path) override;
    bool writeFileAtomically(const QString &path, const QByteArray &bytes) override;
    bool renameFile(const QString &from, const QString &to) override;
    platform::Removal removeFile(const QString &path) override;
    bool deleteFile(const QString &path) override;

private:
    static QRegularExpression prefix(const QString &start);
    static bool matches(const QList<QRegularExpression> &patterns, const QString &path);
    bool fails(const QString &path) const { return matches(m_patterns, path); }
    bool full(const QString &path) const { return matches(m_full, path); }

    QList<QRegularExpression> m_patterns;
    QList<QRegularExpression> m_full;
    int m_countdown = 0;
    bool m_noTrash = false;
};

} // namespace support
