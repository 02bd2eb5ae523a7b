#include "store/FormList.h"

#include "mainwindow/FormMain.h"
#include "mainwindow/mainrules.h"
#include "platform/numbers.h"
#include "startup/Program.h"
#include "startup/config.h"
#include "store/textfolder.h"

#include <QCollator>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <algorithm>

using platform::formatNumber;
using platform::numberOr0;

namespace {

const QString NothingSelectedNotice = QStringLiteral("É preciso selecionar um item!");

QString missingMessage(const QString &name) {
    return QStringLiteral("este arquivo ") + TextFilePath(name) + QStringLiteral(" não existe");
}

QString unreadableMessage(const QString &name) {
    return QStringLiteral("Não foi possível abrir o arquivo ") + TextFilePath(name);
}

} // namespace

QStringList sortedTextNames(QStringList names) {
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(names.begin(), names.end(), [&](const QString &a, const QString &b) {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

FormList::FormList(Program &program)
    : SideWindow(program.main(), QStringLiteral("Listando arquivos"), LoadStep::ClearTopmost),
      m_program(program) {
    Label3 = titleLabel;

    // First in the focus order, so it has the focus when the window opens.
    List1 = new QListWidget(this);
    placeTwips(List1, 120, 720, 4140, 2760);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    // Every row is one line of the same font: measuring one serves them all,
    // which keeps a folder of thousands of texts quick to list.
    List1->setUniformItemSizes(true);
    List1->installEventFilter(this);
    btnDel = new QPushButton(QStringLiteral("Deletar"), this);
    placeTwips(btnDel, 3400, 3480, 855, 300);
    Check1 = new QCheckBox(QStringLiteral("Fechar lista ao abrir arquivo"), this);
    placeTwips(Check1, 120, 3530, 2415, 255);
    Check1->setChecked(true);
    // No timer: a notice stays until something empties it.
    createNotice(QRect(120, 3860, 4095, 255), NoticeTimer::None);
    Label1 = new QLabel(QStringLiteral("Para abrir um arquivo dê duplo clique ou pressione enter"),
                        this);
    placeTwips(Label1, 120, 4095, 4095, 255);

    connect(List1, &QListWidget::itemDoubleClicked, this, &FormList::List1_DblClick);
    connect(btnDel, &QPushButton::clicked, this, &FormList::btnDel_Click);
    List1->setFocus();

    EnsureTextFolder();
    RefreshTextList();
}

void FormList::RefreshTextList() {
    List1->clear();
    List1->addItems(sortedTextNames(ListTextFolder()));
}

QString FormList::selectedName() const {
    const QList<QListWidgetItem *> selected = List1->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

bool FormList::eventFilter(QObject *watched, QEvent *event) {
    if (watched == List1 && event->type() == QEvent::KeyPress &&
        keyPressCode(*static_cast<QKeyEvent *>(event)) == 13) {
        List1_KeyPress(13);
        return true;
    }
    return SideWindow::eventFilter(watched, event);
}

void FormList::showMessageBox(const QString &message) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Corvale Scrivulets"), message,
                    QMessageBox::Ok, this);
    box.exec();
}

void FormList::List1_DblClick() {
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    // The message box runs its own event loop; the program may discard this
    // window meanwhile.
    QPointer<FormList> self(this);
    if (!TextFileExists(name)) {
        showMessageBox(missingMessage(name));
    } else if (const std::optional<QString> text = ReadTextFile(name)) {
        OpenTextFromList(name, *text);
    } else {
        // Nothing changes: an empty text in the box would be saved over the
        // file by the next Ctrl+S.
        showMessageBox(unreadableMessage(name));
    }
    if (!self || isDiscarded())
        return;
    lblAviso->setText(QString());
    if (Check1->isChecked())
        CloseSideWindow();
}

void FormList::List1_KeyPress(int keyAscii) {
    if (keyAscii != 13)
        return;
    const QString name = selectedName();
    if (name.isEmpty()) {
        showNotice(NothingSelectedNotice);
        return;
    }
    if (!TextFileExists(name)) {
        showNotice(missingMessage(name));
        return;
    }
    const std::optional<QString> text = ReadTextFile(name);
    if (!text) {
        showNotice(unreadableMessage(name));
        return;
    }
    OpenTextFromList(name, *text);
    if (Check1->isChecked())
        CloseSideWindow();
}

void FormList::OpenTextFromList(const QString &name, const QString &text) {
    FormMain &m = main();
    MainWindowState &s = m.state;
    m.Text1->setText(text);
    s.lblSave = name;
    // Line 1 is the configured start width, so opening a text never resets it;
    // lines 2 to 8 are the values in force since start-up.
    config::writeConfig(
        {formatNumber(float(numberOr0(s.lblResize)) / float(TwipsPerPixel)), s.lblTxtMin,
         s.lblTxtMax, s.lblTransparencia, s.lblAlignValue, s.lblOptIni, s.lblFont,
         QStringList{s.lblIniLeftMin, s.lblIniTopMin, s.lblIniLeftMax, s.lblIniTopMax}.join(u'|'),
         m_program.lastTextLine()});
}

void FormList::btnDel_Click() {
    const QString name = selectedName();
    if (!name.isEmpty())
        DeleteTextFile(name);
    EnsureTextFolder();
    RefreshTextList();
}
