#include "app/commandline.h"

#include "platform/display.h"
#include "platform/files.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>

namespace app {

namespace {

constexpr const char *Command = "corvale-scrivulets";

void print(std::FILE *stream, const QString &text) {
    std::fputs(qPrintable(text), stream);
    std::fflush(stream);
}

int fail(const QString &message) {
    print(stderr, QStringLiteral("%1: %2\n").arg(QLatin1StringView(Command), message));
    return 1;
}

// The program's own options. Qt's are single-dash words (-platform,
// -reverse), so single-dash words are read whole: "-reverse" must not pass
// for "-r -e -v ...".
struct Options {
    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")},
                            QStringLiteral("Mostra esta ajuda e sai.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Mostra a versão do programa e sai.")};
    // For the desktop's own keyboard shortcuts: both reach the running copy.
    QCommandLineOption show{QStringLiteral("mostrar"),
                            QStringLiteral("Traz a janela para a frente, pronta para escrever "
                                           "(abre o programa se ele não estiver aberto).")};
    QCommandLineOption toggle{QStringLiteral("alternar"),
                              QStringLiteral("Recolhe a janela se ela estiver ativa; senão, faz "
                                             "como --mostrar.")};
    // A folder of the user's choosing, such as one a sync tool shares.
    QCommandLineOption folder{QStringLiteral("pasta"),
                              QStringLiteral("Guarda os textos e as configurações na PASTA "
                                             "(criada se não existir)."),
                              QStringLiteral("PASTA")};

    Options() {
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.setApplicationDescription(
            QStringLiteral("Guarda textos pequenos sempre à mão: dicas, lembretes, recados.\n"
                           "Sem opções, abre a janela do programa."));
        parser.addOption(help);
        parser.addOption(version);
        parser.addOption(show);
        parser.addOption(toggle);
        parser.addOption(folder);
    }
};

QStringList argumentList(int argc, char *argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

} // namespace

std::optional<int> handleCommandLine(int argc, char *argv[]) {
    const QStringList arguments = argumentList(argc, argv);
    if (arguments.size() > 1) {
        // Qt's own options are still in the list and read as unknown here;
        // rejectLeftoverArguments judges what Qt does not take.
        Options options;
        options.parser.parse(arguments);
        if (options.parser.isSet(options.help)) {
            // Only for Qt's words in the help ("Uso", "Opções"): a core
            // application needs no display.
            int coreArgc = 1;
            QCoreApplication core(coreArgc, argv);
            installQtTranslation();
            print(stdout, options.parser.helpText());
            return 0;
        }
        if (options.parser.isSet(options.version)) {
            print(stdout, QStringLiteral("%1 %2\n").arg(QLatin1StringView(Command),
                                                        QStringLiteral(SCRIVULETS_VERSION)));
            return 0;
        }
    }
    if (const QString problem = platform::displayProblem(arguments); !problem.isEmpty())
        return fail(problem);
    return std::nullopt;
}

std::optional<int> rejectLeftoverArguments() {
    Options options;
    if (!options.parser.parse(QCoreApplication::arguments())) {
        // Qt words its complaint as it parses: in Portuguese the second time.
        // A start that goes on loads the translation later, when it is needed.
        installQtTranslation();
        Options again;
        again.parser.parse(QCoreApplication::arguments());
        return fail(again.parser.errorText());
    }
    if (const QStringList extra = options.parser.positionalArguments(); !extra.isEmpty())
        return fail(QStringLiteral("argumento inesperado: \"%1\"").arg(extra.first()));
    if (options.parser.isSet(options.show) && options.parser.isSet(options.toggle))
        return fail(QStringLiteral("use --mostrar ou --alternar, não as duas"));
    return std::nullopt;
}

SingleInstance::Request launchRequest() {
    Options options;
    options.parser.parse(QCoreApplication::arguments());
    return options.parser.isSet(options.toggle) ? SingleInstance::Request::Toggle
                                                : SingleInstance::Request::Show;
}

std::optional<QString> dataFolder() {
    Options options;
    options.parser.parse(QCoreApplication::arguments());
    if (!options.parser.isSet(options.folder))
        return platform::appFolderPath();
    const QString given = options.parser.value(options.folder);
    const QString folder = QDir::cleanPath(QDir::current().absoluteFilePath(given));
    if (given.isEmpty() || !platform::makeFolder(folder) ||
        platform::entryAt(folder).kind != platform::EntryKind::Folder) {
        print(stderr, QStringLiteral("%1: não é possível usar \"%2\" como pasta dos textos\n")
                          .arg(QLatin1StringView(Command), platform::displayPath(folder)));
        return std::nullopt;
    }
    return folder;
}

bool installQtTranslation() {
    if (!QCoreApplication::instance())
        return false;
    auto *translator = new QTranslator(QCoreApplication::instance());
    // Where Qt keeps its translations (on Debian, qt6-translations-l10n), or
    // inside the program where no such package exists (the Windows build).
    const QLocale portuguese(QLocale::Portuguese, QLocale::Brazil);
    const QString qt = QStringLiteral("qtbase");
    if (!translator->load(portuguese, qt, QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        !translator->load(portuguese, qt, QStringLiteral("_"), QStringLiteral(":/i18n"))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace app
