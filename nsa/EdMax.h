#pragma once

// The receive-height scan of the two-ray model: the largest field over the
// heights LowerLimit, LowerLimit + step, ... (a running sum) up to
// UpperLimit + 1e-7 m, in dB, and the height where it was first reached.
//
// Arguments: Freq in MHz, heights and distances in metres. ScanStep exactly 0
// selects DefaultScanStep(Freq). HeightOfMax is written only on a new maximum.
//
// Inputs that CheckScan refuses (they would loop forever or take the logarithm
// of the negative starting maximum) are not scanned: the result is NaN and
// HeightOfMax is left alone.

namespace nsa {

// Default receive-height step for a frequency; every threshold is a strict ">".
double DefaultScanStep(double Freq);

double EdMaxHorizontal(double Freq, double UpperLimit, double LowerLimit, double TransHeight,
                       double SepDist, double ScanStep, double& HeightOfMax);
double EdMaxVertical(double Freq, double UpperLimit, double LowerLimit, double TransHeight,
                     double SepDist, double ScanStep, double& HeightOfMax);

} // namespace nsa
