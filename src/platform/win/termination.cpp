#include "platform/termination.h"

namespace platform {

// Windows ends a program through its windows (WM_QUERYENDSESSION, WM_CLOSE),
// which Qt delivers as the end of the session or a window's close.
struct TerminationRequests::Handlers {};

TerminationRequests::TerminationRequests() = default;
TerminationRequests::~TerminationRequests() = default;

} // namespace platform
