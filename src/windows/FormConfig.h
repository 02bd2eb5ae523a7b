#pragma once

#include "windows/SideWindow.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace windows {

// The side window that shows the settings the program runs with and writes
// them to config.txt; the running program takes them at once. Its
// m_reopenLastBox is the run-long switch that reopens the last text, which
// the core holds.
class FormConfig : public SideWindow {
    Q_OBJECT
public:
    explicit FormConfig(core::AppCore &core);

    // The strip's m_settingsButton: the boxes from the values the program runs with
    // (discarding unsaved edits), then opened beside the strip.
    void fillAndShow();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void save();

    QLineEdit *m_widthBox;
    QLineEdit *m_minHeightBox;
    QLineEdit *m_maxHeightBox;
    QLineEdit *m_opacityBox;
    QRadioButton *m_leftOption;
    QRadioButton *m_centreOption;
    QRadioButton *m_rightOption;
    QRadioButton *m_startCollapsedOption;
    QRadioButton *m_startExpandedOption;
    QComboBox *m_fontBox;
    QPushButton *m_saveButton;
    QCheckBox *m_reopenLastBox;
};

} // namespace windows
