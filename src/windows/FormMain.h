#pragma once

#include "core/gestures.h"
#include "windows/drag.h"

#include <QPointF>
#include <QRectF>
#include <QTimer>
#include <QWidget>
#include <optional>

class QKeyEvent;
class QLabel;

namespace core {
class AppCore;
}
namespace widgets {
class PictureButton;
class TextBox;
} // namespace widgets

namespace windows {

// The program's main window: a narrow borderless strip with the text box,
// the collapse button at the top and the toolbar at the bottom. It shows
// the core's text and settings and hands every file operation to the core;
// what lives outside it (side windows, the collapsed window) it asks for
// through its signals. Its controls carry their layout names.
class FormMain : public QWidget {
    Q_OBJECT
public:
    explicit FormMain(core::AppCore &core);

    // The text box's text, lines ended by CR LF.
    QString text() const;

    // Where the strip stands, in twips. Until it moves, the twips it was
    // placed at: pixels would round them.
    QRectF placeTwips() const;
    double widthTwips() const;

    // The first showing's settings: the text box's font, the translucency.
    void applySettings();

    // Moves the strip and gives it a width, then runs the layout rule: the
    // base width and the screen bound the width, and the text sets the
    // height. Without a place the strip stays where it is.
    void place(std::optional<QPointF> topLeftTwips, double widthTwips);

    // In front of other windows or not (and shown).
    void setTopmost(bool on);
    // The pin button as the always-on-top switch stands.
    void showAlwaysOnTop(bool on);

    // The keyboard to the text box, the caret where it was.
    void takeFocus();

signals:
    // What the toolbar and the keys ask of things outside this window.
    void saveRequested();
    void listRequested();
    void configRequested();
    void aboutRequested();
    void collapseRequested();
    void closeRequested();
    void alwaysOnTopToggleRequested();
    // The strip got the focus, which gives it its place in front back.
    void activated();

protected:
    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *) override;
    void showEvent(QShowEvent *) override;
    void changeEvent(QEvent *) override;
    void closeEvent(QCloseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Layout (FormMain.cpp).
    // A text the core opened, into the box.
    void takeText(const QString &text);
    void autoResize();
    void layoutControls();
    void fitTextBox(int widthTwips);
    core::TwipsGeometry currentGeometry() const;
    int screenWidthTwips() const;
    void showOpenName(const QString &name);
    void applyFont();
    // Settings saved while the strip runs: the font, the width and the text
    // box's heights, the translucency, as the next start would give them.
    void applySavedSettings();
    void setOpacity(double percent);
    void transparencyTick();

    // Editing (FormMainEditing.cpp).
    bool handleTextKey(const QKeyEvent &key);
    void startSavingBadge();
    void savingBadgeTick();
    void insertBullet();
    void savePositions();
    void reportNotSaved(const QString &displayPath);
    bool focusKeys(const QKeyEvent &key);

    // Gestures (FormMainGestures.cpp): the horizontal maximize, moving and
    // resizing with the mouse, the sizing cursors.
    void toggleMaximize();
    void startDrag(QPointF cursor);
    void dragPass(QPointF cursor);
    void hover(Qt::MouseButtons buttons, QPointF point);
    void applyPointerShape(core::PointerShape shape);
    core::TwipsGeometry applyDragRequest(const core::TwipsGeometry &request);

    core::AppCore &m_core;

    widgets::TextBox *m_textBox;
    QLabel *m_savingBadge;
    widgets::PictureButton *m_collapseButton;
    QWidget *m_toolbar;
    widgets::PictureButton *m_bulletButton;
    widgets::PictureButton *m_saveButton;
    widgets::PictureButton *m_listButton;
    widgets::PictureButton *m_settingsButton;
    widgets::PictureButton *m_aboutButton;
    widgets::PictureButton *m_topButton;
    widgets::PictureButton *m_positionsButton;
    widgets::PictureButton *m_closeButton;

    // The saving badge: its 50 ms steps and where it stands in them.
    QTimer m_badgeTimer;
    int m_badgeStep = 1;

    // The translucency: a tick every 100 ms, and where the pointer was.
    QTimer m_transparencyTimer;
    std::optional<QPoint> m_lastCursor;

    core::MaximizeState m_maximize;
    std::optional<core::DragSession> m_drag;
    windows::WindowDrag m_windowDrag{this};

    bool m_topmost = false;
    bool m_placing = false;
    bool m_placed = false;
    int m_textHeightTwips = 0;
    // The twips the strip was last placed at, and the pixel they became.
    QPointF m_placedTwips;
    QPoint m_placedPx{INT_MIN, INT_MIN};
};

} // namespace windows
