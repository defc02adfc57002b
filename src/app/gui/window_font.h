#pragma once

#include <QFont>

namespace quillmere {

// The font the program's windows are laid out for: Tahoma, 8 point. Where
// Tahoma is missing, a similar sans-serif face stands in.
QFont WindowFont();

}  // namespace quillmere
