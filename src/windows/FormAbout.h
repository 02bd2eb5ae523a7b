#pragma once

#include "windows/SideWindow.h"

#include <QUrl>
#include <functional>

namespace windows {

// "Sobre o programa": the program's name and version, its makers, and three
// links: the help window, the home page and the donations page.
class FormAbout : public SideWindow {
    Q_OBJECT
public:
    // Hands an address to the user's browser; false when none took it.
    using AddressOpener = std::function<bool(const QUrl &)>;

    FormAbout(core::AppCore &core, AddressOpener openAddress);

    static const QString HomePageUrl;
    static QString donationsPageUrl();

signals:
    // The help link: the help window is to take this window's place.
    void helpRequested();

private:
    // An address no browser took is shown, for the user to copy.
    void openLink(const QString &address);

    AddressOpener m_openAddress;
};

} // namespace windows
