#include "mainwindow/FormMain.h"

#include "mainwindow/mainrules.h"
#include "platform/numbers.h"
#include "platform/windowsystem.h"

#include <QCursor>
#include <QEvent>
#include <QPainter>
#include <QScreen>
#include <QShowEvent>

using platform::numberOr0;
using platform::roundHalfEven;

namespace {

const QColor Background(248, 248, 248);
// The classic system colours the strip was drawn with.
const QColor ActiveBorder(180, 180, 180);
const QColor GrayText(109, 109, 109);
const QColor AppWorkspace(171, 171, 171);

} // namespace

FormMain::FormMain() : QWidget(nullptr, Qt::FramelessWindowHint | Qt::Tool) {
    setWindowTitle(QStringLiteral("Corvale Scrivulets"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/app_icon.svg")));
    setAttribute(Qt::WA_QuitOnClose, false);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Background);
    setPalette(pal);
    setAutoFillBackground(true);

    // Creation order is stacking order: the badge lies under the collapse button.
    lblSaving = new QLabel(QStringLiteral("  Salvando"), this);
    lblSaving->setAutoFillBackground(true);
    QPalette badge = lblSaving->palette();
    badge.setColor(QPalette::Window, AppWorkspace);
    badge.setColor(QPalette::WindowText, Qt::white);
    lblSaving->setPalette(badge);
    lblSaving->setGeometry(pxRect(QRect(120, 350, 150, 175)));
    lblSaving->hide();

    btnUpDown = new platform::PictureButton(QStringLiteral(":/icons/collapse_up.svg"),
                                            QStringLiteral(" Recolher "), this);
    btnUpDown->setCursor(Qt::PointingHandCursor);
    connect(btnUpDown, &platform::PictureButton::clicked, this,
            &FormMain::FormMain_btnUpDown_Click);

    Text1 = new platform::TextBox(this);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(11.25);
    Text1->setFont(font);
    connect(Text1, &QPlainTextEdit::textChanged, this, &FormMain::FormMain_Text1_Change);

    Frame1 = new QWidget(this);
    Frame1->setAutoFillBackground(true);
    Frame1->setPalette(pal);
    struct Tool {
        platform::PictureButton *&button;
        int left;
        const char *picture;
        const char *toolTip;
    };
    const Tool tools[] = {
        {btnIdent, 0, "tool_ident", " Inserir bullet "},
        {btnSave, 270, "tool_save", " Salvar texto "},
        {btnList, 535, "tool_list", " Exibir textos salvos "},
        {btnConfig, 820, "tool_config", " Configurar programa "},
        {btnAbout, 1110, "tool_about", " Sobre o programa "},
        {btnTop, 1400, "top_off", " Manter na frente "},
        {btnPosicao, 1680, "tool_positions", " Salvar novas posições e dimensões "},
        {btnClose, 2000, "tool_close", " Fechar programa "},
    };
    for (const Tool &t : tools) {
        t.button = new platform::PictureButton(
            QStringLiteral(":/icons/%1.svg").arg(QLatin1String(t.picture)),
            QString::fromUtf8(t.toolTip), Frame1);
        t.button->setGeometry(pxRect(QRect(t.left, 120, 225, 210)));
    }
    btnClose->setCursor(Qt::PointingHandCursor);
    connect(btnSave, &platform::PictureButton::clicked, this, &FormMain::saveRequested);
    connect(btnList, &platform::PictureButton::clicked, this, &FormMain::listRequested);
    connect(btnConfig, &platform::PictureButton::clicked, this, &FormMain::configRequested);
    connect(btnAbout, &platform::PictureButton::clicked, this, &FormMain::aboutRequested);
    connect(btnTop, &platform::PictureButton::clicked, this, &FormMain::FormMain_btnTop_Click);
    connect(btnClose, &platform::PictureButton::clicked, this, &FormMain::closeRequested);

    // The transparency timer runs from now to the end of the program.
    connect(&m_transparencyTimer, &QTimer::timeout, this,
            &FormMain::FormMain_transparentForm_Timer);
    m_transparencyTimer.start(100);

    setUpEditing();
    setUpGestures();
}

QRect FormMain::geometryTwips() const {
    const QRect g(platform::windowPosition(this), size());
    return QRect(g.x() * TwipsPerPixel, g.y() * TwipsPerPixel, g.width() * TwipsPerPixel,
                 g.height() * TwipsPerPixel);
}

int FormMain::screenWidthTwips() const {
    const QScreen *s = screen();
    return s ? s->geometry().width() * TwipsPerPixel : 1920 * TwipsPerPixel;
}

void FormMain::applyTextBoxFit(int widthTwips) {
    // The line count depends on the width the text wraps at, so the box gets
    // its width before it is asked.
    Text1->resize(px(widthTwips - 240), Text1->height());
    // Past the lines that fill the box to its maximum the count changes
    // nothing, so counting stops there: typing in a long text stays cheap.
    // A text box taller than the screen would hide its own caret: the largest
    // heights the screen can take stand in for larger ones.
    const QScreen *s = screen();
    const double room = s ? std::max(0.0, s->availableGeometry().height() - 1270.0 / TwipsPerPixel)
                          : platform::MaxPixels;
    const double txtMin = std::min(numberOr0(state.lblTxtMin), room);
    const double txtMax = std::min(numberOr0(state.lblTxtMax), room);
    const int lines = Text1->displayedLineCount(autoResizeLineLimit(txtMin, txtMax));
    const TextBoxFit fit = autoResizeHeight(lines, txtMin, txtMax);
    if (fit.scrollBar != ScrollBarChange::Unchanged)
        Text1->setVerticalScrollBarShown(fit.scrollBar == ScrollBarChange::Show);
    m_textHeightTwips = fit.height;
}

void FormMain::placeWindow(std::optional<QPointF> topLeftTwips, double widthTwips) {
    // The layout rule re-enters itself in the original through the resize
    // events its own changes raise; here the final geometry is worked out in
    // one pass and applied once.
    const WidthFit fit =
        fitWidth(wholeTwips(widthTwips), int(numberOr0(state.lblMyWidth)), screenWidthTwips());
    if (fit.movedToScreen) {
        state.lblWidth = state.lblMyWidth;
        topLeftTwips = QPointF(200, topLeftTwips ? topLeftTwips->y() : topTwips());
    }
    applyTextBoxFit(fit.width);
    const int heightPx = px(m_textHeightTwips) + px(1270);
    m_placing = true;
    if (topLeftTwips) {
        setGeometry(px(topLeftTwips->x()), px(topLeftTwips->y()), px(fit.width), heightPx);
    } else if (size() != QSize(px(fit.width), heightPx)) {
        // Qt resizes from where it thinks the window is; make sure it knows.
        platform::syncPosition(this);
        resize(px(fit.width), heightPx);
    }
    m_placing = false;
    layoutControls();
}

void FormMain::setLeftTwips(double left) {
    placeWindow(QPointF(left, topTwips()), widthTwips());
}

void FormMain::setTopTwips(double top) {
    placeWindow(QPointF(leftTwips(), top), widthTwips());
}

void FormMain::setWidthTwips(double width) {
    placeWindow(std::nullopt, width);
}

void FormMain::AutoResize() {
    placeWindow(std::nullopt, widthTwips());
}

void FormMain::layoutControls() {
    const MainLayout l = layoutMain(widthTwips(), heightTwips());
    Text1->setGeometry(px(l.text1.x()), px(l.text1.y()), px(l.text1.width()),
                       px(m_textHeightTwips));
    Frame1->setGeometry(pxRect(l.frame1));
    btnUpDown->setGeometry(pxRect(l.btnUpDown));
    update();
}

void FormMain::resizeEvent(QResizeEvent *) {
    // A size the window system chose runs the layout rule like any other.
    if (!m_placing)
        AutoResize();
}

void FormMain::paintEvent(QPaintEvent *) {
    QPainter p(this);
    const int W = widthTwips(), H = heightTwips();
    // The band along the top: imgBG tiled at its own size.
    static const QPixmap band = platform::renderPicture(QStringLiteral(":/icons/band.svg"),
                                                        QSize(17, 100), devicePixelRatioF());
    for (int x = 0; x <= W; x += 255)
        p.drawPixmap(px(x), 0, band);
    const MainLayout l = layoutMain(W, H);
    p.fillRect(pxRect(l.linhaFundo), ActiveBorder);
    p.fillRect(pxRect(l.linhaTopo), ActiveBorder);
    p.setPen(GrayText);
    p.drawRect(QRect(0, 0, width() - 1, height() - 1));
    static const QPixmap ornament = platform::renderPicture(
        QStringLiteral(":/icons/bottom_right.svg"), QSize(125, 22), devicePixelRatioF());
    p.drawPixmap(pxRect(l.imgDirBottom).topLeft(), ornament);
    p.fillRect(pxRect(l.linhaTopo2), Qt::white);
}

void FormMain::showEvent(QShowEvent *event) {
    platform::keepOffTaskbar(this);
    QWidget::showEvent(event);
}

void FormMain::changeEvent(QEvent *event) {
    // Another window may have taken the front; focus gives the topmost place back.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() &&
        numberOr0(state.lblCheckTop) == 1)
        SetAlwaysOnTopMode(true);
    QWidget::changeEvent(event);
}

void FormMain::SetAlwaysOnTopMode(bool on) {
    platform::setTopmost(this, on);
}

void FormMain::transparentForm(double percent) {
    platform::setAlpha(this, alphaFor(double(roundHalfEven(percent))));
}

void FormMain::FormMain_btnTop_Click() {
    if (numberOr0(state.lblCheckTop) == 0) {
        SetAlwaysOnTopMode(true);
        state.lblCheckTop = QStringLiteral("1");
        btnTop->setPicture(QStringLiteral(":/icons/top_on.svg"));
        btnTop->setToolTip(QStringLiteral(" Desfazer manter na frente "));
    } else {
        SetAlwaysOnTopMode(false);
        state.lblCheckTop = QStringLiteral("0");
        btnTop->setPicture(QStringLiteral(":/icons/top_off.svg"));
        btnTop->setToolTip(QStringLiteral(" Manter na frente "));
    }
}

void FormMain::FormMain_transparentForm_Timer() {
    const QPoint cursor = QCursor::pos();
    if (!m_lastCursor) {
        m_lastCursor = cursor;
        return;
    }
    if (cursor == *m_lastCursor)
        return;
    if (pointerOverWindow(cursor, geometryTwips()))
        transparentForm(100);
    else
        transparentForm(numberOr0(state.lblTransparencia));
    m_lastCursor = cursor;
}
