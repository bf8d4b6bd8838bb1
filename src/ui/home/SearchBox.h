#pragma once
// The compact search field of the home screen's title bar: a magnifier, a
// borderless field ("Search projects") and a clear button while there is
// text. It only edits the text; the home screen filters by it.

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace vt {

class SearchBox : public QWidget {
    Q_OBJECT

public:
    explicit SearchBox(QWidget* parent = nullptr);
    QString text() const;
    void setText(const QString& text);
    QLineEdit* field() const { return field_; }
    QToolButton* clearButton() const { return clear_; }

signals:
    void textChanged(const QString& text);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QLineEdit* field_;
    QToolButton* clear_;
};

}  // namespace vt
