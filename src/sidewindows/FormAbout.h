#pragma once

#include "sidewindows/SideWindow.h"

#include <QLabel>
#include <QUrl>
#include <functional>

class FormHelp;

// A label of the About and help windows. It keeps the mouse presses made on
// it, as a control does, so that pressing it does not drag the window, and
// reports a left click (press and release on it).
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    ClickLabel(const QString &text, QWidget *parent);

    // The places were drawn for a narrower font than most systems have: a
    // label whose text does not fit grows, downward when it wraps, to the
    // right when it does not, rather than cut its text. Call it once placed.
    void growToText();

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    platform::ClickTracker m_click;
};

// "Sobre o programa": the program's name and version, its makers, and three
// links: the help window, the home page and the donations page.
class FormAbout : public SideWindow {
    Q_OBJECT
public:
    // The help window to show, made when there is none yet; the program
    // object keeps it as its only help window.
    using HelpWindowSource = std::function<FormHelp *()>;

    FormAbout(FormMain &main, HelpWindowSource helpWindow);

    static const QString HomePageUrl;
    static QString donationsPageUrl();

    // Hands an address to the user's browser. The result is ignored: when no
    // browser starts, nothing is reported. Tests put a recorder here.
    static std::function<void(const QUrl &)> openAddress;

    QLabel *Label3; // the title, the frame's title label
    platform::PictureButton *Image1;
    ClickLabel *Label1;
    ClickLabel *Label2;
    ClickLabel *lblAutor;
    ClickLabel *Label6;
    ClickLabel *lblBrenvaldo;
    ClickLabel *lblSobre;
    platform::PictureButton *Image2;
    ClickLabel *lblAjuda;
    ClickLabel *lblPayPal;
    ClickLabel *Label4;

    void lblAjuda_Click();
    void lblBrenvaldo_Click();
    void lblPayPal_Click();

private:
    HelpWindowSource m_helpWindow;
};
