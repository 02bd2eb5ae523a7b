#pragma once

#include "windows/SideWindow.h"

class QLineEdit;
class QPushButton;

// The side window that saves the strip's text under a title, gives the
// open text's file a new name, or starts a new blank text.
class FormSave : public SideWindow {
    Q_OBJECT
public:
    explicit FormSave(core::AppCore &core);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void formLoad();
    // The key filter of the title box: a forbidden character is dropped with
    // the notice; any other typed key enables "Salvar como".
    bool acceptTitleKey(int keyAscii);
    void save();
    void rename();
    void startNewText();
    // The notice for a refusal; false when the outcome is no refusal.
    bool refused(const core::Result &result);

    QLineEdit *txtFileName;
    QLineEdit *txtExtensao;
    QPushButton *btnRename;
    QPushButton *btnSave;
    QPushButton *btnNew;
};
