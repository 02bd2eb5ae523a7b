#pragma once

#include "sidewindows/SideWindow.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>

class Program;

// The side window that lists the saved texts, opens one into the main window
// (remembering it in config.txt) and deletes them.
class FormList : public SideWindow {
    Q_OBJECT
public:
    explicit FormList(Program &program);

    QLabel *Label3; // the title, "Listando arquivos"
    QListWidget *List1;
    QPushButton *btnDel;
    QCheckBox *Check1;
    QLabel *Label1;

    void RefreshTextList();
    void List1_DblClick();
    void List1_KeyPress(int keyAscii);
    void btnDel_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString selectedName() const;
    // Puts the text into the main window, makes it the open text and records
    // it in config.txt.
    void OpenTextFromList(const QString &name, const QString &text);
    void showMessageBox(const QString &message);

    Program &m_program;
};

// The names in the list's order: by name, case left aside, in the user's
// language; names that differ only in case keep a fixed order.
QStringList sortedTextNames(QStringList names);
