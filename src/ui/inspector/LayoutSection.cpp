#include "ui/inspector/LayoutSection.h"

#include "ui/inspector/InspectorRow.h"
#include "ui/inspector/OptionalColorRow.h"
#include "ui/inspector/StyleEditorView.h"

#include <QLabel>
#include <QLineEdit>

#include <cmath>
#include <optional>

namespace vt::ui {

namespace {

using Options = LookRows::Options<std::string>;

template <class E>
std::string rawName(const std::optional<E>& value)
{
    return value ? std::string(json::enumText(*value)) : std::string();
}

template <class E>
std::optional<E> fromRawName(const std::string& raw)
{
    for (const auto& [value, text] : enumCases(E{}))
        if (text == raw) return value;
    return std::nullopt;
}

std::vector<CaptionLayout> poolLayouts(std::size_t pool)
{
    const auto& layouts = kLayoutPools[pool].layouts;
    return {layouts.begin(), layouts.end()};
}

// The pool whose list equals the look's (absent compared as empty), from 1;
// else 0 for no list and -1 for a list of the user's own.
int rotationIndex(const CaptionStyle& look)
{
    const std::vector<CaptionLayout> mine = look.layouts.value_or(std::vector<CaptionLayout>{});
    for (std::size_t i = 0; i < kLayoutPools.size(); ++i)
        if (poolLayouts(i) == mine) return static_cast<int>(i) + 1;
    return mine.empty() ? 0 : -1;
}

RGBA defaultBar(CaptionContainer shape)
{
    switch (shape) {
    case CaptionContainer::chatRight: return RGBA::fromHex("0A84FF");
    case CaptionContainer::chatLeft: return RGBA::fromHex("E9E9EB");
    case CaptionContainer::notification: return {0.96, 0.96, 0.97, 0.94};
    }
    return RGBA::fromHex("0A84FF");
}

QString shapeLabel(CaptionContainer shape)
{
    switch (shape) {
    case CaptionContainer::chatRight: return QStringLiteral("Chat bubble (sent)");
    case CaptionContainer::chatLeft: return QStringLiteral("Chat bubble (received)");
    case CaptionContainer::notification: return QStringLiteral("Notification");
    }
    return {};
}

bool isChat(const CaptionStyle& look)
{
    return look.container == CaptionContainer::chatRight || look.container == CaptionContainer::chatLeft;
}

}  // namespace

LayoutSection::LayoutSection(DisclosureGroup& group, StyleEdits& edits, QWidget* parent)
    : LookSection(StyleEditorView::sectionID(StyleEditorView::Section::layout), QStringLiteral("Layout"),
                  QStringLiteral("▦"), group, edits, &LayoutSection::summary, parent)
{
    rows_.value(QStringLiteral("Position"), edits.field(&CaptionStyle::verticalPosition),
                LookRows::span(0.08, 0.92, 1, 0, QStringLiteral("%"), 100));
    rows_.value(QStringLiteral("Tilt"), edits.field(&CaptionStyle::rotation), LookRows::span(-12, 12, 0.5, 1, QStringLiteral("°")));
    const ValueRow::Options count = LookRows::span(1, 10, 1, 0, QString(), 1, false);
    rows_.value(QStringLiteral("Words per caption"), StyleEditorView::intBinding(edits, &CaptionStyle::maxWordsPerGroup),
                count);
    rows_.value(QStringLiteral("Words per line"), StyleEditorView::intBinding(edits, &CaptionStyle::maxWordsPerLine),
                count);

    LookRows::Options<int> sizes;
    const auto& table = StyleEditorView::lineSizeOptions();
    for (std::size_t i = 0; i < table.size(); ++i) sizes.emplace_back(QString::fromUtf8(table[i].label), int(i));
    Binding<int> sizeIndex{[&edits, &table] {
                               const auto mine = edits.look().lineScales.value_or(std::vector<double>{});
                               for (std::size_t i = 0; i < table.size(); ++i)
                                   if (table[i].scales == mine) return static_cast<int>(i);
                               return 0;
                           },
                           [&edits, &table](const int& i) {
                               const auto& scales = table[static_cast<std::size_t>(i)].scales;
                               edits.write(&CaptionStyle::lineScales,
                                           scales.empty() ? std::nullopt : std::optional(scales));
                           }};
    rows_.menu(QStringLiteral("Line sizes"), sizes, sizeIndex);

    std::function<LookRows::Options<int>()> rotations = [&edits] {
        LookRows::Options<int> out{{QStringLiteral("Off"), 0}};
        for (std::size_t i = 0; i < kLayoutPools.size(); ++i)
            out.emplace_back(QString::fromUtf8(kLayoutPools[i].label.data(), kLayoutPools[i].label.size()), int(i) + 1);
        if (rotationIndex(edits.look()) == -1) out.emplace_back(QStringLiteral("Custom"), -1);
        return out;
    };
    Binding<int> rotation{[&edits] { return rotationIndex(edits.look()); },
                          [&edits](const int& k) {
                              if (k == 0) edits.write(&CaptionStyle::layouts, std::optional<std::vector<CaptionLayout>>());
                              if (k >= 1)
                                  edits.write(&CaptionStyle::layouts,
                                              std::optional(poolLayouts(static_cast<std::size_t>(k - 1))));
                          }};
    rows_.menu<int>(QStringLiteral("Layout rotation"), rotations, rotation);

    const auto rotating = [](const CaptionStyle& s) { return s.layouts.has_value(); };
    rows_.note([](const CaptionStyle&) {
        return QStringLiteral("Each caption takes the next layout, so the video never settles into one shape.");
    }, rotating);
    const Options freeform{{QStringLiteral("Off (lines)"), ""},
                           {QStringLiteral("Spotlight"), "spotlight"},
                           {QStringLiteral("Side word (left)"), "sideLeft"},
                           {QStringLiteral("Side word (right)"), "sideRight"},
                           {QStringLiteral("Stagger"), "stagger"}};
    rows_.menu<std::string>(
        QStringLiteral("Free-form"), freeform,
        {[&edits] { return rawName(edits.look().freeform); },
         [&edits](const std::string& raw) { edits.write(&CaptionStyle::freeform, fromRawName<FreeformLayout>(raw)); }},
        [](const CaptionStyle& s) { return !s.layouts; });

    const Options shapes{{QStringLiteral("None"), ""},
                         {shapeLabel(CaptionContainer::chatRight), "chatRight"},
                         {shapeLabel(CaptionContainer::chatLeft), "chatLeft"},
                         {shapeLabel(CaptionContainer::notification), "notification"}};
    rows_.menu<std::string>(QStringLiteral("Shape"), shapes,
                            {[&edits] { return rawName(edits.look().container); },
                             [&edits](const std::string& raw) {
                                 const auto shape = fromRawName<CaptionContainer>(raw);
                                 // A new shape gets its own colour unless the look has one.
                                 edits.write(&CaptionStyle::container, shape);
                                 if (shape && !edits.look().barColor)
                                     edits.write(&CaptionStyle::barColor, std::optional(defaultBar(*shape)));
                             }});

    const auto shaped = [](const CaptionStyle& s) { return s.container.has_value(); };
    auto* bar = new OptionalColorRow(QStringLiteral("Bubble color"), edits.field(&CaptionStyle::barColor),
                                     RGBA::fromHex("0A84FF"));
    rows_.add(bar, shaped, [bar, &edits] {
        const bool card = edits.look().container == CaptionContainer::notification;
        bar->titleLabel()->setText(card ? QStringLiteral("Card color") : QStringLiteral("Bubble color"));
        bar->refresh();
    });
    rows_.toggle(QStringLiteral("Keep earlier messages"),
                 {[&edits] { return edits.look().chatThread.value_or(false); },
                  [&edits](const bool& on) { edits.write(&CaptionStyle::chatThread, std::optional(on)); }},
                 QStringLiteral("Show the conversation as a thread"), isChat);
    const auto card = [](const CaptionStyle& s) { return s.container == CaptionContainer::notification; };
    const LookRows::Options<NotificationApp> apps{
        {QStringLiteral("Messages"), NotificationApp::messages}, {QStringLiteral("Chat"), NotificationApp::chat},
        {QStringLiteral("Social"), NotificationApp::social},     {QStringLiteral("Direct"), NotificationApp::direct},
        {QStringLiteral("Mail"), NotificationApp::mail},         {QStringLiteral("Phone"), NotificationApp::phone},
        {QStringLiteral("Reminder"), NotificationApp::reminder}};
    rows_.menu<NotificationApp>(
        QStringLiteral("App"), apps,
        {[&edits] { return edits.look().notificationApp.value_or(NotificationApp::messages); },
         [&edits](const NotificationApp& app) { edits.write(&CaptionStyle::notificationApp, std::optional(app)); }},
        card);
    auto* title = new QLineEdit;
    title->setPlaceholderText(QStringLiteral("Your @handle"));
    title->setFixedWidth(150);
    title->setAccessibleName(QStringLiteral("Title"));
    QObject::connect(title, &QLineEdit::textEdited, title, [&edits](const QString& text) {
        edits.write(&CaptionStyle::notificationTitle, text.isEmpty() ? std::nullopt : std::optional(text.toStdString()));
    });
    rows_.add(new InspectorRow(QStringLiteral("Title"), {}, title), card, [title, &edits] {
        const QString stored = QString::fromStdString(edits.look().notificationTitle.value_or(std::string()));
        if (title->text() != stored) title->setText(stored);
    });

    rows_.toggle(QStringLiteral("Behind the speaker"), edits.field(&CaptionStyle::behindSubject));
    rows_.note([](const CaptionStyle&) {
        return QStringLiteral("Uses on-device person segmentation. Works best with big text placed up high.");
    }, [](const CaptionStyle& s) { return s.behindSubject; });
}

QString LayoutSection::summary(const CaptionStyle& look)
{
    // Rounded half away from zero; + 0.0 keeps "-0" out.
    QStringList parts{StyleEditorView::fmt(std::round(look.verticalPosition * 100) + 0.0, 0) + QStringLiteral("% down")};
    if (look.rotation != 0) parts << StyleEditorView::fmt(look.rotation, 1) + QStringLiteral("°");
    if (look.container) parts << shapeLabel(*look.container);
    if (look.behindSubject) parts << QStringLiteral("behind");
    return parts.join(QStringLiteral(" · "));
}

}  // namespace vt::ui
