#pragma once

#include <QIcon>

namespace tavrello {

// The pocket calculator, drawn from its vector source at the sizes desktops ask for.
QIcon calculatorIcon();

} // namespace tavrello
