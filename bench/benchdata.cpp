#include "benchdata.h"

#include <QApplication>
#include <QDir>
#include <QWidget>
#include <algorithm>
#include <ctime>

namespace bench {

namespace {
const char *const Words[] = {"lembrete", "reunião",  "amanhã",  "ligar", "enviar",  "texto",
                             "dica",     "mensagem", "cliente", "prazo", "revisar", "nota"};
constexpr int WordCount = int(std::size(Words));
} // namespace

QString textOfLines(int lines) {
    QString text;
    text.reserve(qsizetype(lines) * 26);
    for (int i = 0; i < lines; ++i) {
        text += QString::fromUtf8(Words[i % WordCount]) + u' ' +
                QString::fromUtf8(Words[(i / WordCount) % WordCount]) + u' ' + QString::number(i) +
                QStringLiteral("\r\n");
    }
    return text;
}

QByteArray textOfSize(qsizetype bytes) {
    QByteArray text;
    text.reserve(bytes + 200);
    int i = 0;
    while (text.size() < bytes) {
        // Plain ASCII: the same bytes in Windows-1252 and UTF-8.
        for (int w = 0; w < 14; ++w) {
            static const char *const Ascii[] = {"lembrete", "ligar", "enviar", "texto",
                                                "dica",     "prazo", "nota",   "cliente"};
            text += Ascii[(i + w) % 8];
            text += ' ';
        }
        text += QByteArray::number(i++);
        text += "\r\n";
    }
    return text;
}

double median(QList<double> values) {
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double processCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

QString prepareDataFolder(const QString &dir) {
    const QString texts = dir + QStringLiteral("/textos");
    QDir().mkpath(texts);
    return texts;
}

QWidget *strip() {
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->objectName() == u"FormMain")
            return window;
    return nullptr;
}

} // namespace bench
