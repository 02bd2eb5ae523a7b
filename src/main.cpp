#include "app/Program.h"
#include "app/SingleInstance.h"
#include "platform/files.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    // The program places its own windows, which a Wayland compositor does not
    // allow; X11 through XWayland does.
    if (qEnvironmentVariable("XDG_SESSION_TYPE") == u"wayland" &&
        qEnvironmentVariableIsSet("DISPLAY") && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("corvale-scrivulets"));
    QApplication::setApplicationDisplayName(QStringLiteral("Corvale Scrivulets"));
    // Lets the desktop tie the windows to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("corvale-scrivulets"));
    QApplication::setQuitOnLastWindowClosed(false);
    const QString dataFolder = platform::appFolderPath();
    SingleInstance instance(dataFolder);
    if (!instance.claim())
        return 0;
    Program program(dataFolder);
    QObject::connect(&instance, &SingleInstance::showRequested, &program, &Program::showStrip);
    program.start();
    return app.exec();
}
