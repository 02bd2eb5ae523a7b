#include "core/striprules.h"
#include "support/rows.h"
#include "support/windows.h"
#include "widgets/TextBox.h"
#include "windows/FormMain.h"
#include "windows/SideWindow.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCursor>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace windows;

using namespace support;
using core::Side;

namespace {

QLineEdit *box(QWidget *w, const char *name) {
    return child<QLineEdit>(w, name);
}

QLabel *notice(QWidget *w) {
    return child<QLabel>(w, "lblAviso");
}

// The notice's timer: its interval says how long the notice stays.
int noticeInterval(QWidget *w) {
    const QTimer *timer = w->findChild<QTimer *>();
    return timer && timer->isActive() ? timer->interval() : 0;
}

void retype(QLineEdit *box, const QString &text) {
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

QStringList rows(const QListWidget *list) {
    QStringList shown;
    for (int i = 0; i < list->count(); ++i)
        shown << list->item(i)->text();
    return shown;
}

QPoint rowCentre(QListWidget *list, const QString &shown) {
    const QList<QListWidgetItem *> items = list->findItems(shown, Qt::MatchExactly);
    if (items.isEmpty())
        return list->viewport()->rect().bottomLeft() + QPoint(5, -5);
    list->scrollToItem(items.first());
    return list->visualItemRect(items.first()).center();
}

void select(QListWidget *list, const QString &shown) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, shown));
}

// QTest's widget double-click is the second press alone; the first click
// comes before it, as from a hand.
void doubleClick(QListWidget *list, const QString &shown) {
    select(list, shown);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, shown));
}

// What a window said about a file, "…" standing for the path: paths are
// shortened to fit, the file name stays whole.
bool matches(const QString &said, const QString &expected) {
    const QStringList parts = expected.split(u'…');
    return parts.size() == 1
               ? said == expected
               : said.startsWith(parts[0]) && said.endsWith(QDir::separator() + parts[1]);
}

const char *const NotKept =
    "Não foi possível guardar o texto atual em …recuperados. Salve-o antes.";

} // namespace

// The side windows' own controls: the save window's boxes and notices, the
// list's opening and deleting, the settings boxes, the About window's links,
// and captions that fit.
class TestSideWindows : public QObject {
    Q_OBJECT
private slots:
    void saveWindowBoxes_data() {
        QTest::addColumn<QString>("open");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("extension");
        // How a name splits is the names' rule, tested with them.
        row("a new text", "*", "", "");
        row("an open text", "a.b.md", "a.b", "md");
    }

    void saveWindowBoxes() {
        QFETCH(QString, open);
        Started s({{9, open}});
        SideWindow *w = support::open(s.program, Side::Save);
        QTEST(box(w, "txtFileName")->text(), "title");
        QTEST(box(w, "txtExtensao")->text(), "extension");
        QVERIFY(!child<QPushButton>(w, "btnRename")->isEnabled());
    }

    // The title box drops the nine characters with a notice; any other key
    // typed there, and only there, enables "Salvar como". Opened again, the
    // window keeps what was typed.
    void saveWindowKeys() {
        Started s({{9, "notas.txt"}});
        SideWindow *w = open(s.program, Side::Save);
        QLineEdit *title = box(w, "txtFileName");
        auto *rename = child<QPushButton>(w, "btnRename");
        QTest::keyClicks(box(w, "txtExtensao"), "md");
        QTest::keyClicks(title, "?");
        QCOMPARE(title->text(), "notas");
        QVERIFY(!rename->isEnabled());
        QCOMPARE(notice(w)->text(), "Estes caracteres não são permitidos: \\ / * : ? \" <> |");
        QCOMPARE(noticeInterval(w), 5000);
        QVERIFY(QMetaObject::invokeMethod(w->findChild<QTimer *>(), "timeout"));
        QVERIFY(notice(w)->isHidden());
        QTest::keyClicks(title, "a|b");
        QCOMPARE(title->text(), "notasab");
        QVERIFY(rename->isEnabled());
        QCOMPARE(open(s.program, Side::Save), w);
        QCOMPARE(title->text(), "notasab");
        QVERIFY(rename->isEnabled());
    }

    void saveWindowAnswers_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("title"); // pasted into the box
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("notice"); // empty: the window closes
        QTest::addColumn<QString>("interval");
        // The open text is notas.txt; outra.txt exists too.
        row("Salvar: empty title", "", "  ", "btnSave", "O título não pode ficar vazio!", "2000");
        row("Salvar como: name taken", "", "outra", "btnRename", "Este nome já existe!", "2000");
        row("Salvar: a pasted path", "", "../fora", "btnSave",
            "Estes caracteres não são permitidos: \\ / * : ? \" <> |", "5000");
        row("Salvar: the text cannot be written", "text fails", "notas", "btnSave",
            "Não foi possível salvar o texto!", "5000");
        row("Salvar como: the file went meanwhile", "text removed", "nova", "btnRename",
            "Não foi possível renomear o arquivo!", "5000");
        row("Salvar: saved", "", "nova", "btnSave", "", "");
        row("Criar novo arquivo em branco", "", "", "btnNew", "", "");
        row("Criar novo arquivo em branco: the text typed cannot be kept", "recovery full", "",
            "btnNew", NotKept, "5000");
    }

    void saveWindowAnswers() {
        QFETCH(QString, setup);
        QFETCH(QString, title);
        QFETCH(QString, button);
        QFETCH(QString, notice);
        Started s({{9, "notas.txt"}}, [](const DataFolder &d) {
            d.putText("notas.txt", "n\r\n");
            d.putText("outra.txt", "o\r\n");
        });
        QVERIFY(!s.prepare(setup));
        auto *text = child<widgets::TextBox>(&s.main(), "Text1");
        QTest::keyClicks(text, "mais");
        const QString typed = text->text();
        QPointer<SideWindow> w = open(s.program, Side::Save);
        box(w, "txtFileName")->clear();
        box(w, "txtFileName")->insert(title);
        child<QPushButton>(w, "btnRename")->setEnabled(true);
        click(child(w, qPrintable(button)));
        QCOMPARE(s.program.sideWindow(Side::Save) == w, !notice.isEmpty());
        QCOMPARE(text->text(), button == u"btnNew" && notice.isEmpty() ? QString() : typed);
        if (notice.isEmpty())
            return;
        QVERIFY2(matches(::notice(w)->text(), notice), qPrintable(::notice(w)->text()));
        QVERIFY(::notice(w)->isVisible());
        QTEST(QString::number(noticeInterval(w)), "interval");
    }

    // Every entry the list can open is listed, dot names and names that are
    // not UTF-8 included (shown with a replacement character).
    void listShowsEveryText() {
        Started s({}, [](const DataFolder &d) {
            d.putText("b.txt", "b");
            d.putText(".segredo.txt", "s");
            if (support::onWindows) // whose names are always text
                return d.putText("caf\u00E9.txt", "certo\r\n");
            d.putNative("textos/caf\xE9.txt", "certo\r\n");
        });
        const QString cafe = support::onWindows ? "caf\u00E9.txt" : "caf\uFFFD.txt";
        SideWindow *w = open(s.program, Side::List);
        auto *list = child<QListWidget>(w, "List1");
        QCOMPARE(rows(list), (QStringList{".segredo.txt", "b.txt", cafe}));
        QVERIFY(child<QCheckBox>(w, "Check1")->isChecked());
        doubleClick(list, cafe);
        QCOMPARE(child<widgets::TextBox>(&s.main(), "Text1")->text(), "certo\r\n");
    }

    void listOpens_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("check1");
        QTest::addColumn<QString>("row"); // the row chosen; empty for none, "<beside>" below them
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("box");    // what a message box said; "…" stands for the path
        QTest::addColumn<QString>("notice"); // the same for the notice
        QTest::addColumn<bool>("opened");
        QTest::addColumn<bool>("stays");
        const char *missing = "este arquivo …notas.txt não existe",
                   *unreadable = "Não foi possível abrir o arquivo …mem";
        row("double-click, Check1 on: opened, closed", "double-click", true, "notas.txt", "", "",
            "", true, false);
        row("Enter, Check1 off: opened, stays", "Enter", false, "notas.txt", "", "", "", true,
            true);
        row("Enter on an empty list", "Enter", true, "", "no text folder", "",
            "É preciso selecionar um item!", false, true);
        row("double-click beside the rows", "double-click", true, "<beside>", "", "", "", false,
            true);
        row("Enter, removed meanwhile", "Enter", true, "notas.txt", "text removed", "", missing,
            false, true);
        row("double-click, removed meanwhile, Check1 on: told, closed", "double-click", true,
            "notas.txt", "text removed", missing, "", false, false);
        row("double-click, removed meanwhile, Check1 off: told, stays", "double-click", false,
            "notas.txt", "text removed", missing, "", false, true);
        row("Enter, unreadable", "Enter", true, "mem", "proc", "", unreadable, false, true);
        row("double-click, config.txt cannot be written: opened, told, stays", "double-click", true,
            "notas.txt", "config.txt fails", "", "Não foi possível salvar a configuração!", true,
            true);
        row("Enter, the text typed cannot be kept: told, stays", "Enter", true, "notas.txt",
            "recovery full", NotKept, "", false, true);
        row("double-click, the text typed cannot be kept: told, stays", "double-click", true,
            "notas.txt", "recovery full", NotKept, "", false, true);
    }

    void listOpens() {
        QFETCH(QString, how);
        QFETCH(bool, check1);
        QFETCH(QString, row);
        QFETCH(QString, setup);
        QFETCH(QString, box);
        QFETCH(QString, notice);
        QFETCH(bool, opened);
        Started s({}, [](const DataFolder &d) { d.putText("notas.txt", "abc\r\n"); });
        // A text removed goes once the list shows it.
        const bool removed = setup == u"text removed";
        if (const char *why = s.prepare(removed ? QString() : setup))
            QSKIP(why);
        auto *text = child<widgets::TextBox>(&s.main(), "Text1");
        QTest::keyClicks(text, "meu texto");
        QPointer<SideWindow> w = open(s.program, Side::List);
        auto *list = child<QListWidget>(w, "List1");
        child<QCheckBox>(w, "Check1")->setChecked(check1);
        ::notice(w)->setText("antes");
        if (removed)
            s.data.prepare(setup);
        if (!row.isEmpty())
            select(list, row);
        MessageBoxes boxes;
        if (how == u"Enter")
            QTest::keyClick(list, Qt::Key_Return);
        else
            doubleClick(list, row);
        QCOMPARE(boxes.texts.size(), box.isEmpty() ? 0 : 1);
        if (!box.isEmpty())
            QVERIFY2(matches(boxes.texts[0], box), qPrintable(boxes.texts[0]));
        QTEST(bool(s.program.sideWindow(Side::List)), "stays");
        QCOMPARE(text->text(), opened ? "abc\r\n" : "meu texto");
        if (!w || !s.program.sideWindow(Side::List))
            return;
        // A double-click empties the notice; Enter leaves it.
        const QString shown = ::notice(w)->text();
        if (!notice.isEmpty())
            QVERIFY2(matches(shown, notice), qPrintable(shown));
        else
            QCOMPARE(shown, how == u"Enter" || row == u"<beside>" ? "antes" : "");
    }

    // The keys of an ordinary list box: the row they reach is the one
    // chosen, and Enter opens it.
    void listKeys_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("chosen");
        row("on opening, the first", "", "a.txt");
        row("Up at the first", "Up", "a.txt");
        row("Home", "Down Down Home", "a.txt");
        row("Down", "Down", "b.txt");
        row("End", "End", "c.txt");
        row("Down past the last", "Down Down Down", "c.txt");
        row("Up", "End Up", "b.txt");
        row("Ctrl+Space does not leave the row unchosen", "Down Ctrl+Space", "b.txt");
    }

    void listKeys() {
        QFETCH(QString, keys);
        QFETCH(QString, chosen);
        Started s({}, [](const DataFolder &d) {
            for (const char *name : {"a", "b", "c"})
                d.putText(QString(name) + ".txt", QByteArray(name) + "\r\n");
        });
        SideWindow *w = open(s.program, Side::List);
        auto *list = child<QListWidget>(w, "List1");
        // The window opens with the keyboard in the list, whose first row
        // the focus makes Qt's current one.
        QTRY_VERIFY(list->hasFocus());
        for (const QString &key : keys.split(u' ', Qt::SkipEmptyParts)) {
            const QKeyCombination k = QKeySequence::fromString(key)[0];
            QTest::keyClick(list, k.key(), k.keyboardModifiers());
        }
        QVERIFY(list->currentItem());
        QCOMPARE(list->currentItem()->text(), chosen);
        QCOMPARE(list->selectedItems(), QList<QListWidgetItem *>{list->currentItem()});
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(child<widgets::TextBox>(&s.main(), "Text1")->text(), chosen.left(1) + "\r\n");
    }

    void listDeletes_data() {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("noTrash"); // no usable trash: the answer to the question
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QString>("notice");
        const QStringList all{"notas.txt", "nova.txt", "outra.txt"};
        row("the open text: gone from the list, kept in the strip", "notas.txt", "", "",
            QStringList{"nova.txt", "outra.txt"}, "fica");
        row("the first row, chosen on opening", "", "", "", QStringList{"nova.txt", "outra.txt"},
            "fica");
        row("the move to the trash fails: told", "notas.txt", "text fails", "", all,
            "Não foi possível deletar o arquivo ");
        row("removed meanwhile: told it is gone", "notas.txt", "text removed", "",
            QStringList{"nova.txt", "outra.txt"}, "este arquivo ");
        row("no trash: asked, kept by default", "notas.txt", "", "", all, "fica");
        row("no trash: asked, deleted for good", "notas.txt", "", "Sim",
            QStringList{"nova.txt", "outra.txt"}, "fica");
    }

    void listDeletes() {
        QFETCH(QString, row);
        QFETCH(QString, setup);
        QFETCH(QString, noTrash);
        QFETCH(QString, notice);
        const bool asked = QString(QTest::currentDataTag()).startsWith("no trash");
        Started s({{9, "notas.txt"}}, [](const DataFolder &d) {
            d.putText("notas.txt", "abc\r\n");
            d.putText("outra.txt", "x\r\n");
        });
        if (asked)
            s.files.takeAwayTheTrash();
        SideWindow *w = open(s.program, Side::List);
        QVERIFY(!s.prepare(setup));
        auto *list = child<QListWidget>(w, "List1");
        s.data.putText("nova.txt", "saved elsewhere meanwhile");
        ::notice(w)->setText("fica");
        if (!row.isEmpty())
            select(list, row);
        // Wine has no Recycle Bin: there every deletion asks, and is agreed to.
        const bool mayAsk = support::onWindows && !asked;
        MessageBoxes boxes(mayAsk ? "Sim" : noTrash);
        // A double-click on "Deletar" deletes one text: refilled, the list has
        // none chosen.
        click(child(w, "btnDel"));
        click(child(w, "btnDel"));
        if (!mayAsk)
            QCOMPARE(boxes.texts.size(), asked ? 1 : 0);
        if (asked)
            QVERIFY2(matches(boxes.texts[0], "Não há lixeira para o arquivo …notas.txt\nDeletá-lo "
                                             "definitivamente?"),
                     qPrintable(boxes.texts[0]));
        QTEST(rows(list), "after");
        QVERIFY2(::notice(w)->text().startsWith(notice), qPrintable(::notice(w)->text()));
        QCOMPARE(s.core().openName(), QString("notas.txt"));
        QCOMPARE(child<widgets::TextBox>(&s.main(), "Text1")->text(), "abc\r\n");
    }

    void settingsShowTheValuesInForce() {
        Started s({{1, "300"}, {2, "150"}, {3, "400"}, {4, "80"}, {5, "3"}, {7, "Verdana"}});
        SideWindow *w = open(s.program, Side::Config);
        QCOMPARE(box(w, "txtLargura")->text(), "300");
        QCOMPARE(box(w, "txtAlturaMin")->text(), "150");
        QCOMPARE(box(w, "txtAlturaMax")->text(), "400");
        QCOMPARE(box(w, "txtTransparencia")->text(), "80");
        QVERIFY(child<QRadioButton>(w, "OptAlignDir")->isChecked());
        QVERIFY(child<QRadioButton>(w, "optIniNao")->isChecked());
        auto *fonts = child<QComboBox>(w, "Combo1");
        QCOMPARE(fonts->currentText(), "Verdana");
        QVERIFY(!fonts->isEditable());
        QCOMPARE(fonts->count(), 5);
        QVERIFY(!child<QCheckBox>(w, "chkLast")->isChecked());
        // Edits not saved are dropped on the next opening; the width box shows
        // the width the strip has now.
        retype(box(w, "txtAlturaMin"), "999");
        click(child(w, "OptAlignEsq"));
        s.main().place(std::nullopt, 6000);
        QCOMPARE(open(s.program, Side::Config), w);
        QCOMPARE(box(w, "txtLargura")->text(), "400");
        QCOMPARE(box(w, "txtAlturaMin")->text(), "150");
        QVERIFY(child<QRadioButton>(w, "OptAlignDir")->isChecked());
    }

    void settingsNumberBoxes_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("kept");
        // A paste goes around the key filter; it keeps what typing would.
        row("typed", "txtLargura", "typed", "1a-.,2 3", "123");
        row("Ctrl+V is a key like any other", "txtAlturaMin", "Ctrl+V", "99", "");
        row("pasted", "txtAlturaMax", "insert", "ab,-1\n5", "1");
        row("Shift+Insert", "txtTransparencia", "Shift+Insert", "ab,-1\n5", "1");
    }

    void settingsNumberBoxes() {
        QFETCH(QString, name);
        QFETCH(QString, how);
        QFETCH(QString, input);
        QFETCH(QString, kept);
        Started s;
        SideWindow *w = open(s.program, Side::Config);
        QLineEdit *b = box(w, qPrintable(name));
        b->clear();
        QGuiApplication::clipboard()->setText(input);
        if (how == u"typed")
            QTest::keyClicks(b, input);
        else if (how == u"Ctrl+V")
            QTest::keyClick(b, Qt::Key_V, Qt::ControlModifier);
        else if (how == u"insert")
            b->insert(input);
        else
            QTest::keyClick(b, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(b->text(), kept);
        if (kept.isEmpty())
            return;
        // Keys that type no digit still edit.
        QTest::keyClick(b, Qt::Key_Backspace);
        QTest::keyClicks(b, kept.right(1));
        click(child(w, "btnSave"));
        const QList<QByteArray> lines = s.data.config().split('\n');
        QCOMPARE(lines.size(), 10); // nine lines, each ended by CR LF
        QVERIFY(lines.contains(kept.toLatin1() + '\r'));
    }

    void settingsSaved() {
        Started s;
        SideWindow *w = open(s.program, Side::Config);
        s.main().move(400, 100);
        retype(box(w, "txtLargura"), "300");
        retype(box(w, "txtAlturaMin"), "150");
        retype(box(w, "txtAlturaMax"), "400");
        retype(box(w, "txtTransparencia"), "80");
        click(child(w, "OptAlignCenter"));
        click(child(w, "optIniSim"));
        auto *fonts = child<QComboBox>(w, "Combo1");
        fonts->setCurrentIndex(fonts->findText("Verdana"));
        FormMain &m = s.main();
        auto *text = child<widgets::TextBox>(&m, "Text1");
        const int chrome = m.height() - text->height();
        QCursor::setPos(10, 500); // away from the strip
        click(child(w, "btnSave"));
        QCOMPARE(s.data.config(),
                 "300\r\n150\r\n400\r\n80\r\n2\r\n1\r\nVerdana\r\n1000|1000|6000|1500\r\n*\r\n");
        QVERIFY(!s.program.sideWindow(Side::Config));
        // In force at once, where it stands.
        QCOMPARE(text->font().family(), "Verdana");
        QCOMPARE(text->height(), 150);
        QCOMPARE(m.geometry(), QRect(400, 100, 300, 150 + chrome));
        QCOMPARE(qRound(m.windowOpacity() * 255), core::alphaFor(80));
    }

    void settingsNotices_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<int>("interval");
        row("an empty box", "", "Nenhum campo pode ficar vazio!", 2000);
        row("config.txt cannot be written", "config.txt fails",
            "Não foi possível salvar a configuração!", 5000);
    }

    void settingsNotices() {
        QFETCH(QString, setup);
        Started s;
        const QByteArray before = s.data.config();
        QVERIFY(!s.prepare(setup));
        SideWindow *w = open(s.program, Side::Config);
        retype(box(w, "txtTransparencia"), setup.isEmpty() ? "" : "50");
        click(child(w, "btnSave"));
        QCOMPARE(s.program.sideWindow(Side::Config), w);
        QTEST(notice(w)->text(), "notice");
        QTEST(noticeInterval(w), "interval");
        QCOMPARE(s.data.config(), before);
    }

    // "Abrir último arquivo editado ao iniciar" is the program's switch for the
    // whole run, saved or not.
    void reopenSwitchOutlivesTheWindow() {
        Started s({{9, "notas.txt"}});
        SideWindow *w = open(s.program, Side::Config);
        auto *check = child<QCheckBox>(w, "chkLast");
        QVERIFY(check->isChecked());
        click(check);
        QVERIFY(!s.core().reopenLastText());
        click(child(w, "btnClose"));
        w = open(s.program, Side::Config);
        check = child<QCheckBox>(w, "chkLast");
        QVERIFY(!check->isChecked());
        click(check);
        QVERIFY(s.core().reopenLastText());
    }

    void aboutLinks_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("browser");
        QTest::addColumn<QString>("address"); // empty: no link
        row("home page", "lblBrenvaldo", true, "https://scrivulets.example/");
        row("donations page", "lblPayPal", true, "https://scrivulets.example/doacoes/");
        row("no browser: the address shown", "lblBrenvaldo", false, "https://scrivulets.example/");
        row("the text is no link", "lblSobre", true, "");
    }

    void aboutLinks() {
        QFETCH(QString, label);
        QFETCH(bool, browser);
        QFETCH(QString, address);
        Started s;
        s.browserAnswers = browser;
        SideWindow *about = open(s.program, Side::About);
        QWidget *link = child(about, qPrintable(label));
        // Links wear the link cursor; nothing else sets one.
        QCOMPARE(link->testAttribute(Qt::WA_SetCursor), !address.isEmpty());
        if (!address.isEmpty())
            QCOMPARE(link->cursor().hotSpot(), QPoint(8, 1));
        MessageBoxes boxes;
        click(link);
        QCOMPARE(s.openedAddresses, address.isEmpty() ? QList<QUrl>() : QList<QUrl>{QUrl(address)});
        QCOMPARE(
            boxes.texts,
            browser ? QStringList()
                    : QStringList{"Não foi possível abrir o navegador. O endereço é:\n" + address});
        QCOMPARE(s.program.sideWindow(Side::About), about);
    }

    // Every side window is borderless, its controls inside it and apart.
    // Whatever font the system gives, no caption is cut, and in the About and
    // help windows no grown label reaches the next row.
    void everythingFits() {
        Started s;
        for (Side side : {Side::Save, Side::List, Side::Config, Side::About, Side::Help}) {
            SideWindow *w = open(s.program, side);
            QVERIFY(w->windowFlags().testFlag(Qt::FramelessWindowHint));
            QCOMPARE(controlsOutOfPlace(*w), QString());
            QCOMPARE(child(w, "btnClose")->cursor().hotSpot(), QPoint(1, 1));
            const QList<QLabel *> labels = w->findChildren<QLabel *>();
            for (const QLabel *label : labels) {
                if (!label->isVisibleTo(w) || label->text().isEmpty())
                    continue;
                const QString name = w->objectName() + '.' + label->objectName();
                if (label->wordWrap())
                    QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                             qPrintable(name));
                else
                    QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <=
                                 label->width(),
                             qPrintable(name));
                // A wrapped label grows downward, but never onto the next row.
                if (!label->wordWrap() || (side != Side::About && side != Side::Help))
                    continue;
                for (const QLabel *other : labels)
                    QVERIFY2(other == label || !other->isVisibleTo(w) ||
                                 !label->geometry().intersects(other->geometry()),
                             qPrintable(name + " / " + other->objectName()));
            }
        }
    }
};

QTEST_MAIN(TestSideWindows)
#include "test_sidewindows.moc"
