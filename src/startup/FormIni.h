#pragma once

#include "platform/widgets.h"

#include <QWidget>

// The small window that stands in for the main window while the program is
// collapsed or started minimized: the logo and one button that brings the
// main window back.
class FormIni : public QWidget {
    Q_OBJECT
public:
    FormIni();

    platform::PictureButton *btnShow;

    QPoint positionTwips() const;
    void moveTwips(std::optional<double> left, std::optional<double> top);
    void SetAlwaysOnTopMode(bool on);

signals:
    void showMainRequested();

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // A drag by a button the window manager does not move windows with: the
    // button and the press point within the window.
    Qt::MouseButton m_dragButton = Qt::NoButton;
    QPointF m_dragOffset;
};
