#pragma once

#include "app/CurveChart.h"
#include "app/TCurveChartView.h"
#include "app/TSeriesBatch.h"
#include "dialogs/components/TPTOpenDlg.h"
#include "dialogs/components/TPTSaveDlg.h"
#include "nsa/NSAData.h"

#include <QMessageBox>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <vector>

QT_BEGIN_NAMESPACE
class QButtonGroup;
class QChart;
class QChartView;
class QCheckBox;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStatusBar;
QT_END_NAMESPACE

// The main window: the parameter form, the actions, the two charts and the
// list of computed curves. Positions and sizes are those of a window laid out
// at 96 pixels per inch; only the charts follow the window's size. The inputs
// are read from the settings file at construction and written back at
// destruction.
class TMainForm : public QWidget
{
    Q_OBJECT

  public:
    using TNSAData = nsa::TNSAData;

    // "VELDMARK.INI" in the executable's folder, or in the user's configuration
    // folder when the executable's folder is not ours (SettingsLocation.h).
    static QString DefaultIniFileName();

    explicit TMainForm(const QString& iniFileName = DefaultIniFileName(),
                       QWidget* parent = nullptr);
    ~TMainForm() override;

    // Every message of the window goes through here, with its icon: a
    // warning for refused input and failed writes, information otherwise. It
    // defaults to a modal message box; replacing it redirects the messages
    // (the box is modal, so a caller that cannot click it away installs its
    // own presenter).
    std::function<void(QWidget* owner, const QString& text, QMessageBox::Icon icon)>
        MessagePresenter;

    // Field evaluations above which an Add shows a progress dialog; tuned so
    // that shorter Adds (about half a second) show nothing extra.
    std::int64_t ProgressThreshold;

    // Event handlers, wired to their controls and public so that the window
    // can be driven the same way the controls drive it.
    void AddButtonClick();
    void ClearButtonClick();
    void SaveButtonClick();
    void HelpButtonClick();
    void Graph2ChangeClick();
    void FormResize();

    // Appends copies of the curves of one Add to the list and plots them,
    // ranging each chart's axes once for all of them.
    void PlotAndStore(const std::vector<TNSAData>& Curves);
    // One series for the curve at Index of the list, in that Add's colour.
    void AddCurveSeries(TSeriesBatch& Chart, std::size_t Index, const std::vector<double>& Y);

    // The chart context menu's image export: asks for a file name and writes
    // the chart as PNG or SVG ("png" / "svg"); a name typed without an
    // extension gets the format's.
    void SaveChartImage(TCurveChartView* Chart, const QString& Format);
    // "Compare measured...": asks for a measured NSA file and compares it
    // with the user curve of the last calculation.
    void CompareMeasuredClick();
    // Compares a measured file with the last calculation: plots the measured
    // points on the NSA chart and shows the deviation window.
    bool CompareMeasured(const QString& Path);
    QDialog* ComparisonWindow() const { return ComparisonDialog; }

    // The bare file name offered for the last calculation; the list must not be empty.
    QString SuggestedFileName() const;
    // Writes the last calculation; on failure the old file stays and the user
    // is told why. The list must not be empty.
    bool WriteCsvFile(const QString& Path);

    const std::vector<TNSAData>& Curves() const { return NSADataList; }
    const QString& SettingsFile() const { return IniFileName; }

    // Components, named by role; owned by the window.
    QGroupBox* GroupBox1;
    QLineEdit *TransHeight, *SepDist, *UpperLimit, *LowerLimit, *ScanStep, *StartFreq, *StopFreq,
        *NumPoints;
    QRadioButton *Horizontal, *Vertical;
    QLabel *Label15, *Label3, *Label4, *Label11, *Label1, *Label5, *Label2, *Label6, *Label16;
    QGroupBox* GroupBox2;
    QCheckBox* ShowDefault;
    QLabel* Label7;
    QRadioButton *GraphHeight, *GraphEdMax;
    QPushButton *AddButton, *SaveButton, *ClearButton, *HelpButton;
    TCurveChartView *NSAChart, *Chart2;
    QStatusBar* StatusBar1;
    QLabel *Image1, *Label8, *Label9, *Label10, *Label12;
    // Every file the window writes is named here. Its state and the folder
    // last saved to are kept across runs (SaveDlgState.h).
    TPTSaveDlg SaveDlg;
    // Names the measured file of "Compare measured...".
    TPTOpenDlg CompareDlg;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void CreateParameterGroup();
    void CreateActionGroup();
    void CreateCharts();
    void CreateCreditsAndStatus();
    void SetTabOrder();
    void CreateFileDialogs();
    void ReadSettings();
    void WriteSettings();
    QString ReadIniString(const QString& Section, const QString& Key, const QString& Default) const;
    void WriteIniString(const QString& Section, const QString& Key, const QString& Value) const;
    void ShowMessage(const QString& text, QMessageBox::Icon icon = QMessageBox::Warning);
    // Every file name the window asks for to write goes through here, the
    // one place that shows the Save dialog: the suggested name, the file
    // types ("description|pattern|...") and the extension a name typed
    // without one gets. Empty when the user cancelled or the dialog failed
    // (then the user was told why).
    QString AskSaveFileName(const QString& Suggested, const QString& Filter,
                            const QString& DefaultExt);
    TCurveStyle CurveStyle(std::size_t Index) const;
    void CloseComparison();
    // Computes the user curve and, when asked for, its standard curve; they
    // are plotted and stored together or not at all.
    void CalculateNSA(std::vector<TNSAData>& curves);

    std::vector<TNSAData> NSADataList;
    QString IniFileName;
    QButtonGroup* PolarizationGroup;
    QButtonGroup* Graph2Group;
    QDialog* ComparisonDialog = nullptr;
};
