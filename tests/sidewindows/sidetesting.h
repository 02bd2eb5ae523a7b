#pragma once

// Helpers for the window tests of the side windows: a fresh data folder,
// files read back byte for byte, clicks as a user gives them.

#include "platform/files.h"
#include "platform/widgets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>

namespace sidetesting {

inline void resetAppFolder() {
    QDir(platform::appFolderPath()).removeRecursively();
    QVERIFY(platform::makeFolder(platform::appFolderPath()));
}

inline QString configFile() {
    return platform::appFolderPath() + QStringLiteral("/config.txt");
}

inline QByteArray configLines(const QStringList &nine) {
    return (nine.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}

inline void writeBytes(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

inline QByteArray readBytes(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return f.readAll();
}

inline void click(QAbstractButton *button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

inline void click(platform::PictureButton *button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

// A closed side window is deleted once control is back in the event loop.
inline void runDeferredDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace sidetesting
