#pragma once

#include "mainwindow/MainWindowState.h"
#include "mainwindow/gestures.h"
#include "mainwindow/mainrules.h"
#include "platform/widgets.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>

// The program's main window: a narrow borderless strip with the text box, the
// collapse button at the top and the toolbar at the bottom. Geometry is spoken
// in twips, as the rules are; Qt's logical pixels are 15 twips each.
class FormMain : public QWidget {
    Q_OBJECT
public:
    FormMain();

    MainWindowState state;

    platform::TextBox *Text1;
    QLabel *lblSaving;
    platform::PictureButton *btnUpDown;
    QWidget *Frame1;
    platform::PictureButton *btnIdent;
    platform::PictureButton *btnSave;
    platform::PictureButton *btnList;
    platform::PictureButton *btnConfig;
    platform::PictureButton *btnAbout;
    platform::PictureButton *btnTop;
    platform::PictureButton *btnPosicao;
    platform::PictureButton *btnClose;

    // Screen twips per pixel and the width of the resizing band along the edges.
    float PixelTwipsX = 15, PixelTwipsY = 15;
    float EdgeTwipsX = 75, EdgeTwipsY = 75;

    // Window geometry in twips.
    QRect geometryTwips() const;
    int leftTwips() const { return geometryTwips().x(); }
    int topTwips() const { return geometryTwips().y(); }
    // The size needs no word with the window system; the position does.
    int widthTwips() const { return width() * TwipsPerPixel; }
    int heightTwips() const { return height() * TwipsPerPixel; }

    // Moves the window and gives it a width, then runs the layout rule: the
    // base width and the screen's width bound the width, AutoResize sets the
    // height. Without a position the window stays where the window system put it.
    void placeWindow(std::optional<QPointF> topLeftTwips, double widthTwips);
    void setLeftTwips(double left);
    void setTopTwips(double top);
    void setWidthTwips(double width);

    // Fits the text box's height to its line count and the window to the box.
    void AutoResize();

    void SetAlwaysOnTopMode(bool on);

    // Opacity while the pointer is away, in percent; 100 while it is over the window.
    void transparentForm(double percent);

    // The screen's width in twips.
    int screenWidthTwips() const;

    // Gestures (FormMainGestures.cpp): the horizontal maximize, the collapse
    // button, moving and resizing with the mouse. Cursor positions are screen
    // twips, points twips from the window's top-left corner.
    void FormMain_Form_DblClick();
    void FormMain_btnUpDown_Click();
    void FormMain_Form_MouseDown(Qt::MouseButton button, QPointF cursor);
    void FormMain_Form_MouseMove(Qt::MouseButtons buttons, QPointF cursor, QPointF point);
    void FormMain_Form_MouseUp(Qt::MouseButton button);
    void FormMain_Text1_MouseMove();
    QPointF GetCursorTwips() const;
    void SetCursorTwips(QPointF cursor);
    bool dragging() const { return m_drag.has_value(); }

    void FormMain_btnTop_Click();
    void FormMain_transparentForm_Timer();

    // Editing (FormMainEditing.cpp). The key handlers return true when the key
    // was theirs; the key then goes no further.
    bool FormMain_Text1_KeyPress(const QKeyEvent &key);
    bool FormMain_Text1_KeyDown(const QKeyEvent &key);
    void FormMain_Text1_Change();
    void FormMain_tmrSaving_Timer();
    void FormMain_btnIdent_Click();
    void FormMain_btnPosicao_Click();

    // Shows "  Salvando" for a moment; anything that has just saved calls it.
    void startSavingBadge();

    // The badge's timer: 50 ms steps while the badge shows.
    QTimer tmrSaving;

    // What the positions button needs from outside this window, given by the
    // program object: line 8 of config.txt from where the start-up window and
    // this window stand now, and line 9 as the reopen switch wants it. Unset,
    // the start-up window counts where config.txt put it and no text is reopened.
    std::function<QString()> positionsLine;
    std::function<QString()> lastTextLine;

signals:
    // The toolbar's requests for things that live outside this window.
    void saveRequested();
    void listRequested();
    void configRequested();
    void aboutRequested();
    void collapseRequested();
    void closeRequested();

protected:
    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *) override;
    void showEvent(QShowEvent *) override;
    void changeEvent(QEvent *) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void setUpEditing();
    void layoutControls();
    void applyTextBoxFit(int widthTwips);
    void setUpGestures();
    TwipsGeometry currentGeometry() const;
    void applyPointerShape(PointerShape shape);
    QPointF cursorTwips(const QMouseEvent *event) const;
    QPointF pointTwips(const QMouseEvent *event) const;
    std::optional<DragSession> m_drag;

    QTimer m_transparencyTimer;
    std::optional<QPoint> m_lastCursor;
    bool m_placing = false;
    int m_textHeightTwips = 0;
};
