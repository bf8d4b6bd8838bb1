#include "ui/inspector/FeatureRow.h"

#include "ui/inspector/KitColors.h"
#include "ui/inspector/KitText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace vt::ui {

FeatureRow::FeatureRow(const QString& title, const QString& icon, const QString& detail, QWidget* trailing,
                       QWidget* parent)
    : QWidget(parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 8, 12, 8);
    row->setSpacing(10);
    if (!icon.isEmpty()) {
        auto* glyph = kit::label(icon, 13, QFont::Medium, kit::secondaryText(), this);
        kit::reserveGlyph(*glyph, 18);
        glyph->setAlignment(Qt::AlignCenter);
        row->addWidget(glyph);
    }
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(kit::label(title, 13, QFont::Medium, kit::ink(), this));
    auto* detailLabel = kit::label(detail, 11, QFont::Normal, kit::secondaryText(), this);
    detailLabel->setWordWrap(true);
    texts->addWidget(detailLabel);
    row->addLayout(texts, 1);
    row->addSpacing(8);
    if (trailing) row->addWidget(trailing);
    setAccessibleName(title);
}

}  // namespace vt::ui
