#pragma once

#include <QObject>
#include <QPointF>
#include <Qt>
#include <functional>

class QMouseEvent;
class QWidget;

namespace windows {

// Moves a window with the mouse, from a press on its background until the
// button is released. The window follows the pointer itself rather than
// through the window manager, whose move can outlive a quick click: the
// request reached it after the release, and the window then followed a
// pointer that held no button, even off the screen.
class WindowDrag {
public:
    // Where the window goes for a pointer at `global` (screen pixels). By
    // default the point pressed stays under the pointer.
    using Follow = std::function<void(QPointF global)>;

    explicit WindowDrag(QWidget *window) : m_window(window) {}

    void setFollow(Follow follow) { m_follow = std::move(follow); }

    // A press with one of the buttons starts a drag. The window's real place
    // is taken from the press first: a reparenting window manager can leave
    // Qt with a stale one.
    bool press(QMouseEvent *event, Qt::MouseButtons buttons);
    // While the button is held, the window follows. False when no drag runs;
    // a drag whose button went up unseen (a grab taken away) ends here.
    bool move(QMouseEvent *event);
    bool release(QMouseEvent *event);

    bool active() const { return m_button != Qt::NoButton; }

    // Drags the window by its own mouse events: a press with one of the
    // buttons where `grabs` says the window may be taken (its background).
    void dragBy(Qt::MouseButtons buttons, std::function<bool(QPoint)> grabs = nullptr);

private:
    class Filter;
    QWidget *m_window;
    Follow m_follow;
    Qt::MouseButton m_button = Qt::NoButton;
    QPointF m_offset;
};

} // namespace windows
