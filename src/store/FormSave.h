#pragma once

#include "sidewindows/SideWindow.h"

#include <QLineEdit>
#include <QPushButton>

// The side window that saves the main window's text under a title, gives the
// open text's file a new name, or starts a new blank text.
class FormSave : public SideWindow {
    Q_OBJECT
public:
    explicit FormSave(FormMain &main);

    QLabel *Label1; // the title, "Salvando arquivo"
    QLabel *lblTitulo;
    QLineEdit *txtFileName;
    QLabel *lblExtensao;
    QLineEdit *txtExtensao;
    QPushButton *btnRename;
    QPushButton *btnSave;
    QPushButton *btnNew;
    QLabel *Label2;

    // The key filter of the title box: a forbidden character is dropped with
    // the notice; any other typed key enables "Salvar como".
    void txtFileName_KeyPress(int &keyAscii);
    void btnSave_Click();
    void btnRename_Click();
    void btnNew_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    // The check of both boxes as they stand, pasted text included.
    bool refuseForbiddenCharacters();
};
