#include "support/datafolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTest>
#include <cstdio>

namespace support {

namespace {

QString temporaryTemplate() {
    const QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty())
        return QDir::tempPath() + QStringLiteral("/scrivulets-XXXXXX");
    QDir().mkpath(base);
    return base + QStringLiteral("/data-XXXXXX");
}

QStringList entries(const QString &folder) {
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                               QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

} // namespace

DataFolder::DataFolder() : m_dir(temporaryTemplate()) {
    if (!m_dir.isValid())
        qFatal("no temporary data folder: %s", qPrintable(m_dir.errorString()));
}

DataFolder::~DataFolder() {
    // A test may leave entries read-only; they must not outlive it.
    QDirIterator it(path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    const auto all = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    QFile::setPermissions(path(), all);
    while (it.hasNext())
        if (!it.nextFileInfo().isSymLink())
            QFile::setPermissions(it.filePath(), all);
}

QByteArray configBytes(const QMap<int, QString> &changes, int lineCount) {
    core::config::Lines lines = core::config::defaultLines();
    for (auto it = changes.begin(); it != changes.end(); ++it)
        lines[it.key() - 1] = it.value();
    QByteArray bytes;
    for (int i = 0; i < lineCount; ++i)
        bytes += lines[i].toUtf8() + "\r\n";
    return bytes;
}

void DataFolder::writeConfig(const QMap<int, QString> &changes, int lineCount) const {
    put(QStringLiteral("config.txt"), configBytes(changes, lineCount));
}

void DataFolder::put(const QString &relative, const QByteArray &bytes) const {
    const QString path = file(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        QTest::qFail(qPrintable(QStringLiteral("cannot write ") + path), __FILE__, __LINE__);
}

void DataFolder::putText(const QString &name, const QByteArray &bytes) const {
    put(QStringLiteral("textos/") + name, bytes);
}

void DataFolder::putNative(const QByteArray &relative, const QByteArray &bytes) const {
    FILE *f = std::fopen(QFile::encodeName(path()) + '/' + relative, "wb");
    if (!f || std::fwrite(bytes.constData(), 1, bytes.size(), f) != size_t(bytes.size()))
        QTest::qFail(("cannot write " + relative).constData(), __FILE__, __LINE__);
    if (f)
        std::fclose(f);
}

QByteArray DataFolder::bytes(const QString &relative) const {
    QFile f(file(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

QByteArray DataFolder::textBytes(const QString &name) const {
    return bytes(QStringLiteral("textos/") + name);
}

QStringList DataFolder::texts() const {
    return entries(file(QStringLiteral("textos")));
}

QStringList DataFolder::recoveryCopies() const {
    QStringList names = entries(file(QStringLiteral("recuperados")));
    names.removeOne(core::Recovery::RecordName);
    return names;
}

const char *unsupportedSetup(const QString &setup) {
#ifdef Q_OS_WIN
    if (setup == u"read-only folder")
        return "a folder's read-only attribute means nothing on Windows";
    if (setup == u"proc")
        return "Windows has no /proc";
    if (setup == u"link")
        return "links are shortcut files on Windows";
#else
    Q_UNUSED(setup);
#endif
    return nullptr;
}

void DataFolder::setReadOnly(const QString &relative, bool readOnly) const {
    QFile::Permissions p = QFile::permissions(file(relative));
    // Every write bit: Windows keeps a file writable while any is left.
    for (const QFile::Permission write :
         {QFile::WriteOwner, QFile::WriteUser, QFile::WriteGroup, QFile::WriteOther})
        p.setFlag(write, !readOnly);
    QFile::setPermissions(file(relative), p);
}

const char *DataFolder::prepare(const QString &setup) const {
    if (const char *why = unsupportedSetup(setup))
        return why;
    const auto replaceByFolder = [](const QString &path) {
        QFile::remove(path);
        QDir().mkpath(path);
    };
    if (setup == u"config.txt a folder")
        replaceByFolder(file("config.txt"));
    else if (setup == u"text a folder")
        replaceByFolder(text("notas.txt"));
    else if (setup == u"text removed")
        QFile::remove(text("notas.txt"));
    else if (setup == u"no text folder")
        QDir(file("textos")).removeRecursively();
    else if (setup == u"text folder a file") {
        QDir(file("textos")).removeRecursively();
        put("textos", "x");
    } else if (setup == u"proc") {
        QDir(file("textos")).removeRecursively();
        QFile::link("/proc/self", file("textos"));
    } else if (!setup.isEmpty()) {
        // A misspelt setup would leave the row testing nothing.
        qFatal("no such setup: %s", qPrintable(setup));
    }
    return nullptr;
}

const char *prepare(const DataFolder &data, FailingFiles &files, const QString &setup) {
    if (setup == u"config.txt fails")
        files.failAt(data.file("config.txt"));
    else if (setup == u"text fails")
        files.failAt(data.text("notas.txt"));
    else if (setup == u"text folder fails")
        files.failInside(data.file("textos"));
    else if (setup == u"recovery full")
        files.fillUp(data.file("recuperados"));
    else
        return data.prepare(setup);
    return nullptr;
}

Core::Core(const DataFolder *shared)
    : ownData(shared ? nullptr : std::make_unique<DataFolder>()), data(shared ? *shared : *ownData),
      core(data.path(), files) {
    core.setWindowFacts(&windows);
    for (auto replaced : {&core::AppCore::textReplaced, &core::AppCore::textReloaded})
        QObject::connect(&core, replaced, [this](const QString &text) { windows.text = text; });
}

} // namespace support
