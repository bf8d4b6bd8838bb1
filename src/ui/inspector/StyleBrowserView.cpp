#include "ui/inspector/StyleBrowserView.h"

#include "captions/StyleLibrary.h"
#include "captions/presets/StylePresets.h"
#include "editor/EditorModel.h"
#include "speech/CaptionLanguage.h"
#include "ui/inspector/CompactButton.h"
#include "ui/inspector/FlowLayout.h"
#include "ui/inspector/KitColors.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/PanelCard.h"
#include "ui/inspector/PressableButton.h"
#include "ui/inspector/StyleCard.h"
#include "ui/inspector/StyleGrid.h"
#include "ui/inspector/TranslationStatusRow.h"
#include "ui/theme/MenuText.h"

#include <QButtonGroup>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

#include <algorithm>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace vt::ui {

namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// A flat button drawn by the card laid out inside it: it asks for the room
// the card needs, so large text widens the panel rather than cut the card.
class CardButton : public QPushButton {
public:
    using QPushButton::QPushButton;
    QSize sizeHint() const override { return layout() ? layout()->sizeHint() : QPushButton::sizeHint(); }
    QSize minimumSizeHint() const override { return layout() ? layout()->minimumSize() : QPushButton::minimumSizeHint(); }
};

// A row laid on the kit's panel background.
std::pair<PanelCard*, QHBoxLayout*> panelRow(double radius, int h, int v, QWidget* parent)
{
    auto* card = new PanelCard(radius, parent);
    auto* row = new QHBoxLayout(card);
    row->setContentsMargins(h, v, h, v);
    row->setSpacing(8);
    return {card, row};
}

PressableButton* pill(const QString& title, bool selected, QWidget* parent)
{
    // Category names such as "Knockout & Blend" are text: a bare "&" would
    // make Alt+Space a mnemonic of the pill instead of the play key.
    auto* button = new PressableButton(menuText(title), parent);
    QFont f = button->font();
    f.setPointSizeF(12);
    f.setWeight(selected ? QFont::DemiBold : QFont::Medium);
    button->setFont(f);
    button->setFill(selected ? std::optional(kit::accent()) : std::nullopt, 7);
    button->setTextColour(selected ? DynamicColor{kit::onAccent(), kit::onAccent()} : kit::secondaryText());
    button->setProperty("selected", selected);
    const QSize text = QFontMetrics(f).size(Qt::TextSingleLine, title);
    button->setFixedSize(text.width() + 20, text.height() + 10);
    return button;
}

}  // namespace

StyleBrowserView::StyleBrowserView(EditorModel& editor, OpenCaptionWriting openWriting, QWidget* parent)
    : QWidget(parent), editor_(editor), library_(StyleLibrary::shared()), openWriting_(std::move(openWriting))
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(12);
    column->addWidget(makeApplyBox());
    column->addWidget(makeWritingButton());
    parts_.translation = new TranslationStatusRow([this] { editor_.setTranslationError(std::nullopt); },
                                                  [this] { editor_.translateToEnglish(); }, this);
    column->addWidget(parts_.translation);
    column->addWidget(makeSearch());
    parts_.pills = new QWidget(this);
    pillLayout_ = new FlowLayout(4, 4, parts_.pills);
    pillLayout_->setContentsMargins(2, 0, 2, 0);
    column->addWidget(parts_.pills);
    column->addWidget(makeHeader());
    column->addWidget(makeLooks(), 1);

    connect(&editor_, &EditorModel::selectionChanged, this, [this] {
        refreshApplyBox();
        parts_.grid->refreshSelection();
    });
    connect(&editor_, &EditorModel::projectChanged, this, [this] {
        refreshApplyBox();
        refreshWriting();
        parts_.grid->refreshSelection();
    });
    for (auto changed : {&EditorModel::translatingChanged, &EditorModel::translationStatusChanged,
                         &EditorModel::translationErrorChanged})
        connect(&editor_, changed, this, &StyleBrowserView::refreshTranslation);
    connect(&library_, &StyleLibrary::customChanged, this, [this] {
        refreshPills();
        refreshList();
    });
    refreshApplyBox();
    refreshWriting();
    refreshPills();
    refreshList();
}

QString StyleBrowserView::title(std::optional<StyleCategory> category)
{
    return category ? qs(vt::title(*category)) : QStringLiteral("All styles");
}

QString StyleBrowserView::blurb(std::optional<StyleCategory> category)
{
    return category ? qs(vt::blurb(*category)) : QStringLiteral("Every look, in one place.");
}

// ---- apply to ------------------------------------------------------------------

QWidget* StyleBrowserView::makeApplyBox()
{
    auto* box = new PanelCard(10, this);
    parts_.applyBox = box;
    auto* stack = new QVBoxLayout(box);
    stack->setContentsMargins(10, 10, 10, 10);
    stack->setSpacing(6);
    auto* segments = new QWidget(box);
    auto* pair = new QHBoxLayout(segments);
    pair->setContentsMargins(0, 0, 0, 0);
    pair->setSpacing(0);
    auto* group = new QButtonGroup(segments);
    parts_.wholeVideo = new QPushButton(QStringLiteral("Whole video"), segments);
    parts_.justSelected = new QPushButton(segments);
    for (auto* b : {parts_.wholeVideo, parts_.justSelected}) {
        b->setCheckable(true);
        group->addButton(b);
        pair->addWidget(b, 1);
    }
    segments->setAccessibleName(QStringLiteral("Apply to"));
    connect(parts_.wholeVideo, &QPushButton::clicked, this, [this] { setOnlySelected(false); });
    connect(parts_.justSelected, &QPushButton::clicked, this, [this] { setOnlySelected(true); });
    stack->addWidget(segments);

    auto* note = new QWidget(box);
    auto* line = new QHBoxLayout(note);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(6);
    parts_.applyNote = kit::label({}, 11, QFont::Normal, kit::secondaryText(), note);
    parts_.applyNote->setWordWrap(true);
    line->addWidget(parts_.applyNote, 1);
    line->addSpacing(4);
    parts_.sameAsVideo = new CompactButton(QStringLiteral("Same as the Video"), CompactButton::Kind::secondary, note);
    connect(parts_.sameAsVideo, &QPushButton::clicked, this,
            [this] { editor_.applyStyle(std::nullopt, editor_.selection()); });
    line->addWidget(parts_.sameAsVideo);
    note->setObjectName(QStringLiteral("applyNoteRow"));
    stack->addWidget(note);
    return box;
}

bool StyleBrowserView::onlyMode() const { return onlySelected_ && !editor_.selection().empty(); }

void StyleBrowserView::setOnlySelected(bool only)
{
    onlySelected_ = only;
    refreshApplyBox();
    parts_.grid->refreshSelection();
}

void StyleBrowserView::refreshApplyBox()
{
    const auto& selection = editor_.selection();
    parts_.applyBox->setVisible(!selection.empty());
    if (selection.empty()) return;
    parts_.justSelected->setText(selection.size() == 1
                                     ? QStringLiteral("Just the selected word")
                                     : QStringLiteral("Just the %1 selected words").arg(qlonglong(selection.size())));
    (onlySelected_ ? parts_.justSelected : parts_.wholeVideo)->setChecked(true);
    auto* noteRow = parts_.applyBox->findChild<QWidget*>(QStringLiteral("applyNoteRow"));
    noteRow->setVisible(onlyMode());
    const auto shared = editor_.sharedStyle(selection);
    parts_.applyNote->setText(shared ? QStringLiteral("These words use ") + QString::fromStdString(shared->name) + "."
                                     : QStringLiteral("Pick a style for these words; the rest keep the video's style."));
    parts_.sameAsVideo->setVisible(shared.has_value());
}

// ---- caption writing ----------------------------------------------------------------

QWidget* StyleBrowserView::makeWritingButton()
{
    parts_.writing = new CardButton(this);
    parts_.writing->setFlat(true);
    parts_.writing->setCursor(Qt::PointingHandCursor);
    parts_.writing->setStyleSheet(QStringLiteral("QPushButton { border: none; padding: 0; }"));
    auto* outer = new QVBoxLayout(parts_.writing);
    outer->setContentsMargins(0, 0, 0, 0);
    auto [card, row] = panelRow(12, 10, 7, parts_.writing);
    card->setAttribute(Qt::WA_TransparentForMouseEvents);
    outer->addWidget(card);
    parts_.writingGlyph = kit::label({}, 12, QFont::Bold, kit::ink(), card);
    parts_.writingGlyph->setMinimumSize(26, 26);  // a pill when the sample is wider
    parts_.writingGlyph->setAlignment(Qt::AlignCenter);
    Appearances::setStyleSheet(parts_.writingGlyph, [] {
        return QStringLiteral("background: %1; border-radius: 13px;").arg(QColor(kit::muted()).name());
    });
    row->addWidget(parts_.writingGlyph);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(0);
    texts->addWidget(kit::label(QStringLiteral("Captions look like"), 10.5, QFont::Normal, kit::secondaryText(), card));
    parts_.writingSample = kit::label({}, 13, QFont::DemiBold, kit::ink(), card);
    texts->addWidget(parts_.writingSample);
    row->addLayout(texts);
    row->addStretch(1);
    // The writing's name gives way first where the row is short of room.
    parts_.writingName = kit::elidedLabel(Qt::ElideRight, 11, kit::secondaryText(), card);
    row->addWidget(parts_.writingName);
    row->addWidget(kit::label(QStringLiteral("⌄"), 10, QFont::Bold, kit::secondaryText(), card));
    parts_.writing->setMinimumHeight(card->sizeHint().height());
    connect(parts_.writing, &QPushButton::clicked, this, [this] {
        if (openWriting_) openWriting_(writingRequest(), this);
    });
    return parts_.writing;
}

void StyleBrowserView::refreshWriting()
{
    const CaptionLanguage& language = CaptionLanguage::find(editor_.project().captionLanguageID);
    parts_.writingGlyph->setText(language.id == "english" ? QStringLiteral("EN") : qs(glyph(language.script)));
    // Never cut, whatever the text size: the name beside it gives way.
    parts_.writingGlyph->setMinimumWidth(std::max(26, parts_.writingGlyph->sizeHint().width()));
    parts_.writingSample->setText(QString::fromStdString(language.sample()));
    parts_.writingName->setFullText(QString::fromStdString(language.name));
    refreshTranslation();
}

void StyleBrowserView::refreshTranslation()
{
    const auto& error = editor_.translationError();
    const auto& stored = editor_.project().translation;
    parts_.translation->setStatus({editor_.translating(), QString::fromStdString(editor_.translationStatus()),
                                   error ? std::optional(QString::fromStdString(*error)) : std::nullopt,
                                   editor_.usesTranslation(),
                                   stored && stored->basis != editor_.currentTranslationBasis()});
}

CaptionWritingRequest StyleBrowserView::writingRequest()
{
    // The reasons a translation cannot be made do not stop showing one that
    // is stored; only captions taken from the voiceover keep it from view.
    auto unavailable = editor_.translationUnavailableReason();
    if (editor_.project().translation && !editor_.voiceDrivesCaptions()) unavailable.reset();
    return {editor_.project().captionLanguageID.value_or("latin"),
            editor_.hasNativeText(),
            std::move(unavailable),
            [&editor = editor_](const std::string& id) { editor.setCaptionLanguage(id); }};
}

// ---- search, pills and header ---------------------------------------------------------

QWidget* StyleBrowserView::makeSearch()
{
    auto [card, row] = panelRow(9, 10, 7, this);
    row->addWidget(kit::label(QStringLiteral("⌕"), 13, QFont::Normal, kit::secondaryText(), card));
    parts_.search = new QLineEdit(card);
    parts_.search->setFrame(false);
    parts_.search->setPlaceholderText(QStringLiteral("Search %1 styles, fonts, effects").arg(StylePresets::all().size()));
    QFont f = parts_.search->font();
    f.setPointSizeF(13);
    parts_.search->setFont(f);
    parts_.search->setStyleSheet(QStringLiteral("background: transparent;"));
    connect(parts_.search, &QLineEdit::textChanged, this, &StyleBrowserView::setQuery);
    row->addWidget(parts_.search, 1);
    parts_.clearSearch = new QToolButton(card);
    parts_.clearSearch->setText(QStringLiteral("✕"));
    parts_.clearSearch->setAutoRaise(true);
    parts_.clearSearch->setToolTip(QStringLiteral("Clear"));
    parts_.clearSearch->setAccessibleName(QStringLiteral("Clear search"));
    parts_.clearSearch->hide();
    connect(parts_.clearSearch, &QToolButton::clicked, this, [this] { setQuery({}); });
    row->addWidget(parts_.clearSearch);
    return card;
}

void StyleBrowserView::setQuery(const QString& query)
{
    if (query == query_) return;
    query_ = query;
    if (parts_.search->text() != query) parts_.search->setText(query);
    parts_.clearSearch->setVisible(!query_.isEmpty());
    refreshList();
}

void StyleBrowserView::setCategory(std::optional<StyleCategory> category)
{
    category_ = category;
    refreshPills();
    refreshList();
}

std::vector<QPushButton*> StyleBrowserView::pills() const
{
    std::vector<QPushButton*> out;
    for (int i = 0; i < pillLayout_->count(); ++i)
        if (auto* b = qobject_cast<QPushButton*>(pillLayout_->itemAt(i)->widget())) out.push_back(b);
    return out;
}

void StyleBrowserView::refreshPills()
{
    // Later, not now: the pill being clicked may be the one asking.
    while (QLayoutItem* item = pillLayout_->takeAt(0)) {
        if (QWidget* old = item->widget()) {
            old->hide();
            old->deleteLater();
        }
        delete item;
    }
    auto add = [this](const QString& title, bool selected, std::optional<StyleCategory> category) {
        auto* b = pill(title, selected, parts_.pills);
        connect(b, &QPushButton::clicked, this, [this, category] { setCategory(category); });
        pillLayout_->addWidget(b);
    };
    add(QStringLiteral("All"), !category_, std::nullopt);
    for (const auto& row : kStyleCategories) {
        if (row.category == StyleCategory::mine && library_.custom().empty()) continue;
        add(qs(row.title), category_ == row.category, row.category);
    }
}

QWidget* StyleBrowserView::makeHeader()
{
    auto* header = new QWidget(this);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(6, 0, 6, 0);
    row->setSpacing(6);
    parts_.title = kit::label({}, 13, QFont::DemiBold, kit::ink(), header);
    row->addWidget(parts_.title);
    parts_.aiBadge = kit::label(QStringLiteral("AI"), 9.5, QFont::DemiBold, kit::ink(), header);
    parts_.aiBadge->setContentsMargins(5, 1, 5, 1);
    Appearances::setStyleSheet(parts_.aiBadge, [] {
        return QStringLiteral("background: %1; border-radius: 4px;").arg(QColor(kit::faded(kit::ink(), 0.1)).name(QColor::HexArgb));
    });
    row->addWidget(parts_.aiBadge);
    parts_.blurb = kit::label({}, 11, QFont::Normal, kit::secondaryText(), header);
    parts_.blurb->setMinimumWidth(0);
    parts_.blurb->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    parts_.blurb->installEventFilter(this);
    row->addWidget(parts_.blurb, 1);
    parts_.count = kit::label({}, 11, QFont::Normal, kit::secondaryText(), header);
    QFont digits = parts_.count->font();
    digits.setFamily(QStringLiteral("monospace"));
    parts_.count->setFont(digits);
    row->addWidget(parts_.count);
    return header;
}

// ---- the looks --------------------------------------------------------------------------

QWidget* StyleBrowserView::makeLooks()
{
    parts_.looks = new QStackedWidget(this);
    auto* card = new PanelCard(12, parts_.looks);
    auto* inside = new QVBoxLayout(card);
    inside->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(card);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setStyleSheet(QStringLiteral("QScrollArea, QScrollArea > QWidget > QWidget { background: transparent; }"));
    parts_.grid = new StyleGrid(editor_, *scroll, [this](const CaptionStyle& look) { return isSelected(look); });
    scroll->setWidget(parts_.grid);
    inside->addWidget(scroll);
    parts_.looks->addWidget(card);
    parts_.noResults = kit::label({}, 13, QFont::Medium, kit::secondaryText(), parts_.looks);
    parts_.noResults->setAlignment(Qt::AlignCenter);
    parts_.noResults->setWordWrap(true);
    parts_.looks->addWidget(parts_.noResults);
    connect(parts_.grid, &StyleGrid::cardClicked, this, &StyleBrowserView::apply);
    connect(parts_.grid, &StyleGrid::cardMenuRequested, this, [this](const CaptionStyle& look, const QPoint& at) {
        if (QMenu* menu = menuFor(look)) {
            menu->exec(at);
            menu->deleteLater();
        }
    });
    return parts_.looks;
}

void StyleBrowserView::refreshList()
{
    std::vector<CaptionStyle> styles = library_.styles(category_, query_.toStdString());
    parts_.title->setText(title(category_));
    parts_.aiBadge->setVisible(category_ == StyleCategory::multiline || category_ == StyleCategory::behind);
    fullBlurb_ = blurb(category_);
    showBlurb();
    parts_.count->setText(QString::number(styles.size()));
    if (styles.empty()) {
        parts_.noResults->setText(QStringLiteral("No Results for “%1”").arg(query_));
        parts_.looks->setCurrentWidget(parts_.noResults);
    } else {
        parts_.looks->setCurrentIndex(0);
    }
    if (styles != parts_.grid->styles()) parts_.grid->setStyles(std::move(styles));
}

void StyleBrowserView::showBlurb()
{
    const int room = std::max(0, parts_.blurb->width());
    parts_.blurb->setText(parts_.blurb->fontMetrics().elidedText(fullBlurb_, Qt::ElideRight, room));
    parts_.blurb->setToolTip(fullBlurb_);
}

bool StyleBrowserView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parts_.blurb && event->type() == QEvent::Resize) showBlurb();
    return false;
}

bool StyleBrowserView::isSelected(const CaptionStyle& look) const
{
    if (onlyMode()) {
        const auto shared = editor_.sharedStyle(editor_.selection());
        return shared && shared->id == look.id;
    }
    return look.id == editor_.project().baseStyleID;
}

void StyleBrowserView::apply(const CaptionStyle& look)
{
    if (onlyMode())
        editor_.applyStyle(look, editor_.selection());
    else
        editor_.applyPreset(look);
}

QMenu* StyleBrowserView::menuFor(const CaptionStyle& look)
{
    if (look.category != StyleCategory::mine) return nullptr;
    auto* menu = new QMenu(this);
    QAction* remove = menu->addAction(QStringLiteral("Delete Style"));
    connect(remove, &QAction::triggered, this, [this, look] { library_.remove(look); });
    return menu;
}

}  // namespace vt::ui
