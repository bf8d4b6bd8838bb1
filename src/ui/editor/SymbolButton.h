#pragma once
// An icon-only button of the toolbar kind drawing one of the editor's own
// symbols; its hover help doubles as its accessibility label unless one is
// given.

#include <QToolButton>

namespace vt::ui {

class SymbolButton : public QToolButton {
    Q_OBJECT
public:
    SymbolButton(const QString& symbol, QSize frame, double iconSide, QWidget* parent = nullptr);
    const QString& symbol() const { return symbol_; }
    void setSymbol(const QString& symbol);
    // Draws the symbol in this colour instead of the theme's ink (on media).
    void setTint(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString symbol_;
    QColor tint_;
    double iconSide_;
};

}  // namespace vt::ui
