#pragma once
// The kit's compact text button: primary (accent fill) or secondary (a light
// ink fill), 9 points of padding, at least 24 high. Hover deepens the fill
// only while enabled; pressed draws the whole button at 0.75, disabled at 0.45.

#include <QPushButton>

namespace vt::ui {

class CompactButton : public QPushButton {
    Q_OBJECT
public:
    enum class Kind { primary, secondary };

    CompactButton(const QString& title, Kind kind, QWidget* parent = nullptr);

    static QColor fill(Kind kind, bool hover, bool enabled);
    static double opacity(bool enabled, bool pressed);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Kind kind_;
};

}  // namespace vt::ui
