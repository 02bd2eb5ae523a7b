#include "store/FormSave.h"

#include "mainwindow/FormMain.h"
#include "store/namerules.h"
#include "store/textfolder.h"

#include <QKeyEvent>

namespace {

const QString ForbiddenNotice =
    QStringLiteral("Estes caracteres não são permitidos: \\ / * : ? \" <> |");
const QString EmptyTitleNotice = QStringLiteral("O título não pode ficar vazio!");
const QString NameTakenNotice = QStringLiteral("Este nome já existe!");
const QString SavedNotice = QStringLiteral("Texto salvo com sucesso!");
const QString RenamedNotice = QStringLiteral("Texto renomeado com sucesso!");
const QString SaveFailedNotice = QStringLiteral("Não foi possível salvar o texto!");
const QString RenameFailedNotice = QStringLiteral("Não foi possível renomear o arquivo!");

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

} // namespace

FormSave::FormSave(FormMain &main)
    : SideWindow(main, QStringLiteral("Salvando arquivo"), LoadStep::KeepTopmost) {
    Label1 = titleLabel;

    lblTitulo = new QLabel(QStringLiteral("Título do novo arquivo"), this);
    placeTwips(lblTitulo, 120, 940, 1695, 255);
    placeTwips(band(this, Qt::white), 120, 1200, 4095, 400);
    txtFileName = new QLineEdit(this);
    txtFileName->setFrame(false);
    placeTwips(txtFileName, 180, 1300, 4000, 280);
    txtFileName->installEventFilter(this);

    lblExtensao = new QLabel(QStringLiteral("Extensão - sem o ponto (.)"), this);
    lblExtensao->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    placeTwips(lblExtensao, 120, 1735, 3495, 375);
    txtExtensao = new QLineEdit(QStringLiteral("txt"), this);
    placeTwips(txtExtensao, 3720, 1680, 495, 300);

    btnRename = new QPushButton(QStringLiteral("Salvar como"), this);
    placeTwips(btnRename, 1770, 2080, 1335, 330);
    btnRename->setEnabled(false);
    btnSave = new QPushButton(QStringLiteral("Salvar"), this);
    placeTwips(btnSave, 3240, 2080, 975, 330);

    createNotice(QRect(120, 2640, 4095, 540), NoticeTimer::Timer1);

    btnNew = new QPushButton(QStringLiteral("Criar novo arquivo em branco"), this);
    placeTwips(btnNew, 120, 3120, 4095, 330);
    QPalette white = btnNew->palette();
    white.setColor(QPalette::Button, Qt::white);
    btnNew->setPalette(white);

    placeTwips(band(this, QColor(128, 128, 128)), 120, 3730, 4140, 30);
    Label2 = new QLabel(QStringLiteral("Obs.: independente da extensão escolhida, os arquivos "
                                       "serão sempre salvos em formato de texto simples (ASCII)."),
                        this);
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placeTwips(Label2, 120, 3850, 4095, 615);

    connect(btnSave, &QPushButton::clicked, this, &FormSave::btnSave_Click);
    connect(btnRename, &QPushButton::clicked, this, &FormSave::btnRename_Click);
    connect(btnNew, &QPushButton::clicked, this, &FormSave::btnNew_Click);

    txtFileName->setFocus();
    Form_Load();
}

void FormSave::Form_Load() {
    const QString open = main().state.lblSave;
    if (open == u"*") {
        txtFileName->clear();
        txtExtensao->clear();
    } else {
        const TextFileName parts = SplitTextFileName(open);
        txtFileName->setText(parts.title);
        txtExtensao->setText(parts.extension);
    }
}

bool FormSave::eventFilter(QObject *watched, QEvent *event) {
    if (watched == txtFileName && event->type() == QEvent::KeyPress) {
        int code = keyPressCode(*static_cast<QKeyEvent *>(event));
        if (code < 0)
            return false;
        txtFileName_KeyPress(code);
        return code == 0;
    }
    return SideWindow::eventFilter(watched, event);
}

void FormSave::txtFileName_KeyPress(int &keyAscii) {
    if (keyAscii > 0 && keyAscii <= 0xFFFF && IsForbiddenNameCharacter(QChar(keyAscii))) {
        keyAscii = 0;
        showNotice(ForbiddenNotice, LongNoticeMs);
        return;
    }
    btnRename->setEnabled(true);
}

bool FormSave::refuseForbiddenCharacters() {
    if (!HasForbiddenNameCharacter(txtFileName->text()) &&
        !HasForbiddenNameCharacter(txtExtensao->text()))
        return false;
    showNotice(ForbiddenNotice, LongNoticeMs);
    return true;
}

void FormSave::btnSave_Click() {
    if (refuseForbiddenCharacters())
        return;
    const bool folder = EnsureTextFolder();
    const QString name = MakeTextFileName(txtFileName->text(), txtExtensao->text());
    if (IsEmptySaveTitle(txtFileName->text())) {
        showNotice(EmptyTitleNotice, ShortNoticeMs);
        return;
    }
    FormMain &m = main();
    if (IsTextNameTaken(name, m.state.lblSave)) {
        showNotice(NameTakenNotice, ShortNoticeMs);
        return;
    }
    // A save that did not happen must not look like one: the window stays,
    // and the open text keeps its name.
    if (!folder || !WriteTextFile(name, m.Text1->text())) {
        showNotice(SaveFailedNotice, LongNoticeMs);
        return;
    }
    showNotice(SavedNotice, ShortNoticeMs);
    CloseSideWindow();
    m.state.lblSave = name;
}

void FormSave::btnRename_Click() {
    if (refuseForbiddenCharacters())
        return;
    EnsureTextFolder();
    const QString newName = RenameTextFileName(txtFileName->text(), txtExtensao->text());
    if (IsEmptyRenameTitle(txtFileName->text())) {
        showNotice(EmptyTitleNotice, ShortNoticeMs);
        return;
    }
    FormMain &m = main();
    const QString open = m.state.lblSave;
    if (IsTextNameTaken(newName, open)) {
        showNotice(NameTakenNotice, ShortNoticeMs);
        return;
    }
    // A text without a file has nothing to rename (a file that happens to be
    // called "*" is not it); the window closes as after a rename.
    bool renamed = false;
    if (open != u"*") {
        renamed = newName == open || RenameTextFile(open, newName);
        if (!renamed) {
            showNotice(RenameFailedNotice, LongNoticeMs);
            return;
        }
    }
    showNotice(RenamedNotice, ShortNoticeMs);
    CloseSideWindow();
    if (renamed)
        m.state.lblSave = newName;
}

void FormSave::btnNew_Click() {
    FormMain &m = main();
    m.Text1->setText(QString());
    m.state.lblSave = QStringLiteral("*");
    CloseSideWindow();
}
