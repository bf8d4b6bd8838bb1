#pragma once
// The screens the window shows until their own views land: plain notes for
// the editor and the Shorts picker saying what comes there.

#include <QWidget>

class QLabel;

namespace vt {

class PlaceholderScreen : public QWidget {
    Q_OBJECT

public:
    explicit PlaceholderScreen(QWidget* parent = nullptr);
    void setText(const QString& title, const QString& detail);
    QString title() const;

private:
    QLabel* title_;
    QLabel* detail_;
};

}  // namespace vt
