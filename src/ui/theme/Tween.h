#pragma once
// A number that eases to each new target (ease-out, 0.15 s unless told
// otherwise) and reports every step, for the small state changes of the
// shared controls: hover, press, a drag over a drop zone. With motion
// reduced it jumps to the target at once. A new target mid-way turns it
// around from where it is.

#include <QObject>

#include <functional>

class QVariantAnimation;

namespace vt {

class Tween : public QObject {
    Q_OBJECT
public:
    Tween(double value, std::function<void()> changed, QObject* parent, int durationMs = 150);

    double value() const { return value_; }
    double target() const { return target_; }
    bool isRunning() const;
    void to(double target);

private:
    double value_;
    double target_;
    int durationMs_;
    std::function<void()> changed_;
    QVariantAnimation* run_;
};

}  // namespace vt
