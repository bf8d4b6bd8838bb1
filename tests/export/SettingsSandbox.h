#pragma once
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QSettings>

namespace vt::test {

// Points the user settings at a throw-away folder for one test.
class SettingsSandbox {
public:
    SettingsSandbox() : env_("XDG_CONFIG_HOME", dir_.path().string())
    {
        QCoreApplication::setOrganizationName("VellumtideTest");
        QCoreApplication::setApplicationName("ExportTests");
        QSettings().clear();
    }

private:
    test::TempDir dir_;
    test::ScopedEnv env_;
};

}  // namespace vt::test
