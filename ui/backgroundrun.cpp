#include "ui/backgroundrun.h"

#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <exception>
#include <thread>

namespace orbiton::ui {

void runInBackground(const std::function<void()>& work, QWidget& indicator, std::chrono::milliseconds delay)
{
    QEventLoop loop;
    QTimer showIndicator;
    showIndicator.setSingleShot(true);
    QObject::connect(&showIndicator, &QTimer::timeout, &indicator, &QWidget::show);

    std::exception_ptr failure;
    // The end is posted to the loop: it is only seen once the loop runs,
    // however early the work ends.
    std::jthread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    if (delay.count() <= 0)
        indicator.show();
    else
        showIndicator.start(delay);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    showIndicator.stop();
    indicator.hide();
    if (failure)
        std::rethrow_exception(failure);
}

}  // namespace orbiton::ui
