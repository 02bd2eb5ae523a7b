#include "app/FrontPlace.h"

namespace app {

void FrontPlace::toggleAlwaysOnTop() {
    m_alwaysOnTop = !m_alwaysOnTop;
    emit stripTopmostRequested(m_alwaysOnTop);
    emit alwaysOnTopChanged(m_alwaysOnTop);
}

void FrontPlace::sideWindowOpened(core::Side side) {
    if (!m_alwaysOnTop)
        return;
    emit stripTopmostRequested(false);
    m_topmostHolders.insert(side);
}

void FrontPlace::sideWindowLoaded() {
    if (m_alwaysOnTop)
        emit stripTopmostRequested(false);
}

void FrontPlace::sideWindowClosed(core::Side side) {
    // The window held the strip's place in front: it goes back, even when
    // the switch was turned off meanwhile.
    if (!m_topmostHolders.remove(side))
        return;
    const bool changed = !m_alwaysOnTop;
    m_alwaysOnTop = true;
    emit stripTopmostRequested(true);
    if (changed)
        emit alwaysOnTopChanged(true);
}

void FrontPlace::sideWindowDiscarded(core::Side side) {
    m_topmostHolders.remove(side);
}

void FrontPlace::handOverTopmost(core::Side from, core::Side to) {
    if (m_topmostHolders.remove(from))
        m_topmostHolders.insert(to);
}

void FrontPlace::stripActivated() {
    if (m_alwaysOnTop)
        emit stripTopmostRequested(true);
}

} // namespace app
