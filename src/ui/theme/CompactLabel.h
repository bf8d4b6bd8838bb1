#pragma once
// The compact label of small buttons: an icon at 10.5 points, then the
// title, 5 points apart, centred vertically.

#include <QIcon>
#include <QWidget>

namespace vt {

class CompactLabel : public QWidget {
    Q_OBJECT

public:
    CompactLabel(const QIcon& icon, const QString& title, QWidget* parent = nullptr);
};

}  // namespace vt
