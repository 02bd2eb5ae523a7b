#include "core/AppCore.h"

#include "core/names.h"
#include "core/numbers.h"
#include "core/textcodec.h"
#include "core/twips.h"
#include "platform/files.h"

namespace core {

namespace {

// How long typing pauses before the unsaved text is written to a draft, and
// the most the draft waits after the first unsaved change however steadily
// the typing goes on: what a crash can lose.
constexpr int DraftPauseMs = 2000;
constexpr int DraftMostMs = 5000;
// How long the open text's file is left to settle after a change is seen:
// an editor or a sync tool may write it in steps.
constexpr int DiskSettleMs = 100;

// A recovery copy or draft is named after the open text's title.
QString titleOf(const std::optional<QString> &name) {
    return name ? splitTextFileName(*name).title : QString();
}

} // namespace

AppCore::AppCore(QString dataFolder, platform::FileSystem &files, QObject *parent)
    : QObject(parent), m_dataFolder(std::move(dataFolder)), m_files(&files),
      m_texts(m_dataFolder + QStringLiteral("/textos"), files),
      m_recovery(m_dataFolder + QStringLiteral("/recuperados"), files) {
    m_draftTimer.setSingleShot(true);
    m_draftLimit.setSingleShot(true);
    setDraftDelays(DraftPauseMs, DraftMostMs);
    connect(&m_draftTimer, &QTimer::timeout, this, [this] {
        m_draftLimit.stop();
        writeDraft();
    });
    // Typing goes on past the limit: the pause still writes what came after.
    connect(&m_draftLimit, &QTimer::timeout, this, &AppCore::writeDraft);
    m_diskCheck.setSingleShot(true);
    m_diskCheck.setInterval(DiskSettleMs);
    connect(&m_diskCheck, &QTimer::timeout, this, &AppCore::checkOpenFile);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, &m_diskCheck,
            qOverload<>(&QTimer::start));
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_diskCheck,
            qOverload<>(&QTimer::start));
}

void AppCore::setDraftDelays(int pauseMs, int mostMs) {
    m_draftTimer.setInterval(pauseMs);
    m_draftLimit.setInterval(mostMs);
}

QString AppCore::configDisplayPath() const {
    return platform::displayPath(config::path(m_dataFolder));
}

void AppCore::start() {
    const QDateTime now = QDateTime::currentDateTime();
    // One copy runs on a data folder: what its saves left is older than this start.
    for (const QString &folder : {m_dataFolder, m_texts.path(), m_recovery.path()})
        m_files->removeTemporaryFiles(folder, now);
    m_files->makeFolder(m_dataFolder);
    const QString path = config::path(m_dataFolder);
    if (!platform::entryAt(path).exists)
        writeConfig(config::defaultLines(), InForce::Keep);
    // An unreadable file reads as an empty one: every line takes its replacement.
    takeSettings(m_files->readFile(path).value_or(QByteArray()));

    m_recoveredAfterCrash = m_recovery.adoptDrafts(now);

    m_reopenLastText = m_settings.reopenLastText;
    // The text named is open even when its file is gone: Ctrl+S writes it again.
    const std::optional<QString> &last = m_settings.lastText;
    TextFile file;
    if (last)
        file = m_texts.read(*last).value_or(TextFile());
    replaceText(file.text, last, file);
    m_lastTextLineEmpty = m_reopenLastText && !last;
}

QRectF AppCore::stripPlaceTwips() const {
    return m_facts ? m_facts->stripPlaceTwips() : QRectF();
}

// --- The open text

void AppCore::markSaved(const QString &text) {
    m_savedHash = qHash(text);
    m_savedSize = text.size();
    m_draftTimer.stop();
    m_draftLimit.stop();
    m_recovery.removeDraft();
}

bool AppCore::isSaved(const QString &text) const {
    return text.size() == m_savedSize && qHash(text) == m_savedHash;
}

void AppCore::setOpenName(const std::optional<QString> &name) {
    m_lastTextLineEmpty = false;
    if (name == m_openName)
        return;
    m_openName = name;
    emit openNameChanged(name.value_or(QString()));
}

void AppCore::replaceText(const QString &text, const std::optional<QString> &name,
                          const TextFile &file) {
    emit textReplaced(text);
    setOpenName(name);
    m_lineEnd = file.lineEnd;
    seeOnDisk(file.text, file.stamp);
    markSaved(text);
    watchOpenText();
}

// --- The open text's file, changed behind the program

void AppCore::seeOnDisk(const QString &fileText, const platform::Stamp &stamp) {
    m_savedStamp = stamp;
    m_diskHash = qHash(fileText);
    m_diskSize = stamp.size < 0 ? -1 : fileText.size();
}

bool AppCore::isSeenOnDisk(const QString &fileText) const {
    return fileText.size() == m_diskSize && qHash(fileText) == m_diskHash;
}

// A save replaces the file by renaming a new one over it, and so do many
// editors and sync tools: the watch on the old file ends with it, and the
// new one is watched afresh.
void AppCore::watchOpenText() {
    if (const QStringList watched = m_watcher.files(); !watched.isEmpty())
        m_watcher.removePaths(watched);
    if (!m_openName || !m_texts.exists(*m_openName))
        return;
    if (m_watcher.directories().isEmpty())
        m_watcher.addPath(m_texts.path());
    m_watcher.addPath(m_texts.path() + u'/' + *m_openName);
}

bool AppCore::checkOpenFile() {
    watchOpenText();
    if (!m_openName)
        return false;
    const platform::Stamp now = m_texts.stamp(*m_openName);
    if (now.size < 0 || now == m_savedStamp)
        return false;
    const std::optional<TextFile> file = m_texts.read(*m_openName);
    if (!file)
        return false;
    if (isSeenOnDisk(file->text)) {
        m_savedStamp = file->stamp;
        return false;
    }
    if (m_facts && !isSaved(m_facts->stripText()))
        return false;
    m_lineEnd = file->lineEnd;
    seeOnDisk(file->text, file->stamp);
    markSaved(file->text);
    emit textReloaded(file->text);
    return true;
}

// What stands under the open text's name and is not the version last read
// or written is kept beside it, byte for byte, before a save replaces it.
// False when it cannot be, and then nothing may be written over it.
bool AppCore::keepUnseenVersion(const QString &name) {
    const platform::Stamp now = m_texts.stamp(name);
    if (now.size < 0 || now == m_savedStamp)
        return true;
    const QString path = m_texts.path() + u'/' + name;
    const std::optional<QByteArray> bytes = m_files->readFile(path);
    if (!bytes)
        return false;
    if (isSeenOnDisk(textFromFileContent(decodeText(*bytes))))
        return true;
    const QDateTime when = QDateTime::currentDateTime();
    for (int n = 1; n <= 9999; ++n) {
        const QString copy = otherVersionName(name, when, n);
        if (copy.isEmpty())
            return false;
        if (platform::entryAt(m_texts.path() + u'/' + copy).exists)
            continue;
        if (!m_files->writeFileAtomically(m_texts.path() + u'/' + copy, *bytes))
            return false;
        emit otherVersionKept(m_texts.displayPath(copy));
        return true;
    }
    return false;
}

Result AppCore::dropText() {
    if (!m_facts)
        return {};
    const QString text = m_facts->stripText();
    if (text.isEmpty() || isSaved(text)) {
        // Nothing to keep, and no draft of it either.
        m_recovery.removeDraft();
        return {};
    }
    // The draft stays where the copy could not be written.
    if (!m_recovery.keep(text, titleOf(m_openName), QDateTime::currentDateTime()))
        return {Result::Kind::NotKept, m_recovery.displayPath()};
    markSaved(text);
    return {};
}

// Every key comes here: two timers restarted at most, nothing read or hashed.
void AppCore::textEdited() {
    m_draftTimer.start();
    if (!m_draftLimit.isActive())
        m_draftLimit.start();
}

void AppCore::writeDraft() {
    const QString text = m_facts ? m_facts->stripText() : QString();
    if (text.isEmpty() || isSaved(text)) {
        m_recovery.removeDraft();
        return;
    }
    // Said once: a draft that keeps failing (a full or read-only folder) is
    // retried at every pause without a word until one is written again.
    const bool written = m_recovery.writeDraft(text, titleOf(m_openName));
    if (!written && !m_draftFailing)
        emit writeFailed(m_recovery.displayPath());
    m_draftFailing = !written;
}

Result AppCore::closing() {
    m_draftTimer.stop();
    m_draftLimit.stop();
    return dropText();
}

// The open text's own file, not edited and still the version it was, keeps
// its bytes (a file that is no text, an LF-only one); one removed meanwhile
// is written back. An edited text keeps the line ends its file had.
bool AppCore::writeOpenText(const QString &name, const QString &text) {
    if (name == m_openName && isSaved(text) && m_savedStamp.size >= 0 &&
        m_texts.stamp(name) == m_savedStamp)
        return true;
    // The folder may have been deleted since start-up; the text must not go with it.
    if (!m_texts.ensure() || (name == m_openName && !keepUnseenVersion(name)) ||
        !m_texts.write(name, text, m_lineEnd))
        return false;
    const QString crlf = QStringLiteral("\r\n");
    seeOnDisk(textFromFileContent(text.endsWith(crlf) ? text : text + crlf), m_texts.stamp(name));
    return true;
}

Result AppCore::quickSave(const QString &text) {
    if (!m_openName)
        return {Result::Kind::NoTextOpen};
    // Nothing of the box's was unsaved: it holds the file's new version now.
    if (checkOpenFile())
        return {};
    if (!writeOpenText(*m_openName, text))
        return {Result::Kind::Failed, m_texts.displayPath(*m_openName)};
    markSaved(text);
    watchOpenText();
    return {};
}

Result AppCore::saveText(const QString &title, const QString &extension) {
    if (hasForbiddenNameCharacter(title) || hasForbiddenNameCharacter(extension))
        return {Result::Kind::ForbiddenCharacters};
    const bool folder = m_texts.ensure();
    const QString name = makeTextFileName(title, extension);
    if (isEmptySaveTitle(title))
        return {Result::Kind::EmptyTitle};
    if (m_texts.isNameTaken(name, m_openName.value_or(QString())))
        return {Result::Kind::NameTaken};
    checkOpenFile();
    const QString text = m_facts ? m_facts->stripText() : QString();
    if (!folder || !writeOpenText(name, text))
        return {Result::Kind::Failed, m_texts.displayPath(name)};
    setOpenName(name);
    markSaved(text);
    watchOpenText();
    return {};
}

Result AppCore::renameText(const QString &title, const QString &extension) {
    // A new text has no file to rename: it is saved under the title instead.
    if (!m_openName)
        return saveText(title, extension);
    const QString openName = *m_openName;
    if (hasForbiddenNameCharacter(title) || hasForbiddenNameCharacter(extension))
        return {Result::Kind::ForbiddenCharacters};
    m_texts.ensure();
    const QString newName = renameTextFileName(title, extension);
    if (isEmptyRenameTitle(title))
        return {Result::Kind::EmptyTitle};
    if (m_texts.isNameTaken(newName, openName))
        return {Result::Kind::NameTaken};
    if (newName != openName && !m_texts.rename(openName, newName))
        return {Result::Kind::Failed, m_texts.displayPath(openName)};
    setOpenName(newName);
    watchOpenText();
    return {};
}

Result AppCore::newText() {
    if (Result kept = dropText(); !kept.done())
        return kept;
    replaceText(QString(), std::nullopt);
    return {};
}

QStringList AppCore::listTexts() const {
    m_texts.ensure();
    return sortedTextNames(m_texts.list());
}

Result AppCore::openText(const QString &name) {
    if (!m_texts.exists(name))
        return {Result::Kind::Missing, m_texts.displayPath(name)};
    const std::optional<TextFile> file = m_texts.read(name);
    // Nothing changes: an empty text in the strip would be saved over the
    // file by the next Ctrl+S.
    if (!file)
        return {Result::Kind::Unreadable, m_texts.displayPath(name)};
    if (Result kept = dropText(); !kept.done())
        return kept;
    replaceText(file->text, name, *file);
    // Line 1 is the configured start width, not the width the strip was last
    // collapsed at, so opening a text never changes it; lines 2 to 8 are the
    // values in force.
    if (!writeConfig(config::linesInForce(m_settings, lastTextToWrite()), InForce::Keep))
        return {Result::Kind::ConfigNotWritten, configDisplayPath()};
    return {};
}

Result AppCore::deleteText(const QString &name) {
    const platform::Removal removal = m_texts.remove(name);
    m_texts.ensure();
    switch (removal) {
    case platform::Removal::Trashed:
        return {};
    case platform::Removal::NoTrash:
        return {Result::Kind::NoTrash, m_texts.displayPath(name)};
    case platform::Removal::Failed:
        break;
    }
    return notRemoved(name);
}

Result AppCore::deleteTextForGood(const QString &name) {
    return m_texts.removeForGood(name) ? Result() : notRemoved(name);
}

// A text removed meanwhile (by another program, or from another list) is
// said to be gone, not to have resisted.
Result AppCore::notRemoved(const QString &name) const {
    const bool gone = !m_texts.isNameTaken(name, QString());
    return {gone ? Result::Kind::Missing : Result::Kind::Failed, m_texts.displayPath(name)};
}

// --- config.txt

bool AppCore::writeConfig(const config::Lines &lines, InForce inForce) {
    const QByteArray bytes = config::fileText(lines, m_settings.globalKey);
    if (!m_files->writeFileAtomically(config::path(m_dataFolder), bytes))
        return false;
    // In force now exactly as the next start will read them from the file,
    // the reader's limits and replacements included, so that every later
    // writer puts back what was saved.
    if (inForce == InForce::Take)
        takeSettings(bytes);
    return true;
}

void AppCore::takeSettings(const QByteArray &configBytes) {
    m_settings = config::settingsFrom(configBytes);
    m_stripWidthTwips = m_settings.widthPx * TwipsPerPixel;
}

// Line 9: the open text when the reopening is on.
std::optional<QString> AppCore::lastTextToWrite() const {
    if (!m_reopenLastText)
        return std::nullopt;
    return m_lastTextLineEmpty ? QString() : m_openName;
}

QString AppCore::positionsNow() const {
    const QPointF ini = m_facts ? m_facts->startupWindowPlaceTwips() : QPointF();
    const QRectF strip = stripPlaceTwips();
    return QStringList{formatNumber(float(ini.x())), formatNumber(float(ini.y())),
                       formatNumber(float(strip.x())), formatNumber(float(strip.y()))}
        .join(u'|');
}

Result AppCore::saveSettings(const SettingsForm &f) {
    // An empty line would be dropped by the reader and move every later
    // value up one line at the next start.
    for (const QString *box : {&f.width, &f.minHeight, &f.maxHeight, &f.transparency})
        if (box->isEmpty())
            return {Result::Kind::EmptyField};
    config::Lines lines = config::linesInForce(m_settings, lastTextToWrite());
    lines[config::line::Width] = f.width;
    lines[config::line::TextMin] = f.minHeight;
    lines[config::line::TextMax] = f.maxHeight;
    lines[config::line::Opacity] = f.transparency;
    lines[config::line::Align] = QString::number(f.align);
    lines[config::line::StartMinimized] =
        f.startMinimized ? QStringLiteral("1") : QStringLiteral("2");
    lines[config::line::Font] = f.font;
    lines[config::line::Positions] = positionsNow();
    if (!writeConfig(lines, InForce::Take))
        return {Result::Kind::Failed, configDisplayPath()};
    emit settingsSaved();
    return {};
}

Result AppCore::savePositions() {
    const QRectF strip = stripPlaceTwips();
    m_savedLeft = float(strip.x());
    config::Lines lines = config::linesInForce(m_settings, lastTextToWrite());
    lines[config::line::Width] = formatNumber(float(strip.width()) / float(TwipsPerPixel));
    lines[config::line::Positions] = positionsNow();
    // The width and places just saved are the ones in force: opening a text,
    // which writes them back, must not put older ones in their stead.
    if (!writeConfig(lines, InForce::Take))
        return {Result::Kind::Failed, configDisplayPath()};
    return {};
}

} // namespace core
