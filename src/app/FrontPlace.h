#pragma once

#include "core/AppCore.h"

#include <QObject>
#include <QSet>

namespace app {

// The strip's place in front of other windows. The switch is the user's; the
// strip gives up its place while a side window opened over it is open, and
// takes it back when that window closes or the strip gets the focus.
class FrontPlace : public QObject {
    Q_OBJECT
public:
    bool alwaysOnTop() const { return m_alwaysOnTop; }
    void toggleAlwaysOnTop();
    void sideWindowOpened(core::Side side);
    void sideWindowLoaded();
    void sideWindowClosed(core::Side side);
    void sideWindowDiscarded(core::Side side);
    void handOverTopmost(core::Side from, core::Side to);
    void stripActivated();

signals:
    // The strip's place in front of other windows, on or off (and shown).
    void stripTopmostRequested(bool on);
    void alwaysOnTopChanged(bool on);

private:
    bool m_alwaysOnTop = false;
    // The side windows that hold the strip's place while they are open.
    QSet<core::Side> m_topmostHolders;
};

} // namespace app
