#pragma once

#include "platform/widgets.h"

#include <QLabel>
#include <QPointF>
#include <QRect>
#include <QTimer>
#include <QWidget>

class FormMain;
class QKeyEvent;

// The frame every side window carries (save, list, settings, About, help):
// a borderless 294 x 298 px window on the light background with its title,
// close button, the two arrows that put it left or right of the main window,
// the rule under the title and the outline, dragged by its background.
//
// A side window:
//  - derives from SideWindow and passes the main window, its title and
//    whether its creation clears the main window's topmost flag (every side
//    window but the save window does);
//  - builds its own controls in its constructor, placing them with
//    placeTwips(); that constructor is the window's load step;
//  - calls createNotice() when it has a notice label (and a timer);
//  - is opened with ShowSideWindow() and closed with CloseSideWindow();
//    closing hides it and deletes it later, so the program object keeps it
//    in a QPointer and makes a new one when isDiscarded() is true.
class SideWindow : public QWidget {
    Q_OBJECT
public:
    enum class LoadStep { KeepTopmost, ClearTopmost };

    SideWindow(FormMain &main, const QString &title, LoadStep loadStep);

    FormMain &main() const { return m_main; }

    // The frame's controls. The title label is Label3 in most windows,
    // Label1 in the save window.
    QLabel *titleLabel;
    platform::PictureButton *btnClose;
    platform::PictureButton *btnEsq;
    platform::PictureButton *btnDir;
    // "1" while this window holds the main window's always-on-top state.
    QLabel *lblCheckTop;
    // The notice, when the window has one (createNotice).
    QLabel *lblAviso = nullptr;
    QTimer *Timer1 = nullptr;

    // Opening: takes over the main window's always-on-top state, places the
    // window by the alignment setting and shows it (again, when it is open).
    void ShowSideWindow();
    void PlaceSideWindow();
    // Closing by the user or after the window's own action: gives the main
    // window its always-on-top state back, then discards the window.
    void CloseSideWindow();
    // Hides the window and deletes it once control returns to the event
    // loop, without the hand-back (collapse, closing the program).
    void discard();
    bool isDiscarded() const { return m_discarded; }

    void btnClose_Click() { CloseSideWindow(); }
    void btnDir_Click();
    void btnEsq_Click();

    // The notice: the timer's interval set (which restarts it), the beep, the
    // label shown with the message. Without a timer the message stays until
    // something else empties it.
    void showNotice(const QString &message, int intervalMs = 2000);
    // Each tick empties and hides the notice; the timer keeps running.
    void Timer1_Timer();

    // Where the window stands, in twips.
    QPointF positionTwips() const;
    void moveTwips(QPointF topLeft);

    // A control's place given in twips, converted to pixels.
    static QRect pxRect(int left, int top, int width, int height);
    static void placeTwips(QWidget *control, int left, int top, int width, int height);

    // The key code a classic KeyPress handler receives for a key event: the
    // character typed, 8 for backspace, 13 for Enter, 1 to 26 for Ctrl with a
    // letter; -1 for keys that type nothing (arrows, Delete, Home, F-keys).
    static int keyPressCode(const QKeyEvent &event);

    // True where a press drags the window: its background and the bands drawn
    // on it, not its controls (labels and frames included).
    bool isBackgroundAt(QPoint pos) const;

protected:
    // The notice label at its place, and the timer for windows that have one.
    enum class NoticeTimer { None, Timer1 };
    void createNotice(QRect twips, NoticeTimer timer);

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void moveBeside(double align);

    FormMain &m_main;
    bool m_discarded = false;
    bool m_captionsFitted = false;
};
