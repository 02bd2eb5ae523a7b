#include "platform/windowsystem.h"
#include "support/rows.h"
#include "support/windows.h"
#include "widgets/PictureButton.h"
#include "widgets/TextBox.h"
#include "windows/FormIni.h"
#include "windows/FormMain.h"
#include "windows/SideWindow.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace windows;

using namespace support;
using Lines = QMap<int, QString>;
using widgets::PictureButton;
using widgets::TextBox;

namespace {

TextBox *text1(FormMain &m) {
    return child<TextBox>(&m, "Text1");
}

int screenWidth() {
    return QGuiApplication::primaryScreen()->geometry().width();
}

// Below its maximum height the box shows every line; at it, it scrolls.
bool everyLineShows(const TextBox *box) {
    return box->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn ||
           box->verticalScrollBar()->maximum() == 0;
}

QRect twips(const QWidget &w) {
    const QRect g = w.geometry();
    return QRect(g.x() * 15, g.y() * 15, g.width() * 15, g.height() * 15);
}

// Every width a widget takes, as it takes it.
struct ResizeLog : QObject {
    QList<int> widths;
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Resize)
            widths << static_cast<QResizeEvent *>(event)->size().width();
        return false;
    }
};

} // namespace

// The strip on the offscreen platform, started by the program: where it
// opens, how tall its text box is, its keys, its toolbar and its gestures.
class TestStrip : public QObject {
    Q_OBJECT
private slots:
    void startPlacesTheWindows_data() {
        QTest::addColumn<Lines>("config");
        QTest::addColumn<QRect>("strip"); // a negative x: wherever the window system put it
        QTest::addColumn<QPoint>("startupWindow");
        QTest::addColumn<QString>("font");
        QTest::addColumn<int>("alpha");
        row("defaults", Lines{}, QRect(67, 67, 294, 225), QPoint(67, 67), "Arial", 230);
        row("500 wide, Verdana", Lines{{1, "500"}, {7, "Verdana"}, {8, "1500|3000|6000|1500"}},
            QRect(400, 100, 500, 225), QPoint(100, 200), "Verdana", 230);
        row("lower-case font: Arial; only the start-up window moves",
            Lines{{1, "200"}, {4, "30"}, {7, "verdana"}, {8, "1500|1500"}}, QRect(-1, 0, 294, 225),
            QPoint(100, 100), "Arial", 76);
        // 286331554 px once wrapped around to a 410-px strip.
        row("a width wider than any screen", Lines{{1, "286331554"}},
            QRect(13, 67, screenWidth() - 20, 225), QPoint(67, 67), "Arial", 230);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        row("places far off the screen: brought onto it",
            Lines{{8, "-99999999|-99999999|99999999|99999999"}},
            QRect(screen.right() + 1 - 294, screen.bottom() + 1 - 225, 294, 225), screen.topLeft(),
            "Arial", 230);
    }

    void startPlacesTheWindows() {
        QFETCH(Lines, config);
        QFETCH(QRect, strip);
        Started s(config);
        FormMain &m = s.main();
        QVERIFY(m.isVisible());
        QVERIFY(m.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(!s.ini().isVisible());
        QCOMPARE(m.size(), strip.size());
        if (strip.x() >= 0)
            QCOMPARE(m.pos(), strip.topLeft());
        QTEST(s.ini().pos(), "startupWindow");
        TextBox *text = text1(m);
        // The box at its least height, every control inside the strip and apart.
        QCOMPARE(text->height(), 140);
        QCOMPARE(controlsOutOfPlace(m), QString());
        QTEST(text->font().family(), "font");
        QCOMPARE(text->font().pointSizeF(), 11.25);
        QTEST(qRound(m.windowOpacity() * 255), "alpha");
        // The keyboard goes to the strip, the caret into the text box.
        QTRY_VERIFY(text->hasFocus());
    }

    void minimizedStart() {
        Started s({{1, "400"}, {6, "1"}, {8, "1500|1500|3000|3000"}});
        FormIni &ini = s.ini();
        QVERIFY(ini.isVisible());
        QVERIFY(!s.main().isVisible());
        QCOMPARE(ini.pos(), QPoint(100, 100));
        QCOMPARE(controlsOutOfPlace(ini), QString());
        auto *btnShow = child<PictureButton>(&ini, "btnShow");
        QCOMPARE(s.main().width(), 400); // sized while hidden
        click(btnShow);
        QVERIFY(!ini.isVisible());
        QVERIFY(s.main().isVisible());
        QCOMPARE(s.main().geometry(), QRect(200, 200, 400, 225));
        QTRY_VERIFY(text1(s.main())->hasFocus());
    }

    // Typed line by line up to the maximum and back: the strip grows and shrinks
    // with its text box, and below the maximum no line is scrolled out of sight.
    void heightFollowsTheLines() {
        Started s;
        FormMain &m = s.main();
        TextBox *text = text1(m);
        const int chrome = m.height() - text->height();
        int last = 140;
        for (int lines = 1; lines <= 25; ++lines) {
            if (lines > 1)
                QTest::keyClick(text, Qt::Key_Return);
            const int h = text->height();
            QVERIFY2(h >= last && h <= 280, qPrintable(QString::number(lines)));
            QCOMPARE(m.height() - h, chrome);
            QCOMPARE(controlsOutOfPlace(m), QString());
            QCOMPARE(text->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn, h == 280);
            QVERIFY2(everyLineShows(text), qPrintable(QString::number(lines)));
            last = h;
        }
        QCOMPARE(last, 280);
        for (int i = 0; i < 24; ++i)
            QTest::keyClick(text, Qt::Key_Backspace);
        QCOMPARE(text->height(), 140);
        QCOMPARE(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    }

    void reopenedTextHasItsHeightAtOnce_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("atMaximum");
        row("one paragraph that wraps", QString("palavra ").repeated(50).toLatin1(), false);
        // 50 MB in 500,000 lines, opened and saved again unchanged.
        row("half a million lines", (QByteArray(98, 'a') + "\r\n").repeated(500'000), true);
    }

    void reopenedTextHasItsHeightAtOnce() {
        QFETCH(QByteArray, file);
        QFETCH(bool, atMaximum);
        Started s({{9, "longo.txt"}}, [&](const DataFolder &d) { d.putText("longo.txt", file); });
        TextBox *text = text1(s.main());
        // However wide the font makes the lines, the box shows them all, or
        // is at its maximum and scrolls.
        QCOMPARE(text->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn, text->height() == 280);
        QVERIFY(text->height() > 140);
        if (atMaximum)
            QCOMPARE(text->height(), 280);
        QVERIFY(everyLineShows(text));
        QTest::keyClick(text, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(s.data.textBytes("longo.txt"), file);
    }

    void quickSave_data() {
        QTest::addColumn<QString>("line9");
        QTest::addColumn<bool>("saved");
        row("an open text: written in place", "notas.txt", true);
        row("no open text: the save window", "*", false);
    }

    void quickSave() {
        QFETCH(QString, line9);
        QFETCH(bool, saved);
        Started s({{9, line9}}, [](const DataFolder &d) { d.putText("notas.txt", ""); });
        FormMain &m = s.main();
        auto *badge = child<QLabel>(&m, "lblSaving");
        ResizeLog steps;
        badge->installEventFilter(&steps);
        MessageBoxes boxes;
        TextBox *text = text1(m);
        QTest::keyClicks(text, "abc");
        QTest::keyClick(text, Qt::Key_Return);
        QTest::keyClicks(text, "def");
        QTest::keyClick(text, Qt::Key_S, Qt::ControlModifier);
        QTest::keyClick(text, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        // The key's character never lands in the text.
        QCOMPARE(text->text(), "abc\r\ndef");
        QCOMPARE(s.data.textBytes("notas.txt"), saved ? "abc\r\ndef\r\n" : "");
        SideWindow *save = s.program.sideWindow(core::Side::Save);
        QCOMPARE(save && save->isVisible(), !saved);
        QCOMPARE(badge->isVisible(), saved);
        QVERIFY(boxes.texts.isEmpty());
        if (!saved)
            return;
        // Shown at rest, the badge grows step by step, never as far as the
        // collapse button, and goes back to rest.
        QTRY_VERIFY(!badge->isVisible());
        const QList<int> &widths = steps.widths;
        QVERIFY(widths.size() > 2);
        QCOMPARE(widths.last(), widths.first());
        for (qsizetype i = 1; i + 1 < widths.size(); ++i)
            QVERIFY(widths[i] > widths[i - 1]);
        QVERIFY(badge->x() + widths[widths.size() - 2] <= child(&m, "btnUpDown")->x());
    }

    void failedWritesAreReported_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("file"); // the file that could not be written
        row("Ctrl+S, the text cannot be written", "Ctrl+S", "textos/notas.txt");
        row("positions button, config.txt cannot be written", "btnPosicao", "config.txt");
    }

    void failedWritesAreReported() {
        QFETCH(QString, action);
        QFETCH(QString, file);
        Started s({{9, "notas.txt"}},
                  [](const DataFolder &d) { d.putText("notas.txt", "antigo\r\n"); });
        s.files.failAt(s.data.file(file));
        const QByteArray before = s.data.bytes(file);
        FormMain &m = s.main();
        TextBox *text = text1(m);
        QTest::keyClicks(text, "novo ");
        const QString typed = text->text();
        MessageBoxes boxes;
        if (action == u"Ctrl+S")
            QTest::keyClick(text, Qt::Key_S, Qt::ControlModifier);
        else
            click(child<PictureButton>(&m, "btnPosicao"));
        QTRY_COMPARE(boxes.texts.size(), 1);
        QCOMPARE(boxes.titles, QStringList{"Corvale Scrivulets"});
        // The path, its middle left out where it is long; the file name whole.
        QVERIFY2(boxes.texts[0].startsWith("Não foi possível salvar o arquivo ") &&
                     boxes.texts[0].endsWith(QDir::separator() + QFileInfo(file).fileName()),
                 qPrintable(boxes.texts[0]));
        // Not celebrated, and nothing lost.
        QVERIFY(!child<QLabel>(&m, "lblSaving")->isVisible());
        QCOMPARE(text->text(), typed);
        QCOMPARE(s.core().openName(), QString("notas.txt"));
        QCOMPARE(s.data.bytes(file), before);
    }

    // A window placed and never moved reports the twips it was placed at; a
    // moved one where it stands.
    void positionsButton() {
        Started s({{8, "1000|1000|1000|1000"}});
        FormMain &m = s.main();
        auto *btnPosicao = child<PictureButton>(&m, "btnPosicao");
        click(btnPosicao);
        QVERIFY(s.data.config().contains("\r\n1000|1000|1000|1000\r\n"));
        QVERIFY(child<QLabel>(&m, "lblSaving")->isVisible());
        const QPoint press = m.mapToGlobal(QPoint(40, 8));
        mouse(m, QEvent::MouseButtonPress, press, Qt::LeftButton, Qt::LeftButton);
        mouse(m, QEvent::MouseMove, press + QPoint(20, 10), Qt::NoButton, Qt::LeftButton);
        mouse(m, QEvent::MouseButtonRelease, press + QPoint(20, 10), Qt::LeftButton, Qt::NoButton);
        click(btnPosicao);
        QVERIFY(s.data.config().contains("\r\n1000|1000|1305|1155\r\n"));
    }

    void selectAll_data() {
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("selects");
        row("Ctrl+A", Qt::KeyboardModifiers(Qt::ControlModifier), true);
        row("Ctrl+Shift+A", (Qt::ControlModifier | Qt::ShiftModifier), false);
    }

    void selectAll() {
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, selects);
        Started s;
        TextBox *text = text1(s.main());
        text->setText("abc\r\ndef");
        text->setSelection(2, 0);
        QTest::keyClick(text, Qt::Key_A, modifiers);
        QCOMPARE(text->text(), "abc\r\ndef");
        QCOMPARE(text->selStart(), selects ? 0 : 2);
        QCOMPARE(selectionLength(*text), selects ? 8 : 0);
    }

    void bulletIsOneUndoableEdit_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("caret");
        const QString b = QStringLiteral("\u00B7 ");
        // The rule's cases are in the rules test; these go through the text box's
        // own positions (CR LF counted) and its selection.
        row("start of second line", "abc\r\ndef", "", 5, 0, "abc\r\n" + b + "def", 7);
        row("second and third letters selected", "abcd", "", 1, 2, "a\r\n" + b + "bcd", 5);
        row("after typing", "", "abc", 3, 0, "abc\r\n" + b, 7);
    }

    void bulletIsOneUndoableEdit() {
        QFETCH(QString, text);
        QFETCH(QString, typed);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        Started s;
        TextBox *box = text1(s.main());
        QTRY_VERIFY(box->hasFocus());
        box->setText(text);
        QTest::keyClicks(box, typed);
        box->setSelection(selStart, selLength);
        click(child<PictureButton>(&s.main(), "btnIdent"));
        QTEST(box->text(), "expected");
        QTEST(box->selStart(), "caret");
        QCOMPARE(selectionLength(*box), 0);
        // The button takes no focus: the user types on after the bullet.
        QVERIFY(box->hasFocus());
        // Ctrl+Z takes the bullet back, and what was typed before stays undoable.
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(box->text(), text + typed);
        if (!typed.isEmpty()) {
            QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
            QVERIFY(typed.startsWith(box->text()) && box->text() != typed);
        }
    }

    // F6 and Ctrl+Tab go between the text box and the toolbar; Tab types a tab;
    // Escape comes back from the toolbar.
    void focusKeys() {
        Started s;
        TextBox *text = text1(s.main());
        auto *btnIdent = child<PictureButton>(&s.main(), "btnIdent");
        QTRY_VERIFY(text->hasFocus());
        QTest::keyClick(text, Qt::Key_Tab);
        QCOMPARE(text->text(), "\t");
        QTest::keyClick(text, Qt::Key_F6);
        QVERIFY(btnIdent->hasFocus());
        QTest::keyClick(btnIdent, Qt::Key_F6);
        QVERIFY(text->hasFocus());
        QTest::keyClick(text, Qt::Key_Tab, Qt::ControlModifier);
        QVERIFY(btnIdent->hasFocus());
        QTest::keyClick(btnIdent, Qt::Key_Escape);
        QVERIFY(text->hasFocus());
    }

    // Every picture button of the strip is a button to screen readers, named by
    // its tooltip, and a key press on it clicks it.
    void toolbarSpeaksAndTakesTheKeyboard() {
        Started s;
        FormMain &m = s.main();
        QTRY_VERIFY(text1(m)->hasFocus());
        // The buttons' requests stop here: no window opens, the program stays.
        QObject::disconnect(&m, nullptr, &s.program, nullptr);
        const QList<PictureButton *> buttons = m.findChildren<PictureButton *>();
        QCOMPARE(buttons.size(), 9);
        for (PictureButton *button : buttons) {
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(button);
            QVERIFY(a);
            QCOMPARE(a->role(), QAccessible::Button);
            QVERIFY(!button->toolTip().trimmed().isEmpty());
            QCOMPARE(a->text(QAccessible::Name), button->toolTip().trimmed());
            QSignalSpy clicked(button, &QAbstractButton::clicked);
            button->setFocus(Qt::TabFocusReason);
            QVERIFY2(button->hasFocus(), qPrintable(button->objectName()));
            QTest::keyClick(button, Qt::Key_Space);
            QCOMPARE(clicked.count(), 1);
        }
        // The always-on-top button's name follows its state.
        auto *btnTop = child<PictureButton>(&m, "btnTop");
        QVERIFY(s.front().alwaysOnTop());
        QCOMPARE(btnTop->picture(), ":/icons/top_on.svg");
        QCOMPARE(QAccessible::queryAccessibleInterface(btnTop)->text(QAccessible::Name),
                 "Desfazer manter na frente");
        QVERIFY(platform::isTopmost(&m));
        QTest::keyClick(btnTop, Qt::Key_Space);
        QCOMPARE(btnTop->picture(), ":/icons/top_off.svg");
        QCOMPARE(btnTop->accessibleName(), "Manter na frente");
        QVERIFY(!platform::isTopmost(&m));
    }

    void doubleClick_data() {
        QTest::addColumn<QString>("on");
        QTest::addColumn<bool>("toggles");
        row("the top band", "FormMain", true);
        row("the text box", "Text1", false);
        row("the toolbar between its buttons", "Frame1", false);
        row("the collapse button", "btnUpDown", false);
    }

    void doubleClick() {
        QFETCH(QString, on);
        QFETCH(bool, toggles);
        Started s({{8, "1000|1000|3000|1500"}});
        FormMain &m = s.main();
        const QRect placed = twips(m);
        QWidget *target = on == u"FormMain" ? &m : child(&m, qPrintable(on));
        if (auto *text = qobject_cast<TextBox *>(target))
            target = text->viewport();
        // The band left of the collapse button; the toolbar's gap after btnIdent.
        const QPoint at = on == u"FormMain" ? QPoint(40, 8)
                          : on == u"Frame1" ? QPoint(16, 12)
                                            : target->rect().center();
        QTest::mouseDClick(target, Qt::LeftButton, {}, at);
        // Maximized: the screen's width less 300 twips, at 200 twips (13.3 px).
        QCOMPARE(twips(m),
                 toggles ? QRect(195, 1500, screenWidth() * 15 - 300, placed.height()) : placed);
        QTest::mouseDClick(target, Qt::LeftButton, {}, at);
        QCOMPARE(twips(m), placed);
    }

    void drag_data() {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QPoint>("press"); // in the strip
        QTest::addColumn<QPoint>("move");  // from the press
        QTest::addColumn<QRect>("after");  // twips; the strip stands at 3000, 1500
        QTest::addColumn<Qt::CursorShape>("cursor");
        row("left edge: snaps to it, then widens", Qt::LeftButton, QPoint(3, 100), QPoint(-103, 0),
            QRect(1500, 1500, 5910, 3375), Qt::SizeHorCursor);
        row("the middle moves", Qt::LeftButton, QPoint(150, 100), QPoint(100, 50),
            QRect(4500, 2250, 4410, 3375), Qt::SizeAllCursor);
        row("right button, middle", Qt::RightButton, QPoint(150, 100), QPoint(-100, 50),
            QRect(3000, 1500, 4410, 3375), Qt::ArrowCursor);
        row("right button, left edge", Qt::RightButton, QPoint(2, 100), QPoint(-100, 50),
            QRect(3000, 1500, 4410, 3375), Qt::SizeHorCursor);
    }

    void drag() {
        QFETCH(Qt::MouseButton, button);
        QFETCH(QPoint, press);
        QFETCH(QPoint, move);
        QFETCH(QRect, after);
        Started s({{8, "1000|1000|3000|1500"}});
        FormMain &m = s.main();
        const QPoint at = m.mapToGlobal(press);
        QCursor::setPos(m.screen(), QPoint(0, 0));
        mouse(m, QEvent::MouseButtonPress, at, button, button);
        // Only the left button grabs an edge, and the pointer lands on it.
        QCOMPARE(QCursor::pos(m.screen()),
                 button == Qt::LeftButton && press.x() < 5 ? QPoint(200, at.y()) : QPoint(0, 0));
        mouse(m, QEvent::MouseMove, at + move / 2 + QPoint(0, 7), Qt::NoButton, button);
        mouse(m, QEvent::MouseMove, at + move, Qt::NoButton, button);
        QTEST(m.cursor().shape(), "cursor");
        mouse(m, QEvent::MouseButtonRelease, at + move, button, Qt::NoButton);
        QCOMPARE(twips(m), after);
        // Released: the pointer moves on alone.
        mouse(m, QEvent::MouseMove, at + move + QPoint(50, 50), Qt::NoButton, Qt::NoButton);
        QCOMPARE(twips(m), after);
    }

    void hoverCursor() {
        Started s;
        FormMain &m = s.main();
        mouse(m, QEvent::MouseMove, m.mapToGlobal(QPoint(m.width() - 2, 100)), Qt::NoButton,
              Qt::NoButton);
        QCOMPARE(m.cursor().shape(), Qt::SizeHorCursor);
        // Over the text box the strip's own cursor goes back to the arrow.
        QWidget *viewport = text1(m)->viewport();
        QMouseEvent overText(QEvent::MouseMove, QPointF(20, 20),
                             QPointF(viewport->mapToGlobal(QPoint(20, 20))), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &overText);
        QCOMPARE(m.cursor().shape(), Qt::ArrowCursor);
        mouse(m, QEvent::MouseMove, m.mapToGlobal(QPoint(1, m.height() - 1)), Qt::NoButton,
              Qt::NoButton);
        QCOMPARE(m.cursor().shape(), Qt::SizeBDiagCursor);
    }
};

QTEST_MAIN(TestStrip)
#include "test_strip.moc"
