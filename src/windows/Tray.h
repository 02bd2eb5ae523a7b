#pragma once

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QWidget>

namespace windows {

// The program's icon in the notification area, for the whole run. A left
// click brings whichever of the two windows is visible to the front; it never
// switches between them. Its menu shows the strip or ends the program.
class Tray : public QObject {
    Q_OBJECT
public:
    Tray(QWidget *startupWindow, QWidget *mainWindow, QObject *parent = nullptr);

    // Shown whether a notification area is there yet or not: one that starts
    // after the program (at log-in, the usual race) takes the icon then.
    void show();

    // Takes the icon away (the program's end).
    void remove();

    // The icon, or null once removed.
    QSystemTrayIcon *icon() const { return m_icon; }
    QMenu *menu() { return &m_menu; }

    // The program and the open text, as core::openTextCaption names it.
    void showOpenText(const QString &caption);

signals:
    void showRequested();
    void closeRequested();

public slots:
    // What the icon reports about a click on it.
    void trayActivated(QSystemTrayIcon::ActivationReason reason);

private:
    QPointer<QWidget> m_startup;
    QPointer<QWidget> m_main;
    QPointer<QSystemTrayIcon> m_icon;
    QMenu m_menu;
    QString m_toolTip = QStringLiteral(" Corvale Scrivulets " SCRIVULETS_SHORT_VERSION " ");
};

} // namespace windows
