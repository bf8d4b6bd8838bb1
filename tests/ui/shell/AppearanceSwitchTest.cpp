#include "app/AppTestSupport.h"

#include "app/AppSettings.h"
#include "model/ProjectStore.h"
#include "ui/home/FormChooser.h"
#include "ui/shell/AppCommands.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/RootView.h"
#include "ui/theme/Theme.h"

#include <QAction>
#include <QLabel>
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
            Word w;
            w.id = Uuid::random();
            w.text = text;
            w.start = t;
            w.end = t + 0.3;
            project.words.push_back(w);
            t += 0.5;
        }
        ProjectStore::save(project);
        return project;
    }
};

struct ScreenCase {
    const char* name;
    std::function<void(Window&)> enter;
    QStringList labels;
    std::vector<const char*> projects = {};
};

// Every screen built in one appearance and switched live to the other shows
// its text: the title, panel titles, the time readout and the card names
// stand out from what is behind them, both ways.
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
        {"editor",
         [](Window& w) {
             w.app->finishOnboarding();
             w.app->open(w.talk());
         },
         {"Trip", "Transcript", "0:00", "Styles", "Captions look like"}},
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
            QTest::qWait(50);
            w.window->commands()->action(other)->trigger();
            for (const QString& text : screen.labels) {
                QLabel* label = nullptr;
                ASSERT_TRUE(QTest::qWaitFor([&] { return (label = shownLabel(*w.window, text)); })) << text.toStdString();
                // Waits out the screen's own fade-ins.
                int contrast = 0;
                EXPECT_TRUE(QTest::qWaitFor([&] { return (contrast = textContrast(*w.window, *label)) > 90; }, 5000))
                    << text.toStdString() << " stands out by " << contrast;
            }
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
