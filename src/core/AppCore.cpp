#include "core/AppCore.h"

#include "core/names.h"
#include "core/numbers.h"
#include "core/twips.h"
#include "platform/files.h"

namespace core {

namespace {

// How long typing pauses before the unsaved text is written to a draft, and
// the most the draft waits after the first unsaved change however steadily
// the typing goes on: what a crash can lose.
constexpr int DraftPauseMs = 2000;
constexpr int DraftMostMs = 5000;

bool noTextOpen(const QString &openName) {
    return openName.isEmpty() || openName == u"*";
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
        m_files->writeFileAtomically(path, config::fileText(config::defaultLines()));
    // An unreadable file reads as an empty one: every line takes its replacement.
    takeSettings(m_files->readFile(path).value_or(QByteArray()));

    m_recoveredAfterCrash = m_recovery.adoptDrafts(now);

    // Line 9: "*" or missing turns the reopening off; anything else names the text.
    const std::optional<QString> &last = m_settings.lastText;
    m_reopenLastText = last && *last != u"*";
    TextFile file;
    if (m_reopenLastText && !last->isEmpty())
        file = m_texts.read(*last).value_or(TextFile());
    replaceText(file.text, last.value_or(QString()), file);
}

double AppCore::textMinPx() const {
    return clampPixels(numberOr0(m_settings.txtMin));
}

double AppCore::textMaxPx() const {
    return clampPixels(numberOr0(m_settings.txtMax));
}

double AppCore::opacityPercent() const {
    return numberOr0(m_settings.transparency);
}

double AppCore::alignment() const {
    return numberOr0(m_settings.align);
}

bool AppCore::startMinimized() const {
    return numberOr0(m_settings.optIni) == 1;
}

std::array<std::optional<double>, 4> AppCore::positionsTwips() const {
    std::array<std::optional<double>, 4> at;
    for (int i = 0; i < 4; ++i)
        if (m_settings.positions[i])
            if (const auto n = parseNumber(*m_settings.positions[i]))
                at[i] = clampPixels(*n / TwipsPerPixel) * TwipsPerPixel;
    return at;
}

QRectF AppCore::stripPlaceTwips() const {
    return m_facts ? m_facts->stripPlaceTwips() : QRectF();
}

// --- Always on top

void AppCore::toggleAlwaysOnTop() {
    m_alwaysOnTop = !m_alwaysOnTop;
    emit stripTopmostRequested(m_alwaysOnTop);
    emit alwaysOnTopChanged(m_alwaysOnTop);
}

void AppCore::sideWindowOpened(Side side) {
    if (!m_alwaysOnTop)
        return;
    emit stripTopmostRequested(false);
    m_topmostHolders.insert(side);
}

void AppCore::sideWindowLoaded() {
    if (m_alwaysOnTop)
        emit stripTopmostRequested(false);
}

void AppCore::sideWindowClosed(Side side) {
    // The window held the strip's place in front: it goes back, even when
    // the switch was turned off meanwhile.
    if (!m_topmostHolders.remove(side))
        return;
    const bool changed = !m_alwaysOnTop;
    m_alwaysOnTop = true;
    emit stripTopmostRequested(true);
    if (changed)
        emit alwaysOnTopChanged(true);
}

void AppCore::sideWindowDiscarded(Side side) {
    m_topmostHolders.remove(side);
}

void AppCore::handOverTopmost(Side from, Side to) {
    if (m_topmostHolders.remove(from))
        m_topmostHolders.insert(to);
}

void AppCore::stripActivated() {
    if (m_alwaysOnTop)
        emit stripTopmostRequested(true);
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

void AppCore::replaceText(const QString &text, const QString &name, const TextFile &file) {
    emit textReplaced(text);
    if (name != m_openName) {
        m_openName = name;
        emit openNameChanged(name);
    }
    m_lineEnd = file.lineEnd;
    m_savedStamp = file.stamp;
    markSaved(text);
}

bool AppCore::dropText() {
    if (!m_facts)
        return true;
    const QString text = m_facts->stripText();
    if (text.isEmpty() || isSaved(text)) {
        // Nothing to keep, and no draft of it either.
        m_recovery.removeDraft();
        return true;
    }
    const bool kept =
        m_recovery.keep(text, splitTextFileName(m_openName).title, QDateTime::currentDateTime());
    // The draft stays where the copy could not be written.
    if (kept)
        markSaved(text);
    return kept;
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
    const bool written = m_recovery.writeDraft(text, splitTextFileName(m_openName).title);
    if (!written && !m_draftFailing)
        emit writeFailed(m_recovery.displayPath());
    m_draftFailing = !written;
}

bool AppCore::closing() {
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
    if (!m_texts.ensure() || !m_texts.write(name, text, m_lineEnd))
        return false;
    m_savedStamp = m_texts.stamp(name);
    return true;
}

AppCore::QuickSave AppCore::quickSave(const QString &text) {
    if (noTextOpen(m_openName))
        return QuickSave::NoTextOpen;
    if (!writeOpenText(m_openName, text))
        return QuickSave::Failed;
    markSaved(text);
    return QuickSave::Saved;
}

AppCore::Outcome AppCore::saveText(const QString &title, const QString &extension) {
    if (hasForbiddenNameCharacter(title) || hasForbiddenNameCharacter(extension))
        return Outcome::ForbiddenCharacters;
    const bool folder = m_texts.ensure();
    const QString name = makeTextFileName(title, extension);
    if (isEmptySaveTitle(title))
        return Outcome::EmptyTitle;
    if (m_texts.isNameTaken(name, m_openName))
        return Outcome::NameTaken;
    const QString text = m_facts ? m_facts->stripText() : QString();
    if (!folder || !writeOpenText(name, text))
        return Outcome::Failed;
    if (name != m_openName) {
        m_openName = name;
        emit openNameChanged(name);
    }
    markSaved(text);
    return Outcome::Done;
}

AppCore::Outcome AppCore::renameText(const QString &title, const QString &extension) {
    // A new text has no file to rename: it is saved under the title instead.
    if (noTextOpen(m_openName))
        return saveText(title, extension);
    if (hasForbiddenNameCharacter(title) || hasForbiddenNameCharacter(extension))
        return Outcome::ForbiddenCharacters;
    m_texts.ensure();
    const QString newName = renameTextFileName(title, extension);
    if (isEmptyRenameTitle(title))
        return Outcome::EmptyTitle;
    if (m_texts.isNameTaken(newName, m_openName))
        return Outcome::NameTaken;
    if (newName != m_openName && !m_texts.rename(m_openName, newName))
        return Outcome::Failed;
    if (newName != m_openName) {
        m_openName = newName;
        emit openNameChanged(newName);
    }
    return Outcome::Done;
}

bool AppCore::newText() {
    if (!dropText())
        return false;
    replaceText(QString(), QStringLiteral("*"));
    return true;
}

QStringList AppCore::listTexts() const {
    m_texts.ensure();
    return sortedTextNames(m_texts.list());
}

AppCore::Open AppCore::openText(const QString &name) {
    if (!m_texts.exists(name))
        return Open::Missing;
    const std::optional<TextFile> file = m_texts.read(name);
    // Nothing changes: an empty text in the strip would be saved over the
    // file by the next Ctrl+S.
    if (!file)
        return Open::Unreadable;
    if (!dropText())
        return Open::NotKept;
    replaceText(file->text, name, *file);
    // Line 1 is the configured start width, not the width the strip was last
    // collapsed at, so opening a text never changes it; lines 2 to 8 are the
    // values in force.
    QStringList positions;
    for (const std::optional<QString> &part : m_settings.positions)
        positions << part.value_or(QStringLiteral("0"));
    const bool written =
        writeConfig({formatNumber(float(clampPixels(*parseNumber(m_settings.width)))),
                     m_settings.txtMin, m_settings.txtMax, m_settings.transparency,
                     m_settings.align, m_settings.optIni, m_settings.font, positions.join(u'|'),
                     config::lastTextLine(m_reopenLastText, m_openName)});
    return written ? Open::Opened : Open::ConfigNotWritten;
}

platform::Removal AppCore::deleteText(const QString &name) {
    const platform::Removal removal = m_texts.remove(name);
    m_texts.ensure();
    return removal;
}

bool AppCore::deleteTextForGood(const QString &name) {
    return m_texts.removeForGood(name);
}

// --- config.txt

bool AppCore::writeConfig(const config::Lines &lines) {
    return writeConfigFile(config::fileText(lines, m_settings.globalKey));
}

bool AppCore::writeConfigFile(const QByteArray &bytes) {
    return m_files->writeFileAtomically(config::path(m_dataFolder), bytes);
}

void AppCore::takeSettings(const QByteArray &configBytes) {
    m_settings = config::accept(config::readValues(configBytes));
    m_stripWidthTwips = clampPixels(*parseNumber(m_settings.width)) * TwipsPerPixel;
}

QString AppCore::positionsNow() const {
    const QPointF ini = m_facts ? m_facts->startupWindowPlaceTwips() : QPointF();
    const QRectF strip = stripPlaceTwips();
    return QStringList{formatNumber(float(ini.x())), formatNumber(float(ini.y())),
                       formatNumber(float(strip.x())), formatNumber(float(strip.y()))}
        .join(u'|');
}

AppCore::Settings AppCore::saveSettings(const SettingsForm &f) {
    // An empty line would be dropped by the reader and move every later
    // value up one line at the next start.
    for (const QString *box : {&f.width, &f.txtMin, &f.txtMax, &f.transparency})
        if (box->isEmpty())
            return Settings::EmptyField;
    const config::Lines lines{f.width,
                              f.txtMin,
                              f.txtMax,
                              f.transparency,
                              QString::number(f.align),
                              f.startMinimized ? QStringLiteral("1") : QStringLiteral("2"),
                              f.font,
                              positionsNow(),
                              config::lastTextLine(m_reopenLastText, m_openName)};
    const QByteArray bytes = config::fileText(lines, m_settings.globalKey);
    if (!writeConfigFile(bytes))
        return Settings::Failed;
    // In force now exactly as the next start will read them from the file,
    // the reader's limits and replacements included, so that every later
    // writer puts back what the user saved.
    takeSettings(bytes);
    emit settingsSaved();
    return Settings::Saved;
}

bool AppCore::savePositions() {
    const QRectF strip = stripPlaceTwips();
    m_savedLeft = float(strip.x());
    const config::Lines lines{formatNumber(float(strip.width()) / float(TwipsPerPixel)),
                              m_settings.txtMin,
                              m_settings.txtMax,
                              m_settings.transparency,
                              m_settings.align,
                              m_settings.optIni,
                              m_settings.font,
                              positionsNow(),
                              config::lastTextLine(m_reopenLastText, m_openName)};
    const QByteArray bytes = config::fileText(lines, m_settings.globalKey);
    if (!writeConfigFile(bytes))
        return false;
    // The width and places just saved are the ones in force: opening a text,
    // which writes them back, must not put older ones in their stead.
    takeSettings(bytes);
    return true;
}

} // namespace core
