#pragma once
// A feature's row: an optional icon, the title over a wrapping one-sentence
// detail, and a trailing view (its switch or button).

#include <QWidget>

namespace vt::ui {

class FeatureRow : public QWidget {
    Q_OBJECT
public:
    // An empty icon leaves no room for one.
    FeatureRow(const QString& title, const QString& icon, const QString& detail, QWidget* trailing,
               QWidget* parent = nullptr);
};

}  // namespace vt::ui
