#include "ui/home/ScreenTitleBar.h"

#include "ui/theme/WindowChrome.h"

#include <QHBoxLayout>

namespace vt {

QWidget* screenTitleBar(QWidget* trailing, QWidget* parent)
{
    auto* brand = new QWidget(parent);
    auto* row = new QHBoxLayout(brand);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    row->addWidget(new BrandMark(20, brand));
    row->addWidget(new Wordmark(13.5, brand));
    return new TitleBar(brand, trailing, parent);
}

}  // namespace vt
