#pragma once

#include <QRect>
#include <QSize>

// The Open/Save form's designed geometry and the arithmetic that places its
// controls. Bounds are designed at 96 dpi for a font 13 pixels high and
// scaled by one factor (DesignScale), so labels and buttons grow with the
// screen's dpi and the user's font alike.
namespace FrmOpenDlgLayout
{

// Designed client size and the smallest size the user may make the form.
inline constexpr QSize kDesignClient{451, 265};
inline constexpr QSize kMinimumSize{459, 274};
// The height of the designed font in pixels.
inline constexpr int kDesignFontHeight = 13;

// Designed bounds (left, top, width, height), relative to the parent.
inline constexpr QRect kLookInTxt{8, 8, 38, 13};
inline constexpr QRect kShellCombo{72, 4, 193, 22};
inline constexpr QRect kUpOneLevelBtn{272, 4, 23, 22};
inline constexpr QRect kShowDesktopBtn{304, 4, 23, 22};
inline constexpr QRect kCreateNewFolderBtn{336, 4, 23, 22};
inline constexpr QRect kShowTreeBtn{368, 4, 23, 23};
inline constexpr QRect kListBtn{400, 4, 23, 22};
inline constexpr QRect kDetailsBtn{423, 4, 23, 22};
inline constexpr QRect kPanel1{0, 181, 451, 84};
inline constexpr QRect kFileNameTxt{8, 10, 48, 13};
inline constexpr QRect kFilesOfTypeTxt{8, 38, 59, 13};
inline constexpr QRect kFileTypesCbx{88, 34, 277, 21};
inline constexpr QRect kFileNameEdt{88, 6, 277, 21};
inline constexpr QRect kOpenBtn{372, 4, 75, 23};
inline constexpr QRect kCancelBtn{372, 32, 75, 23};
inline constexpr QRect kHelpBtn{372, 60, 75, 23};
inline constexpr QRect kReadOnlyChk{88, 60, 233, 17};
inline constexpr QRect kSplitterContainer{2, 30, 447, 153};
inline constexpr int kSplitterPosition = 141;
inline constexpr int kSplitterWidth = 5;
inline constexpr int kTreePaneMinSize = 4;
inline constexpr int kListPaneMinSize = 60;
// The tree pane's width when the tree is opened from collapsed.
inline constexpr int kOpenedTreeWidth = 200;
// A tree pane narrower than this shows nothing one can read or click.
inline constexpr int kUsableTreeWidth = 40;
inline constexpr int kSizeGrip = 13;

// The factor from designed pixels to the screen's: the font's height over
// the designed one, never below 1 (the design is the smallest layout).
double DesignScale(int fontHeightPx);
int Scale(int length, double scale);
// Scales the edges, not the size, so controls that touch in the design
// still touch.
QRect ScaleBounds(const QRect& designed, double scale);

// Where resizing puts the controls that follow the form's size.
struct TFormResize {
    QRect splitterContainer; // between the toolbar and the bottom panel
    int buttonLeft = 0;      // OpenBtn, CancelBtn, HelpBtn
    int editWidth = 0;       // FileNameEdt, FileTypesCbx, FileNameCbx from editLeft
    QPoint sizeGrip;         // top-left of the grip
};
// clientSize: the form's; comboBottom: the bottom edge of the folder combo;
// panelTop: the top of the bottom panel; editLeft: the left edge of the edit
// boxes in the panel; gripSize: the grip's side.
TFormResize ResizeLayout(QSize clientSize, int comboBottom, int panelTop, int openBtnWidth,
                         int editLeft, int gripSize, double scale);

} // namespace FrmOpenDlgLayout
