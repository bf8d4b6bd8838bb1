#include "ui/editor/EditorIcons.h"

#include <QHash>
#include <QPixmap>
#include <QSvgRenderer>

namespace vt::ui::EditorIcons {
namespace {

// 24 × 24 drawings; "C" is replaced by the colour.
const QHash<QString, QString>& drawings()
{
    static const QHash<QString, QString> table{
        {"textformat", R"(<path d="M3 18 8 5l5 13M5 13h6M15 18l3-8 3 8M16 15.5h4" fill="none" stroke="C" stroke-width="2" stroke-linecap="round" stroke-linejoin="round"/>)"},
        {"slider.horizontal.3", R"(<path d="M3 6h18M3 12h18M3 18h18" stroke="C" stroke-width="2" stroke-linecap="round"/><circle cx="8" cy="6" r="2.5" fill="C"/><circle cx="16" cy="12" r="2.5" fill="C"/><circle cx="10" cy="18" r="2.5" fill="C"/>)"},
        {"mic.fill", R"(<rect x="8.5" y="2" width="7" height="12" rx="3.5" fill="C"/><path d="M5 11a7 7 0 0 0 14 0M12 18v4" fill="none" stroke="C" stroke-width="2" stroke-linecap="round"/>)"},
        {"wand.and.stars", R"(<path d="M4 20 15 9" stroke="C" stroke-width="2.2" stroke-linecap="round"/><path d="M17 2l1 2.5L20.5 5.5 18 6.5 17 9l-1-2.5-2.5-1 2.5-1zM7 3l.6 1.4L9 5l-1.4.6L7 7l-.6-1.4L5 5l1.4-.6z" fill="C"/>)"},
        {"rectangle.on.rectangle", R"(<rect x="7" y="3" width="14" height="11" rx="2" fill="none" stroke="C" stroke-width="2"/><path d="M4 8v10a2 2 0 0 0 2 2h11" fill="none" stroke="C" stroke-width="2" stroke-linecap="round"/>)"},
        {"sparkle", R"(<path d="M12 2c.8 5 2.5 7.2 8 8-5.5.8-7.2 3-8 10-.8-7-2.5-9.2-8-10 5.5-.8 7.2-3 8-8z" fill="C"/>)"},
        {"bolt.fill", R"(<path d="M13 2 4 14h7l-1 8 9-12h-7z" fill="C"/>)"},
        {"photo", R"(<rect x="3" y="4" width="18" height="16" rx="2" fill="none" stroke="C" stroke-width="2"/><path d="m5 18 5-6 4 4 2-2 3 4z" fill="C"/><circle cx="16" cy="9" r="1.8" fill="C"/>)"},
        {"paperplane", R"(<path d="M21 3 3 10.5l7 2.5 2.5 7z" fill="none" stroke="C" stroke-width="2" stroke-linejoin="round"/><path d="m10 13 11-10" stroke="C" stroke-width="2"/>)"},
        {"square.and.arrow.up", R"(<path d="M8 9H6v11h12V9h-2M12 15V3M8.5 6.5 12 3l3.5 3.5" fill="none" stroke="C" stroke-width="2" stroke-linecap="round" stroke-linejoin="round"/>)"},
        {"keyboard", R"(<rect x="2" y="6" width="20" height="13" rx="2" fill="none" stroke="C" stroke-width="2"/><path d="M6 10h1M10 10h1M14 10h1M18 10h0M6 13h1M10 13h1M14 13h1M8 16h8" stroke="C" stroke-width="2" stroke-linecap="round"/>)"},
        {"chevron.left", R"(<path d="M15 4 7 12l8 8" fill="none" stroke="C" stroke-width="2.6" stroke-linecap="round" stroke-linejoin="round"/>)"},
        {"arrow.uturn.backward", R"(<path d="M9 14 4 9l5-5M4 9h10a6 6 0 0 1 0 12h-3" fill="none" stroke="C" stroke-width="2" stroke-linecap="round" stroke-linejoin="round"/>)"},
        {"arrow.uturn.forward", R"(<path d="m15 14 5-5-5-5M20 9H10a6 6 0 0 0 0 12h3" fill="none" stroke="C" stroke-width="2" stroke-linecap="round" stroke-linejoin="round"/>)"},
        {"play.fill", R"(<path d="M7 4v16l13-8z" fill="C"/>)"},
        {"pause.fill", R"(<rect x="6" y="4" width="4" height="16" rx="1" fill="C"/><rect x="14" y="4" width="4" height="16" rx="1" fill="C"/>)"},
        {"questionmark.circle", R"(<circle cx="12" cy="12" r="9.5" fill="none" stroke="C" stroke-width="1.8"/><path d="M9.3 9.3a2.8 2.8 0 1 1 3.9 2.6c-.8.4-1.2 1-1.2 1.9v.6" fill="none" stroke="C" stroke-width="1.8" stroke-linecap="round"/><circle cx="12" cy="17.3" r="1.1" fill="C"/>)"},
        {"scissors", R"(<circle cx="6" cy="6" r="3" fill="none" stroke="C" stroke-width="2"/><circle cx="6" cy="18" r="3" fill="none" stroke="C" stroke-width="2"/><path d="M8.5 7.5 20 18M8.5 16.5 20 6" stroke="C" stroke-width="2" stroke-linecap="round"/>)"},
        {"hand.draw", R"(<path d="M2.5 20c2.5-4.5 5.5-7.5 9-9" fill="none" stroke="C" stroke-width="2" stroke-linecap="round" stroke-dasharray="2.5 3"/><rect x="13" y="2.5" width="3" height="11" rx="1.5" fill="C"/><rect x="11.5" y="9.5" width="10" height="11.5" rx="3.5" fill="C"/>)"},
        {"checkmark", R"(<path d="m4 12.5 5 5L20 6" fill="none" stroke="C" stroke-width="2.6" stroke-linecap="round" stroke-linejoin="round"/>)"},
        {"waveform.path", R"(<path d="M2 12h3l2-6 3 12 3-15 3 18 2-9h4" fill="none" stroke="C" stroke-width="2" stroke-linecap="round" stroke-linejoin="round"/>)"},
        {"waveform.slash", R"(<path d="M4 10v4M8 7v10M12 4v16M16 8v8M20 10v4" stroke="C" stroke-width="2" stroke-linecap="round"/><path d="m3 3 18 18" stroke="C" stroke-width="2" stroke-linecap="round"/>)"},
        {"ellipsis.circle", R"(<circle cx="12" cy="12" r="9.5" fill="none" stroke="C" stroke-width="1.8"/><circle cx="7.5" cy="12" r="1.4" fill="C"/><circle cx="12" cy="12" r="1.4" fill="C"/><circle cx="16.5" cy="12" r="1.4" fill="C"/>)"},
        {"text.alignleft", R"(<path d="M3 6h18M3 10h12M3 14h18M3 18h12" stroke="C" stroke-width="2" stroke-linecap="round"/>)"},
        {"captions.bubble", R"(<path d="M4 4h16a2 2 0 0 1 2 2v9a2 2 0 0 1-2 2h-9l-5 4v-4H4a2 2 0 0 1-2-2V6a2 2 0 0 1 2-2z" fill="none" stroke="C" stroke-width="2" stroke-linejoin="round"/><path d="M6 11h5M13 11h5M6 14h9" stroke="C" stroke-width="1.8" stroke-linecap="round"/>)"},
        {"rectangle.dashed", R"(<rect x="3" y="5" width="18" height="14" rx="2" fill="none" stroke="C" stroke-width="2" stroke-dasharray="3.5 2.5"/>)"},
        {"arrow.up.left.and.arrow.down.right", R"(<path d="M4 10V4h6M4 4l6 6M20 14v6h-6M20 20l-6-6" fill="none" stroke="C" stroke-width="2" stroke-linecap="round" stroke-linejoin="round"/>)"},
        {"arrow.down.right.and.arrow.up.left", R"(<path d="M4 10h6V4M10 10 3 3M20 14h-6v6M14 14l7 7" fill="none" stroke="C" stroke-width="2" stroke-linecap="round" stroke-linejoin="round"/>)"},
        {"gobackward.5", R"(<path d="M5 12a7 7 0 1 0 2.2-5.1M7 3v4h4" fill="none" stroke="C" stroke-width="2" stroke-linecap="round" stroke-linejoin="round"/><text x="12" y="15.5" font-size="8" font-family="sans-serif" font-weight="bold" text-anchor="middle" fill="C">5</text>)"},
        {"goforward.5", R"(<path d="M19 12a7 7 0 1 1-2.2-5.1M17 3v4h-4" fill="none" stroke="C" stroke-width="2" stroke-linecap="round" stroke-linejoin="round"/><text x="12" y="15.5" font-size="8" font-family="sans-serif" font-weight="bold" text-anchor="middle" fill="C">5</text>)"},
        {"minus", R"(<path d="M5 12h14" stroke="C" stroke-width="2.4" stroke-linecap="round"/>)"},
        {"plus", R"(<path d="M5 12h14M12 5v14" stroke="C" stroke-width="2.4" stroke-linecap="round"/>)"},
        {"character.cursor.ibeam", R"(<path d="M2 18 6 6l4 12M3.3 14h5.4M16 4h4M16 20h4M18 4v16" fill="none" stroke="C" stroke-width="2" stroke-linecap="round" stroke-linejoin="round"/>)"},
        {"ear", R"(<path d="M7 9a5 5 0 1 1 10 0c0 3-3 4-3 7a3 3 0 0 1-6 0M10 9a2 2 0 1 1 4 0" fill="none" stroke="C" stroke-width="2" stroke-linecap="round"/>)"},
        {"xmark", R"(<path d="M6 6l12 12M18 6 6 18" stroke="C" stroke-width="2.6" stroke-linecap="round"/>)"},
        {"info.circle", R"(<circle cx="12" cy="12" r="9.5" fill="none" stroke="C" stroke-width="1.8"/><path d="M12 11v6" stroke="C" stroke-width="2" stroke-linecap="round"/><circle cx="12" cy="7.5" r="1.2" fill="C"/>)"},
        {"minus.magnifyingglass", R"(<circle cx="10" cy="10" r="7" fill="none" stroke="C" stroke-width="2"/><path d="m15 15 6 6M7 10h6" stroke="C" stroke-width="2" stroke-linecap="round"/>)"},
        {"plus.magnifyingglass", R"(<circle cx="10" cy="10" r="7" fill="none" stroke="C" stroke-width="2"/><path d="m15 15 6 6M7 10h6M10 7v6" stroke="C" stroke-width="2" stroke-linecap="round"/>)"},
    };
    return table;
}

}  // namespace

bool has(const QString& name) { return drawings().contains(name); }

void draw(QPainter& painter, const QString& name, const QRectF& box, const QColor& color)
{
    const auto it = drawings().constFind(name);
    if (it == drawings().constEnd()) return;
    QString body = *it;
    body.replace("\"C\"", "\"" + color.name(QColor::HexRgb) + "\"");
    const QString svg = QStringLiteral(R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 24 24" opacity="%1">%2</svg>)")
                            .arg(color.alphaF())
                            .arg(body);
    QSvgRenderer renderer(svg.toUtf8());
    renderer.render(&painter, box);
}

QIcon icon(const QString& name, const QColor& color, int side)
{
    QPixmap pixmap(side * 2, side * 2);
    pixmap.fill(Qt::transparent);
    pixmap.setDevicePixelRatio(2);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter, name, QRectF(0, 0, side, side), color);
    return QIcon(pixmap);
}

}  // namespace vt::ui::EditorIcons
