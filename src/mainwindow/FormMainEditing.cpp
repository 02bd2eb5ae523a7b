// The main window's editing: the text box's keys and the quick save, the
// saving badge, bullets, and the positions button that shares the badge.
#include "mainwindow/FormMain.h"

#include "editing/editing.h"
#include "mainwindow/mainrules.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/windowsystem.h"
#include "startup/config.h"
#include "store/textfolder.h"

#include <QMessageBox>

using platform::formatNumber;

namespace {

// Text1's key presses reach the main window's handlers before the text box
// acts on them. A filter object of its own leaves the window's event hooks to
// the mouse handling.
class Text1Keys : public QObject {
public:
    explicit Text1Keys(FormMain *form) : QObject(form), m_form(form) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const QKeyEvent &key = *static_cast<QKeyEvent *>(event);
        return m_form->FormMain_Text1_KeyDown(key) || m_form->FormMain_Text1_KeyPress(key);
    }

private:
    FormMain *m_form;
};

// A save that did not happen must never look like one that did: the user is
// told which file, and the text stays in the box.
void reportNotSaved(QWidget *parent, const QString &displayPath) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Corvale Scrivulets"),
                    QStringLiteral("Não foi possível salvar o arquivo ") + displayPath,
                    QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

void FormMain::setUpEditing() {
    Text1->installEventFilter(new Text1Keys(this));
    tmrSaving.setInterval(50);
    connect(&tmrSaving, &QTimer::timeout, this, &FormMain::FormMain_tmrSaving_Timer);
    connect(btnIdent, &platform::PictureButton::clicked, this, &FormMain::FormMain_btnIdent_Click);
    connect(btnPosicao, &platform::PictureButton::clicked, this,
            &FormMain::FormMain_btnPosicao_Click);
}

bool FormMain::FormMain_Text1_KeyPress(const QKeyEvent &key) {
    // Taking the key keeps its control character out of the text on every
    // platform, whatever the text box would make of it.
    if (!editing::isQuickSaveKey(key.key(), key.modifiers()))
        return false;
    if (editing::quickSaveAction(state.lblSave) == editing::QuickSave::OpenSaveWindow) {
        emit saveRequested();
        return true;
    }
    // The folder may have been deleted since start-up; the text must not go with it.
    if (!EnsureTextFolder() || !WriteTextFile(state.lblSave, Text1->text())) {
        reportNotSaved(this, TextFilePath(state.lblSave));
        return true;
    }
    startSavingBadge();
    platform::beep(platform::Beep::Information);
    return true;
}

bool FormMain::FormMain_Text1_KeyDown(const QKeyEvent &key) {
    // Qt brings the key and its character in one event. Taken here, neither
    // reaches the text box, so nothing can land in the fresh selection and
    // the box needs no read-only moment to swallow the character.
    if (!editing::isSelectAllKey(key.key(), key.modifiers()))
        return false;
    Text1->setSelection(0, int(Text1->text().size()));
    return true;
}

void FormMain::FormMain_Text1_Change() {
    AutoResize();
}

void FormMain::startSavingBadge() {
    // A start while the badge runs changes nothing: the run goes on from its
    // step. Restarting the timer would delay the next step.
    lblSaving->show();
    if (!tmrSaving.isActive())
        tmrSaving.start();
}

void FormMain::FormMain_tmrSaving_Timer() {
    const editing::BadgeStep step = editing::badgeStep(state.lblTmrSaving);
    lblSaving->resize(px(step.widthTwips), lblSaving->height());
    state.lblTmrSaving = step.counter;
    lblSaving->setVisible(step.visible);
    if (!step.visible)
        tmrSaving.stop();
}

void FormMain::FormMain_btnIdent_Click() {
    // The button takes no focus, so the caret is still where the user left it.
    const editing::TextWithCaret bulleted = editing::insertBullet(Text1->text(), Text1->selStart());
    Text1->setText(bulleted.text);
    Text1->setSelection(bulleted.caret, 0);
}

void FormMain::FormMain_btnPosicao_Click() {
    const QRect here = geometryTwips();
    const QString positions =
        positionsLine ? positionsLine()
                      : QStringList{state.lblIniLeftMin, state.lblIniTopMin,
                                    formatNumber(float(here.x())), formatNumber(float(here.y()))}
                            .join(u'|');
    const std::array<QString, config::LineCount> lines = {
        formatNumber(float(here.width()) / float(TwipsPerPixel)),
        state.lblTxtMin,
        state.lblTxtMax,
        state.lblTransparencia,
        state.lblAlignValue,
        state.lblOptIni,
        state.lblFont,
        positions,
        lastTextLine ? lastTextLine() : QStringLiteral("*"),
    };
    state.lblPosLeft = formatNumber(float(here.x()));
    if (!config::writeConfig(lines)) {
        reportNotSaved(this, platform::displayPath(config::configPath()));
        return;
    }
    platform::beep();
    startSavingBadge();
}
