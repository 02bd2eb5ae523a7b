#pragma once

#include "windows/SideWindow.h"

class QLineEdit;
class QPushButton;

namespace windows {

// The side window that saves the strip's text under a title, gives the
// open text's file a new name, or starts a new blank text.
class FormSave : public SideWindow {
    Q_OBJECT
public:
    explicit FormSave(core::AppCore &core);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillFromOpenText();
    // The key filter of the title box: a forbidden character is dropped with
    // the notice; any other typed key enables "Salvar como".
    bool acceptTitleKey(int keyAscii);
    void save();
    void rename();
    void startNewText();
    // The notice for a refusal; false when the outcome is no refusal.
    bool refused(const core::Result &result);

    QLineEdit *m_titleBox;
    QLineEdit *m_extensionBox;
    QPushButton *m_renameButton;
    QPushButton *m_saveButton;
    QPushButton *m_newButton;
};

} // namespace windows
