// The strip's gestures: the horizontal maximize on a double-click, moving
// and resizing from its surface and edges, and the sizing cursors.
#include "windows/FormMain.h"

#include "core/AppCore.h"
#include "core/numbers.h"
#include "core/twips.h"
#include "platform/windowsystem.h"

#include <QCursor>
#include <QMouseEvent>
#include <map>

namespace windows {

using core::TwipsPerPixel;

namespace {

// The band along the edges in which a press resizes: five pixels.
constexpr float EdgeTwips = 5 * TwipsPerPixel;

QPointF twips(QPointF pixels) {
    return pixels * TwipsPerPixel;
}

} // namespace

void FormMain::applyPointerShape(core::PointerShape shape) {
    static const std::map<core::PointerShape, Qt::CursorShape> shapes = {
        {core::PointerShape::Arrow, Qt::ArrowCursor},
        {core::PointerShape::SizeWE, Qt::SizeHorCursor},
        {core::PointerShape::SizeNS, Qt::SizeVerCursor},
        {core::PointerShape::SizeNWSE, Qt::SizeFDiagCursor},
        {core::PointerShape::SizeNESW, Qt::SizeBDiagCursor},
        {core::PointerShape::Move, Qt::SizeAllCursor},
    };
    const auto it = shapes.find(shape);
    // Every mouse move asks; the window system hears only of a change.
    if (it != shapes.end() && cursor().shape() != it->second)
        setCursor(it->second);
}

void FormMain::toggleMaximize() {
    const core::MaximizeToggle t = core::toggleMaximize(
        m_maximize, currentGeometry(), screenWidthTwips(), m_core.savedLeftTwips());
    m_maximize = t.state;
    place(QPointF(t.geometry.left, t.geometry.top), t.geometry.width);
}

// Moving only moves; the width rule runs when the size changes, so a strip
// wider than a narrow screen can still be moved sideways.
core::TwipsGeometry FormMain::applyDragRequest(const core::TwipsGeometry &r) {
    const core::TwipsGeometry now = currentGeometry();
    if (r.width == now.width && r.height == now.height) {
        move(core::px(r.left), core::px(r.top));
        m_placedTwips = QPointF(r.left, r.top);
        m_placedPx = pos();
    } else {
        place(QPointF(r.left, r.top), r.width);
    }
    return currentGeometry();
}

void FormMain::startDrag(QPointF cursor) {
    m_drag.emplace(cursor, currentGeometry(), EdgeTwips, EdgeTwips);
    if (const std::optional<QPointF> snap = m_drag->snapPoint()) {
        QCursor::setPos(screen(), int(core::roundHalfEven(snap->x() / TwipsPerPixel)),
                        int(core::roundHalfEven(snap->y() / TwipsPerPixel)));
        // Read back rather than assumed: where the platform cannot move the
        // cursor, the resize still follows it from where it really is.
        m_drag->setStart(twips(QCursor::pos(screen())));
    }
    // The first pass runs at once, as the button is already held: the move
    // cursor shows before the mouse moves.
    dragPass(QPointF(m_drag->sx, m_drag->sy));
}

void FormMain::dragPass(QPointF cursor) {
    if (!m_drag)
        return;
    m_drag->pass(cursor, currentGeometry(),
                 [this](const core::TwipsGeometry &r) { return applyDragRequest(r); });
    if (!m_drag->resizing())
        applyPointerShape(core::PointerShape::Move);
}

void FormMain::hover(Qt::MouseButtons buttons, QPointF point) {
    const core::TwipsGeometry g = currentGeometry();
    applyPointerShape(core::hoverCursor(float(point.x()), float(point.y()), g.width, g.height,
                                        EdgeTwips, EdgeTwips, buttons & Qt::LeftButton));
}

void FormMain::mousePressEvent(QMouseEvent *event) {
    // Only the left button moves or resizes the strip.
    if (m_windowDrag.press(event, Qt::LeftButton))
        startDrag(twips(event->globalPosition()));
    event->accept();
}

void FormMain::mouseMoveEvent(QMouseEvent *event) {
    if (!m_windowDrag.move(event))
        m_drag.reset();
    hover(event->buttons(), twips(event->position()));
    event->accept();
}

void FormMain::mouseReleaseEvent(QMouseEvent *event) {
    if (m_windowDrag.release(event))
        m_drag.reset();
    event->accept();
}

void FormMain::mouseDoubleClickEvent(QMouseEvent *event) {
    // The second press of a double-click is no new press: Qt's default would
    // start another drag from it.
    platform::syncPosition(this, event);
    toggleMaximize();
    event->accept();
}

} // namespace windows
