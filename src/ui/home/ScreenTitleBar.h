#pragma once
// The title bar of the screens before the editor: the brand mark (20) and
// the wordmark (13.5) on the leading side, `trailing` (may be null) on the
// other.

class QWidget;

namespace vt {

QWidget* screenTitleBar(QWidget* trailing, QWidget* parent);

}  // namespace vt
