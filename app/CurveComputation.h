#pragma once

#include "nsa/NSAData.h"

#include <cstdint>
#include <vector>

class QWidget;

enum class ComputeOutcome { Done, Cancelled, Refused };

// Computes the sequences of every curve, in order. When the whole job costs
// more than progressThreshold field evaluations it runs on a worker thread
// behind a modal progress dialog with a Cancel button; smaller jobs run here
// without any extra window. Done only when every curve is complete; on any
// other outcome the curves are to be discarded.
//
// Only called on the user-interface thread.
ComputeOutcome ComputeCurves(QWidget* parent, std::vector<nsa::TNSAData>& curves,
                             std::int64_t progressThreshold);
