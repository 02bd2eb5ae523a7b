#include "startup/tray.h"

#include <QIcon>

Tray::Tray(QWidget *startupWindow, QWidget *mainWindow, QObject *parent)
    : QObject(parent), m_startup(startupWindow), m_main(mainWindow) {}

void Tray::minimize_to_tray() {
    if (m_icon || !QSystemTrayIcon::isSystemTrayAvailable())
        return;
    m_icon = new QSystemTrayIcon(QIcon(QStringLiteral(":/icons/app_icon.svg")), this);
    m_icon->setToolTip(toolTip());
    connect(m_icon, &QSystemTrayIcon::activated, this, &Tray::trayActivated);
    m_icon->show();
}

void Tray::remove() {
    if (!m_icon)
        return;
    m_icon->hide();
    delete m_icon;
}

void Tray::trayActivated(QSystemTrayIcon::ActivationReason reason) {
    // Only the left click counts; the right button, the middle one and a
    // double click do nothing.
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
