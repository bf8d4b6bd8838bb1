// The item inspector's ENHANCE and CROP groups.

#include "model/ColorLook.h"
#include "ui/theme/MenuText.h"
#include "ui/inspector/CompactButton.h"
#include "ui/inspector/InlineButton.h"
#include "ui/inspector/InspectorGroup.h"
#include "ui/inspector/ItemInspector.h"
#include "ui/inspector/RowDivider.h"
#include "ui/inspector/ValueRow.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QPointer>
#include <QToolButton>

#include <array>

namespace vt::ui {

namespace {

struct GradeSlider {
    const char* title;
    double VideoGrade::*key;
    double lower;
};

constexpr std::array<GradeSlider, 11> gradeSliders{{
    {"Brightness", &VideoGrade::exposure, -1},   {"Contrast", &VideoGrade::contrast, -1},
    {"Highlights", &VideoGrade::highlights, -1}, {"Shadows", &VideoGrade::shadows, -1},
    {"Saturation", &VideoGrade::saturation, -1}, {"Warmth", &VideoGrade::temperature, -1},
    {"Tint", &VideoGrade::tint, -1},             {"Vibrance", &VideoGrade::vibrance, -1},
    {"Sharpness", &VideoGrade::sharpness, 0},    {"Vignette", &VideoGrade::vignette, 0},
    {"Glow", &VideoGrade::glow, 0},
}};

struct CropShape {
    const char* text;
    double ratio;  // width over height; 0 for none
};
constexpr std::array<CropShape, 5> cropShapes{
    {{"Original", 0}, {"9:16", 0.5625}, {"1:1", 1}, {"4:5", 0.8}, {"16:9", 16.0 / 9.0}}};

QWidget* paddedRow(QHBoxLayout*& line, int spacing)
{
    auto* row = new QWidget;
    line = new QHBoxLayout(row);
    line->setContentsMargins(12, 8, 12, 8);
    line->setSpacing(spacing);
    return row;
}

}  // namespace

void ItemInspector::autoEnhance()
{
    enhancing_ = true;
    refresh();
    QPointer<ItemInspector> self(this);
    editor_.autoEnhance(item_, [self] {
        if (!self) return;
        self->enhancing_ = false;
        self->refresh();
    });
}

QWidget* ItemInspector::enhance(const ItemAdjust& adjust)
{
    auto* group = new InspectorGroup(QStringLiteral("ENHANCE"), nullptr, body_);
    QHBoxLayout* line = nullptr;
    QWidget* top = paddedRow(line, 8);
    auto* auto_ = new InlineButton(enhancing_ ? QStringLiteral("Enhancing\u2026") : QStringLiteral("Auto Enhance"),
                                   QStringLiteral("\u2728"), true, [this] { autoEnhance(); });
    auto_->setObjectName("autoEnhance");
    auto_->setEnabled(!enhancing_);
    auto_->setToolTip(QStringLiteral("Fixes light and color from a few of its own frames"));
    line->addWidget(auto_);
    line->addStretch(1);
    auto* filter = new QToolButton;
    filter->setObjectName("filter");
    filter->setAutoRaise(true);
    filter->setPopupMode(QToolButton::InstantPopup);
    QString current = QStringLiteral("None");
    for (const ColorLook& look : ColorLook::all())
        if (look.id == adjust.grade.look) current = QString::fromUtf8(look.name.data(), int(look.name.size()));
    filter->setText(menuText(QStringLiteral("Filter: ") + current));
    auto* menu = new QMenu(filter);
    for (const ColorLook& look : ColorLook::all()) {
        const std::string id(look.id);
        menu->addAction(menuText(QString::fromUtf8(look.name.data(), int(look.name.size()))), this,
                        [this, id] { editor_.updateAdjust(item_, [&](ItemAdjust& a) { a.grade.look = id; }); });
    }
    filter->setMenu(menu);
    line->addWidget(filter);
    group->addRow(top);
    if (adjust.grade.look != "none") {
        group->addRow(new RowDivider);
        group->addRow(new ValueRow(QStringLiteral("Filter strength"), binding(&VideoGrade::intensity),
                                   {0, 1, 5, 0, "%", 100, true, false, 0.8}));
    }
    for (const GradeSlider& s : gradeSliders) {
        group->addRow(new RowDivider);
        group->addRow(new ValueRow(QString::fromLatin1(s.title), binding(s.key),
                                   {s.lower, 1, 1, 0, "", 100, true, s.lower < 0, 0}));
    }
    if (!(adjust.grade == VideoGrade{})) {
        group->addRow(new RowDivider);
        QWidget* reset = paddedRow(line, 6);
        line->addStretch(1);
        line->addWidget(new InlineButton(QStringLiteral("Reset Color"), QStringLiteral("\u21A9"), false, [this] {
            editor_.updateAdjust(item_, [](ItemAdjust& a) { a.grade = VideoGrade{}; });
        }));
        group->addRow(reset);
    }
    return group;
}

QWidget* ItemInspector::crop()
{
    auto* group = new InspectorGroup(QStringLiteral("CROP"), nullptr, body_);
    QHBoxLayout* line = nullptr;
    QWidget* shapes = paddedRow(line, 6);
    shapes->setToolTip(QStringLiteral("Crop to a shape, centered; then fine-tune each edge below"));
    for (const CropShape& s : cropShapes) {
        auto* button = new CompactButton(QString::fromLatin1(s.text), CompactButton::Kind::secondary);
        connect(button, &QPushButton::clicked, this, [this, text = QString::fromLatin1(s.text)] { cropTo(text); });
        line->addWidget(button);
    }
    line->addStretch(1);
    group->addRow(shapes);
    const std::array<std::pair<const char*, double ItemAdjust::*>, 4> edges{
        {{"Left", &ItemAdjust::cropLeft}, {"Right", &ItemAdjust::cropRight}, {"Top", &ItemAdjust::cropTop},
         {"Bottom", &ItemAdjust::cropBottom}}};
    for (const auto& [title, field] : edges) {
        group->addRow(new RowDivider);
        group->addRow(new ValueRow(QString::fromLatin1(title), binding(field), {0, 0.45, 1, 0, "%", 100, true, false, 0}));
    }
    return group;
}

std::optional<double> ItemInspector::pictureAspect() const
{
    if (item_.kind == TimelineItem::Kind::overlay) {
        const auto b = broll();
        return b ? editor_.overlayAspect(*b) : std::nullopt;
    }
    if (item_.kind == TimelineItem::Kind::clip) {
        const auto size = editor_.clipSize(item_.id);
        if (!size) return std::nullopt;
        return size->width / std::max(size->height, 1.0);
    }
    return std::nullopt;
}

void ItemInspector::cropTo(ItemAdjust& a, const QString& shape, double pictureAspect)
{
    a.cropLeft = a.cropRight = a.cropTop = a.cropBottom = 0;
    const auto found = std::find_if(cropShapes.begin(), cropShapes.end(),
                                    [&](const CropShape& s) { return shape == QLatin1String(s.text); });
    if (found == cropShapes.end() || found->ratio == 0) return;
    const double target = found->ratio;
    const double picture = (((a.turns % 4) + 4) % 4) % 2 == 1 ? 1 / pictureAspect : pictureAspect;
    if (target < picture)
        a.cropLeft = a.cropRight = std::min((1 - target / picture) * 0.5, 0.45);
    else
        a.cropTop = a.cropBottom = std::min((1 - picture / target) * 0.5, 0.45);
}

void ItemInspector::cropTo(const QString& shape)
{
    const auto aspect = pictureAspect();
    if (!aspect) return;
    editor_.updateAdjust(item_, [&](ItemAdjust& a) { cropTo(a, shape, *aspect); });
}

}  // namespace vt::ui
