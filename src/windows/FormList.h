#pragma once

#include "windows/SideWindow.h"

class QCheckBox;
class QListWidget;
class QPushButton;

namespace windows {

// The side window that lists the saved texts, opens one into the strip
// (remembering it in config.txt) and deletes them.
class FormList : public SideWindow {
    Q_OBJECT
public:
    explicit FormList(core::AppCore &core);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void refreshTextList();
    void openByDoubleClick();
    void openByEnter();
    void deleteSelected();
    QString selectedName() const;
    // The reason a text did not open, or the config.txt that was not written.
    void reportOpen(const core::Result &result, bool messageBox);
    void showMessageBox(const QString &message);
    // Where no trash can take the text: true when the user deletes it for good.
    bool askDeleteForGood(const QString &path);

    QListWidget *m_list;
    // The rows' real names: what a row shows may stand in for bytes of its name.
    QStringList m_names;
    QPushButton *m_deleteButton;
    QCheckBox *m_closeOnOpenBox;
};

} // namespace windows
