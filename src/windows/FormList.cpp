#include "windows/FormList.h"

#include "core/textfolder.h"
#include "widgets/PushButton.h"
#include "widgets/fitting.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace windows {

namespace {

const QString NothingSelectedNotice = QStringLiteral("É preciso selecionar um item!");
const QString ConfigNotWrittenNotice = QStringLiteral("Não foi possível salvar a configuração!");
const QString MissingBefore = QStringLiteral("este arquivo ");
const QString MissingAfter = QStringLiteral(" não existe");
const QString UnreadableBefore = QStringLiteral("Não foi possível abrir o arquivo ");
const QString NotDeletedBefore = QStringLiteral("Não foi possível deletar o arquivo ");
const QString NotKeptBefore = QStringLiteral("Não foi possível guardar o texto atual em ");
const QString NotKeptAfter = QStringLiteral(". Salve-o antes.");
const QString NoTrashBefore = QStringLiteral("Não há lixeira para o arquivo ");
const QString NoTrashAfter = QStringLiteral("\nDeletá-lo definitivamente?");

} // namespace

FormList::FormList(core::AppCore &core)
    : SideWindow(core, core::Side::List, QStringLiteral("Listando arquivos"),
                 LoadStep::ClearTopmost) {
    setObjectName(QStringLiteral("FormList"));
    titleLabel()->setObjectName(QStringLiteral("Label3"));

    // First in the focus order, so it has the focus when the window opens.
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List1"));
    placeTwips(m_list, 120, 720, 4140, 2760);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    // As in an ordinary list box, the row the keys or the mouse put the
    // cursor on is the selected one. Qt's list can hold a current row that is
    // not selected (the first row when the list takes the focus, a row
    // Ctrl+clicked off), which looks chosen and is not.
    const auto selectCurrent = [this] {
        if (QListWidgetItem *current = m_list->currentItem(); current && !current->isSelected())
            current->setSelected(true);
    };
    connect(m_list, &QListWidget::currentItemChanged, this, selectCurrent);
    connect(m_list, &QListWidget::itemSelectionChanged, this, selectCurrent);
    // Every row is one line of the same font: measuring one serves them all,
    // which keeps a folder of thousands of texts quick to list.
    m_list->setUniformItemSizes(true);
    m_list->installEventFilter(this);
    m_deleteButton = new widgets::PushButton(QStringLiteral("Deletar"), this);
    m_deleteButton->setObjectName(QStringLiteral("btnDel"));
    placeTwips(m_deleteButton, 3400, 3480, 855, 300);
    m_closeOnOpenBox = new QCheckBox(QStringLiteral("Fechar lista ao abrir arquivo"), this);
    m_closeOnOpenBox->setObjectName(QStringLiteral("Check1"));
    placeTwips(m_closeOnOpenBox, 120, 3530, 2415, 255);
    m_closeOnOpenBox->setChecked(true);
    // No timer: a notice stays until something empties it.
    createNotice(QRect(120, 3860, 4095, 255), NoticeTimer::None);
    auto *hint = new QLabel(
        QStringLiteral("Para abrir um arquivo dê duplo clique ou pressione enter"), this);
    hint->setObjectName(QStringLiteral("lblDica"));
    placeTwips(hint, 120, 4095, 4095, 255);

    connect(m_list, &QListWidget::itemDoubleClicked, this, &FormList::openByDoubleClick);
    connect(m_deleteButton, &QPushButton::clicked, this, &FormList::deleteSelected);
    m_list->setFocus();

    refreshTextList();
    // Opened with texts, the first is chosen, ready for Enter. Refilled after
    // "Deletar", the list has none chosen: a second click deletes nothing.
    m_list->setCurrentRow(0);
}

void FormList::refreshTextList() {
    // The rows show the names as they can be shown; the real names stand
    // beside them in the same order (one list, filled at once, keeps a
    // folder of thousands of texts quick to list).
    m_names = core().listTexts();
    QStringList shown = m_names;
    for (QString &name : shown)
        name = core::displayTextName(name);
    m_list->clear();
    m_list->addItems(shown);
}

QString FormList::selectedName() const {
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    const int row = selected.isEmpty() ? -1 : m_list->row(selected.first());
    return row >= 0 && row < m_names.size() ? m_names[row] : QString();
}

bool FormList::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_list && event->type() == QEvent::KeyPress &&
        keyPressCode(*static_cast<QKeyEvent *>(event)) == 13) {
        openByEnter();
        return true;
    }
    return SideWindow::eventFilter(watched, event);
}

void FormList::showMessageBox(const QString &message) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Corvale Scrivulets"), message,
                    QMessageBox::Ok, this);
    box.exec();
}

void FormList::reportOpen(const core::Result &result, bool messageBox) {
    using Kind = core::Result::Kind;
    QString before, after;
    switch (result.kind) {
    case Kind::ConfigNotWritten:
        // The text opened all the same; the notice says what was not recorded.
        return showNotice(ConfigNotWrittenNotice);
    case Kind::NotKept:
        // Too much to say on the notice's one line.
        return showMessageBox(
            widgets::fitPath(font(), NotKeptBefore, result.path, NotKeptAfter, 400, 3));
    case Kind::Missing:
        before = MissingBefore;
        after = MissingAfter;
        break;
    case Kind::Unreadable:
        before = UnreadableBefore;
        break;
    default:
        return;
    }
    if (messageBox)
        showMessageBox(widgets::fitPath(font(), before, result.path, after, 400, 3));
    else
        showPathNotice(before, result.path, after);
}

void FormList::openByDoubleClick() {
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    // The message box runs its own event loop; the program may discard this
    // window meanwhile.
    QPointer<FormList> self(this);
    const core::Result opened = core().openText(name);
    clearNotice();
    reportOpen(opened, true);
    // A config.txt not written is told in the window, which stays for it;
    // so it does where the text in the strip could not be kept.
    if (!self || isDiscarded() || opened.kind == core::Result::Kind::ConfigNotWritten ||
        opened.kind == core::Result::Kind::NotKept)
        return;
    if (m_closeOnOpenBox->isChecked())
        closeSideWindow();
}

void FormList::openByEnter() {
    const QString name = selectedName();
    if (name.isEmpty()) {
        showNotice(NothingSelectedNotice);
        return;
    }
    const core::Result opened = core().openText(name);
    reportOpen(opened, false);
    if (opened.done() && m_closeOnOpenBox->isChecked())
        closeSideWindow();
}

void FormList::deleteSelected() {
    const QString name = selectedName();
    if (name.isEmpty())
        return refreshTextList();
    core::Result deleted = core().deleteText(name);
    if (deleted.kind == core::Result::Kind::NoTrash) {
        // No way back from there: the user says so first.
        QPointer<FormList> self(this);
        const bool forGood = askDeleteForGood(deleted.path);
        if (!self)
            return;
        deleted = forGood ? core().deleteTextForGood(name) : core::Result();
    }
    if (deleted.kind == core::Result::Kind::Missing)
        showPathNotice(MissingBefore, deleted.path, MissingAfter);
    else if (!deleted.done())
        showPathNotice(NotDeletedBefore, deleted.path, QString());
    refreshTextList();
}

bool FormList::askDeleteForGood(const QString &path) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Corvale Scrivulets"),
                    widgets::fitPath(font(), NoTrashBefore, path, NoTrashAfter, 400, 3),
                    QMessageBox::NoButton, this);
    QPushButton *yes = box.addButton(QStringLiteral("Sim"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("Não"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

} // namespace windows
