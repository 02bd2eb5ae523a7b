#include "windows/FormSave.h"

#include "core/names.h"
#include "core/textfolder.h"
#include "widgets/PushButton.h"
#include "windows/look.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace windows {

namespace {

const QString ForbiddenNotice =
    QStringLiteral("Estes caracteres não são permitidos: \\ / * : ? \" <> |");
const QString EmptyTitleNotice = QStringLiteral("O título não pode ficar vazio!");
const QString NameTakenNotice = QStringLiteral("Este nome já existe!");
const QString SavedNotice = QStringLiteral("Texto salvo com sucesso!");
const QString RenamedNotice = QStringLiteral("Texto renomeado com sucesso!");
const QString SaveFailedNotice = QStringLiteral("Não foi possível salvar o texto!");
const QString RenameFailedNotice = QStringLiteral("Não foi possível renomear o arquivo!");
const QString NotKeptBefore = QStringLiteral("Não foi possível guardar o texto atual em ");
const QString NotKeptAfter = QStringLiteral(". Salve-o antes.");

constexpr int ShortNoticeMs = 2000;
constexpr int LongNoticeMs = 5000;

QWidget *band(QWidget *parent, const QColor &colour) {
    auto *w = new QWidget(parent);
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, colour);
    w->setPalette(pal);
    return w;
}

QLabel *label(const QString &text, const char *name, QWidget *parent) {
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

} // namespace

FormSave::FormSave(core::AppCore &core)
    : SideWindow(core, core::Side::Save, QStringLiteral("Salvando arquivo"),
                 LoadStep::KeepTopmost) {
    setObjectName(QStringLiteral("FormSave"));
    titleLabel()->setObjectName(QStringLiteral("Label1"));

    placeTwips(label(QStringLiteral("Título do novo arquivo"), "lblTitulo", this), 120, 940, 1695,
               255);
    placeTwips(band(this, Qt::white), 120, 1200, 4095, 400);
    m_titleBox = new QLineEdit(this);
    m_titleBox->setObjectName(QStringLiteral("txtFileName"));
    m_titleBox->setFrame(false);
    placeTwips(m_titleBox, 180, 1300, 4000, 280);
    m_titleBox->installEventFilter(this);

    QLabel *extensionLabel =
        label(QStringLiteral("Extensão - sem o ponto (.)"), "lblExtensao", this);
    extensionLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    placeTwips(extensionLabel, 120, 1735, 3495, 375);
    m_extensionBox = new QLineEdit(QStringLiteral("txt"), this);
    m_extensionBox->setObjectName(QStringLiteral("txtExtensao"));
    placeTwips(m_extensionBox, 3720, 1680, 495, 300);

    m_renameButton = new widgets::PushButton(QStringLiteral("Salvar como"), this);
    m_renameButton->setObjectName(QStringLiteral("btnRename"));
    placeTwips(m_renameButton, 1770, 2080, 1335, 330);
    m_renameButton->setEnabled(false);
    m_saveButton = new widgets::PushButton(QStringLiteral("Salvar"), this);
    m_saveButton->setObjectName(QStringLiteral("btnSave"));
    placeTwips(m_saveButton, 3240, 2080, 975, 330);

    createNotice(QRect(120, 2640, 4095, 540), NoticeTimer::m_noticeTimer);

    m_newButton = new widgets::PushButton(QStringLiteral("Criar novo arquivo em branco"), this);
    m_newButton->setObjectName(QStringLiteral("btnNew"));
    placeTwips(m_newButton, 120, 3120, 4095, 330);
    QPalette white = m_newButton->palette();
    white.setColor(QPalette::Button, Qt::white);
    m_newButton->setPalette(white);

    placeTwips(band(this, look::Rule), 120, 3730, 4140, 30);
    QLabel *note = label(QStringLiteral("Obs.: independente da extensão escolhida, os arquivos "
                                        "serão sempre salvos em formato de texto simples (ASCII)."),
                         "lblObs", this);
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placeTwips(note, 120, 3850, 4095, 615);

    connect(m_saveButton, &QPushButton::clicked, this, &FormSave::save);
    connect(m_renameButton, &QPushButton::clicked, this, &FormSave::rename);
    connect(m_newButton, &QPushButton::clicked, this, &FormSave::startNewText);

    m_titleBox->setFocus();
    fillFromOpenText();
}

// The boxes from the open text's name; a new text starts with both empty,
// an empty extension meaning "txt".
void FormSave::fillFromOpenText() {
    const std::optional<QString> &open = core().openName();
    if (!open) {
        m_titleBox->clear();
        m_extensionBox->clear();
    } else {
        const core::TextFileName parts = core::splitTextFileName(*open);
        m_titleBox->setText(parts.title);
        m_extensionBox->setText(parts.extension);
    }
}

bool FormSave::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_titleBox && event->type() == QEvent::KeyPress) {
        const int code = keyPressCode(*static_cast<QKeyEvent *>(event));
        return code >= 0 && !acceptTitleKey(code);
    }
    return SideWindow::eventFilter(watched, event);
}

bool FormSave::acceptTitleKey(int keyAscii) {
    if (keyAscii > 0 && keyAscii <= 0xFFFF && core::isForbiddenNameCharacter(QChar(keyAscii))) {
        showNotice(ForbiddenNotice, LongNoticeMs);
        return false;
    }
    m_renameButton->setEnabled(true);
    return true;
}

bool FormSave::refused(const core::Result &result) {
    using Kind = core::Result::Kind;
    if (result.kind == Kind::ForbiddenCharacters)
        showNotice(ForbiddenNotice, LongNoticeMs);
    else if (result.kind == Kind::EmptyTitle)
        showNotice(EmptyTitleNotice, ShortNoticeMs);
    else if (result.kind == Kind::NameTaken)
        showNotice(NameTakenNotice, ShortNoticeMs);
    return !result.done();
}

// A save that did not happen must not look like one: the window stays, and
// the open text keeps its name.
void FormSave::save() {
    const core::Result saved = core().saveText(m_titleBox->text(), m_extensionBox->text());
    if (saved.kind == core::Result::Kind::Failed)
        showNotice(SaveFailedNotice, LongNoticeMs);
    if (refused(saved))
        return;
    showNotice(SavedNotice, ShortNoticeMs);
    closeSideWindow();
}

void FormSave::rename() {
    // A new text has no file to rename: the title saves it.
    const bool newText = !core().openName();
    const core::Result renamed = core().renameText(m_titleBox->text(), m_extensionBox->text());
    if (renamed.kind == core::Result::Kind::Failed)
        showNotice(newText ? SaveFailedNotice : RenameFailedNotice, LongNoticeMs);
    if (refused(renamed))
        return;
    showNotice(newText ? SavedNotice : RenamedNotice, ShortNoticeMs);
    closeSideWindow();
}

// The unsaved text stays, with its name and its draft, where its recovery
// copy cannot be written; the window stays to say why.
void FormSave::startNewText() {
    if (const core::Result kept = core().newText(); !kept.done()) {
        showPathNotice(NotKeptBefore, kept.path, NotKeptAfter, LongNoticeMs);
        return;
    }
    closeSideWindow();
}

} // namespace windows
