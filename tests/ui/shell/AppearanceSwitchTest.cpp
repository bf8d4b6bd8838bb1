#include "app/AppTestSupport.h"

#include "app/AppSettings.h"
#include "editor/EditorModel.h"
#include "model/ProjectStore.h"
#include "support/TimedWords.h"
#include "support/Waits.h"
#include "ui/home/FormChooser.h"
#include "ui/shell/AppCommands.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/RootView.h"
#include "ui/theme/Theme.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QScrollArea>
#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace vt {
namespace {

using test::IsolatedHome;

// The visible label showing exactly `text` in the window, if any.
QLabel* shownLabel(QWidget& window, const QString& text)
{
    for (QLabel* label : window.findChildren<QLabel*>())
        if (label->isVisible() && label->text() == text) return label;
    return nullptr;
}

// How far the text in `area` of `widget` stands out from what is behind it
// as the window shows it: the largest difference in grey between any of its
// pixels and its most common one.
int textContrast(QWidget& window, const QWidget& widget, QRect area)
{
    const QImage shot = window.grab(area.translated(widget.mapTo(&window, QPoint(0, 0)))).toImage();
    std::map<QRgb, int> counts;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) ++counts[shot.pixel(x, y)];
    if (counts.empty()) return 0;
    const QRgb background = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
    int most = 0;
    for (const auto& [pixel, count] : counts) most = std::max(most, std::abs(qGray(pixel) - qGray(background)));
    return most;
}

int textContrast(QWidget& window, const QLabel& label) { return textContrast(window, label, label.rect()); }

// The text a widget shows in its own colours, if any.
QString shownText(const QWidget& widget)
{
    if (auto* label = qobject_cast<const QLabel*>(&widget)) return label->pixmap().isNull() ? label->text() : QString();
    if (auto* combo = qobject_cast<const QComboBox*>(&widget)) return combo->currentText();
    if (auto* button = qobject_cast<const QAbstractButton*>(&widget)) return button->text();
    return {};
}

// Every enabled text of the window that hardly stands out from what is
// behind it, with how far it does. Disabled controls are dimmed on purpose.
QStringList faintTexts(QWidget& window)
{
    QStringList faint;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        // Only what the window shows whole: not scrolled away nor cut off.
        if (!widget->isVisible() || !widget->isEnabled() || widget->width() < 4 || widget->height() < 4) continue;
        if (widget->visibleRegion().boundingRect() != widget->rect()) continue;
        const QString text = shownText(*widget).trimmed();
        if (text.isEmpty()) continue;
        const int contrast = textContrast(window, *widget, widget->rect());
        if (contrast < 40) faint << QStringLiteral("%1 (%2)").arg(text.left(40)).arg(contrast);
    }
    return faint;
}

struct Window {
    IsolatedHome home;
    std::unique_ptr<AppModel> app;
    std::unique_ptr<MainWindow> window;

    // `projects` are saved first, so the home screen lists them.
    explicit Window(const char* appearance, const std::vector<const char*>& projects = {})
    {
        AppSettings::set(AppSettings::appearanceKey, QString::fromLatin1(appearance));
        AppSettings::set("editorTipsSeen", true);
        for (const char* name : projects) talk(name);
        app = std::make_unique<AppModel>();
        window = std::make_unique<MainWindow>(*app);
        window->rootView()->setReduceMotion(true);
        window->show();
    }
    Project talk(const std::string& name = "Trip")
    {
        Project project;
        project.name = name;
        project.videoPath = test::makeClip(home.dir / (name + ".mp4"), std::nullopt, 4).string();
        project.sourceDuration = 4;
        double t = 0.2;
        for (const char* text : {"Coffee", "at", "home"}) {
            project.words.push_back(test::timedWord(text, t, t + 0.3));
            t += 0.5;
        }
        ProjectStore::save(project);
        return project;
    }
};

struct ScreenCase {
    const char* name;
    std::function<void(Window&)> enter;
    QStringList labels;  // shown once the screen is up
    std::vector<const char*> projects = {};
};

void openEditor(Window& w, std::optional<InspectorTab> tab = std::nullopt)
{
    w.app->finishOnboarding();
    w.app->open(w.talk());
    if (tab && test::waitFor([&] { return w.app->editor() != nullptr; })) w.app->editor()->setInspectorTab(*tab);
}

// Every screen built in one appearance and switched live to the other shows
// its text: the title, panel titles, "Transcript", the time readout, the
// chips, the inspector's tabs, the export panel and the card names stand
// out from what is behind them, both ways, as does every other text of the
// window.
TEST(AppearanceSwitch, EveryScreenRecoloursAtOnce)
{
    const std::vector<ScreenCase> screens{
        {"welcome", [](Window&) {}, {"Captions that make your videos"}},
        {"home", [](Window& w) { w.app->finishOnboarding(); }, {"Welcome to Vellumtide", "New project"}},
        {"home with projects",
         [](Window& w) { w.app->finishOnboarding(); },
         {"New project", "Continue editing", "Projects", "Coffee"},
         {"Coffee"}},
        {"processing", [](Window& w) { w.app->setScreen(Screen::processing); }, {"Captioning your video"}},
        {"editor", [](Window& w) { openEditor(w); }, {"Trip", "Transcript", "0:00", "Styles", "Captions look like"}},
        {"export panel",
         [](Window& w) { openEditor(w, InspectorTab::exportTab); },
         {"Export Settings", "INCLUDED", "Length", "Also save .srt subtitles", "BEFORE YOU POST"}},
        {"Shorts picker",
         [](Window& w) {
             w.app->finishOnboarding();
             w.app->findShorts(w.talk());
         },
         {"Shorts from this video", QString::fromUtf8("No 30–60 s moments")}},
    };
    for (const char* start : {"light", "dark"}) {
        const char* other = QByteArray(start) == "light" ? "Dark" : "Light";
        for (const ScreenCase& screen : screens) {
            SCOPED_TRACE(std::string(screen.name) + " built " + start + ", switched to " + other);
            Window w(start, screen.projects);
            screen.enter(w);
            // The screen is up before the switch, so it is the switch it follows.
            std::vector<QLabel*> labels;
            for (const QString& text : screen.labels) {
                QLabel* label = nullptr;
                ASSERT_TRUE(test::waitFor([&] { return (label = shownLabel(*w.window, text)); })) << text.toStdString();
                labels.push_back(label);
            }
            w.window->commands()->action(other)->trigger();
            for (QLabel* label : labels) {
                // A label further down a scrolled panel is brought into view,
                // so its pixels are the window's; bringing in the next may
                // scroll this one away again.
                for (QWidget* p = label->parentWidget(); p; p = p->parentWidget())
                    if (auto* area = qobject_cast<QScrollArea*>(p)) area->ensureWidgetVisible(label);
                // Waits out the screen's own fade-ins.
                int contrast = 0;
                EXPECT_TRUE(test::waitFor([&] { return (contrast = textContrast(*w.window, *label)) > 90; }))
                    << label->text().toStdString() << " stands out by " << contrast;
            }
            QStringList faint;
            EXPECT_TRUE(test::waitFor([&] { return (faint = faintTexts(*w.window)).isEmpty(); }))
                << faint.join(", ").toStdString();
            // The pickers' names, clear of their borders and chevrons.
            for (FormChooser* chooser : w.window->findChildren<FormChooser*>()) {
                if (!chooser->isVisible()) continue;
                const int contrast = textContrast(*w.window, *chooser, chooser->rect().adjusted(10, 4, -30, -4));
                EXPECT_GT(contrast, 90) << chooser->currentName().toStdString() << " stands out by " << contrast;
            }
        }
    }
}

}  // namespace
}  // namespace vt
