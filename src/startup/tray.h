#pragma once

#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QWidget>

// The program's icon in the notification area, for the whole run. A left
// click brings whichever of the two windows is visible to the front; it never
// switches between them.
class Tray : public QObject {
    Q_OBJECT
public:
    Tray(QWidget *startupWindow, QWidget *mainWindow, QObject *parent = nullptr);

    // Adds the icon. On a desktop without a notification area the icon is
    // left out and the program runs without it.
    void minimize_to_tray();

    // Takes the icon away (the program's end).
    void remove();

    // The icon as shown, or null when there is none.
    QSystemTrayIcon *icon() const { return m_icon; }

    static QString toolTip() { return QStringLiteral(" Corvale Scrivulets 1.0 "); }

public slots:
    // What the icon reports about a click on it.
    void trayActivated(QSystemTrayIcon::ActivationReason reason);

private:
    QPointer<QWidget> m_startup;
    QPointer<QWidget> m_main;
    QPointer<QSystemTrayIcon> m_icon;
};
