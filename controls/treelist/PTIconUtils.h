#pragma once

#include <QIcon>

// An icon with an overlay (share, link) in its lower left quarter.
QIcon PTIconWithOverlay(const QIcon& icon, const QIcon& overlay, int size);
// The icon of an item in the cut state: drawn at half opacity.
QIcon PTDimmedIcon(const QIcon& icon, const QSize& size);
