#include "support/windows.h"

#include "widgets/TextBox.h"
#include "windows/SideWindow.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

using namespace windows;
using namespace app;

namespace support {

Started::Started(const QMap<int, QString> &config,
                 const std::function<void(const DataFolder &)> &prepare)
    : program(data.path(), files, [this](const QUrl &address) {
          openedAddresses << address;
          return browserAnswers;
      }) {
    if (!config.isEmpty())
        data.writeConfig(config);
    if (prepare)
        prepare(data);
    program.start();
}

SideWindow *open(Program &p, core::Side side) {
    switch (side) {
    case core::Side::Save:
        p.openSaveWindow();
        break;
    case core::Side::List:
        p.openListWindow();
        break;
    case core::Side::Config:
        p.openConfigWindow();
        break;
    case core::Side::Help:
        p.openAboutWindow();
        p.openHelpWindow();
        break;
    case core::Side::About:
        p.openAboutWindow();
        break;
    }
    return p.sideWindow(side);
}

MessageBoxes::MessageBoxes(const QString &answer) {
    QObject::connect(&m_timer, &QTimer::timeout, [this, answer] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        texts << box->text();
        titles << box->windowTitle();
        QAbstractButton *chosen = box->defaultButton();
        for (QAbstractButton *button : box->buttons())
            if (!answer.isEmpty() && button->text() == answer)
                chosen = button;
        if (chosen)
            chosen->click();
        else
            box->done(QMessageBox::Ok);
    });
    m_timer.start(10);
}

int selectionLength(const widgets::TextBox &box) {
    // Qt holds a paragraph break as one character, the CR LF text as two.
    const QString selected = box.textCursor().selectedText();
    return int(selected.size() + selected.count(QChar::ParagraphSeparator));
}

void click(QWidget *control) {
    QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
}

void mouse(QWidget &window, QEvent::Type type, QPoint global, Qt::MouseButton button,
           Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(window.mapFromGlobal(global)), QPointF(global), button, held,
                  Qt::NoModifier);
    QApplication::sendEvent(&window, &e);
}

QString controlsOutOfPlace(const QWidget &window) {
    QList<const QWidget *> controls;
    for (const QWidget *w : window.findChildren<QWidget *>())
        if (w->isVisibleTo(&window) &&
            (qobject_cast<const QAbstractButton *>(w) || qobject_cast<const QLineEdit *>(w) ||
             qobject_cast<const QComboBox *>(w) || qobject_cast<const QAbstractScrollArea *>(w)))
            controls << w;
    const auto place = [&window](const QWidget *w) {
        return QRect(w->mapTo(&window, QPoint(0, 0)), w->size());
    };
    QStringList wrong;
    for (qsizetype i = 0; i < controls.size(); ++i) {
        const QWidget *a = controls[i];
        if (!window.rect().contains(place(a)))
            wrong << a->objectName() + QStringLiteral(" leaves the window");
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            const QWidget *b = controls[j];
            // Edges laid out in twips may share a pixel row or column (as the
            // side windows' close button and right arrow do, by 15 twips).
            const QRect shared = place(a).intersected(place(b));
            if (!a->isAncestorOf(b) && !b->isAncestorOf(a) && shared.width() > 1 &&
                shared.height() > 1)
                wrong << a->objectName() + QStringLiteral(" overlaps ") + b->objectName();
        }
    }
    return wrong.join(QStringLiteral("; "));
}

void runDeferredDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace support
