#include "ui/inspector/StyleEditorView.h"

#include "captions/FontBook.h"
#include "captions/StyleLibrary.h"
#include "editor/EditorModel.h"
#include "ui/inspector/ColorRow.h"
#include "ui/inspector/ColorSection.h"
#include "ui/inspector/FeatureColumn.h"
#include "ui/inspector/CompactButton.h"
#include "ui/inspector/EmphasisSection.h"
#include "ui/inspector/FinishesSection.h"
#include "ui/inspector/InspectorGroup.h"
#include "ui/inspector/InspectorRow.h"
#include "ui/inspector/KitColors.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/LayoutSection.h"
#include "ui/inspector/LiveStylePreview.h"
#include "ui/inspector/OptionalColorRow.h"
#include "ui/inspector/RowDivider.h"
#include "ui/inspector/SizeControl.h"
#include "ui/inspector/SpacingSection.h"
#include "ui/inspector/TimingSection.h"
#include "ui/inspector/ToggleChip.h"
#include "ui/inspector/ToolbarIconButton.h"
#include "ui/theme/LookColor.h"
#include "ui/theme/MenuText.h"
#include "ui/theme/NumberText.h"

#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace vt::ui {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

template <class E, std::size_t N, class Row>
LookRows::Options<E> labelled(const std::array<Row, N>& rows)
{
    LookRows::Options<E> out;
    for (const Row& row : rows) out.emplace_back(QString::fromUtf8(row.label.data(), row.label.size()), row.value);
    return out;
}

// The style menu's label: the look's name on one line, shortened at its
// end when the header has less room than it, with the chevron kept. It
// asks for the whole name's width and gets by with a few letters, so the
// badge and buttons beside it keep their places.
class NameMenuButton : public QToolButton {
public:
    explicit NameMenuButton(QWidget* parent) : QToolButton(parent)
    {
        // A tool button keeps its whole hint; this one may shrink to its minimum.
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    }

    void setName(const QString& name)
    {
        name_ = name;
        setAccessibleName(name);
        fit();
        updateGeometry();
    }
    QSize sizeHint() const override { return QToolButton::sizeHint() + QSize(nameWidth(name_) - nameWidth(shownName()), 0); }
    QSize minimumSizeHint() const override { return sizeHint() - QSize(nameWidth(name_) - nameWidth(QStringLiteral("M\u2026")), 0); }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QToolButton::resizeEvent(event);
        fit();
    }
    void showEvent(QShowEvent* event) override
    {
        QToolButton::showEvent(event);
        fit();
    }

private:
    static QString chevron() { return QStringLiteral("  ⌄"); }
    int nameWidth(const QString& name) const { return fontMetrics().horizontalAdvance(name); }
    // The label's text doubles an ampersand so it shows rather than marks a
    // shortcut; the name as drawn has it once.
    QString shownName() const
    {
        return text().chopped(std::min<qsizetype>(text().size(), chevron().size())).replace(QStringLiteral("&&"), QStringLiteral("&"));
    }
    // Hidden, the button has no room of its own yet: it holds the whole name.
    void fit()
    {
        if (!isVisible()) {
            setText(menuText(name_) + chevron());
            return;
        }
        const int chrome = QToolButton::sizeHint().width() - nameWidth(shownName());
        setText(menuText(fontMetrics().elidedText(name_, Qt::ElideRight, std::max(width() - chrome, 0))) + chevron());
    }

    QString name_;
};

}  // namespace

// ---- shared members -----------------------------------------------------------

QString StyleEditorView::fmt(double value, int decimals) { return fixedText(value, decimals); }

Binding<double> StyleEditorView::intBinding(StyleEdits& edits, std::int64_t CaptionStyle::*field)
{
    return {[&edits, field] { return static_cast<double>(edits.look().*field); },
            [&edits, field](const double& v) { edits.write(field, static_cast<std::int64_t>(std::llround(v))); }};
}

LookRows::Options<std::string> StyleEditorView::fontOptions(const std::string& current)
{
    LookRows::Options<std::string> out;
    bool listed = false;
    for (const auto& choice : FontBook::choices()) {
        out.emplace_back(qs(choice.label), choice.name);
        listed = listed || choice.name == current;
    }
    if (!current.empty() && !listed) out.emplace_back(qs(current), current);
    return out;
}

const std::array<StyleEditorView::LineSizeOption, 4>& StyleEditorView::lineSizeOptions()
{
    static const std::array<LineSizeOption, 4> options{{
        {"All the same", {}},
        {"small → BIG", {0.7, 1.4}},
        {"BIG → small", {1.4, 0.7}},
        {"Mixed", {1.0, 0.6, 1.5}},
    }};
    return options;
}

const std::vector<RGBA>& StyleEditorView::multicolor()
{
    static const std::vector<RGBA> colours{RGBA{1, 1, 1, 1}, RGBA::fromHex("FFE500"), RGBA::fromHex("00E5FF"),
                                           RGBA::fromHex("FF5FA8")};
    return colours;
}

Binding<QColor> StyleEditorView::colorBinding(StyleEdits& edits, RGBA CaptionStyle::*field)
{
    return {[&edits, field] { return toQColor(edits.look().*field); },
            [&edits, field](const QColor& picked) { edits.write(field, toRGBA(picked)); }};
}

QString StyleEditorView::sectionID(Section section)
{
    static const std::array<const char*, 6> ids{"spacing", "layout", "color", "emphasis", "finishes", "timing"};
    return QString::fromLatin1(ids[static_cast<std::size_t>(section)]);
}

bool StyleEditorView::isEdited(const Project& project)
{
    const auto base = StyleLibrary::shared().style(project.baseStyleID);
    return base && !(*base == project.style);
}

QString StyleEditorView::resetTitle(const Project& project, bool forButton)
{
    const auto base = StyleLibrary::shared().style(project.baseStyleID);
    if (base) return QStringLiteral("Reset to ") + qs(base->name);
    return forButton ? QStringLiteral("Reset to the original style") : QStringLiteral("Reset to Original");
}

// ---- the panel -------------------------------------------------------------------

StyleEditorView::StyleEditorView(EditorModel& editor, QWidget* parent)
    : QWidget(parent), editor_(editor), edits_(new StyleEdits(editor, this))
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);
    column->addWidget(makeHeader());
    parts_.preview = new LiveStylePreview("Make it happen", this);
    column->addWidget(parts_.preview);

    auto* scroll = new ColumnScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* content = new QWidget(scroll);
    auto* stack = new QVBoxLayout(content);
    stack->setContentsMargins(0, 0, 0, 16);
    stack->setSpacing(18);
    stack->addWidget(makeQuickEdit());

    parts_.sections = new DisclosureGroup(this);
    auto& group = *parts_.sections;
    parts_.sectionList = {new SpacingSection(group, *edits_), new LayoutSection(group, *edits_),
                          new ColorSection(group, *edits_),   new EmphasisSection(group, *edits_),
                          new FinishesSection(group, *edits_), new TimingSection(group, *edits_)};
    auto* style = new InspectorGroup(QStringLiteral("STYLE"), nullptr, content);
    for (std::size_t i = 0; i < 5; ++i) {
        if (i > 0) style->addRow(new RowDivider);
        style->addRow(parts_.sectionList[i]);
    }
    stack->addWidget(style);
    auto* advanced = new InspectorGroup(QStringLiteral("ADVANCED"), nullptr, content);
    advanced->addRow(parts_.sectionList[5]);
    stack->addWidget(advanced);
    stack->addStretch(1);
    scroll->setWidget(content);
    column->addWidget(scroll, 1);

    connect(&editor_, &EditorModel::projectChanged, this, &StyleEditorView::refresh);
    connect(&StyleLibrary::shared(), &StyleLibrary::customChanged, this, &StyleEditorView::refresh);
    refresh();
}

StyleEditorView::~StyleEditorView() = default;

QWidget* StyleEditorView::makeHeader()
{
    auto* header = new QWidget(this);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(4, 0, 4, 0);
    row->setSpacing(8);

    parts_.styleMenu = new NameMenuButton(header);
    parts_.styleMenu->setPopupMode(QToolButton::InstantPopup);
    parts_.styleMenu->setAutoRaise(true);
    parts_.styleMenu->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; width: 0; }"));
    QFont f = parts_.styleMenu->font();
    f.setPointSizeF(15);
    f.setWeight(QFont::DemiBold);
    parts_.styleMenu->setFont(f);
    kit::setTextColour(parts_.styleMenu, kit::ink());
    parts_.styleMenu->setToolTip(QStringLiteral("Changes apply to this project"));
    auto* menu = new QMenu(parts_.styleMenu);
    menu->addAction(QStringLiteral("Browse All Styles…"), this,
                    [this] { editor_.setInspectorTab(InspectorTab::styles); });
    menu->addSeparator();
    menu->addAction(QStringLiteral("Save as Style…"), this, &StyleEditorView::openSaveDialog);
    auto* resetItem = menu->addAction(QString(), this, [this] { editor_.resetStyle(); });
    resetItem->setObjectName(QStringLiteral("resetItem"));
    parts_.styleMenu->setMenu(menu);
    row->addWidget(parts_.styleMenu);

    parts_.edited = kit::label(QStringLiteral("Edited"), 10.5, QFont::Medium, kit::secondaryText(), header);
    parts_.edited->setContentsMargins(6, 2, 6, 2);
    Appearances::setStyleSheet(parts_.edited, [] {
        return QStringLiteral("background: %1; border-radius: 8px;").arg(QColor(kit::muted()).name());
    });
    row->addWidget(parts_.edited);
    row->addStretch(1);
    row->addSpacing(4);

    parts_.reset = new ToolbarIconButton(QStringLiteral("↺"), header);
    parts_.reset->setMinimumSize(24, 24);
    parts_.reset->setAccessibleName(QStringLiteral("Reset style"));
    connect(parts_.reset, &QToolButton::clicked, this, [this] { editor_.resetStyle(); });
    row->addWidget(parts_.reset);

    parts_.saveAs = new CompactButton(QStringLiteral("Save as Style"), CompactButton::Kind::primary, header);
    connect(parts_.saveAs, &QPushButton::clicked, this, &StyleEditorView::openSaveDialog);
    row->addWidget(parts_.saveAs);
    return header;
}

QWidget* StyleEditorView::makeQuickEdit()
{
    auto* group = new InspectorGroup(QStringLiteral("QUICK EDIT"));
    parts_.quickEdit = group;
    quick_.emplace(*edits_, [group](QWidget* row) { group->addRow(row); });
    LookRows& rows = *quick_;
    StyleEdits& edits = *edits_;
    const auto divider = [group] { group->addRow(new RowDivider); };

    rows.menu<std::string>(QStringLiteral("Font"),
                           std::function<LookRows::Options<std::string>()>([&edits] { return fontOptions(edits.look().font); }),
                           edits.field(&CaptionStyle::font));
    divider();
    auto* size = new SizeControl(edits.field(&CaptionStyle::fontSize), 30, 300);
    rows.add(new InspectorRow(QStringLiteral("Size"), {}, size), {}, [size] { size->refresh(); });
    divider();

    auto* chips = new QWidget;
    auto* pair = new QHBoxLayout(chips);
    pair->setContentsMargins(0, 0, 0, 0);
    pair->setSpacing(4);
    auto* upper = new ToggleChip(edits.field(&CaptionStyle::uppercase), QStringLiteral("Uppercase"), QStringLiteral("AA"));
    auto* italic = new ToggleChip(edits.field(&CaptionStyle::italic), QStringLiteral("Italic"), QStringLiteral("I"));
    QFont serif = italic->font();
    serif.setFamily(QStringLiteral("serif"));
    serif.setItalic(true);
    italic->setFont(serif);
    pair->addWidget(upper);
    pair->addWidget(italic);
    rows.add(new InspectorRow(QStringLiteral("Style"), {}, chips), {}, [upper, italic] {
        upper->update();
        italic->update();
    });
    divider();
    auto [alignment, showAlignment] = makeAlignment();
    rows.add(new InspectorRow(QStringLiteral("Alignment"), {}, alignment), {}, showAlignment);
    divider();
    auto* text = new ColorRow(QStringLiteral("Text color"), colorBinding(edits, &CaptionStyle::textColor));
    rows.add(text, {}, [text] { text->control()->update(); });
    divider();

    rows.color(QStringLiteral("Outline"), &CaptionStyle::strokeColor, RGBA{0, 0, 0, 1});
    const auto outlined = [](const CaptionStyle& s) { return s.strokeColor.has_value(); };
    rows.setIndent(true);
    rows.value(QStringLiteral("Outline width"), edits.field(&CaptionStyle::strokeWidth), LookRows::span(0, 16, 0.5, 1), outlined);
    rows.setIndent(false);
    divider();

    rows.color(QStringLiteral("Shadow"), &CaptionStyle::shadowColor, {0, 0, 0, 0.6});
    const auto shadowed = [](const CaptionStyle& s) { return s.shadowColor.has_value(); };
    rows.setIndent(true);
    rows.value(QStringLiteral("Blur"), edits.field(&CaptionStyle::shadowRadius), LookRows::span(0, 40, 1, 0), shadowed);
    // The alpha of the shadow colour, written back with its red, green and blue.
    Binding<double> opacity{[&edits] { return edits.look().shadowColor.value_or(RGBA{0, 0, 0, 0.6}).a; },
                            [&edits](const double& alpha) {
                                RGBA c = edits.look().shadowColor.value_or(RGBA{0, 0, 0, 0.6});
                                c.a = alpha;
                                edits.write(&CaptionStyle::shadowColor, std::optional(c));
                            }};
    rows.value(QStringLiteral("Opacity"), opacity, LookRows::span(0, 1, 5, 0, QStringLiteral("%"), 100), shadowed);
    rows.value(QStringLiteral("Drop"), edits.field(&CaptionStyle::shadowOffset), LookRows::span(0, 20, 1, 0), shadowed);
    rows.setIndent(false);
    divider();

    rows.menu(QStringLiteral("Animation"), labelled<EntranceAnimation>(kEntranceAnimations),
              edits.field(&CaptionStyle::animation));
    return group;
}

std::pair<QWidget*, std::function<void()>> StyleEditorView::makeAlignment()
{
    auto* picker = new QWidget;
    picker->setFixedWidth(112);
    picker->setAccessibleName(QStringLiteral("Alignment"));
    auto* row = new QHBoxLayout(picker);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    auto* buttons = new QButtonGroup(picker);
    buttons->setExclusive(true);
    const std::array<std::pair<TextAlign, const char*>, 3> segments{
        {{TextAlign::left, "Left"}, {TextAlign::center, "Center"}, {TextAlign::right, "Right"}}};
    const std::array<const char*, 3> glyphs{"⇤", "↔", "⇥"};
    for (std::size_t i = 0; i < segments.size(); ++i) {
        auto* segment = new QToolButton(picker);
        segment->setText(QString::fromUtf8(glyphs[i]));
        segment->setToolTip(QString::fromLatin1(segments[i].second));
        segment->setAccessibleName(QString::fromLatin1(segments[i].second));
        segment->setCheckable(true);
        segment->setAutoRaise(true);
        segment->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        buttons->addButton(segment, static_cast<int>(segments[i].first));
        row->addWidget(segment);
    }
    // Centre is the absent value.
    connect(buttons, &QButtonGroup::idClicked, this, [this](int id) {
        const auto align = static_cast<TextAlign>(id);
        edits_->write(&CaptionStyle::textAlign,
                      align == TextAlign::center ? std::nullopt : std::optional<TextAlign>(align));
    });
    return {picker, [this, buttons] {
                const int shown = static_cast<int>(edits_->look().textAlign.value_or(TextAlign::center));
                if (auto* b = buttons->button(shown)) b->setChecked(true);
            }};
}

void StyleEditorView::refresh()
{
    const Project& project = editor_.project();
    static_cast<NameMenuButton*>(parts_.styleMenu)->setName(qs(project.style.name));
    const bool edited = isEdited(project);
    parts_.edited->setVisible(edited);
    parts_.reset->setEnabled(edited);
    parts_.reset->setToolTip(resetTitle(project, true));
    if (auto* item = parts_.styleMenu->menu()->findChild<QAction*>(QStringLiteral("resetItem"))) {
        item->setText(menuText(resetTitle(project, false)));
        item->setEnabled(edited);
    }
    parts_.preview->setLook(project.style);
    quick_->refresh();
    for (LookSection* section : parts_.sectionList) section->refresh();
}

// ---- save as ------------------------------------------------------------------------

void StyleEditorView::openSaveDialog()
{
    savingName_ = QString::fromStdString(editor_.project().style.name) + QStringLiteral(" (mine)");
    if (!saveDialog_) {
        saveDialog_ = new QDialog(this);
        saveDialog_->setWindowTitle(QStringLiteral("Save as Style"));
        auto* column = new QVBoxLayout(saveDialog_);
        auto* title = kit::label(QStringLiteral("Save as Style"), 13, QFont::DemiBold, kit::ink(), saveDialog_);
        column->addWidget(title);
        column->addWidget(kit::label(QStringLiteral("Adds this look to your styles, so you can use it on other videos."),
                                     11.5, QFont::Normal, kit::secondaryText(), saveDialog_));
        saveName_ = new QLineEdit(saveDialog_);
        saveName_->setPlaceholderText(QStringLiteral("Name"));
        column->addWidget(saveName_);
        connect(saveName_, &QLineEdit::textEdited, this, [this](const QString& text) { savingName_ = text; });
        auto* buttons = new QDialogButtonBox(saveDialog_);
        buttons->addButton(QStringLiteral("Save"), QDialogButtonBox::AcceptRole);
        buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
        column->addWidget(buttons);
        connect(buttons, &QDialogButtonBox::accepted, this, &StyleEditorView::confirmSave);
        connect(buttons, &QDialogButtonBox::rejected, this, &StyleEditorView::cancelSave);
        // Closing the window any other way cancels.
        connect(saveDialog_, &QDialog::rejected, this, [this] { savingName_.reset(); });
    }
    saveName_->setText(*savingName_);
    saveDialog_->open();
}

void StyleEditorView::confirmSave()
{
    // The name exactly as typed: not trimmed, empty allowed, repeats allowed.
    const std::string name = savingName_ ? savingName_->toStdString() : std::string("My Style");
    const CaptionStyle saved = StyleLibrary::shared().saveCustom(editor_.project().style, name);
    editor_.applyPreset(saved);
    savingName_.reset();
    if (saveDialog_) saveDialog_->hide();
}

void StyleEditorView::cancelSave()
{
    savingName_.reset();
    if (saveDialog_) saveDialog_->hide();
}

}  // namespace vt::ui
