#pragma once
// The one Qt application a benchmark program needs for fonts and painting,
// on the offscreen platform unless the environment names another.

#include <QGuiApplication>

#include <cstdlib>

namespace vt::bench {

inline QGuiApplication& application()
{
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication instance(argc, argv);
    return instance;
}

}  // namespace vt::bench
