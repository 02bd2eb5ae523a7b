#include "windows/FormMain.h"

#include "core/AppCore.h"
#include "core/editing.h"
#include "core/names.h"
#include "core/numbers.h"
#include "core/striprules.h"
#include "platform/windowsystem.h"
#include "widgets/PictureButton.h"
#include "widgets/TextBox.h"
#include "widgets/pictures.h"
#include "windows/look.h"

#include <QCloseEvent>
#include <QCursor>
#include <QLabel>
#include <QPainter>
#include <QScreen>

namespace windows {

using core::px;
using core::pxRect;
using core::TwipsPerPixel;

using namespace look;

FormMain::FormMain(core::AppCore &core) : QWidget(nullptr, platform::windowFlags()), m_core(core) {
    setObjectName(QStringLiteral("FormMain"));
    setWindowTitle(QStringLiteral("Corvale Scrivulets"));
    setAttribute(Qt::WA_QuitOnClose, false);
    // Tooltips show whichever window is active: the strip rarely is.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Background);
    setPalette(pal);
    setAutoFillBackground(true);

    // Creation order is stacking order: the badge lies under the collapse button.
    m_savingBadge = new QLabel(QStringLiteral("  Salvando"), this);
    m_savingBadge->setObjectName(QStringLiteral("lblSaving"));
    m_savingBadge->setAutoFillBackground(true);
    QPalette badge = m_savingBadge->palette();
    badge.setColor(QPalette::Window, AppWorkspace);
    badge.setColor(QPalette::WindowText, Qt::white);
    m_savingBadge->setPalette(badge);
    m_savingBadge->setGeometry(pxRect(QRect(120, 350, core::editing::IdleBadgeWidthTwips, 175)));
    m_savingBadge->hide();

    m_collapseButton = new widgets::PictureButton(QStringLiteral(":/icons/collapse_up.svg"),
                                                  QStringLiteral(" Recolher "), this);
    m_collapseButton->setObjectName(QStringLiteral("btnUpDown"));
    m_collapseButton->setCursor(Qt::PointingHandCursor);
    connect(m_collapseButton, &QAbstractButton::clicked, this, &FormMain::collapseRequested);

    m_textBox = new widgets::TextBox(this);
    m_textBox->setObjectName(QStringLiteral("Text1"));
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(11.25);
    m_textBox->setFont(font);
    connect(m_textBox, &QPlainTextEdit::textChanged, this, [this] {
        autoResize();
        m_core.textEdited();
    });

    m_toolbar = new QWidget(this);
    m_toolbar->setObjectName(QStringLiteral("Frame1"));
    m_toolbar->setAutoFillBackground(true);
    m_toolbar->setPalette(pal);
    struct Tool {
        widgets::PictureButton *&button;
        const char *name;
        int left;
        const char *picture;
        const char *toolTip;
    };
    const Tool tools[] = {
        {m_bulletButton, "btnIdent", 0, "tool_ident", " Inserir bullet "},
        {m_saveButton, "btnSave", 270, "tool_save", " Salvar texto "},
        {m_listButton, "btnList", 535, "tool_list", " Exibir textos salvos "},
        {m_settingsButton, "btnConfig", 820, "tool_config", " Configurar programa "},
        {m_aboutButton, "btnAbout", 1110, "tool_about", " Sobre o programa "},
        {m_topButton, "btnTop", 1400, "top_off", " Manter na frente "},
        {m_positionsButton, "btnPosicao", 1680, "tool_positions",
         " Salvar novas posições e dimensões "},
        {m_closeButton, "btnClose", 2000, "tool_close", " Fechar programa "},
    };
    for (const Tool &t : tools) {
        t.button = new widgets::PictureButton(
            QStringLiteral(":/icons/%1.svg").arg(QLatin1String(t.picture)),
            QString::fromUtf8(t.toolTip), m_toolbar);
        t.button->setObjectName(QLatin1String(t.name));
        t.button->setGeometry(pxRect(QRect(t.left, 120, 225, 210)));
    }
    m_closeButton->setCursor(Qt::PointingHandCursor);
    connect(m_saveButton, &QAbstractButton::clicked, this, &FormMain::saveRequested);
    connect(m_listButton, &QAbstractButton::clicked, this, &FormMain::listRequested);
    connect(m_settingsButton, &QAbstractButton::clicked, this, &FormMain::configRequested);
    connect(m_aboutButton, &QAbstractButton::clicked, this, &FormMain::aboutRequested);
    connect(m_topButton, &QAbstractButton::clicked, this, &FormMain::alwaysOnTopToggleRequested);
    connect(m_closeButton, &QAbstractButton::clicked, this, &FormMain::closeRequested);
    connect(m_bulletButton, &QAbstractButton::clicked, this, &FormMain::insertBullet);
    connect(m_positionsButton, &QAbstractButton::clicked, this, &FormMain::savePositions);
    m_textBox->installEventFilter(this);
    m_toolbar->installEventFilter(this);

    m_badgeTimer.setInterval(50);
    connect(&m_badgeTimer, &QTimer::timeout, this, &FormMain::savingBadgeTick);
    // The transparency timer runs from now to the end of the program.
    connect(&m_transparencyTimer, &QTimer::timeout, this, &FormMain::transparencyTick);
    m_transparencyTimer.start(100);

    connect(&m_core, &core::AppCore::textReplaced, this, &FormMain::takeText);
    // The same text changed elsewhere: the caret stays where the user left it.
    connect(&m_core, &core::AppCore::textReloaded, this, [this](const QString &text) {
        const int caret = m_textBox->selStart();
        m_textBox->setText(text);
        m_textBox->setSelection(std::min(caret, int(text.size())), 0);
    });
    connect(&m_core, &core::AppCore::settingsSaved, this, &FormMain::applySavedSettings);
    showOpenName(m_core.openName().value_or(QString()));
    connect(&m_core, &core::AppCore::openNameChanged, this, &FormMain::showOpenName);

    // Only the window's own surface drags, double-clicks and shows the sizing
    // cursors. Qt hands a press a child leaves alone to its parent and lets
    // children wear the parent's cursor; the toolbar, the badge, the button
    // and the text box are controls of their own and keep to themselves.
    setMouseTracking(true);
    m_textBox->viewport()->setMouseTracking(true);
    m_textBox->viewport()->installEventFilter(this);
    for (QWidget *control :
         {static_cast<QWidget *>(m_toolbar), static_cast<QWidget *>(m_savingBadge),
          static_cast<QWidget *>(m_collapseButton), static_cast<QWidget *>(m_textBox)}) {
        control->setAttribute(Qt::WA_NoMousePropagation);
        if (!control->testAttribute(Qt::WA_SetCursor))
            control->setCursor(Qt::ArrowCursor);
    }
    m_windowDrag.setFollow([this](QPointF global) {
        dragPass(QPointF(global.x() * TwipsPerPixel, global.y() * TwipsPerPixel));
    });
}

QString FormMain::text() const {
    return m_textBox->text();
}

double FormMain::widthTwips() const {
    return width() * TwipsPerPixel;
}

QRectF FormMain::placeTwips() const {
    const QPoint at = platform::windowPosition(this);
    const QSizeF size(width() * TwipsPerPixel, height() * TwipsPerPixel);
    if (at == m_placedPx)
        return QRectF(m_placedTwips, size);
    return QRectF(QPointF(at.x() * TwipsPerPixel, at.y() * TwipsPerPixel), size);
}

core::TwipsGeometry FormMain::currentGeometry() const {
    // Qt's own record, set right at a press and then by every request of a
    // drag: the window manager may not have carried out the last move yet
    // when the next pass asks, and the rules must build on what they asked for.
    const QRect g = geometry();
    return {float(g.x() * TwipsPerPixel), float(g.y() * TwipsPerPixel),
            float(g.width() * TwipsPerPixel), float(g.height() * TwipsPerPixel)};
}

int FormMain::screenWidthTwips() const {
    const QScreen *s = screen();
    return (s ? s->geometry().width() : 1920) * TwipsPerPixel;
}

// The title is what task switchers and screen readers read (the window
// system adds the program's name to it); the tooltip shows over the strip's
// surface and its text box, whose band it names.
void FormMain::showOpenName(const QString &name) {
    const QString caption = core::openTextCaption(name);
    setWindowTitle(caption);
    setToolTip(u' ' + caption + u' ');
}

void FormMain::applyFont() {
    QFont font = m_textBox->font();
    font.setFamily(m_core.settings().font);
    m_textBox->setFont(font);
}

void FormMain::applySettings() {
    applyFont();
    m_maximize.restoreWidth = float(m_core.stripWidthTwips());
    setOpacity(m_core.settings().opacityPercent);
}

void FormMain::applySavedSettings() {
    applyFont();
    // Through the layout rule, as at start: the screen bounds the width and
    // the new heights refit the text box. A maximize in force stays so, and
    // its double-click gives back the width it saved.
    place(std::nullopt, m_core.stripWidthTwips());
    const QRect here(platform::windowPosition(this), size());
    setOpacity(core::pointerOverWindow(QCursor::pos(), core::twipsRect(here))
                   ? 100
                   : m_core.settings().opacityPercent);
}

void FormMain::fitTextBox(int widthTwips) {
    // The line count depends on the width the text wraps at, so the box's
    // layout gets that width before it is asked, shown or not.
    m_textBox->layOutForWidth(px(widthTwips - 240));
    // A text box taller than the screen would hide its own caret: the largest
    // heights the screen can take stand in for larger ones.
    const QScreen *s = screen();
    const double room = s ? std::max(0.0, s->availableGeometry().height() -
                                              double(core::StripChromeTwips) / TwipsPerPixel)
                          : core::MaxPixels;
    const double minPx = std::min(m_core.settings().textMinPx, room);
    const double maxPx = std::min(m_core.settings().textMaxPx, room);
    const int lineTwips = int(std::ceil(m_textBox->lineHeight() * TwipsPerPixel));
    // Past the lines that fill the box to its maximum the count changes
    // nothing, so counting stops there: typing in a long text stays cheap.
    const int lines =
        m_textBox->displayedLineCount(core::autoResizeLineLimit(minPx, maxPx, lineTwips));
    const core::TextBoxFit fit = core::autoResizeHeight(lines, minPx, maxPx, lineTwips);
    if (fit.scrollBar != core::ScrollBarChange::Unchanged)
        m_textBox->setVerticalScrollBarShown(fit.scrollBar == core::ScrollBarChange::Show);
    m_textHeightTwips = fit.height;
}

void FormMain::place(std::optional<QPointF> topLeftTwips, double widthTwips) {
    // The final geometry is worked out in one pass and applied once: a
    // top-level resize is not synchronous on every platform, so a rule that
    // answered its own resize events would read sizes not yet in force.
    const core::WidthFit fit =
        core::fitWidth(core::wholeTwips(widthTwips), int(core::BaseWidthTwips), screenWidthTwips());
    if (fit.movedToScreen) {
        m_maximize.restoreWidth = core::BaseWidthTwips;
        topLeftTwips = QPointF(200, topLeftTwips ? topLeftTwips->y() : placeTwips().y());
    }
    fitTextBox(fit.width);
    const int heightPx = px(m_textHeightTwips) + px(core::StripChromeTwips);
    const QRect before = geometry();
    m_placing = true;
    m_placed = true;
    if (topLeftTwips) {
        const QPoint at(px(topLeftTwips->x()), px(topLeftTwips->y()));
        setGeometry(QRect(at, QSize(px(fit.width), heightPx)));
        m_placedTwips = *topLeftTwips;
        m_placedPx = at;
    } else if (size() != QSize(px(fit.width), heightPx)) {
        // Qt resizes from where it thinks the window is; make sure it knows.
        platform::syncPosition(this);
        resize(px(fit.width), heightPx);
    }
    m_placing = false;
    layoutControls();
    // A window manager or another program may have cleared the strip's
    // states meanwhile.
    if (geometry() != before && isVisible())
        platform::applyWindowStates(this, m_topmost);
}

void FormMain::takeText(const QString &text) {
    // The start's text comes before the strip is first placed: the box takes
    // the width it will be shown at first, since a large text is laid out
    // again (and its layout held anew) at every width it passes through.
    if (!m_placed)
        place(std::nullopt, m_core.stripWidthTwips());
    m_textBox->setText(text);
}

void FormMain::autoResize() {
    place(std::nullopt, widthTwips());
}

void FormMain::layoutControls() {
    const core::MainLayout l = core::layoutMain(width() * TwipsPerPixel, height() * TwipsPerPixel);
    m_textBox->setGeometry(px(l.textBox.x()), px(l.textBox.y()), px(l.textBox.width()),
                           px(m_textHeightTwips));
    m_toolbar->setGeometry(pxRect(l.toolbar));
    m_collapseButton->setGeometry(pxRect(l.collapseButton));
    update();
}

void FormMain::resizeEvent(QResizeEvent *) {
    // A size the window system chose runs the layout rule like any other.
    if (!m_placing)
        autoResize();
}

void FormMain::paintEvent(QPaintEvent *) {
    QPainter p(this);
    const int W = width() * TwipsPerPixel, H = height() * TwipsPerPixel;
    // The band along the top: its picture tiled at its own size.
    static const QPixmap band = widgets::renderPicture(QStringLiteral(":/icons/band.svg"),
                                                       QSize(17, 100), devicePixelRatioF());
    for (int x = 0; x <= W; x += 255)
        p.drawPixmap(px(x), 0, band);
    const core::MainLayout l = core::layoutMain(W, H);
    p.fillRect(pxRect(l.bottomRule), ActiveBorder);
    p.fillRect(pxRect(l.topRule), ActiveBorder);
    p.setPen(GrayText);
    p.drawRect(QRect(0, 0, width() - 1, height() - 1));
    static const QPixmap ornament = widgets::renderPicture(
        QStringLiteral(":/icons/bottom_right.svg"), QSize(125, 22), devicePixelRatioF());
    p.drawPixmap(pxRect(l.cornerPicture).topLeft(), ornament);
    p.fillRect(pxRect(l.topBand), Qt::white);
}

void FormMain::showEvent(QShowEvent *event) {
    platform::applyWindowStates(this, m_topmost);
    QWidget::showEvent(event);
}

void FormMain::changeEvent(QEvent *event) {
    // Another window may have taken the front; focus gives the topmost place back.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        emit activated();
    QWidget::changeEvent(event);
}

void FormMain::closeEvent(QCloseEvent *event) {
    // The window system's close (Alt+F4, a task switcher) ends the program as
    // the power button does; the program decides when the window goes.
    event->ignore();
    emit closeRequested();
}

void FormMain::setTopmost(bool on) {
    m_topmost = on;
    platform::setTopmost(this, on);
}

void FormMain::takeFocus() {
    raise();
    activateWindow();
    m_textBox->setFocus(Qt::ActiveWindowFocusReason);
}

void FormMain::showAlwaysOnTop(bool on) {
    m_topButton->setPicture(on ? QStringLiteral(":/icons/top_on.svg")
                               : QStringLiteral(":/icons/top_off.svg"));
    m_topButton->setToolTipAndName(on ? QStringLiteral(" Desfazer manter na frente ")
                                      : QStringLiteral(" Manter na frente "));
}

void FormMain::setOpacity(double percent) {
    platform::setAlpha(this, core::alphaFor(double(core::roundHalfEven(percent))));
}

void FormMain::transparencyTick() {
    const QPoint cursor = QCursor::pos();
    if (!m_lastCursor) {
        m_lastCursor = cursor;
        return;
    }
    if (cursor == *m_lastCursor)
        return;
    const QRect here(platform::windowPosition(this), size());
    setOpacity(core::pointerOverWindow(cursor, core::twipsRect(here))
                   ? 100
                   : m_core.settings().opacityPercent);
    m_lastCursor = cursor;
}

} // namespace windows
