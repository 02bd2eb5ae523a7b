#include "platform/windowsystem.h"
#include "support/rows.h"
#include "support/windows.h"
#include "widgets/PictureButton.h"
#include "widgets/TextBox.h"
#include "windows/FormIni.h"
#include "windows/FormMain.h"
#include "windows/SideWindow.h"
#include "windows/Tray.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <QWindow>
#include <csignal>

using namespace windows;

using namespace support;
using core::Side;
using Sides = QList<Side>;
using widgets::PictureButton;

Q_DECLARE_METATYPE(Side)

namespace {

// Runs the event loop until the program ends it; a program that never does
// meets the limit.
int runUntilTheProgramEnds(const std::function<void()> &action) {
    QTimer::singleShot(0, action);
    QTimer limit;
    QObject::connect(&limit, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    limit.start(20000);
    return QCoreApplication::exec();
}

PictureButton *button(QWidget &window, const char *name) {
    return child<PictureButton>(&window, name);
}

} // namespace

// The program as a whole: its windows wired through the core, the way from
// the strip to the collapsed window and back, side windows opened and
// closed, the tray icon, and the end of the program.
class TestProgram : public QObject {
    Q_OBJECT
private slots:
    void collapseAndExpand_data() {
        QTest::addColumn<Sides>("open");
        QTest::addColumn<bool>("alwaysOnTop");
        QTest::addColumn<bool>("maximized");
        row("list and settings open", Sides{Side::List, Side::Config}, false, false);
        row("save and About open, always on top", Sides{Side::Save, Side::About}, true, false);
        row("nothing open, always on top", Sides{}, true, false);
        row("maximized", Sides{}, false, true);
    }

    void collapseAndExpand() {
        QFETCH(Sides, open);
        QFETCH(bool, alwaysOnTop);
        QFETCH(bool, maximized);
        Started s;
        FormMain &m = s.main();
        FormIni &ini = s.ini();
        if (alwaysOnTop)
            click(button(m, "btnTop"));
        // A width of the user's own, not the configured one, is what comes back.
        if (maximized)
            QTest::mouseDClick(&m, Qt::LeftButton, {}, QPoint(40, 8));
        else
            m.place(std::nullopt, 6000);
        const int width = m.width();
        QList<QPointer<SideWindow>> opened;
        for (Side side : open)
            opened << support::open(s.program, side);

        click(button(m, "btnUpDown"));
        QVERIFY(!m.isVisible());
        QVERIFY(ini.isVisible());
        QCOMPARE(platform::isTopmost(&ini), alwaysOnTop);
        // Closed without handing back: the switch stays as it was.
        QCOMPARE(s.front().alwaysOnTop(), alwaysOnTop);
        runDeferredDeletes();
        for (const QPointer<SideWindow> &w : opened)
            QVERIFY(w.isNull());

        click(button(ini, "btnShow"));
        QVERIFY(!ini.isVisible());
        QVERIFY(m.isVisible());
        QCOMPARE(m.width(), width);
        QCOMPARE(platform::isTopmost(&m), alwaysOnTop);
        QTRY_VERIFY(child(&m, "Text1")->hasFocus());
        if (maximized) {
            // Still maximized: the double-click gives back the width it had.
            QTest::mouseDClick(&m, Qt::LeftButton, {}, QPoint(40, 8));
            QCOMPARE(m.geometry(), QRect(67, 67, 294, 225));
        }
    }

    // Enter and Return press the focused button, as the space bar does, once
    // however long the key is held; check boxes and option buttons keep their
    // state.
    void enterPressesTheFocusedButton_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("presses");
        row("a toolbar button, Return", "strip", "btnList", int(Qt::Key_Return), 1);
        row("a toolbar button, keypad Enter", "strip", "btnPosicao", int(Qt::Key_Enter), 1);
        row("the collapse button", "strip", "btnUpDown", int(Qt::Key_Return), 1);
        row("the collapsed window's button", "collapsed", "btnShow", int(Qt::Key_Enter), 1);
        row("Salvar", "Save", "btnSave", int(Qt::Key_Return), 1);
        row("Salvar como", "Save", "btnRename", int(Qt::Key_Return), 1);
        row("Criar novo arquivo em branco", "Save", "btnNew", int(Qt::Key_Enter), 1);
        row("Deletar", "List", "btnDel", int(Qt::Key_Return), 1);
        row("the settings' Salvar", "Config", "btnSave", int(Qt::Key_Return), 1);
        row("a side window's close button", "About", "btnClose", int(Qt::Key_Return), 1);
        row("a side window's arrow", "Help", "btnEsq", int(Qt::Key_Enter), 1);
        row("a check box", "List", "Check1", int(Qt::Key_Return), 0);
        row("an option button", "Config", "optIniSim", int(Qt::Key_Return), 0);
    }

    void enterPressesTheFocusedButton() {
        QFETCH(QString, window);
        QFETCH(QString, button);
        QFETCH(int, key);
        Started s;
        QWidget *w = &s.main();
        if (window == u"collapsed") {
            s.program.collapseMainWindow();
            w = &s.ini();
        } else if (window != u"strip") {
            const QMap<QString, Side> sides{{"Save", Side::Save},
                                            {"List", Side::List},
                                            {"Config", Side::Config},
                                            {"About", Side::About},
                                            {"Help", Side::Help}};
            w = open(s.program, sides.value(window));
        }
        auto *b = child<QAbstractButton>(w, qPrintable(button));
        b->setEnabled(true); // "Salvar como" waits for a key in the title box
        const bool checked = b->isChecked();
        QSignalSpy clicked(b, &QAbstractButton::clicked);
        b->setFocus(Qt::TabFocusReason);
        QTest::keyPress(b, Qt::Key(key));
        QKeyEvent held(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(b, &held);
        QTest::keyRelease(b, Qt::Key(key));
        QTEST(int(clicked.count()), "presses");
        QCOMPARE(b->isChecked(), checked);
    }

    void trayIcon_data() {
        QTest::addColumn<bool>("collapsed");
        QTest::addColumn<QSystemTrayIcon::ActivationReason>("reason");
        QTest::addColumn<bool>("comesToFront");
        row("left click, strip", false, QSystemTrayIcon::Trigger, true);
        row("left click, collapsed", true, QSystemTrayIcon::Trigger, true);
        row("right click", false, QSystemTrayIcon::Context, false);
        row("double click", true, QSystemTrayIcon::DoubleClick, false);
    }

    void trayIcon() {
        QFETCH(bool, collapsed);
        QFETCH(QSystemTrayIcon::ActivationReason, reason);
        QFETCH(bool, comesToFront);
        Started s;
        Tray &tray = s.tray();
        // Shown with no notification area yet (the offscreen platform has
        // none): one that starts later takes it.
        QVERIFY(QGuiApplication::platformName() != u"offscreen" ||
                !QSystemTrayIcon::isSystemTrayAvailable());
        QVERIFY(tray.icon() && tray.icon()->isVisible());
        QCOMPARE(tray.icon()->contextMenu(), tray.menu());
        QStringList actions;
        for (const QAction *a : tray.menu()->actions())
            actions << a->text();
        QCOMPARE(actions, (QStringList{"Mostrar", "Fechar programa"}));
        if (collapsed)
            click(button(s.main(), "btnUpDown"));
        QWidget *visible = collapsed ? static_cast<QWidget *>(&s.ini()) : &s.main();

        QWidget other;
        other.setGeometry(500, 400, 50, 50);
        other.show();
        other.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &other);
        tray.trayActivated(reason);
        QCoreApplication::processEvents();
        if (comesToFront)
            QTRY_COMPARE(QApplication::activeWindow(), visible);
        else
            QCOMPARE(QApplication::activeWindow(), &other);
        // The click never switches between the two windows; "Mostrar" shows the strip.
        QCOMPARE(s.ini().isVisible(), collapsed);
        tray.menu()->actions().constFirst()->trigger();
        QVERIFY(!s.ini().isVisible());
        QVERIFY(s.main().isVisible());
    }

    // The strip's title and tooltip and the tray icon's tooltip name the open
    // text, or say that none is open, from the start and after each change.
    void openTextNamedInSight_data() {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("caption");
        row("reopened at start", "", "notas.txt");
        row("another opened", "open", "outra.txt");
        row("saved under a new title", "save", "novo título.txt");
        row("given a new name", "rename", "lembrete.md");
        row("its file deleted: the text in the box is still its", "delete", "notas.txt");
        row("a new text", "new", "Nenhum texto aberto");
        row("nothing named at start", "none", "Nenhum texto aberto");
    }

    void openTextNamedInSight() {
        QFETCH(QString, operation);
        QFETCH(QString, caption);
        Started s({{9, operation == u"none" ? "*" : "notas.txt"}}, [](const DataFolder &d) {
            d.putText("notas.txt", "um\r\n");
            d.putText("outra.txt", "dois\r\n");
        });
        core::AppCore &core = s.core();
        if (operation == u"open")
            QVERIFY(core.openText("outra.txt").done());
        else if (operation == u"save")
            QVERIFY(core.saveText("novo título", "txt").done());
        else if (operation == u"rename")
            QVERIFY(core.renameText("lembrete", "md").done());
        else if (operation == u"delete")
            QVERIFY(core.deleteTextForGood("notas.txt").done());
        else if (operation == u"new")
            QVERIFY(core.newText().done());
        QCOMPARE(s.main().windowTitle(), caption);
        QCOMPARE(s.main().toolTip(), u' ' + caption + u' ');
        QCOMPARE(s.tray().icon()->toolTip(), " Corvale Scrivulets 1.0 — " + caption + u' ');
    }

    // The open text changed on disk behind the strip: with nothing unsaved
    // the box shows it, the caret where it was; with unsaved edits, Ctrl+S
    // keeps the other version beside the text and says so once.
    void textChangedBehindTheStrip_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("notices");
        row("nothing unsaved", "", "abcdefgh\r\n", 0);
        row("unsaved edits", "x", "abcxdef\r\n", 1);
    }

    void textChangedBehindTheStrip() {
        QFETCH(QString, typed);
        Started s({{9, "notas.txt"}},
                  [](const DataFolder &d) { d.putText("notas.txt", "abcdef\r\n"); });
        auto *box = child<widgets::TextBox>(&s.main(), "Text1");
        box->setSelection(3, 0);
        QTest::keyClicks(box, typed);
        s.data.putText("notas.txt", "abcdefgh\r\n");
        if (typed.isEmpty())
            QTRY_COMPARE(box->text(), "abcdefgh\r\n");
        else
            QTest::keyClick(box, Qt::Key_S, Qt::ControlModifier);
        QTEST(box->text(), "box");
        QCOMPARE(box->selStart(), 3 + typed.size());
        QStringList notices;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *notice = qobject_cast<QMessageBox *>(w); notice && notice->isVisible())
                notices << notice->text();
        QTEST(int(notices.size()), "notices");
        for (const QString &notice : notices)
            QVERIFY2(notice.startsWith("Este texto foi mudado fora do programa") &&
                         notice.contains("outra versão"),
                     qPrintable(notice));
    }

    void closingEndsEverything_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("answer"); // where the unsaved text cannot be kept
        row("the power button", "btnClose", "");
        row("the strip closed by the window system", "strip", "");
        row("the collapsed window closed by the window system", "collapsed", "");
        row("the tray's menu", "tray", "");
        row("the text cannot be kept: closed when the user says so", "btnClose",
            "Fechar e perder o texto");
#ifndef Q_OS_WIN // which ends programs through their windows
        row("a kill, or a session that ends its programs so", "SIGTERM", "");
        row("the text cannot be kept: a kill ends it all the same", "SIGTERM", "-");
#endif
    }

    // The unsaved text goes into a recovery copy; where none can be written,
    // its draft is what keeps it.
    void closingEndsEverything() {
        QFETCH(QString, how);
        QFETCH(QString, answer);
        Started s({{9, "*"}});
        s.core().setDraftDelays(0, 0);
        MessageBoxes boxes(answer);
        const QByteArray config = s.data.config();
        FormMain &m = s.main();
        open(s.program, Side::Config);
        open(s.program, Side::List);
        QTest::keyClicks(child(&m, "Text1"), "nao salvo");
        QTRY_COMPARE(s.data.recoveryCopies(), QStringList{"rascunho.txt"});
        if (!answer.isEmpty())
            s.prepare("recovery full");
        if (how == u"collapsed")
            click(button(m, "btnUpDown"));

        const int exitCode = runUntilTheProgramEnds([&] {
            if (how == u"btnClose")
                click(button(m, "btnClose"));
            else if (how == u"strip")
                m.windowHandle()->close();
            else if (how == u"collapsed")
                s.ini().windowHandle()->close();
            else if (how == u"tray")
                s.tray().menu()->actions().constLast()->trigger();
            else
                std::raise(SIGTERM);
        });
        QCOMPARE(exitCode, 0);
        QCOMPARE(boxes.texts.size(), answer.isEmpty() || how == u"SIGTERM" ? 0 : 1);
        QVERIFY(!s.program.sideWindow(Side::Config));
        QVERIFY(!s.program.sideWindow(Side::List));
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), w->metaObject()->className());
        QVERIFY(!s.tray().icon());
        // Nothing saved on the way out but the unsaved text.
        QCOMPARE(s.data.config(), config);
        QCOMPARE(s.data.texts(), QStringList());
        const QStringList kept = s.data.recoveryCopies();
        QCOMPARE(kept.size(), 1);
        QCOMPARE(kept[0] == u"rascunho.txt", !answer.isEmpty());
        QCOMPARE(s.data.bytes("recuperados/" + kept[0]), "nao salvo\r\n");
    }

    // Where the unsaved text cannot be kept, closing asks once whether to
    // lose it; the answer it starts on keeps the program open.
    void closingAsksWhereTheTextCannotBeKept() {
        Started s({{9, "*"}});
        s.prepare("recovery full");
        QTest::keyClicks(child(&s.main(), "Text1"), "nao salvo");
        MessageBoxes boxes;
        click(button(s.main(), "btnClose"));
        QCOMPARE(boxes.texts.size(), 1);
        QVERIFY2(boxes.texts[0].startsWith("Não foi possível guardar o texto não salvo em ") &&
                     boxes.texts[0].endsWith("\nFechar o programa mesmo assim e perder o texto?"),
                 qPrintable(boxes.texts[0]));
        QVERIFY(s.main().isVisible());
        QVERIFY(s.tray().icon());
        QCOMPARE(child<widgets::TextBox>(&s.main(), "Text1")->text(), "nao salvo");
    }

    // A draft that cannot be written is told beside the strip, once, and
    // nothing stops the typing that goes on.
    void draftFailureIsToldOnce() {
        Started s;
        s.core().setDraftDelays(0, 0);
        QVERIFY(QDir().mkpath(s.data.file("recuperados")));
        s.prepare("recovery full");
        auto *text = child<widgets::TextBox>(&s.main(), "Text1");
        const auto notices = [] {
            QList<QMessageBox *> shown;
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible())
                    shown << box;
            return shown;
        };
        QTest::keyClicks(text, "a");
        QTRY_COMPARE(notices().size(), 1);
        QMessageBox *notice = notices().first();
        // Nothing modal holds the strip's keys back (whether the window
        // system gives the notice the focus is for the real X server to show).
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY2(notice->text().startsWith("Não foi possível salvar o rascunho em "),
                 qPrintable(notice->text()));
        const int writes = s.files.writes;
        QTest::keyClicks(text, "b");
        QTRY_VERIFY(s.files.writes > writes);
        QCOMPARE(notices(), QList<QMessageBox *>{notice});
    }

    void startupWindowMovesWithAnyButton_data() {
        QTest::addColumn<Qt::MouseButton>("button");
        row("left", Qt::LeftButton);
        row("right", Qt::RightButton);
        row("middle", Qt::MiddleButton);
    }

    void startupWindowMovesWithAnyButton() {
        QFETCH(Qt::MouseButton, button);
        Started s({{6, "1"}});
        FormIni &ini = s.ini();
        const QPoint start = ini.pos();
        const QPoint press = ini.mapToGlobal(QPoint(10, 10));
        mouse(ini, QEvent::MouseButtonPress, press, button, button);
        mouse(ini, QEvent::MouseMove, press + QPoint(20, 5), Qt::NoButton, button);
        mouse(ini, QEvent::MouseMove, press + QPoint(40, 20), Qt::NoButton, button);
        mouse(ini, QEvent::MouseButtonRelease, press + QPoint(40, 20), button, Qt::NoButton);
        QCOMPARE(ini.pos(), start + QPoint(40, 20));
        // Released: the mouse moves on alone.
        mouse(ini, QEvent::MouseMove, press + QPoint(90, 90), Qt::NoButton, Qt::NoButton);
        QCOMPARE(ini.pos(), start + QPoint(40, 20));
        // The place is what the positions button stores.
        QVERIFY(s.core().savePositions().done());
        QVERIFY(s.data.config().contains(QStringLiteral("\r\n%1|%2|")
                                             .arg((start.x() + 40) * 15)
                                             .arg((start.y() + 20) * 15)
                                             .toUtf8()));
    }

    void sideWindowsOpenOnTheScreen_data() {
        QTest::addColumn<Side>("side");
        QTest::addColumn<QString>("align");
        QTest::addColumn<QPoint>("at");
        // The strip stands at 67, 67, 294 x 225 pixels.
        row("save, left: does not fit, right", Side::Save, "1", QPoint(365, 67));
        row("settings, left: right", Side::Config, "1", QPoint(365, 67));
        row("save, centre: 30.5 px, on a whole pixel", Side::Save, "2", QPoint(67, 30));
    }

    void sideWindowsOpenOnTheScreen() {
        QFETCH(Side, side);
        QFETCH(QString, align);
        Started s({{5, align}});
        SideWindow *w = open(s.program, side);
        QVERIFY(w && w->isVisible());
        QTEST(w->pos(), "at");
        QVERIFY(w->screen()->availableGeometry().contains(w->geometry()));
        QVERIFY(s.main().isVisible());
        // The stored side stays as it was.
        QCOMPARE(s.core().settings().text.align, align);
    }

    void sideWindowExistsAtMostOnce() {
        Started s({{5, "3"}});
        QPointer<SideWindow> first = open(s.program, Side::Config);
        first->move(500, 400); // dragged away
        QCOMPARE(open(s.program, Side::Config), first.data());
        QCOMPARE(first->pos(), QPoint(365, 67));
        click(button(*first, "btnClose"));
        runDeferredDeletes();
        QVERIFY(first.isNull());
        QVERIFY(open(s.program, Side::Config)->isVisible());
    }

    // The arrows put the window beside the strip where it stands now, on the
    // screen or not, and leave the setting alone.
    void arrowsFollowTheStrip() {
        Started s({{5, "2"}});
        SideWindow *w = open(s.program, Side::Save);
        s.main().move(150, 90);
        click(button(*w, "btnDir"));
        QCOMPARE(w->pos(), QPoint(150 + 294 + 4, 90));
        click(button(*w, "btnEsq"));
        QCOMPARE(w->pos(), QPoint(150 - 294 - 4, 90));
        QCOMPARE(s.core().settings().align, core::Align::Centre);
    }

    void closingASideWindow_data() {
        QTest::addColumn<Side>("side");
        QTest::addColumn<QString>("how");
        row("save: close button", Side::Save, "button");
        row("save: Escape in the title box", Side::Save, "Escape");
        row("list: Escape", Side::List, "Escape");
        row("list: a text gone, the message answered", Side::List, "text gone");
        row("settings: Escape in a number box", Side::Config, "Escape");
        row("settings: the window manager", Side::Config, "window manager");
        row("About: Escape", Side::About, "Escape");
        row("help: Escape", Side::Help, "Escape");
    }

    // However a side window goes, the strip gets its place in front back,
    // and the keyboard with the caret where it was.
    void closingASideWindow() {
        QFETCH(Side, side);
        QFETCH(QString, how);
        Started s({}, [](const DataFolder &data) { data.putText("outro.txt", "xy"); });
        FormMain &m = s.main();
        auto *text = child<widgets::TextBox>(&m, "Text1");
        text->setText(QStringLiteral("abc"));
        text->setSelection(1, 0);
        QTRY_VERIFY(m.isActiveWindow());
        click(button(m, "btnTop"));
        QVERIFY(platform::isTopmost(&m));
        QPointer<SideWindow> w = open(s.program, side);
        QVERIFY(w && w->isVisible());
        QTRY_VERIFY(w->isActiveWindow());
        QVERIFY(!platform::isTopmost(&m));
        if (how == u"button") {
            click(button(*w, "btnClose"));
        } else if (how == u"text gone") {
            // Its message box has the keyboard last, and is gone.
            MessageBoxes boxes;
            QVERIFY(QFile::remove(s.data.text("outro.txt")));
            auto *list = child<QListWidget>(w, "List1");
            const QPoint row = list->visualItemRect(list->item(0)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row);
            QCOMPARE(boxes.texts.size(), 1);
        } else if (how == u"window manager") {
            w->close();
        } else {
            QTest::keyClick(w->focusWidget() ? w->focusWidget() : w.data(), Qt::Key_Escape);
        }
        QVERIFY(!s.program.sideWindow(side));
        QVERIFY(!w->isVisible());
        QVERIFY(platform::isTopmost(&m));
        QVERIFY(s.front().alwaysOnTop());
        QTRY_VERIFY(m.isActiveWindow());
        QTRY_VERIFY(text->hasFocus());
        QCOMPARE(text->selStart(), 1);
        runDeferredDeletes();
        QVERIFY(w.isNull());
    }

    void loadStepGivesUpTheFront_data() {
        QTest::addColumn<Side>("side");
        QTest::addColumn<bool>("givesUp");
        row("save keeps it", Side::Save, false);
        row("list", Side::List, true);
        row("settings", Side::Config, true);
        row("About", Side::About, true);
    }

    // Every side window but the save window gives up the strip's place in front
    // as soon as it is made, before it opens.
    void loadStepGivesUpTheFront() {
        QFETCH(Side, side);
        Started s;
        click(button(s.main(), "btnTop"));
        QSignalSpy asked(&s.front(), &app::FrontPlace::stripTopmostRequested);
        open(s.program, side);
        // Once as it is made, once as it opens.
        QTEST(asked.size() == 2, "givesUp");
    }

    void helpTakesTheAboutPlace_data() {
        QTest::addColumn<QString>("align");
        QTest::addColumn<QPoint>("dragTo"); // where the About window was dragged, if at all
        QTest::addColumn<bool>("helpOpen");
        row("left", "1", QPoint(), false);
        row("dragged away", "1", QPoint(517, 233), false);
        row("help already open: it moves to the new About window", "3", QPoint(41, 59), true);
    }

    void helpTakesTheAboutPlace() {
        QFETCH(QString, align);
        QFETCH(QPoint, dragTo);
        QFETCH(bool, helpOpen);
        Started s({{5, align}});
        FormMain &m = s.main();
        QPointer<SideWindow> help = helpOpen ? open(s.program, Side::Help) : nullptr;
        // No button of the strip opens the help window.
        for (const char *name :
             {"btnIdent", "btnSave", "btnList", "btnConfig", "btnAbout", "btnTop", "btnPosicao"}) {
            click(button(m, name));
            QCOMPARE(s.program.sideWindow(Side::Help), help.data());
        }
        QPointer<SideWindow> about = s.program.sideWindow(Side::About);
        QVERIFY(about);
        if (!dragTo.isNull())
            about->move(dragTo);
        const QPoint at = about->pos();
        click(child(about, "lblAjuda"));
        SideWindow *shown = s.program.sideWindow(Side::Help);
        QVERIFY(shown && shown->isVisible());
        if (helpOpen)
            QCOMPARE(shown, help.data());
        QCOMPARE(shown->pos(), at);
        QVERIFY(!s.program.sideWindow(Side::About));
        QVERIFY(!about->isVisible());
        runDeferredDeletes();
        QVERIFY(about.isNull());
    }

    // A strip beside other programs is rarely the active window; its tooltips
    // and its side windows' show on hover all the same.
    void tooltipsShowWhileAnotherWindowIsActive_data() {
        QTest::addColumn<bool>("inAbout");
        QTest::addColumn<QString>("tip");
        row("the strip's save button", false, " Salvar texto ");
        row("the About window's help link", true, " Abrir janela de AJUDA do programa ");
    }

    void tooltipsShowWhileAnotherWindowIsActive() {
        QFETCH(bool, inAbout);
        QFETCH(QString, tip);
        Started s;
        QWidget *window =
            inAbout ? static_cast<QWidget *>(open(s.program, Side::About)) : &s.main();
        QWidget *target = nullptr;
        for (QWidget *w : window->findChildren<QWidget *>())
            if (w->toolTip() == tip)
                target = w;
        QVERIFY(target);
        QWidget other; // away from the strip and its side windows
        other.setGeometry(QRect(
            window->screen()->availableGeometry().bottomRight() - QPoint(80, 80), QSize(80, 80)));
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        // A change of active application stops a tooltip's wake-up: let it land.
        QTRY_COMPARE(QGuiApplication::applicationState(), Qt::ApplicationActive);
        QVERIFY(!window->isActiveWindow());
        // The pointer lands on the control and moves a step, through the window
        // system: Qt wakes tooltips only for its events, and only for a move.
        const QPoint at = target->rect().center();
        QCursor::setPos(target->mapToGlobal(at));
        QTest::mouseMove(window->windowHandle(), target->mapTo(window, at + QPoint(1, 0)));
        QTRY_COMPARE(QToolTip::text(), tip);
        QToolTip::hideText();
    }

    void dragsOnlyByTheBackground_data() {
        QTest::addColumn<Side>("side");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("drags");
        row("save: background", Side::Save, QPoint(150, 50), true);
        row("save: the white band", Side::Save, QPoint(9, 82), true);
        row("save: the title", Side::Save, QPoint(20, 25), false);
        row("save: the title box", Side::Save, QPoint(100, 95), false);
        row("settings: a frame", Side::Config, QPoint(270, 160), false);
        row("settings: background", Side::Config, QPoint(150, 45), true);
    }

    void dragsOnlyByTheBackground() {
        QFETCH(Side, side);
        QFETCH(QPoint, at);
        QFETCH(bool, drags);
        Started s;
        SideWindow *w = open(s.program, side);
        const QPoint start = w->pos();
        const QPoint press = w->mapToGlobal(at);
        // Where a label or a frame leaves a press alone, it reaches the window:
        // any button drags it by its background.
        mouse(*w, QEvent::MouseButtonPress, press, Qt::RightButton, Qt::RightButton);
        mouse(*w, QEvent::MouseMove, press + QPoint(30, 20), Qt::NoButton, Qt::RightButton);
        mouse(*w, QEvent::MouseButtonRelease, press + QPoint(30, 20), Qt::RightButton,
              Qt::NoButton);
        QCOMPARE(w->pos(), drags ? start + QPoint(30, 20) : start);
    }

    void recoveryAfterACrashIsTold_data() {
        QTest::addColumn<QString>("answer");
        row("acknowledged", "OK");
        row("the folder opened from the notice", "Abrir pasta");
    }

    // A draft left by a run that did not end is told once at the next start,
    // with the folder it went to, which a button opens; the help window says
    // where that folder is in any case.
    void recoveryAfterACrashIsTold() {
        QFETCH(QString, answer);
        Started s({}, [](const DataFolder &d) {
            // The run before wrote a draft, and ended without a word.
            support::Core crashed(&d);
            crashed.core.start();
            crashed.core.setDraftDelays(0, 0);
            crashed.windows.text = "perdido";
            crashed.core.textEdited();
            QTRY_COMPARE(d.recoveryCopies(), QStringList{"rascunho.txt"});
        });
        QMessageBox *told = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible())
                told = box;
        QVERIFY(told);
        QVERIFY2(told->text().endsWith(QDir::toNativeSeparators(s.data.file("recuperados"))),
                 qPrintable(told->text()));
        QCOMPARE(s.data.recoveryCopies().size(), 1);
        // Answered, it gives the keyboard back to the strip.
        QTRY_VERIFY(told->isActiveWindow());
        if (answer == u"OK") {
            QTest::keyClick(told, Qt::Key_Return);
            QCOMPARE(s.openedAddresses, QList<QUrl>());
        } else {
            for (QAbstractButton *b : told->buttons())
                if (b->text() == answer)
                    b->click();
            QCOMPARE(s.openedAddresses,
                     QList<QUrl>{QUrl::fromLocalFile(s.data.file("recuperados"))});
        }
        QTRY_VERIFY(s.main().isActiveWindow());
        QVERIFY(child(&s.main(), "Text1")->hasFocus());

        auto *where = child<QLabel>(open(s.program, Side::Help), "lblRecuperados");
        QVERIFY2(where->text().startsWith("Textos não salvos ficam em "),
                 qPrintable(where->text()));
        QCOMPARE(where->toolTip().trimmed(), QDir::toNativeSeparators(s.data.file("recuperados")));
    }

    void alwaysOnTop_data() {
        QTest::addColumn<QString>("events");
        QTest::addColumn<QString>("requested"); // the strip's place in front, as asked for
        QTest::addColumn<QString>("switched");  // the switch as the button shows it
        QTest::addColumn<bool>("on");
        row("side windows take the place and give it back",
            "toggle open:Save load open:List close:Save close:List", "1 0 0 0 1 1", "1", true);
        row("switched off while held comes back on", "toggle open:Save toggle close:Save",
            "1 0 0 1", "1 0 1", true);
        row("switched off: side windows touch nothing", "open:List load close:List", "", "", false);
        row("discarded (collapse, the end): nothing given back",
            "toggle open:Save discard:Save close:Save", "1 0", "1", true);
        row("the help window takes over the About window's hold",
            "toggle open:About load help discard:About close:Help", "1 0 0 1", "1", true);
        row("the strip's activation takes the place back", "toggle open:List activate", "1 0 1",
            "1", true);
        row("activation while off asks nothing", "toggle toggle activate", "1 0", "1 0", false);
    }

    void alwaysOnTop() {
        QFETCH(QString, events);
        app::FrontPlace front;
        QStringList requested, switched;
        connect(&front, &app::FrontPlace::stripTopmostRequested, this,
                [&](bool on) { requested << QString::number(on); });
        connect(&front, &app::FrontPlace::alwaysOnTopChanged, this,
                [&](bool on) { switched << QString::number(on); });
        const QMap<QString, Side> sides{{"Save", Side::Save},
                                        {"List", Side::List},
                                        {"About", Side::About},
                                        {"Help", Side::Help}};
        for (const QString &event : events.split(u' ', Qt::SkipEmptyParts)) {
            const QString verb = event.section(u':', 0, 0);
            const Side side = sides.value(event.section(u':', 1), Side::Config);
            if (verb == u"toggle")
                front.toggleAlwaysOnTop();
            else if (verb == u"open")
                front.sideWindowOpened(side);
            else if (verb == u"load")
                front.sideWindowLoaded();
            else if (verb == u"close")
                front.sideWindowClosed(side);
            else if (verb == u"discard")
                front.sideWindowDiscarded(side);
            else if (verb == u"help")
                front.handOverTopmost(Side::About, Side::Help);
            else
                front.stripActivated();
        }
        QTEST(requested.join(u' '), "requested");
        QTEST(switched.join(u' '), "switched");
        QTEST(front.alwaysOnTop(), "on");
    }
};

QTEST_MAIN(TestProgram)
#include "test_program.moc"
