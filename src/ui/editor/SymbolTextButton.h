#pragma once
// A compact button with one of the editor's symbols before its title, in
// the kit's primary or secondary fill; the kind may change while shown
// (a toggle drawn primary while on).

#include "ui/inspector/CompactButton.h"

namespace vt::ui {

class SymbolTextButton : public QPushButton {
    Q_OBJECT
public:
    SymbolTextButton(const QString& symbol, const QString& title, CompactButton::Kind kind, QWidget* parent = nullptr);
    void setSymbol(const QString& symbol);
    void setKind(CompactButton::Kind kind);
    CompactButton::Kind kind() const { return kind_; }
    const QString& symbol() const { return symbol_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString symbol_;
    CompactButton::Kind kind_;
};

}  // namespace vt::ui
