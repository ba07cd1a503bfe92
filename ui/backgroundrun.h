#pragma once
// Runs a long calculation off the window's thread: the window keeps
// painting and shows that it works, but takes no input, so nothing can
// start while the calculation runs and its results stay exactly those of
// the calculation run in place.
#include <chrono>
#include <functional>

class QWidget;

namespace orbiton::ui {

// Runs `work` on a worker thread and waits for it in a local event loop
// that paints and runs timers but leaves keys and mouse clicks queued until
// the work has ended. `indicator` is shown once the work has lasted longer
// than `delay` (at once for a delay of 0) and hidden when it ends. An
// exception of `work` is raised again here, on the calling thread. `work`
// must not touch any widget.
void runInBackground(const std::function<void()>& work, QWidget& indicator, std::chrono::milliseconds delay);

}  // namespace orbiton::ui
