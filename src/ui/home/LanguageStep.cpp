#include "ui/home/LanguageStep.h"

#include "speech/Locales.h"

#include "app/AppModel.h"
#include "app/AppSettings.h"
#include "speech/WhisperLanguage.h"
#include "ui/home/OnboardingFooter.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/PanelCard.h"
#include "ui/inspector/RowDivider.h"
#include "ui/theme/Theme.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace vt {

namespace {

struct Answer {
    const char* title;
    const char* subtitle;
    const char* badge;
    const char* engine;
};

const Answer& answer(LanguageStep::Choice choice)
{
    static const std::array<Answer, 4> answers{{
        {"English", "Fast, built into this computer", "Aa", displayName(TranscriptionEngine::apple).data()},
        {"Hinglish", "Hindi + English mix, in English letters", "Hi", "Whisper"},
        {"\u0939\u093F\u0902\u0926\u0940 Hindi", "Captions in Devanagari, or any Indian script", "\u0905", "Whisper"},
        {"Another language", "Marathi, Tamil, Bengali, Spanish and 15+ more", "\U0001F310", "Whisper"},
    }};
    return answers[int(choice)];
}

bool isMenuExcluded(const std::string& id) { return id == "hinglish" || id == "hindi" || id == "en"; }

// An answer: badge, title and subtitle, engine tag and mark.
class AnswerRow : public QPushButton {
public:
    AnswerRow(const Answer& a, QWidget* parent) : QPushButton(parent)
    {
        setCheckable(true);
        setFlat(true);
        setCursor(Qt::PointingHandCursor);
        setAccessibleName(QString::fromUtf8(a.title) + QStringLiteral(", ") + QString::fromUtf8(a.subtitle));
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(14, 10, 14, 10);
        row->setSpacing(12);
        badge_ = ui::kit::label(QString::fromUtf8(a.badge), 13.5, QFont::DemiBold, Theme::ink, this);
        // 34 across, more where large text makes the badge's text wider.
        badgeSide_ = ui::kit::badgeSide(*badge_, 34);
        badge_->setFixedSize(badgeSide_, badgeSide_);
        badge_->setAlignment(Qt::AlignCenter);
        row->addWidget(badge_);
        auto* titles = new QVBoxLayout;
        titles->setSpacing(2);
        titles->addWidget(ui::kit::label(QString::fromUtf8(a.title), 14, QFont::DemiBold, Theme::ink, this));
        titles->addWidget(ui::kit::label(QString::fromUtf8(a.subtitle), 12, QFont::Normal, Theme::secondaryText, this));
        row->addLayout(titles);
        row->addStretch(1);
        row->addWidget(ui::kit::label(QString::fromUtf8(a.engine), 11, QFont::Normal, Theme::secondaryText, this));
        mark_ = ui::kit::label(QString(), 17, QFont::Normal, Theme::secondaryText, this);
        row->addWidget(mark_);
        for (QLabel* label : findChildren<QLabel*>()) label->setAttribute(Qt::WA_TransparentForMouseEvents);
        connect(this, &QPushButton::toggled, this, [this] { restyle(); });
        Appearances::follow(this, [this] { restyle(); });
    }

    // At least 64 high, and as tall as its two lines of text need in the
    // font at hand (a push button otherwise sizes itself for its own text).
    QSize sizeHint() const override { return layout()->totalSizeHint().expandedTo({0, 64}); }
    QSize minimumSizeHint() const override { return layout()->totalMinimumSize().expandedTo({0, 64}); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!isChecked()) return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(Theme::selected));
        painter.drawRoundedRect(QRectF(rect()).adjusted(4, 0, -4, 0), 8, 8);
    }

private:
    void restyle()
    {
        const bool on = isChecked();
        badge_->setStyleSheet(QStringLiteral("QLabel { color: %1; background: %2; border-radius: %3px; }")
                                  .arg(QColor(on ? Theme::onInk : Theme::ink).name(), QColor(on ? Theme::accent : Theme::muted).name(QColor::HexArgb))
                                  .arg(badgeSide_ / 2));
        mark_->setText(on ? QStringLiteral("\u25C9") : QStringLiteral("\u25CB"));
        ui::kit::setTextColour(mark_, on ? Theme::ink : Theme::secondaryText);
    }

    QLabel* badge_;
    int badgeSide_ = 34;
    QLabel* mark_;
};

}  // namespace

std::optional<std::string> LanguageStep::englishLocale(const std::vector<std::string>& locales, const std::string& current)
{
    const std::string wanted = locales::normalised(current);
    for (const auto& id : locales)
        if (locales::normalised(id) == wanted && wanted.rfind("en", 0) == 0) return id;
    for (const auto& id : locales)
        if (locales::normalised(id) == "en-US") return id;
    return std::nullopt;
}

std::vector<std::string> LanguageStep::menuIDs(const std::string& current)
{
    std::vector<std::string> ids;
    for (const auto& row : WhisperLanguage::all())
        if (!isMenuExcluded(row.id)) ids.push_back(row.id);
    if (isMenuExcluded(current)) ids.push_back(current);
    return ids;
}

LanguageStep::LanguageStep(AppModel& app, std::function<void()> back, std::function<void()> next, std::optional<Choice> preview, QWidget* parent)
    : QWidget(parent), app_(app)
{
    QVBoxLayout* content = stepColumn(*this, 22, tr("What do you speak in your videos?"),
                                      tr("This picks the right transcription engine. You can change it anytime on the home screen."));

    auto* list = new ui::PanelCard(12, this);
    auto* rows = new QVBoxLayout(list);
    rows->setContentsMargins(0, 4, 0, 4);
    rows->setSpacing(0);
    // At least 560 wide, wider when large text needs it.
    rows->addSpacerItem(new QSpacerItem(560, 0, QSizePolicy::Minimum, QSizePolicy::Fixed));
    for (Choice c : choices) {
        if (c != Choice::english) rows->addWidget(new ui::RowDivider(list));
        rows_[int(c)] = new AnswerRow(answer(c), list);
        connect(rows_[int(c)], &QPushButton::clicked, this, [this, c] { select(c); });
        rows->addWidget(rows_[int(c)]);
    }
    content->addWidget(list, 0, Qt::AlignHCenter);

    auto* extras = new QWidget(this);
    extras->setMinimumHeight(60);
    auto* extrasColumn = new QVBoxLayout(extras);
    extrasColumn->setContentsMargins(0, 0, 0, 0);
    extrasColumn->setSpacing(12);
    extrasColumn->setAlignment(Qt::AlignTop);  // each row centres itself

    menuRow_ = new QWidget(extras);
    auto* menuLayout = new QHBoxLayout(menuRow_);
    menuLayout->setContentsMargins(0, 0, 0, 0);
    menuLayout->setSpacing(10);
    menuLayout->addWidget(ui::kit::label(tr("Language"), 13, QFont::Normal, Theme::secondaryText, menuRow_));
    menu_ = new QComboBox(menuRow_);
    menu_->setAccessibleName(tr("Language"));
    connect(menu_, &QComboBox::activated, this, [this](int index) { app_.setWhisperLanguageID(menu_->itemData(index).toString().toStdString()); });
    menuLayout->addWidget(menu_);
    extrasColumn->addWidget(menuRow_, 0, Qt::AlignHCenter);

    scriptRow_ = new QWidget(extras);
    auto* scriptLayout = new QHBoxLayout(scriptRow_);
    scriptLayout->setContentsMargins(0, 0, 0, 0);
    scriptLayout->setSpacing(10);
    scriptLayout->addWidget(ui::kit::label(tr("Captions in"), 13, QFont::Normal, Theme::secondaryText, scriptRow_));
    auto* segments = new QHBoxLayout;
    segments->setSpacing(0);
    const std::array<std::pair<const char*, const char*>, 2> scriptTags{{{"English letters", "latin"}, {"\u0939\u093F\u0902\u0926\u0940", "hindi"}}};
    for (int i = 0; i < 2; ++i) {
        scripts_[i] = new QPushButton(QString::fromUtf8(scriptTags[i].first), scriptRow_);
        scripts_[i]->setCheckable(true);
        scripts_[i]->setFixedWidth(120);
        segments->addWidget(scripts_[i]);
        connect(scripts_[i], &QPushButton::clicked, this, [this, tag = scriptTags[i].second] { app_.setCaptionLanguageID(tag); });
    }
    scriptLayout->addLayout(segments);
    extrasColumn->addWidget(scriptRow_, 0, Qt::AlignHCenter);

    ready_ = ui::kit::label(QStringLiteral("\u2714 ") + tr("Whisper model ready · on this computer"), 12.5, QFont::Medium, Theme::secondaryText,
                            extras);
    extrasColumn->addWidget(ready_, 0, Qt::AlignHCenter);
    download_ = new ui::PanelCard(12, extras);
    auto* card = new QVBoxLayout(download_);
    card->setContentsMargins(14, 14, 14, 14);
    card->setSpacing(6);
    // At least 320 wide, wider when its heading needs it.
    card->addSpacerItem(new QSpacerItem(320 - 2 * 14, 0, QSizePolicy::Minimum, QSizePolicy::Fixed));
    auto* head = new QHBoxLayout;
    head->addWidget(ui::kit::label(tr("Downloading Whisper model"), 12.5, QFont::Medium, Theme::ink, download_));
    head->addStretch(1);
    percent_ = ui::kit::label(QString(), 11.5, QFont::Normal, Theme::secondaryText, download_);
    head->addWidget(percent_);
    card->addLayout(head);
    bar_ = new QProgressBar(download_);
    bar_->setRange(0, 1000);
    bar_->setTextVisible(false);
    bar_->setFixedHeight(6);
    card->addWidget(bar_);
    auto* keepsGoing = ui::kit::label(tr("Keeps going in the background, and it's only needed once."), 11, QFont::Normal, Theme::secondaryText,
                                      download_);
    keepsGoing->setWordWrap(true);
    card->addWidget(keepsGoing);
    // Centred between stretches rather than by alignment, so the card's
    // wrapped note gets the height it needs at the card's own width.
    auto* centred = new QHBoxLayout;
    centred->addStretch(1);
    centred->addWidget(download_);
    centred->addStretch(1);
    extrasColumn->addLayout(centred);
    content->addWidget(extras);
    content->addStretch(1);

    footer_ = new OnboardingFooter(1, std::move(back), std::nullopt, OnboardingFooter::Primary{QStringLiteral("Continue"), false, std::move(next)},
                                   this);
    layout()->addWidget(footer_);

    for (auto signal : {&AppModel::whisperLanguageIDChanged, &AppModel::captionLanguageIDChanged, &AppModel::whisperInstalledChanged,
                        &AppModel::modelDownloadProgressChanged})
        connect(&app, signal, this, &LanguageStep::refresh);
    // Coming on screen selects a row without applying it.
    choice_ = preview ? preview : currentChoice();
    refresh();
}

std::optional<LanguageStep::Choice> LanguageStep::currentChoice() const
{
    if (!AppSettings::boolean(AppSettings::hasOnboardedKey)) return std::nullopt;
    if (app_.engine() == TranscriptionEngine::apple) return Choice::english;
    const std::string& id = app_.whisperLanguageID();
    if (id == "hinglish") return Choice::hinglish;
    if (id == "hindi") return Choice::hindi;
    return Choice::other;
}

void LanguageStep::select(Choice choice)
{
    choice_ = choice;
    switch (choice) {
    case Choice::english: {
        app_.setEngine(TranscriptionEngine::apple);
        app_.setCaptionLanguageID("latin");
        if (const auto locale = englishLocale(app_.locales(), QLocale::system().name().toStdString())) app_.setLocaleID(*locale);
        refresh();
        return;
    }
    case Choice::hinglish:
        app_.setEngine(TranscriptionEngine::whisper);
        app_.setWhisperLanguageID("hinglish");
        app_.setCaptionLanguageID("latin");
        break;
    case Choice::hindi:
        app_.setEngine(TranscriptionEngine::whisper);
        app_.setWhisperLanguageID("hindi");
        app_.setCaptionLanguageID("hindi");
        break;
    case Choice::other: {
        app_.setEngine(TranscriptionEngine::whisper);
        const std::string current = app_.whisperLanguageID();
        app_.setWhisperLanguageID(isMenuExcluded(current) ? "auto" : current);
        app_.setCaptionLanguageID("latin");
        break;
    }
    }
    app_.downloadWhisperModel();
    refresh();
}

void LanguageStep::refresh()
{
    for (Choice c : choices) rows_[int(c)]->setChecked(choice_ == c);
    footer_->setPrimaryEnabled(choice_.has_value());
    const bool whisperAnswer = choice_ && *choice_ != Choice::english;
    menuRow_->setVisible(choice_ == Choice::other);
    scriptRow_->setVisible(choice_ == Choice::hinglish || choice_ == Choice::hindi);

    // Download progress refreshes the step many times a second while the menu
    // may be open: its items are rebuilt only when they change.
    const auto ids = menuIDs(app_.whisperLanguageID());
    bool same = menu_->count() == int(ids.size());
    for (int i = 0; same && i < menu_->count(); ++i) same = menu_->itemData(i).toString().toStdString() == ids[std::size_t(i)];
    if (!same) {
        menu_->clear();
        for (const auto& id : ids) menu_->addItem(QString::fromStdString(WhisperLanguage::find(id).name), QString::fromStdString(id));
    }
    const int current = menu_->findData(QString::fromStdString(app_.whisperLanguageID()));
    if (menu_->currentIndex() != current) menu_->setCurrentIndex(current);
    const std::string& script = app_.captionLanguageID();
    scripts_[0]->setChecked(script == "latin");
    scripts_[1]->setChecked(script == "hindi");

    const auto progress = app_.modelDownloadProgress();
    ready_->setVisible(whisperAnswer && app_.whisperInstalled());
    download_->setVisible(whisperAnswer && !app_.whisperInstalled() && progress.has_value());
    if (progress) {
        const double p = std::clamp(*progress, 0.0, 1.0);
        percent_->setText(tr("%1% of %2").arg(static_cast<long long>(std::trunc(p * 100))).arg(QStringLiteral("574 MB")));
        bar_->setValue(int(std::lround(p * 1000)));
    }
}

}  // namespace vt
