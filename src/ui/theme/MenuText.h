#pragma once
// A text shown as a menu item or button title exactly as written: Qt takes
// "&" as the mark of a keyboard mnemonic, so "Black & White" would show as
// "Black _White". Doubling it shows the ampersand itself.

#include <QString>

namespace vt {

QString menuText(const QString& text);

}  // namespace vt
