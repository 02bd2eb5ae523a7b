#include "app/Program.h"
#include "app/SingleInstance.h"
#include "app/commandline.h"
#include "platform/files.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[]) {
    // The program places its own windows, which a Wayland compositor does not
    // allow; X11 through XWayland does.
    if (qEnvironmentVariable("XDG_SESSION_TYPE") == u"wayland" &&
        qEnvironmentVariableIsSet("DISPLAY") && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    // --help and --version need no display; without one, one line and status
    // 1 rather than Qt's abort.
    if (const auto status = app::handleCommandLine(argc, argv))
        return *status;
    QApplication application(argc, argv);
    if (const auto status = app::rejectLeftoverArguments())
        return *status;
    QApplication::setApplicationName(QStringLiteral("corvale-scrivulets"));
    QApplication::setApplicationDisplayName(QStringLiteral("Corvale Scrivulets"));
    // Lets the desktop tie the windows to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("corvale-scrivulets"));
    QApplication::setQuitOnLastWindowClosed(false);
    // One copy runs per data folder: two folders, two copies side by side.
    const std::optional<QString> chosen = app::dataFolder();
    if (!chosen)
        return 2;
    const QString &dataFolder = *chosen;
    app::SingleInstance instance(dataFolder);
    if (const auto status = instance.claim(app::launchRequest()))
        return *status;
    app::Program program(dataFolder);
    QObject::connect(&instance, &app::SingleInstance::showRequested, &program,
                     &app::Program::showStrip);
    QObject::connect(&instance, &app::SingleInstance::toggleRequested, &program,
                     &app::Program::toggleStrip);
    program.start();
    // Only the context menus speak Qt's own words, and none is open before
    // the event loop runs.
    QTimer::singleShot(0, [] { app::installQtTranslation(); });
    instance.listen();
    return application.exec();
}
