#pragma once

#include "core/AppCore.h"
#include "windows/drag.h"

#include <QLabel>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QTimer>
#include <QWidget>
#include <functional>

class QKeyEvent;
namespace widgets {
class PictureButton;
}

namespace windows {

// The frame every side window carries (save, list, settings, About, help):
// a borderless 294 x 298 px window on the light background with its title,
// close button, the two arrows that put it left or right of the strip, the
// rule under the title and the outline, dragged by its background.
//
// A side window:
//  - derives from SideWindow and passes the core, which side window it is,
//    its title and whether its creation lets the strip give up its place in
//    front (every side window but the save window does: for the help window,
//    opened from the About window and not by showSideWindow, that is the
//    only time); its owner asks loadStep() once the window is made;
//  - builds its own controls in its constructor, placing them with
//    placeTwips(); that constructor is the window's load step;
//  - calls createNotice() when it has a notice label (and a timer);
//  - is opened with showSideWindow() and closed with closeSideWindow();
//    closing hides it and deletes it later, so its owner keeps it in a
//    QPointer and makes a new one when isDiscarded() is true.
class SideWindow : public QWidget {
    Q_OBJECT
public:
    enum class LoadStep { KeepTopmost, ClearTopmost };

    SideWindow(core::AppCore &core, core::Side side, const QString &title, LoadStep loadStep);

    LoadStep loadStep() const { return m_loadStep; }

    // Where the strip stands, in twips, asked for whenever the window is
    // placed beside it.
    void setStripPlace(std::function<QRectF()> stripPlace) { m_stripPlace = std::move(stripPlace); }

    // Opening: takes over the strip's place in front, places the window
    // beside the strip by the alignment setting, on the screen, and shows it
    // (again, when it is open).
    void showSideWindow();
    // Closing by the user or after the window's own action: gives the strip
    // its place in front back, and the keyboard when the window had it, then
    // discards the window.
    void closeSideWindow();
    // Hides the window and deletes it once control returns to the event
    // loop, without the hand-back (collapse, closing the program).
    void discard();
    bool isDiscarded() const { return m_discarded; }

    // Where the window stands, in twips.
    QPointF placeTwips() const;
    void moveTwips(QPointF topLeft);

    // A control's place given in twips, converted to pixels.
    static void placeTwips(QWidget *control, int left, int top, int width, int height);

    // A key event as one code, which the windows' key rules take: the
    // character typed, 8 for backspace, 13 for Enter, 1 to 26 for Ctrl with a
    // letter; -1 for keys that type nothing (arrows, Delete, Home, F-keys).
    static int keyPressCode(const QKeyEvent &event);

signals:
    // Opening over the strip, closing by the user's hand, and going without
    // a hand-back: the strip's place in front follows them.
    void opening(core::Side side);
    void closing(core::Side side);
    void discarding(core::Side side);
    // Closed while it had the keyboard: the keyboard is to go back to the
    // window the user came from.
    void closedWithKeyboard();

protected:
    core::AppCore &core() const { return m_core; }
    QRectF stripPlaceTwips() const { return m_stripPlace ? m_stripPlace() : QRectF(); }
    QLabel *titleLabel() const { return m_title; }

    // The notice label at its place, and the timer for windows that have one.
    enum class NoticeTimer { None, m_noticeTimer };
    void createNotice(QRect twips, NoticeTimer timer);
    // The notice: the timer's interval set (which restarts it), the beep, the
    // label shown with the message. Without a timer the message stays until
    // something else empties it.
    void showNotice(const QString &message, int intervalMs = 2000);
    // The same for a message about a file: it fits its label, the middle of
    // the path left out rather than a line cut.
    void showPathNotice(const QString &before, const QString &path, const QString &after,
                        int intervalMs = 2000);
    void clearNotice();

    // True where a press drags the window: its background and the bands drawn
    // on it, not its controls (labels and frames included).
    bool isBackgroundAt(QPoint pos) const;

    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void placeBeside(core::Align align, bool onScreen);
    void noticeTick();

    core::AppCore &m_core;
    core::Side m_side;
    LoadStep m_loadStep;
    std::function<QRectF()> m_stripPlace;
    QLabel *m_title;
    widgets::PictureButton *m_closeButton;
    widgets::PictureButton *m_leftButton;
    widgets::PictureButton *m_rightButton;
    QLabel *m_notice = nullptr;
    QTimer *m_noticeTimer = nullptr;
    windows::WindowDrag m_drag{this};
    bool m_discarded = false;
    bool m_captionsFitted = false;
};

} // namespace windows
