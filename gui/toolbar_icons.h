// Icons of the acquisition toolbar, drawn at start-up.
#pragma once

#include <QIcon>

namespace trindel::gui {

QIcon toolbarIcon(int button);
// The program's own icon (also written as the desktop icon).
QIcon programIcon();

}  // namespace trindel::gui
