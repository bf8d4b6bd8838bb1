#include "editor/QtEditorClock.h"

#include <QTimer>

#include <chrono>
#include <cmath>

namespace vt {

QtEditorClock::QtEditorClock() = default;

QtEditorClock::~QtEditorClock()
{
    for (auto& [ticket, timer] : timers_) delete timer;
}

Date QtEditorClock::now() const { return std::chrono::system_clock::now(); }

EditorClock::Ticket QtEditorClock::start(double seconds, std::function<void()> fire)
{
    const Ticket ticket = next_++;
    auto* timer = new QTimer(&context_);
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer, &QTimer::timeout, &context_, [this, ticket, fire = std::move(fire)] {
        // Forget the timer before firing: the callback may start new ones.
        if (auto it = timers_.find(ticket); it != timers_.end()) {
            it->second->deleteLater();
            timers_.erase(it);
        }
        fire();
    });
    timers_[ticket] = timer;
    timer->start(static_cast<int>(std::lround(std::max(seconds, 0.0) * 1000)));
    return ticket;
}

void QtEditorClock::cancel(Ticket ticket)
{
    auto it = timers_.find(ticket);
    if (it == timers_.end()) return;
    it->second->stop();
    it->second->deleteLater();
    timers_.erase(it);
}

}  // namespace vt
