#include "ui/editor/ScriptPicker.h"

#include "speech/CaptionLanguage.h"
#include "ui/editor/EditorIcons.h"
#include "ui/editor/SymbolButton.h"
#include "ui/inspector/KitText.h"
#include "ui/theme/Theme.h"

#include <QGraphicsOpacityEffect>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace vt::ui {

namespace {

constexpr double dimmed = 0.45;

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

// One choice: a badge, the sample over the name and note, and a check when
// it is the current one.
class Row : public QPushButton {
public:
    Row(bool selected, QWidget* parent) : QPushButton(parent), selected_(selected)
    {
        setCheckable(false);
        setFlat(true);
        // Narrower than its one-line texts where the column is (they wrap).
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
        setCursor(Qt::PointingHandCursor);
        setAccessibleDescription(selected ? QStringLiteral("selected") : QString());
    }
    bool selected() const { return selected_; }
    // Sized by its contents, not by a button's text.
    QSize sizeHint() const override { return layout() ? layout()->sizeHint() : QPushButton::sizeHint(); }
    QSize minimumSizeHint() const override
    {
        return layout() ? QSize(layout()->minimumSize().width(), layout()->sizeHint().height()) : QPushButton::minimumSizeHint();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        if (isDown()) p.setOpacity(0.75);
        p.setBrush(QColor(selected_ ? Theme::selected : Theme::surface));
        p.setPen(selected_ ? QPen(QColor(Theme::accent), 1.5) : QPen(QColor(Theme::hairline), 1));
        const double inset = selected_ ? 0.75 : 0.5;
        p.drawRoundedRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset), 10, 10);
    }

private:
    bool selected_;
};

QLabel* infoLabel(const QString& message, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::RichText);
    label->setWordWrap(true);
    label->setContentsMargins(6, 0, 6, 0);
    QFont f = label->font();
    f.setPointSizeF(11);
    label->setFont(f);
    kit::setTextColour(label, Theme::secondaryText);
    label->setText(QStringLiteral("\u24d8 ") + message.toHtmlEscaped());
    return label;
}

void dim(QWidget* widget)
{
    auto* effect = new QGraphicsOpacityEffect(widget);
    effect->setOpacity(dimmed);
    widget->setGraphicsEffect(effect);
    widget->setEnabled(false);
}

}  // namespace

ScriptPicker::ScriptPicker(std::string selection, bool nativeAvailable, std::optional<Translation> translation,
                           std::function<void(const std::string&)> onSelect, bool scrollable, QWidget* parent)
    : QDialog(parent), selection_(std::move(selection)), onSelect_(std::move(onSelect))
{
    setFixedSize(640, 720);
    setAutoFillBackground(true);
    Appearances::setColor(this, QPalette::Window, Theme::canvas);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* header = new QHBoxLayout;
    header->setContentsMargins(20, 16, 20, 16);
    auto* titles = new QVBoxLayout;
    titles->setSpacing(2);
    titles->addWidget(kit::label(tr("Captions look like"), 17, QFont::DemiBold, Theme::ink, this));
    titles->addWidget(kit::label(tr("Pick the writing your captions use."), 12, QFont::Normal, Theme::secondaryText, this));
    header->addLayout(titles);
    header->addStretch(1);
    auto* close = new SymbolButton("xmark", {24, 24}, 11, this);
    close->setToolTip(tr("Close"));
    close->setAccessibleName(tr("Close"));
    connect(close, &QToolButton::clicked, this, &QDialog::reject);  // Escape does the same
    header->addWidget(close);
    column->addLayout(header);
    auto divider = [this] {
        auto* line = new QFrame(this);
        line->setFrameShape(QFrame::HLine);
        Appearances::setStyleSheet(line, [] { return QStringLiteral("color: %1;").arg(QColor(Theme::hairline).name(QColor::HexArgb)); });
        return line;
    };
    column->addWidget(divider());

    auto* choices = new QWidget;
    auto* list = new QVBoxLayout(choices);
    list->setContentsMargins(14, 14, 14, 14);
    list->setSpacing(10);
    const auto& languages = CaptionLanguage::all();
    const CaptionLanguage& latin = languages.front();
    list->addWidget(makeRow(latin.id, latin.name, std::string(glyph(latin.script)), true, latin.sample(), latin.note,
                            true, choices));
    if (translation) {
        const CaptionLanguage& english = CaptionLanguage::find("english");
        QAbstractButton* row = makeRow(english.id, english.name, "EN", true, english.sample(),
                                       std::string("translated on this computer"), true, choices);
        list->addWidget(row);
        if (translation->unavailableReason) {
            dim(row);
            list->addWidget(infoLabel(QString::fromStdString(*translation->unavailableReason), choices));
        }
    }
    if (!nativeAvailable) {
        nativeNote_ = infoLabel(tr("Other scripts need a transcript made with Whisper in Hindi or Hinglish."), choices);
        list->addWidget(nativeNote_);
    }
    grid_ = new QWidget(choices);
    auto* grid = new QGridLayout(grid_);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    for (std::size_t i = 1; i < languages.size(); ++i) {
        const CaptionLanguage& l = languages[i];
        const int at = static_cast<int>(i - 1);
        grid->addWidget(makeRow(l.id, l.name, std::string(glyph(l.script)), l.script == CaptionScript::latin,
                                l.sample(), l.note, false, grid_),
                        at / 2, at % 2);
    }
    if (!nativeAvailable) dim(grid_);
    list->addWidget(grid_);
    if (scrollable) {
        auto* scroll = new QScrollArea(this);
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        scroll->setWidget(choices);
        column->addWidget(scroll, 1);
    } else {
        choices->setParent(this);
        column->addWidget(choices);
        column->addStretch(1);
    }
    column->addWidget(divider());
    footer_ = kit::label(translation ? tr("Scripts only change the writing. English translation changes the words, "
                                          "timed to what you say.")
                                     : tr("Only the writing changes. Your words stay the same, and English words stay "
                                          "in English."),
                         12, QFont::Normal, Theme::secondaryText, this);
    footer_->setWordWrap(true);
    footer_->setContentsMargins(20, 14, 20, 14);
    column->addWidget(footer_);
}

QAbstractButton* ScriptPicker::makeRow(const std::string& id, const std::string& name, const std::string& badge,
                                       bool latinScript, const std::string& sample,
                                       const std::optional<std::string>& note, bool wide, QWidget* parent)
{
    const bool selected = id == selection_;
    auto* row = new Row(selected, parent);
    row->setObjectName(QString::fromStdString(id));
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(12, 9, 12, 9);
    line->setSpacing(12);
    auto* disc = new QLabel(text(badge), row);
    disc->setAlignment(Qt::AlignCenter);
    QFont badgeFont = disc->font();
    badgeFont.setPointSizeF(latinScript ? 12 : 15);
    badgeFont.setWeight(QFont::DemiBold);
    disc->setFont(badgeFont);
    // A circle of 40 or 34, larger where large text makes the glyph wider.
    const int side = kit::badgeSide(*disc, wide ? 40 : 34);
    disc->setFixedSize(side, side);
    Appearances::setStyleSheet(disc, [selected, side] {
        return QStringLiteral("background: %1; color: %2; border-radius: %3px;")
            .arg(QColor(selected ? Theme::accent : Theme::muted).name(QColor::HexArgb),
                 QColor(selected ? Theme::onInk : Theme::ink).name(QColor::HexArgb))
            .arg(side / 2);
    });
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    // In a narrow column (large text) the sample and the note wrap.
    texts->addWidget(kit::wrapLabel(QString::fromStdString(sample), wide ? 17 : 14.5, QFont::DemiBold, Theme::ink, row));
    const QString detail = QString::fromStdString(name) + (note ? QStringLiteral(" \u00b7 ") + QString::fromStdString(*note) : QString());
    texts->addWidget(kit::wrapLabel(detail, 11.5, QFont::Normal, Theme::secondaryText, row));
    line->addWidget(disc);
    line->addLayout(texts, 1);
    if (selected) {
        auto* check = new QLabel(row);
        EditorIcons::show(check, "checkmark", Theme::ink, 12);
        line->addWidget(check);
    }
    for (QLabel* label : row->findChildren<QLabel*>()) label->setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(row, &QPushButton::clicked, this, [this, id] {
        if (onSelect_) onSelect_(id);
        accept();
    });
    return row;
}

QAbstractButton* ScriptPicker::row(const std::string& id) const
{
    return findChild<QAbstractButton*>(QString::fromStdString(id));
}

}  // namespace vt::ui
