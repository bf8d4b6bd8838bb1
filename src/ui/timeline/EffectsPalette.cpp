#include "ui/timeline/EffectsPalette.h"

#include "editor/EditorModel.h"
#include "ui/inspector/KitText.h"
#include "ui/theme/Theme.h"
#include "ui/timeline/PaletteChip.h"
#include "ui/timeline/TimelineMetrics.h"
#include "ui/timeline/TimelinePayload.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <array>

namespace vt {

namespace {

using K = MotionEffect::Kind;
constexpr std::array camera{K::zoomIn, K::zoomOut, K::punchIn, K::pop, K::shake};
constexpr std::array looks{K::fadeIn, K::fadeOut, K::flash, K::blurIn, K::blackWhite, K::glitch};

}  // namespace

EffectsPalette::EffectsPalette(EditorModel& editor, std::function<void()> done, QWidget* parent) : QFrame(parent)
{
    setFixedWidth(330);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(14, 14, 14, 14);
    column->setSpacing(10);
    const auto group = [&](const QString& title, const auto& kinds) {
        auto* box = new QVBoxLayout;
        box->setSpacing(6);
        box->addWidget(ui::kit::label(title, 11, QFont::DemiBold, Theme::secondaryText, this));
        auto* grid = new QGridLayout;
        grid->setHorizontalSpacing(6);
        grid->setVerticalSpacing(6);
        int i = 0;
        for (K kind : kinds) {
            auto* chip = new PaletteChip(QString::fromUtf8(json::enumText(kind)), QString::fromUtf8(icon(kind)),
                                         TimelineTint::motion(), PaletteChip::Look::palette,
                                         TimelinePayload::motion(kind), this);
            chip->setToolTip(QString::fromUtf8(blurb(kind)));
            connect(chip, &QAbstractButton::clicked, this, [&editor, done, kind] {
                editor.place(TimelinePayload::motion(kind), editor.currentTime());
                if (done) done();
            });
            grid->addWidget(chip, i / 3, i % 3);
            ++i;
        }
        for (int c = 0; c < 3; ++c) grid->setColumnStretch(c, 1);
        box->addLayout(grid);
        column->addLayout(box);
    };
    group(QStringLiteral("Camera"), camera);
    group(QStringLiteral("Look"), looks);
    auto* hint = ui::kit::label(QStringLiteral("Click to add at the playhead, or drag onto the timeline."), 11, QFont::Normal,
                                Theme::secondaryText, this);
    hint->setWordWrap(true);
    column->addWidget(hint);
}

void EffectsPalette::popup(EditorModel& editor, QWidget* owner, const std::function<QPoint(QSize)>& place)
{
    auto* frame = new QFrame(owner, Qt::Popup);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    auto* palette = new EffectsPalette(editor, [frame] { frame->close(); }, frame);
    frame->resize(palette->sizeHint());
    frame->move(place(palette->sizeHint()));
    frame->show();
}

}  // namespace vt
