#pragma once

#include <QIcon>

// The icon of an item in the cut state: drawn at half opacity.
QIcon PTDimmedIcon(const QIcon& icon, const QSize& size);
