#pragma once
// The program's icon: a red question mark over a grey tiled square, 32 × 32,
// in the few plain colours of a 16-colour icon.

#include <QIcon>

QIcon MakeApplicationIcon();
