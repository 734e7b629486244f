// Builds the program's window as main() does and prints, on standard output, the wall-clock
// time in nanoseconds since the epoch at which its first paint has been flushed. A driver that
// notes the time before starting the process gets the start-up time from the difference.
#include "window/form/apportion_form.h"

#include <QApplication>
#include <QEvent>

#include <chrono>
#include <cstdio>

namespace {

class FirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // Queued, so it runs once the paint has returned and the backing store is flushed.
            QMetaObject::invokeMethod(
                this,
                [] {
                    const auto now = std::chrono::system_clock::now().time_since_epoch();
                    std::printf("%lld\n",
                        static_cast<long long>(
                            std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
                    std::fflush(stdout);
                    QApplication::exit(0);
                },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    ApportionForm form;
    FirstPaint firstPaint;
    form.installEventFilter(&firstPaint);
    form.show();
    return app.exec();
}
