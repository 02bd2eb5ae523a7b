#include "platform/display.h"

#include <QCoreApplication>
#include <chrono>
#include <thread>
#include <xcb/xcb.h>

namespace platform {

namespace {

// The value given after one of Qt's own options ("-platform xcb"), which Qt
// also accepts with two dashes; the last one wins, as in Qt's own reading.
QString qtOptionValue(const QStringList &arguments, QStringView option) {
    QString value;
    for (qsizetype i = 1; i + 1 < arguments.size(); ++i) {
        QStringView argument = arguments[i];
        if (argument.startsWith(u"--"))
            argument = argument.mid(1);
        if (argument == option)
            value = arguments[++i];
    }
    return value;
}

// The platforms Qt will try in turn: the -platform argument, else
// QT_QPA_PLATFORM, else Qt's own choice, which puts Wayland first in a
// Wayland session.
QStringList platformCandidates(const QStringList &arguments) {
    QString names = qtOptionValue(arguments, u"-platform");
    if (names.isEmpty())
        names = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (names.isEmpty())
        names = qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
                        qEnvironmentVariable("XDG_SESSION_TYPE") == u"wayland"
                    ? QStringLiteral("wayland;xcb")
                    : QStringLiteral("xcb");
    QStringList candidates;
    for (const QString &name : names.split(u';', Qt::SkipEmptyParts))
        candidates << name.section(u':', 0, 0); // "xcb:option=value"
    return candidates;
}

// The connection that answered the check, held until Qt has one of its own:
// an X server with no other client resets when its last client leaves, and
// drops whoever connects during the reset, which Qt reports by aborting.
xcb_connection_t *heldConnection = nullptr;

void releaseHeldConnection() {
    if (heldConnection)
        xcb_disconnect(heldConnection);
    heldConnection = nullptr;
}

void holdUntilQtConnects(xcb_connection_t *connection) {
    releaseHeldConnection();
    if (QCoreApplication::instance()) {
        xcb_disconnect(connection);
        return;
    }
    heldConnection = connection;
    // Qt calls its pre-routines at the end of QCoreApplication's constructor,
    // once the platform plugin has connected.
    static const bool registered = (qAddPreRoutine(releaseHeldConnection), true);
    Q_UNUSED(registered);
}

} // namespace

QString displayProblem(const QStringList &arguments) {
    // Only X11 is checked here. Any other platform in the list, Wayland
    // included, is Qt's to try: whether its plugin loads is not known from
    // outside Qt.
    const QStringList candidates = platformCandidates(arguments);
    if (candidates.isEmpty() || candidates.count(QStringLiteral("xcb")) != candidates.size())
        return {};
    QString name = qtOptionValue(arguments, u"-display");
    if (name.isEmpty())
        name = qEnvironmentVariable("DISPLAY");
    if (name.isEmpty())
        return QStringLiteral("não há tela gráfica: a variável DISPLAY está vazia");
    // A server that is resetting (its last client has just left) drops new
    // connections for a moment: a few tries, and only where the first fails.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (attempt > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        xcb_connection_t *connection = xcb_connect(name.toLocal8Bit().constData(), nullptr);
        if (xcb_connection_has_error(connection) == 0) {
            holdUntilQtConnects(connection);
            return {};
        }
        xcb_disconnect(connection);
    }
    return QStringLiteral("não foi possível abrir a tela gráfica \"%1\"").arg(name);
}

} // namespace platform
