#pragma once

// Where FormResize puts the two charts: they share the client height left
// above the status bar, and their width follows the window's outer width.
struct TChartLayout {
    int height = 0;    // of each chart
    int chart2Top = 0; // the first chart stays at top 4
    int width = 0;     // of each chart
};

// Integer arithmetic as the window has always done it (truncating division).
// A window made so small that a size would fall below zero gets zero-sized
// charts instead of negative sizes, which the toolkit would reject.
TChartLayout ComputeChartLayout(int clientHeight, int statusBarHeight, int outerWidth,
                                int chartLeft);

// Start-up scaling of a size designed at 96 pixels per inch.
int ScaleToDpi(int size, int dpi);
