#pragma once

namespace platform {

// Makes SIGINT and SIGTERM end the running Qt event loop normally, so that destructors run
// (links are removed, files closed). Call once after the application object exists.
void quitOnTerminationSignals();

}  // namespace platform
