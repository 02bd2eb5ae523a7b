#include "windows/FormSave.h"

#include "core/names.h"
#include "core/textfolder.h"
#include "widgets/PushButton.h"
#include "windows/look.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

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
    txtFileName = new QLineEdit(this);
    txtFileName->setObjectName(QStringLiteral("txtFileName"));
    txtFileName->setFrame(false);
    placeTwips(txtFileName, 180, 1300, 4000, 280);
    txtFileName->installEventFilter(this);

    QLabel *lblExtensao = label(QStringLiteral("Extensão - sem o ponto (.)"), "lblExtensao", this);
    lblExtensao->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    placeTwips(lblExtensao, 120, 1735, 3495, 375);
    txtExtensao = new QLineEdit(QStringLiteral("txt"), this);
    txtExtensao->setObjectName(QStringLiteral("txtExtensao"));
    placeTwips(txtExtensao, 3720, 1680, 495, 300);

    btnRename = new widgets::PushButton(QStringLiteral("Salvar como"), this);
    btnRename->setObjectName(QStringLiteral("btnRename"));
    placeTwips(btnRename, 1770, 2080, 1335, 330);
    btnRename->setEnabled(false);
    btnSave = new widgets::PushButton(QStringLiteral("Salvar"), this);
    btnSave->setObjectName(QStringLiteral("btnSave"));
    placeTwips(btnSave, 3240, 2080, 975, 330);

    createNotice(QRect(120, 2640, 4095, 540), NoticeTimer::Timer1);

    btnNew = new widgets::PushButton(QStringLiteral("Criar novo arquivo em branco"), this);
    btnNew->setObjectName(QStringLiteral("btnNew"));
    placeTwips(btnNew, 120, 3120, 4095, 330);
    QPalette white = btnNew->palette();
    white.setColor(QPalette::Button, Qt::white);
    btnNew->setPalette(white);

    placeTwips(band(this, look::Rule), 120, 3730, 4140, 30);
    QLabel *note = label(QStringLiteral("Obs.: independente da extensão escolhida, os arquivos "
                                        "serão sempre salvos em formato de texto simples (ASCII)."),
                         "lblObs", this);
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placeTwips(note, 120, 3850, 4095, 615);

    connect(btnSave, &QPushButton::clicked, this, &FormSave::save);
    connect(btnRename, &QPushButton::clicked, this, &FormSave::rename);
    connect(btnNew, &QPushButton::clicked, this, &FormSave::startNewText);

    txtFileName->setFocus();
    formLoad();
}

// The boxes from the open text's name; a new text starts with both empty,
// an empty extension meaning "txt".
void FormSave::formLoad() {
    const std::optional<QString> &open = core().openName();
    if (!open) {
        txtFileName->clear();
        txtExtensao->clear();
    } else {
        const core::TextFileName parts = core::splitTextFileName(*open);
        txtFileName->setText(parts.title);
        txtExtensao->setText(parts.extension);
    }
}

bool FormSave::eventFilter(QObject *watched, QEvent *event) {
    if (watched == txtFileName && event->type() == QEvent::KeyPress) {
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
    btnRename->setEnabled(true);
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
    const core::Result saved = core().saveText(txtFileName->text(), txtExtensao->text());
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
    const core::Result renamed = core().renameText(txtFileName->text(), txtExtensao->text());
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
