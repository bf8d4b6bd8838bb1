#include "ui/shell/ShortcutsSheet.h"

#include "ui/theme/TextFitting.h"
#include "ui/theme/Theme.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace vt {
namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QFont sized(qreal points, QFont::Weight weight = QFont::Normal)
{
    QFont font;
    font.setPointSizeF(points);
    font.setWeight(weight);
    return font;
}

QString css(const QColor& c) { return c.name(QColor::HexArgb); }

QWidget* keyRow(std::string_view key, std::string_view description)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    auto* slot = new QWidget;
    auto* slotLayout = new QVBoxLayout(slot);
    slotLayout->setContentsMargins(0, 0, 0, 0);
    slotLayout->setSpacing(0);
    // At least 96 wide, wider when a key cap needs it.
    slotLayout->addSpacerItem(new QSpacerItem(96, 0, QSizePolicy::Minimum, QSizePolicy::Fixed));
    auto* cap = new QLabel(qs(key));
    cap->setObjectName("keyCap");
    cap->setFont(sized(12, QFont::DemiBold));
    Appearances::setStyleSheet(cap, [] {
        return QString("color:%1; background:%2; border:1px solid %3; border-radius:5px; padding:2px 6px;")
            .arg(css(Theme::ink), css(Theme::muted), css(Theme::hairline));
    });
    slotLayout->addWidget(cap, 0, Qt::AlignLeft | Qt::AlignTop);
    auto* text = new QLabel(qs(description));
    text->setObjectName("keyDescription");
    text->setWordWrap(true);
    text->setFont(sized(12.5));
    layout->addWidget(slot, 0, Qt::AlignTop);
    layout->addWidget(text, 1, Qt::AlignTop);
    return row;
}

}  // namespace

const std::vector<ShortcutsSheet::Group>& ShortcutsSheet::groups()
{
    static const std::vector<Group> table{
        {"Play",
         {{"Space", "Play or pause"},
          {"J", "Play backward (or jump back 2 s)"},
          {"K", "Pause"},
          {"L", "Play forward \u2014 again for 2\u00d7, 4\u00d7"},
          {"Ctrl \u2190  /  Ctrl \u2192", "Go to the start / end"},
          {"\u2190 \u2192", "Step a frame on the timeline (Shift for a second)"},
          {"Shift+Ctrl+F", "Play full screen"}}},
        {"Edit",
         {{"Delete", "Cut the selected words from the video"},
          {"Return", "Retype the selected word"},
          {"Ctrl+B", "Emphasize the selected words"},
          {"Ctrl+Z  /  Shift+Ctrl+Z", "Undo / redo, everywhere"},
          {"Esc", "Let go of the selection"}}},
        {"Timeline",
         {{"Delete", "Remove the selected item"},
          {"Ctrl+D", "Duplicate it"},
          {"Ctrl+=  /  Ctrl+\u2212  /  Ctrl+0", "Zoom in / out / show everything"},
          {"Double-click", "A caption line to rewrite it; a volume line to add a point"}}},
        {"Windows",
         {{"Ctrl+1  Ctrl+2  Ctrl+3", "Transcript, subtitles, timeline"},
          {"Alt+Ctrl+1 \u2026 Alt+Ctrl+9", "The panels in the rail"},
          {"Shift+Ctrl+E", "Export"},
          {"Ctrl+O", "Open a video"},
          {"Ctrl+/", "This sheet"}}},
    };
    return table;
}

ShortcutsSheet::ShortcutsSheet(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Keyboard Shortcuts"));
    setFixedWidth(680);
    Appearances::setStyleSheet(this, [] {
        return QString("QDialog { background:%1; } QLabel { color:%2; }").arg(css(Theme::surface), css(Theme::ink));
    });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(22, 22, 22, 22);
    layout->setSpacing(16);

    auto* header = new QHBoxLayout;
    auto* title = new QLabel(tr("Keyboard Shortcuts"));
    title->setFont(sized(17, QFont::DemiBold));
    auto* done = new QPushButton(tr("Done"));
    done->setDefault(true);
    done->setAutoDefault(true);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    header->addWidget(title);
    header->addStretch(1);
    header->addWidget(done);
    layout->addLayout(header);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(18);
    int index = 0;
    for (const Group& group : groups()) {
        auto* cell = new QWidget;
        auto* column = new QVBoxLayout(cell);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(6);
        auto* heading = new QLabel(qs(group.title).toUpper());
        heading->setObjectName("groupTitle");
        QFont headingFont = sized(11, QFont::DemiBold);
        headingFont.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
        heading->setFont(headingFont);
        Appearances::setStyleSheet(heading, [] { return QString("color:%1;").arg(css(Theme::secondaryText)); });
        column->addWidget(heading);
        for (const auto& [key, description] : group.keys) column->addWidget(keyRow(key, description));
        column->addStretch(1);
        // The cell takes its column's whole width: wrapped descriptions are
        // then as tall as the grid reckons them.
        grid->addWidget(cell, index / 2, index % 2, Qt::AlignTop);
        ++index;
    }
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);

    auto* footer = new QLabel(tr("Space, J, K, L and Delete work wherever the keyboard focus is, except while you type in a text field."));
    footer->setWordWrap(true);
    footer->setFont(sized(11.5));
    Appearances::setStyleSheet(footer, [] { return QString("color:%1;").arg(css(Theme::secondaryText)); });
    layout->addWidget(footer);
}

void ShortcutsSheet::showEvent(QShowEvent* event)
{
    // 680 wide, or wider where large text makes a key cap need it.
    setFixedWidth(std::max(680, layout()->totalMinimumSize().width()));
    fitHeightToWidth(*this);
    QDialog::showEvent(event);
}

}  // namespace vt
