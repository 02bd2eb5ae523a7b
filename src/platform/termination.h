#pragma once

#include <QObject>
#include <memory>

namespace platform {

// The system's request that the program end, delivered in the event loop
// rather than ending the process on the spot. On Linux that is SIGTERM,
// SIGHUP or SIGINT: a `kill`, a desktop session that ends its programs
// without asking them first, a closed terminal. A signal the program was
// started with ignored (nohup) stays ignored. Windows asks through window
// messages, which Qt already turns into the end of a session, so there this
// never fires. Only one may live at a time; the signals end the process again
// once it is gone.
class TerminationRequests : public QObject {
    Q_OBJECT
public:
    TerminationRequests();
    ~TerminationRequests() override;

signals:
    void requested();

private:
    struct Handlers;
    std::unique_ptr<Handlers> m_handlers;
};

} // namespace platform
