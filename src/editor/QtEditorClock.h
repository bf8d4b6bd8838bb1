#pragma once
// The editor's clock in the running program: the system time and QTimer
// single-shots on the thread that created it (the main thread).

#include "editor/EditorServices.h"

#include <QObject>

#include <map>

class QTimer;

namespace vt {

class QtEditorClock final : public EditorClock {
public:
    QtEditorClock();
    ~QtEditorClock() override;

    Date now() const override;
    Ticket start(double seconds, std::function<void()> fire) override;
    void cancel(Ticket ticket) override;

private:
    QObject context_;  // parent of the timers; lives on the creating thread
    std::map<Ticket, QTimer*> timers_;
    Ticket next_ = 1;
};

}  // namespace vt
