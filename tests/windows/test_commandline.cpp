#include "app/commandline.h"
#include "platform/display.h"
#include "support/rows.h"

#include <QFileInfo>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using support::row;

// What the program says before its first window: Qt's texts in Portuguese,
// the command line, and the display it needs.
class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void contextMenuIsPortuguese();
    void displayProblem_data();
    void displayProblem();
    void cleanup();
    void commandLine_data();
    void commandLine();
};

namespace {

// What the display check reads; each row sets them all, unset when empty.
const char *const DisplayVariables[] = {"QT_QPA_PLATFORM", "DISPLAY", "XDG_SESSION_TYPE",
                                        "WAYLAND_DISPLAY"};

} // namespace

void TestCommandLine::contextMenuIsPortuguese() {
    QVERIFY2(app::installQtTranslation(), "qtbase_pt_BR.qm (qt6-translations-l10n) not found");
    QPlainTextEdit box(QStringLiteral("texto"));
    std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
    QStringList texts;
    for (const QAction *action : menu->actions())
        if (!action->isSeparator())
            texts << action->text().section(u'\t', 0, 0);
    QCOMPARE(texts, QStringList({"&Desfazer", "&Refazer", "Recor&tar", "&Copiar", "Co&lar",
                                 "Excluir", "Selecionar tudo"}));
}

void TestCommandLine::displayProblem_data() {
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("problem"); // a pattern; empty: no problem

    const QString noDisplay =
        QStringLiteral("^não há tela gráfica: a variável DISPLAY está vazia$");
    const QString deadDisplay = QStringLiteral("^não foi possível abrir a tela gráfica \":9999\"$");
    row("X11 by default, no DISPLAY", QStringList(), QStringList(), noDisplay);
    row("X11 by default, no server", QStringList{"DISPLAY=:9999"}, QStringList(), deadDisplay);
    row("named X11 with options", QStringList{"QT_QPA_PLATFORM=xcb:foo=1"}, QStringList(),
        noDisplay);
    row("-display wins over DISPLAY", QStringList{"DISPLAY=:0"}, QStringList{"-display", ":9999"},
        deadDisplay);
    row("offscreen", QStringList{"QT_QPA_PLATFORM=offscreen"}, QStringList(), QString());
    row("X11, then offscreen", QStringList{"QT_QPA_PLATFORM=xcb;offscreen"}, QStringList(),
        QString());
    row("Wayland session", QStringList{"XDG_SESSION_TYPE=wayland"}, QStringList(), QString());
    row("-platform wins over QT_QPA_PLATFORM", QStringList{"QT_QPA_PLATFORM=xcb"},
        QStringList{"--platform", "offscreen"}, QString());
    row("-platform xcb", QStringList{"QT_QPA_PLATFORM=offscreen"}, QStringList{"-platform", "xcb"},
        noDisplay);
}

void TestCommandLine::displayProblem() {
#ifndef SCRIVULETS_X11
    QSKIP("only the X11 build checks the display itself");
#endif
    QFETCH(QStringList, environment);
    QFETCH(QStringList, arguments);
    QFETCH(QString, problem);
    for (const char *name : DisplayVariables)
        qunsetenv(name);
    for (const QString &assignment : environment)
        qputenv(qPrintable(assignment.section(u'=', 0, 0)),
                assignment.section(u'=', 1).toLocal8Bit());
    const QString found = platform::displayProblem(QStringList{"corvale-scrivulets"} + arguments);
    if (problem.isEmpty())
        QCOMPARE(found, QString());
    else
        QVERIFY2(QRegularExpression(problem).match(found).hasMatch(), qPrintable(found));
}

void TestCommandLine::cleanup() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
}

void TestCommandLine::commandLine_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("platform"); // QT_QPA_PLATFORM; there is never a DISPLAY
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output"); // stdout and stderr as patterns
    QTest::addColumn<QString>("errors");

    const QString version = QStringLiteral("^corvale-scrivulets " SCRIVULETS_VERSION "\n$");
    row("--version", QStringList{"--version"}, QString(), 0, version, "^$");
    row("-v", QStringList{"-v"}, QString(), 0, version, "^$");
    row("--help", QStringList{"--help"}, QString(), 0,
        "^Uso: \\S+ \\[opções\\]\n(.*\n)*  -v, --version +Mostra a versão(.*\n)*  --mostrar "
        "+Traz a janela(.*\n)*  --alternar +Recolhe a janela(.*\n)*  --pasta <PASTA> +Guarda "
        "os textos",
        "^$");
#ifndef Q_OS_WIN // where there is always a display
    row("no display", QStringList(), QString(), 1, "^$",
        "^corvale-scrivulets: [^\n]*DISPLAY[^\n]*\n$");
#endif
    row("unknown option", QStringList{"--bogus"}, "offscreen", 1, "^$",
        "^corvale-scrivulets: Opção desconhecida 'bogus'.\n$");
    // Qt takes its own options (-reverse, -style) before anything is judged.
    row("unknown option after Qt's", QStringList{"-reverse", "-style", "fusion", "-x"}, "offscreen",
        1, "^$", "^corvale-scrivulets: Opção desconhecida 'x'.\n$");
    row("file name", QStringList{"notas.txt"}, "offscreen", 1, "^$",
        "^corvale-scrivulets: argumento inesperado: \"notas.txt\"\n$");
    row("both requests", QStringList{"--mostrar", "--alternar"}, "offscreen", 1, "^$",
        "^corvale-scrivulets: use --mostrar ou --alternar, não as duas\n$");
    // A file stands where the folder would be, or above it. The path is said
    // as the system writes it (under Wine, on drive Z:).
    const QString file = QStringLiteral(SCRIVULETS_EXECUTABLE);
    const QString name = QRegularExpression::escape(QFileInfo(file).fileName());
    const auto unusable = [](const QString &end) {
        return "^corvale-scrivulets: não é possível usar \"[^\"\n]*" + end +
               "\" como pasta dos textos\n$";
    };
    row("--pasta on a file", QStringList{"--pasta", file}, "offscreen", 2, "^$", unusable(name));
    row("--pasta under a file", QStringList{"--pasta", file + "/textos"}, "offscreen", 2, "^$",
        unusable(name + "[/\\\\]textos"));
    row("--pasta without a folder", QStringList{"--pasta"}, "offscreen", 1, "^$",
        "^corvale-scrivulets: [^\n]*'--pasta'[^\n]*\n$");
}

void TestCommandLine::commandLine() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, platform);
    QFETCH(int, status);
    QFETCH(QString, output);
    QFETCH(QString, errors);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : DisplayVariables)
        environment.remove(QString::fromLatin1(name));
    if (!platform.isEmpty())
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    // Without it Qt warns on stderr, which must hold the program's line alone.
    QTemporaryDir runtime;
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(SCRIVULETS_EXECUTABLE), arguments);
    QVERIFY(program.waitForFinished(20000));
    // Windows ends its lines with CR LF.
    const QString out = QString::fromLocal8Bit(program.readAllStandardOutput()).remove(u'\r');
    const QString err = QString::fromLocal8Bit(program.readAllStandardError()).remove(u'\r');
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), status);
    QVERIFY2(QRegularExpression(output).match(out).hasMatch(), qPrintable(out));
    QVERIFY2(QRegularExpression(errors).match(err).hasMatch(), qPrintable(err));
}

QTEST_MAIN(TestCommandLine)
#include "test_commandline.moc"
