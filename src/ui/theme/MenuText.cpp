#include "ui/theme/MenuText.h"

namespace vt {

QString menuText(const QString& text)
{
    QString shown = text;
    return shown.replace(QLatin1Char('&'), QLatin1String("&&"));
}

}  // namespace vt
