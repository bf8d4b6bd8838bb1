#include "ui/home/ScriptSheet.h"

#include "speech/CaptionLanguage.h"
#include "ui/inspector/KitText.h"
#include "ui/theme/Theme.h"

#include <QGraphicsOpacityEffect>
#include <QGridLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace vt {

ScriptSheet::ScriptSheet(const std::string& selection, bool nativeAvailable, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Captions written in"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(20, 20, 20, 20);
    column->setSpacing(12);
    auto makeRow = [&](const CaptionLanguage& language, QWidget* owner) {
        QString text = QString::fromStdString(language.sample()) + u'\n' + QString::fromStdString(language.name);
        if (language.note) text += QStringLiteral(" · ") + QString::fromStdString(*language.note);
        auto* button = new QPushButton(text, owner);
        button->setObjectName(QString::fromStdString(language.id));
        button->setCheckable(true);
        button->setChecked(language.id == selection);
        // 48 high, taller where large text needs it: an Indic sample's
        // marks reach past the font's own line.
        button->setMinimumHeight(std::max(48, 2 * button->fontMetrics().lineSpacing() + 10));
        connect(button, &QPushButton::clicked, this, [this, id = language.id] {
            emit picked(id);
            accept();
        });
        return button;
    };
    const auto& all = CaptionLanguage::all();
    column->addWidget(makeRow(all.front(), this));
    auto* area = new QScrollArea(this);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    auto* gridHost = new QWidget(area);
    auto* grid = new QGridLayout(gridHost);
    grid->setSpacing(8);
    for (std::size_t i = 1; i < all.size(); ++i) {
        QPushButton* button = makeRow(all[i], gridHost);
        button->setEnabled(nativeAvailable);
        if (!nativeAvailable) {
            auto* dim = new QGraphicsOpacityEffect(button);
            dim->setOpacity(0.45);
            button->setGraphicsEffect(dim);
        }
        grid->addWidget(button, int(i - 1) / 2, int(i - 1) % 2);
    }
    area->setWidget(gridHost);
    column->addWidget(area, 1);
    if (!nativeAvailable) {
        auto* note = ui::kit::label(QStringLiteral("\u24D8 ") + tr("Other scripts need a transcript made with Whisper in Hindi or Hinglish."),
                                    11.5, QFont::Normal, Theme::secondaryText, this);
        note->setWordWrap(true);
        column->addWidget(note);
    }
    resize(520, 520);
}

QPushButton* ScriptSheet::row(const std::string& id) const { return findChild<QPushButton*>(QString::fromStdString(id)); }

}  // namespace vt
