#include "windows/Tray.h"

#include "widgets/pictures.h"

#include <QIcon>

namespace windows {

Tray::Tray(QWidget *startupWindow, QWidget *mainWindow, QObject *parent)
    : QObject(parent), m_startup(startupWindow), m_main(mainWindow) {
    m_menu.addAction(QStringLiteral("Mostrar"), this, &Tray::showRequested);
    m_menu.addAction(QStringLiteral("Fechar programa"), this, &Tray::closeRequested);
}

void Tray::show() {
    if (!m_icon) {
        m_icon =
            new QSystemTrayIcon(widgets::pictureIcon(QStringLiteral(":/icons/app_icon.svg")), this);
        m_icon->setToolTip(m_toolTip);
        m_icon->setContextMenu(&m_menu);
        connect(m_icon, &QSystemTrayIcon::activated, this, &Tray::trayActivated);
    }
    m_icon->show();
}

void Tray::showOpenText(const QString &caption) {
    m_toolTip =
        QStringLiteral(" Corvale Scrivulets " SCRIVULETS_SHORT_VERSION " — ") + caption + u' ';
    if (m_icon)
        m_icon->setToolTip(m_toolTip);
}

void Tray::remove() {
    if (!m_icon)
        return;
    m_icon->hide();
    delete m_icon;
}

void Tray::trayActivated(QSystemTrayIcon::ActivationReason reason) {
    // Only the left click counts; the middle button and a double click do
    // nothing, and the right one opens the menu.
    if (reason != QSystemTrayIcon::Trigger)
        return;
    QWidget *window = nullptr;
    if (m_startup && m_startup->isVisible())
        window = m_startup;
    else if (m_main && m_main->isVisible())
        window = m_main;
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace windows
