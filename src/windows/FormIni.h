#pragma once

#include "windows/drag.h"

#include <QPointF>
#include <QWidget>
#include <optional>

namespace widgets {
class PictureButton;
}

namespace windows {

// The small window that stands in for the strip while the program is
// collapsed or started minimized: the logo and one button that brings the
// strip back. Any mouse button drags it by its background.
class FormIni : public QWidget {
    Q_OBJECT
public:
    FormIni();

    // Where it stands, in twips, or hidden where it last stood; until it
    // moves, the twips it was put at.
    QPointF placeTwips() const;
    void moveTwips(std::optional<double> left, std::optional<double> top);

    void setVisible(bool visible) override;

    // In front of other windows or not (and shown).
    void setTopmost(bool on);

    // The keyboard to the window, on its button.
    void takeFocus();

signals:
    void showMainRequested();
    // The window system closed it: the program ends as by its power button.
    void closeRequested();

protected:
    void paintEvent(QPaintEvent *) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    widgets::PictureButton *m_expandButton;
    windows::WindowDrag m_drag{this};
    bool m_topmost = false;
    QPointF m_placedTwips;
    QPoint m_placedPx{INT_MIN, INT_MIN};
    // Where the window system last showed it, taken as it goes.
    std::optional<QPoint> m_lastShownPx;
};

} // namespace windows
