#pragma once

// What the window tests of editing share: a fresh data folder, config.txt as
// a test wants it, and a hand for the message boxes that would otherwise wait
// for a user.
#include "platform/files.h"
#include "startup/config.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace editingtesting {

inline void freshDataFolder() {
    QDir(platform::appFolderPath()).removeRecursively();
    QVERIFY(QDir().mkpath(platform::appFolderPath()));
}

inline QString textPath(const QString &name) {
    return platform::appFolderPath() + QStringLiteral("/textos/") + name;
}

// config.txt with the default lines, some of them replaced (1-based line numbers).
inline void writeConfig(const QMap<int, QString> &changes, int lineCount = config::LineCount) {
    std::array<QString, config::LineCount> lines = config::defaultLines();
    for (auto it = changes.begin(); it != changes.end(); ++it)
        lines[it.key() - 1] = it.value();
    QByteArray bytes;
    for (int i = 0; i < lineCount; ++i)
        bytes += lines[i].toUtf8() + "\r\n";
    QFile file(config::configPath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

inline QByteArray fileBytes(const QString &path) {
    return platform::readFile(path).value_or(QByteArray("<no file>"));
}

inline void writeBytes(const QString &path, const QByteArray &bytes) {
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Answers every modal message box that opens while it lives with its first
// button, and remembers what the boxes said.
class MessageBoxes {
public:
    MessageBoxes() {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            texts << box->text();
            titles << box->windowTitle();
            buttons << box->standardButtons();
            box->done(QMessageBox::Ok);
        });
        m_timer.start(10);
    }

    QStringList texts;
    QStringList titles;
    QList<QMessageBox::StandardButtons> buttons;

private:
    QTimer m_timer;
};

} // namespace editingtesting
