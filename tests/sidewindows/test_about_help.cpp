#include "mainwindow/FormMain.h"
#include "platform/windowsystem.h"
#include "sidetesting.h"
#include "sidewindows/FormAbout.h"
#include "sidewindows/FormHelp.h"
#include "startup/Program.h"

#include <QPointer>

using namespace sidetesting;

namespace {

void clickLabel(QWidget *w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

} // namespace

// The About and help windows: their words, their links, and the help window
// taking the About window's place.
class TestAboutHelp : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void aboutTexts_data();
    void aboutTexts();
    void linksShowTheLinkCursor();
    void linksOpenTheTwoPages_data();
    void linksOpenTheTwoPages();
    void helpRows_data();
    void helpRows();
    void helpTitleAndWarning();
    void captionsAreWhole();
    void helpTakesTheAboutPlace_data();
    void helpTakesTheAboutPlace();
    void onlyTheAboutLinkOpensHelp();
    void helpGivesTheTopmostStateBack();

private:
    static void startWithAlign(Program &p, const QString &align);
    static FormAbout *openAbout(Program &p);
    static QWidget *aboutControl(FormAbout &about, const QString &name);
    QList<QUrl> m_opened;
};

void TestAboutHelp::init() {
    resetAppFolder();
    m_opened.clear();
    FormAbout::openAddress = [this](const QUrl &address) { m_opened.append(address); };
}

void TestAboutHelp::cleanup() {
    runDeferredDeletes();
}

void TestAboutHelp::startWithAlign(Program &p, const QString &align) {
    writeBytes(configFile(), configLines({"294", "140", "280", "90", align, "2", "Arial",
                                          "1000|1000|6000|1500", "*"}));
    p.start();
}

FormAbout *TestAboutHelp::openAbout(Program &p) {
    click(p.main().btnAbout);
    return qobject_cast<FormAbout *>(p.sideWindow(Program::Side::About));
}

QWidget *TestAboutHelp::aboutControl(FormAbout &a, const QString &name) {
    const QHash<QString, QWidget *> controls = {
        {"Label3", a.Label3},     {"Label1", a.Label1},     {"Label2", a.Label2},
        {"lblAutor", a.lblAutor}, {"Label6", a.Label6},     {"lblBrenvaldo", a.lblBrenvaldo},
        {"lblSobre", a.lblSobre}, {"lblAjuda", a.lblAjuda}, {"lblPayPal", a.lblPayPal},
        {"Label4", a.Label4},     {"Image1", a.Image1},     {"Image2", a.Image2}};
    return controls.value(name);
}

void TestAboutHelp::aboutTexts_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("toolTip");
    QTest::newRow("title") << "Label3"
                           << "Sobre o programa"
                           << "";
    QTest::newRow("name and version") << "Label1"
                                      << "Corvale Scrivulets v 1.0"
                                      << "";
    QTest::newRow("author caption") << "Label2"
                                    << "Autor:"
                                    << "";
    QTest::newRow("author") << "lblAutor"
                            << "Equipe Corvale"
                            << "";
    QTest::newRow("home page: the domain, the address framed by blanks")
        << "lblBrenvaldo"
        << "scrivulets.example"
        << " https://scrivulets.example/ ";
    QTest::newRow("what it is")
        << "lblSobre"
        << "Corvale Scrivulets é um simples programa para arquivo de textos pequenos como dicas, "
           "lembretes, recados, etc."
        << "";
    QTest::newRow("help link") << "lblAjuda"
                               << "Abrir janela de AJUDA do programa"
                               << " Abrir janela de AJUDA do programa ";
    QTest::newRow("donations: the address without its scheme")
        << "lblPayPal"
        << "Obs.: se considera este programa realmente útil a você, considere então a "
           "possibilidade de fazer uma doação de qualquer valor para minha conta do PayPal. Isso "
           "me incentivará na criação de novos softwares freeware e na melhoria dos já existentes. "
           "É fácil, rápido e seguro."
        << " Clique aqui para fazer uma doação em scrivulets.example/doacoes/ ";
    QTest::newRow("free, ending in a blank") << "Label4"
                                             << "Corvale Scrivulets é totalmente FREE! "
                                             << "";
}

void TestAboutHelp::aboutTexts() {
    QFETCH(QString, control);
    QFETCH(QString, text);
    QFETCH(QString, toolTip);
    Program p;
    startWithAlign(p, "1");
    FormAbout *about = openAbout(p);
    QVERIFY(about);
    auto *label = qobject_cast<QLabel *>(aboutControl(*about, control));
    QVERIFY(label);
    QCOMPARE(label->text(), text);
    QCOMPARE(label->toolTip(), toolTip);
    QVERIFY(label->isVisible());
}

void TestAboutHelp::linksShowTheLinkCursor() {
    Program p;
    startWithAlign(p, "1");
    FormAbout *about = openAbout(p);
    QVERIFY(about);
    for (const char *name : {"lblBrenvaldo", "lblAjuda", "lblPayPal"}) {
        const QCursor cursor = aboutControl(*about, name)->cursor();
        QCOMPARE(cursor.shape(), Qt::BitmapCursor);
        QCOMPARE(cursor.hotSpot(), QPoint(8, 1));
    }
    for (const char *name : {"Label1", "lblSobre", "Label4", "Image2"})
        QVERIFY2(!aboutControl(*about, name)->testAttribute(Qt::WA_SetCursor), name);
}

void TestAboutHelp::linksOpenTheTwoPages_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("address");
    QTest::newRow("home page") << "lblBrenvaldo"
                               << "https://scrivulets.example/";
    QTest::newRow("donations page: home page + doacoes/") << "lblPayPal"
                                                          << "https://scrivulets.example/doacoes/";
    QTest::newRow("the text is no link") << "lblSobre"
                                         << "";
    QTest::newRow("the picture beside the help link is no link") << "Image2"
                                                                 << "";
    QTest::newRow("the name is no link") << "Label1"
                                         << "";
}

void TestAboutHelp::linksOpenTheTwoPages() {
    QFETCH(QString, control);
    QFETCH(QString, address);
    Program p;
    startWithAlign(p, "1");
    FormAbout *about = openAbout(p);
    QVERIFY(about);
    QWidget *w = aboutControl(*about, control);
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
    const QList<QUrl> expected = address.isEmpty() ? QList<QUrl>() : QList<QUrl>{QUrl(address)};
    QCOMPARE(m_opened, expected);
    // Opening a page leaves the About window where it was.
    QCOMPARE(p.sideWindow(Program::Side::About), about);
    QVERIFY(!p.sideWindow(Program::Side::Help));
}

void TestAboutHelp::helpRows_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("top");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QString>("text");
    QTest::newRow("btnIdent") << 0 << 840 << ":/icons/tool_ident.svg"
                              << " Inserir bullet "
                              << "Insere \"bullets (·)\" antes das linhas de texto.";
    QTest::newRow("btnSave, text in Label1")
        << 1 << 1200 << ":/icons/tool_save.svg"
        << " Salvar texto "
        << "Salva textos em arquivo. Para salvar textos já existentes, apenas pressione CTRL+S.";
    QTest::newRow("btnList") << 2 << 1680 << ":/icons/tool_list.svg"
                             << " Exibir textos salvos "
                             << "Exibe lista de arquivos de texto já salvos.";
    QTest::newRow("btnConfig") << 3 << 2040 << ":/icons/tool_config.svg"
                               << " Configurar programa "
                               << "Permite diversas configurações no programa.";
    QTest::newRow("imgTopNao, no tooltip")
        << 4 << 2400 << ":/icons/top_off.svg"
        << ""
        << "Permite colocar o programa na frente de outros programas. Assim o software fica "
           "sempre visível.";
    QTest::newRow("btnPosicao") << 5 << 2920 << ":/icons/tool_positions.svg"
                                << " Salvar novas posições e dimensões "
                                << "Salva configurações de dimensão e posição na tela.";
    QTest::newRow("btnAbout") << 6 << 3280 << ":/icons/tool_about.svg"
                              << " Sobre o programa "
                              << "Abre a janela \"sobre o programa\".";
}

void TestAboutHelp::helpRows() {
    QFETCH(int, row);
    QFETCH(int, top);
    QFETCH(QString, picture);
    QFETCH(QString, toolTip);
    QFETCH(QString, text);
    Program p;
    startWithAlign(p, "1");
    FormHelp help(p.main());
    platform::PictureButton *img = help.pictures[row];
    QCOMPARE(img->picture(), picture);
    QCOMPARE(img->toolTip(), toolTip);
    QCOMPARE(img->geometry(), SideWindow::pxRect(120, top, 225, 210));
    // The main window's button shows the same picture with the same tooltip
    // (the always-on-top button only while off, and under its own tooltip).
    const QList<platform::PictureButton *> toolbar = {
        p.main().btnIdent, p.main().btnSave,    p.main().btnList, p.main().btnConfig,
        p.main().btnTop,   p.main().btnPosicao, p.main().btnAbout};
    QCOMPARE(toolbar[row]->picture(), picture);
    if (!toolTip.isEmpty())
        QCOMPARE(toolbar[row]->toolTip(), toolTip);

    // The text stands beside its picture: Label1 for btnSave, lblSobre 0 to 5
    // for the others in order.
    QLabel *label = row == 1 ? help.Label1 : help.lblSobre[row < 1 ? row : row - 1];
    QCOMPARE(label->text(), text);
    QCOMPARE(label->x(), SideWindow::pxRect(480, 0, 0, 0).x());
    QVERIFY(qAbs(label->y() - img->y()) <= 2);
}

void TestAboutHelp::helpTitleAndWarning() {
    Program p;
    startWithAlign(p, "1");
    FormHelp help(p.main());
    QCOMPARE(help.lblSobre[6]->text(),
             QString("ATENÇÃO: evite mexer no arquivo de configuração manualmente. Caso tenha "
                     "algum problema por isso, simplesmente delete o arquivo e reinicie o "
                     "software."));
    QCOMPARE(help.lblSobre[6]->geometry().topLeft(), SideWindow::pxRect(120, 3675, 0, 0).topLeft());
    // The help window's title has a narrower place than the other windows'.
    QCOMPARE(help.Label3->text(), QString("Ajuda"));
    QCOMPARE(help.Label3->geometry(), SideWindow::pxRect(120, 255, 855, 255));
}

// Whatever font the system gives, no caption is cut: wrapped ones have the
// height their lines need, the others the width of their text.
void TestAboutHelp::captionsAreWhole() {
    Program p;
    startWithAlign(p, "1");
    FormAbout *about = openAbout(p);
    QVERIFY(about);
    FormHelp help(p.main());
    QList<ClickLabel *> labels = about->findChildren<ClickLabel *>();
    labels += help.findChildren<ClickLabel *>();
    QCOMPARE(labels.size(), 9 + 8);
    for (ClickLabel *label : labels) {
        if (label->wordWrap())
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                     qPrintable(label->text()));
        else
            QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->text()));
    }
}

void TestAboutHelp::helpTakesTheAboutPlace_data() {
    QTest::addColumn<QString>("align");
    QTest::addColumn<bool>("dragged");
    QTest::newRow("left") << "1" << false;
    QTest::newRow("centre") << "2" << false;
    QTest::newRow("right") << "3" << false;
    QTest::newRow("dragged away") << "1" << true;
}

void TestAboutHelp::helpTakesTheAboutPlace() {
    QFETCH(QString, align);
    QFETCH(bool, dragged);
    Program p;
    startWithAlign(p, align);
    FormAbout *about = openAbout(p);
    QVERIFY(about);
    if (dragged)
        about->move(517, 233);
    const QPoint at = about->pos();
    QPointer<FormAbout> gone = about;

    clickLabel(about->lblAjuda);
    auto *help = qobject_cast<FormHelp *>(p.sideWindow(Program::Side::Help));
    QVERIFY(help);
    QVERIFY(help->isVisible());
    QCOMPARE(help->pos(), at);
    QCOMPARE(help->Label3->text(), QString("Ajuda"));
    QVERIFY(m_opened.isEmpty());
    // The About window is hidden at once and destroyed.
    QVERIFY(!p.sideWindow(Program::Side::About));
    QVERIFY(!about->isVisible());
    runDeferredDeletes();
    QVERIFY(gone.isNull());
}

void TestAboutHelp::onlyTheAboutLinkOpensHelp() {
    Program p;
    startWithAlign(p, "3");
    FormMain &m = p.main();
    for (platform::PictureButton *b :
         {m.btnIdent, m.btnSave, m.btnList, m.btnConfig, m.btnAbout, m.btnTop, m.btnPosicao}) {
        click(b);
        QVERIFY(!p.sideWindow(Program::Side::Help));
    }
    FormAbout *about = qobject_cast<FormAbout *>(p.sideWindow(Program::Side::About));
    QVERIFY(about);
    clickLabel(about->lblAjuda);
    QVERIFY(p.sideWindow(Program::Side::Help));

    // Opened again, the About window is a new one, and its link shows the
    // help window that is already open at the new About window's place.
    FormHelp *help = qobject_cast<FormHelp *>(p.sideWindow(Program::Side::Help));
    runDeferredDeletes();
    FormAbout *again = openAbout(p);
    QVERIFY(again);
    again->move(41, 59);
    clickLabel(again->lblAjuda);
    QCOMPARE(p.sideWindow(Program::Side::Help), help);
    QCOMPARE(help->pos(), QPoint(41, 59));
}

void TestAboutHelp::helpGivesTheTopmostStateBack() {
    Program p;
    startWithAlign(p, "1");
    FormMain &m = p.main();
    click(m.btnTop);
    QCOMPARE(m.state.lblCheckTop, QString("1"));
    QVERIFY(platform::isTopmost(&m));

    FormAbout *about = openAbout(p);
    QVERIFY(about);
    QVERIFY(!platform::isTopmost(&m));
    clickLabel(about->lblAjuda);
    auto *help = qobject_cast<FormHelp *>(p.sideWindow(Program::Side::Help));
    QVERIFY(help);
    QVERIFY(!platform::isTopmost(&m));
    QCOMPARE(help->lblCheckTop->text(), QString("1"));

    click(help->btnClose);
    QVERIFY(platform::isTopmost(&m));
    QCOMPARE(m.state.lblCheckTop, QString("1"));
    QVERIFY(!p.sideWindow(Program::Side::Help));
}

QTEST_MAIN(TestAboutHelp)
#include "test_about_help.moc"
