#pragma once

// Where an axis starts and ends and where its ticks go. Every scale this
// produces is finite, has max > min, an interval that advances a double
// (max - min spans at most a dozen intervals), and a label precision that
// tells the ticks apart, whatever the data: one value, equal ends, a span of
// a few ulps, values near the largest double.
struct TAxisScale {
    double min = 0;
    double max = 1;
    double anchor = 0; // one tick value; the others are anchor + k * interval
    double interval = 0.25;
    int precision = 6; // significant digits of the "%g" labels
};

// A data range [low, high] rounded out to ticks at 1, 2 or 5 times a power of
// ten, about five of them. Non-finite ends are ignored; with no finite end at
// all the scale is 0 to 1.
TAxisScale ScaleForData(double low, double high);

// A range the user chose (a zoom or a pan): kept as it is, only widened when
// it is narrower than the least span a double can show, with ticks inside.
TAxisScale ScaleForView(double low, double high);
