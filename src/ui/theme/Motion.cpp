#include "ui/theme/Motion.h"

#include <QProcess>
#include <QString>

#include <optional>

namespace vt::Motion {
namespace {

// The GNOME-family setting; a desktop without it animates.
bool desktopReducesMotion()
{
    QProcess gsettings;
    gsettings.start("gsettings", {"get", "org.gnome.desktop.interface", "enable-animations"});
    if (!gsettings.waitForFinished(500) || gsettings.exitCode() != 0) return false;
    return QString::fromUtf8(gsettings.readAllStandardOutput()).trimmed() == "false";
}

std::optional<bool>& state()
{
    static std::optional<bool> value;
    return value;
}

}  // namespace

bool reduced()
{
    if (!state()) state() = desktopReducesMotion();
    return *state();
}

void setReduced(bool value) { state() = value; }

}  // namespace vt::Motion
