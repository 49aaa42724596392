#pragma once

#include <QPixmap>

// The 225 x 77 picture of the credits block and the about box: a transmit
// antenna and a receive mast over a ground plane, with the direct ray, the
// ray reflected by the ground and the receive height scan.
QPixmap CreditsPicture();
