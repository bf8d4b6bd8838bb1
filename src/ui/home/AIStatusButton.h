#pragma once
// The small "AI" button of the home screen's title bar: a dot, green when
// the on-device language model can write AI Rewrites and grey when it
// cannot, the reason as the tooltip, and a popup that says what the feature
// is for. The status is read again each time the program becomes active.

#include "text/HookGenerator.h"

#include <QAbstractButton>

class QFrame;
class QLabel;

namespace vt {

class AIStatusButton : public QAbstractButton {
    Q_OBJECT

public:
    explicit AIStatusButton(HookGenerator::Status status, QWidget* parent = nullptr);
    const HookGenerator::Status& status() const { return status_; }
    void setStatus(HookGenerator::Status status);
    QFrame* info() const { return info_; }
    bool infoShown() const;
    QLabel* pill() const { return pill_; }
    QLabel* messageLine() const { return message_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    HookGenerator::Status status_;
    QFrame* info_;
    QLabel* pill_;
    QLabel* message_;
};

}  // namespace vt
