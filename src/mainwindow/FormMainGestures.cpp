#include "mainwindow/FormMain.h"

#include "platform/numbers.h"

#include <QCursor>
#include <QEvent>
#include <QMouseEvent>
#include <QScreen>
#include <map>

using platform::roundHalfEven;

namespace {

// Tells the main window that the mouse moved over the text box; the event
// itself goes on to the text box.
class TextBoxMouseWatcher : public QObject {
public:
    TextBoxMouseWatcher(FormMain *window) : QObject(window), m_window(window) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::MouseMove)
            m_window->FormMain_Text1_MouseMove();
        return QObject::eventFilter(watched, event);
    }

private:
    FormMain *m_window;
};

// Under openbox, Qt has been seen to hold 0,0 as the position of the freshly
// shown strip (a Move event to 0,0 follows its Show event) while the window
// stands where it was asked to be. A press on the window's surface carries
// the position both relative to the window and to the screen, as the X server
// sees them: their difference is where the window really is. Only at a press:
// motion events still in flight after the program moved the window carry the
// old place and would move it back.
void syncPosition(QWidget *window, const QMouseEvent *event) {
    const QPoint origin = (event->globalPosition() - event->position()).toPoint();
    if (origin != window->pos())
        window->move(origin);
}

} // namespace

void FormMain::setUpGestures() {
    // The hover cursor follows the mouse with the button up as well.
    setMouseTracking(true);
    Text1->viewport()->setMouseTracking(true);
    Text1->viewport()->installEventFilter(new TextBoxMouseWatcher(this));
    // Only the window's own surface drags, double-clicks and shows the sizing
    // cursors. Qt hands a press a child leaves alone to its parent and lets
    // children wear the parent's cursor; the toolbar, the badge, the button
    // and the text box are controls of their own and keep to themselves.
    for (QWidget *control : {static_cast<QWidget *>(Frame1), static_cast<QWidget *>(lblSaving),
                             static_cast<QWidget *>(btnUpDown), static_cast<QWidget *>(Text1)}) {
        control->setAttribute(Qt::WA_NoMousePropagation);
        if (!control->testAttribute(Qt::WA_SetCursor))
            control->setCursor(Qt::ArrowCursor);
    }
}

TwipsGeometry FormMain::currentGeometry() const {
    // Qt's own record, set right at the press and then by every request of the
    // drag: the window manager may not have carried out the last move yet when
    // the next pass asks, and the rules must build on what they asked for.
    const QRect g = geometry();
    return {float(PixelTwipsX * g.x()), float(PixelTwipsY * g.y()), float(PixelTwipsX * g.width()),
            float(PixelTwipsY * g.height())};
}

QPointF FormMain::GetCursorTwips() const {
    const QPoint p = QCursor::pos(screen());
    return QPointF(PixelTwipsX * p.x(), PixelTwipsY * p.y());
}

void FormMain::SetCursorTwips(QPointF cursor) {
    QCursor::setPos(screen(), int(roundHalfEven(cursor.x() / PixelTwipsX)),
                    int(roundHalfEven(cursor.y() / PixelTwipsY)));
}

void FormMain::applyPointerShape(PointerShape shape) {
    static const std::map<PointerShape, Qt::CursorShape> shapes = {
        {PointerShape::Arrow, Qt::ArrowCursor},
        {PointerShape::SizeWE, Qt::SizeHorCursor},
        {PointerShape::SizeNS, Qt::SizeVerCursor},
        {PointerShape::SizeNWSE, Qt::SizeFDiagCursor},
        {PointerShape::SizeNESW, Qt::SizeBDiagCursor},
        {PointerShape::Move, Qt::SizeAllCursor},
    };
    const auto it = shapes.find(shape);
    // Every mouse move asks; the window system hears only of a change.
    if (it != shapes.end() && cursor().shape() != it->second)
        setCursor(it->second);
}

void FormMain::FormMain_Form_DblClick() {
    const MaximizeToggle t = toggleMaximize(state, currentGeometry(), screenWidthTwips());
    state.lblPos = t.state.lblPos;
    state.lblWidth = t.state.lblWidth;
    state.lblMaxMin = t.state.lblMaxMin;
    placeWindow(QPointF(t.geometry.left, t.geometry.top), t.geometry.width);
}

void FormMain::FormMain_btnUpDown_Click() {
    // The side windows and the start-up window belong to the program object.
    emit collapseRequested();
}

void FormMain::FormMain_Form_MouseDown(Qt::MouseButton button, QPointF cursor) {
    if (button != Qt::LeftButton || m_drag)
        return;
    m_drag.emplace(cursor, currentGeometry(), EdgeTwipsX, EdgeTwipsY);
    if (const std::optional<QPointF> snap = m_drag->snapPoint()) {
        SetCursorTwips(*snap);
        // Read back rather than assumed: where the platform cannot move the
        // cursor, the resize still follows it from where it really is.
        m_drag->setStart(GetCursorTwips());
    }
    // The first pass runs at once, as the button is already held: the move
    // cursor shows before the mouse moves.
    const QPointF at(m_drag->sx, m_drag->sy);
    const TwipsGeometry g = currentGeometry();
    FormMain_Form_MouseMove(Qt::LeftButton, at, at - QPointF(g.left, g.top));
}

void FormMain::FormMain_Form_MouseMove(Qt::MouseButtons buttons, QPointF cursor, QPointF point) {
    if (m_drag) {
        if (!(buttons & Qt::LeftButton)) {
            // The release went elsewhere (a grab taken away): the drag is over.
            m_drag.reset();
        } else {
            const DragSession::Apply apply = [this](const TwipsGeometry &r) {
                placeWindow(QPointF(r.left, r.top), r.width);
                return currentGeometry();
            };
            m_drag->pass(cursor, currentGeometry(), apply);
            if (!m_drag->resizing())
                applyPointerShape(PointerShape::Move);
        }
    }
    const TwipsGeometry g = currentGeometry();
    applyPointerShape(hoverCursor(float(point.x()), float(point.y()), g.width, g.height, EdgeTwipsX,
                                  EdgeTwipsY, buttons & Qt::LeftButton));
}

void FormMain::FormMain_Form_MouseUp(Qt::MouseButton button) {
    if (button == Qt::LeftButton)
        m_drag.reset();
}

void FormMain::FormMain_Text1_MouseMove() {
    setCursor(Qt::ArrowCursor);
}

QPointF FormMain::cursorTwips(const QMouseEvent *event) const {
    const QPointF p = event->globalPosition();
    return QPointF(PixelTwipsX * p.x(), PixelTwipsY * p.y());
}

QPointF FormMain::pointTwips(const QMouseEvent *event) const {
    const QPointF p = event->position();
    return QPointF(PixelTwipsX * p.x(), PixelTwipsY * p.y());
}

void FormMain::mousePressEvent(QMouseEvent *event) {
    if (!m_drag)
        syncPosition(this, event);
    FormMain_Form_MouseDown(event->button(), cursorTwips(event));
    event->accept();
}

void FormMain::mouseMoveEvent(QMouseEvent *event) {
    FormMain_Form_MouseMove(event->buttons(), cursorTwips(event), pointTwips(event));
    event->accept();
}

void FormMain::mouseReleaseEvent(QMouseEvent *event) {
    FormMain_Form_MouseUp(event->button());
    event->accept();
}

void FormMain::mouseDoubleClickEvent(QMouseEvent *event) {
    // The second press of a double-click is no new press: Qt's default would
    // start another drag from it.
    syncPosition(this, event);
    FormMain_Form_DblClick();
    event->accept();
}
