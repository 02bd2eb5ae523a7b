// The strip's editing: the text box's keys and the quick save, the saving
// badge, bullets, and the positions button that shares the badge.
#include "windows/FormMain.h"

#include "core/AppCore.h"
#include "core/editing.h"
#include "core/twips.h"
#include "platform/windowsystem.h"
#include "widgets/PictureButton.h"
#include "widgets/TextBox.h"
#include "widgets/fitting.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>

namespace windows {

bool FormMain::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_textBox && event->type() == QEvent::KeyPress)
        return handleTextKey(*static_cast<QKeyEvent *>(event));
    if (watched == m_textBox->viewport() && event->type() == QEvent::MouseMove)
        // Over the text box the window's cursor goes back to the arrow.
        setCursor(Qt::ArrowCursor);
    if (watched == m_toolbar && event->type() == QEvent::KeyPress &&
        focusKeys(*static_cast<QKeyEvent *>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

// F6 and Ctrl+Tab go between the text box and the toolbar (Tab types a tab
// in the text); Escape comes back to the text from the toolbar.
bool FormMain::focusKeys(const QKeyEvent &key) {
    const bool toggle = key.key() == Qt::Key_F6 ||
                        (key.key() == Qt::Key_Tab && key.modifiers() == Qt::ControlModifier);
    if (m_textBox->hasFocus()) {
        if (!toggle)
            return false;
        m_bulletButton->setFocus(Qt::TabFocusReason);
        return true;
    }
    if (!toggle && key.key() != Qt::Key_Escape)
        return false;
    m_textBox->setFocus(Qt::TabFocusReason);
    return true;
}

// m_textBox's key presses reach these rules before the text box acts on them;
// a key that is theirs goes no further. Qt brings the key and its character
// in one event, so taking Ctrl+A here keeps its character out of the fresh
// selection without a read-only moment, and taking Ctrl+S keeps its control
// character out of the text on every platform.
bool FormMain::handleTextKey(const QKeyEvent &key) {
    if (focusKeys(key))
        return true;
    if (core::editing::isSelectAllKey(key.key(), key.modifiers())) {
        m_textBox->setSelection(0, int(m_textBox->text().size()));
        return true;
    }
    if (!core::editing::isQuickSaveKey(key.key(), key.modifiers()))
        return false;
    const core::Result saved = m_core.quickSave(m_textBox->text());
    if (saved.kind == core::Result::Kind::NoTextOpen) {
        emit saveRequested();
    } else if (saved.done()) {
        startSavingBadge();
        platform::beep(platform::Beep::Information);
    } else {
        reportNotSaved(saved.path);
    }
    return true;
}

// A save that did not happen must never look like one that did: the user is
// told which file, and the text stays in the box.
void FormMain::reportNotSaved(const QString &displayPath) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Corvale Scrivulets"), QString(),
                    QMessageBox::Ok, this);
    box.setText(widgets::fitPath(box.font(), QStringLiteral("Não foi possível salvar o arquivo "),
                                 displayPath, QString(), 400, 3));
    box.exec();
}

void FormMain::startSavingBadge() {
    // A start while the badge runs changes nothing: the run goes on from its
    // step. Restarting the timer would delay the next step.
    m_savingBadge->show();
    if (!m_badgeTimer.isActive())
        m_badgeTimer.start();
}

void FormMain::savingBadgeTick() {
    const core::editing::BadgeStep step = core::editing::badgeStep(m_badgeStep);
    m_savingBadge->resize(core::px(step.widthTwips), m_savingBadge->height());
    m_badgeStep = step.next;
    m_savingBadge->setVisible(step.visible);
    if (!step.visible)
        m_badgeTimer.stop();
}

void FormMain::insertBullet() {
    // The button takes no focus, so the caret is still where the user left
    // it. The bullet goes in as one edit, so that Ctrl+Z takes it back and
    // what was typed before stays undoable.
    const QString text = m_textBox->text();
    const int caret = std::clamp(m_textBox->selStart(), 0, int(text.size()));
    const core::editing::TextWithCaret bulleted = core::editing::insertBullet(text, caret);
    m_textBox->setSelection(caret, 0);
    m_textBox->insertAtCaret(bulleted.text.mid(caret, bulleted.text.size() - text.size()));
}

void FormMain::savePositions() {
    if (const core::Result saved = m_core.savePositions(); !saved.done()) {
        reportNotSaved(saved.path);
        return;
    }
    platform::beep();
    startSavingBadge();
}

} // namespace windows
