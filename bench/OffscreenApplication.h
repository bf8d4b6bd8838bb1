#pragma once
// The one Qt application a benchmark program needs for fonts and painting,
// on the offscreen platform unless the environment names another. It is
// made on the heap and never destroyed: an application destroyed among the
// static objects at exit runs after Qt's own font cache is gone, and crashes.

#include <QApplication>
#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace vt::bench {

inline QGuiApplication& application()
{
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static auto* instance = new QGuiApplication(argc, argv);
    return *instance;
}

// The application a benchmark of widgets needs, on the offscreen platform;
// kept to the end of the process, as widgets of a benchmark outlive no run.
inline QApplication& widgetApplication()
{
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static auto* app = new QApplication(argc, argv);
    return *app;
}

// The whole main() of a benchmark program that paints: the application
// first, then every benchmark the command line selects.
inline int runOffscreen(int argc, char** argv)
{
    application();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace vt::bench
