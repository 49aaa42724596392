#include "app/VeldmarkMain.h"

#include "app/AboutVeldmark.h"
#include "app/ChartImageFile.h"
#include "app/ChartLayout.h"
#include "app/CreditsPicture.h"
#include "app/CurveChart.h"
#include "app/CurveComputation.h"
#include "app/CurvePalette.h"
#include "app/FloatToStr.h"
#include "app/FormFont.h"
#include "app/SaveDlgState.h"
#include "app/SettingsLocation.h"
#include "app/TComparisonDialog.h"
#include "app/TSeriesBatch.h"
#include "nsa/CsvFile.h"
#include "nsa/NSACurve.h"
#include "nsa/Parameters.h"
#include "nsa/SiteComparison.h"
#include "platform/FileNameCodec.h"
#include "platform/PrivateProfile.h"
#include "shell/PTEventGuard.h"

#include <QAction>
#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScatterSeries>
#include <QScreen>
#include <QStatusBar>
#include <QValueAxis>

#include <climits>
#include <cstring>
#include <string>

#include <unistd.h>

namespace
{

const QString kCaption = QStringLiteral("ANSI C63.4/5 Theoretical Veldmark");
constexpr int kOuterWidth = 783; // the window's own size, frame and caption included
constexpr int kOuterHeight = 540;
constexpr int kClientWidth = 775; // inside a 4-pixel frame and the caption
constexpr int kClientHeight = 513;
constexpr int kChartLeft = 266;
constexpr int kStatusBarHeight = 19;
constexpr int kGap = 4;
// The curve computation manages 200 to 450 million field evaluations a second
// on two cores; this much work is about half a second on a busy machine.
constexpr std::int64_t kHalfSecondOfWork = 150'000'000;

// Room for the caption's own buttons and icon beside the title.
constexpr int kCaptionButtonsWidth = 120;

void ShowMessageBox(QWidget* owner, const QString& text, QMessageBox::Icon icon)
{
    QMessageBox box(icon, QStringLiteral("Veldmark"), text, QMessageBox::Ok, owner);
    // A short text would make a box too narrow for its own title; the box
    // sizes itself from its layout, so the layout gets the width.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(box.fontMetrics().horizontalAdvance(box.windowTitle()) +
                                          kCaptionButtonsWidth,
                                      0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    box.exec();
}

// Tab stops at the checked button of a radio group only, as in any radio
// group; the arrow keys move between its buttons.
void TabStopOnCheckedButton(QButtonGroup* group)
{
    auto update = [group] {
        for (QAbstractButton* button : group->buttons())
            button->setFocusPolicy(button->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    };
    QObject::connect(group, &QButtonGroup::buttonToggled, group, update);
    update();
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int left, int top)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

} // namespace

QString TMainForm::DefaultIniFileName()
{
    return SettingsFileFor(QCoreApplication::applicationDirPath());
}

TMainForm::TMainForm(const QString& iniFileName, QWidget* parent)
    : QWidget(parent), MessagePresenter(ShowMessageBox), ProgressThreshold(kHalfSecondOfWork),
      SaveDlg(this), CompareDlg(this), IniFileName(iniFileName)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(kCaption);
    setFont(FormFont());
    setAutoFillBackground(true);

    CreateParameterGroup();
    CreateActionGroup();
    CreateCharts();
    CreateCreditsAndStatus();
    SetTabOrder();
    // Below this the status bar would cover the action buttons.
    setMinimumSize(kChartLeft, GroupBox2->geometry().bottom() + 1 + kGap + kStatusBarHeight);
    resize(kClientWidth, kClientHeight);
    ReadSettings();
    CreateFileDialogs();

    // Designed at 96 pixels per inch: larger fonts get a proportionally larger window.
    if (QScreen* s = screen()) {
        const int dpi = int(s->logicalDotsPerInch());
        if (dpi != 96)
            // The window's size is its outer size; its frame does not grow.
            resize(ScaleToDpi(kOuterWidth, dpi) - (kOuterWidth - kClientWidth),
                   ScaleToDpi(kOuterHeight, dpi) - (kOuterHeight - kClientHeight));
        move(s->availableGeometry().center() - rect().center());
    }
}

namespace
{

// Paths from the file dialogs keep names that are not UTF-8 in the lossless
// form (FileNameCodec.h); messages and captions show them readably.
QString PathForDisplay(const QString& path)
{
    return FileNameForDisplay(FileNameFromString(path).toStdString());
}

// The folder the program runs in, in the same lossless form.
QString CurrentFolder()
{
    std::string path(PATH_MAX, '\0');
    if (!::getcwd(path.data(), path.size()))
        return QDir::currentPath();
    path.resize(std::strlen(path.c_str()));
    return FileNameToString(path);
}

// One file type, "description|pattern", followed by "All files (*)".
QString FileTypesWithAllFiles(const QString& description, const QString& pattern)
{
    return description + u'|' + pattern + u'|' + TMainForm::tr("All files (*)") +
           QStringLiteral("|*");
}

} // namespace

void TMainForm::CreateFileDialogs()
{
    SaveDlg.SetName(QStringLiteral("SaveDlg"));
    ReadSaveDlgState(SaveDlg);
    CompareDlg.SetName(QStringLiteral("CompareDlg"));
    CompareDlg.Title = tr("Compare measured NSA");
    CompareDlg.SetFilter(FileTypesWithAllFiles(tr("Measured NSA (*.csv *.txt *.dat)"),
                                               QStringLiteral("*.csv;*.txt;*.dat")));
    CompareDlg.SetOptions(CompareDlg.Options() + ptofFileMustExist);
}

TMainForm::~TMainForm()
{
    delete ComparisonDialog;
    WriteSettings();
}

namespace
{

const QString kSection = QStringLiteral("Settings");
constexpr qsizetype kMaxValueBytes = 1023; // what ReadIniString's buffer holds

} // namespace

QString TMainForm::ReadIniString(const QString& Section, const QString& Key,
                                 const QString& Default) const
{
    char buffer[1024];
    platform::GetPrivateProfileString(Section, Key, Default, buffer, sizeof buffer, IniFileName);
    buffer[sizeof buffer - 1] = '\0';
    return QString::fromUtf8(buffer);
}

void TMainForm::WriteIniString(const QString& Section, const QString& Key,
                               const QString& Value) const
{
    // A folder or file we may not write to just means the settings are not kept.
    // Reading gives back at most 1023 bytes, so no more is written: eleven
    // such values stay within the headroom a settings file has past its bound.
    QByteArray bytes = Value.toUtf8();
    if (bytes.size() > kMaxValueBytes) {
        qsizetype n = kMaxValueBytes;
        while (n > 0 && (static_cast<unsigned char>(bytes[n]) & 0xC0) == 0x80)
            --n; // never inside a character
        bytes.truncate(n);
    }
    platform::WritePrivateProfileString(Section, Key, QString::fromUtf8(bytes), IniFileName);
}

void TMainForm::ReadSettings()
{
    for (QLineEdit* edit :
         {TransHeight, SepDist, UpperLimit, LowerLimit, ScanStep, StartFreq, StopFreq, NumPoints}) {
        // The layout holds the defaults; the key is the edit's name.
        edit->setText(ReadIniString(kSection, edit->objectName(), edit->text()));
    }
    // Exact, case-sensitive comparisons: anything else selects the other choice.
    if (ReadIniString(kSection, QStringLiteral("Polarization"), QStringLiteral("Horizontal")) ==
        QLatin1String("Horizontal"))
        Horizontal->setChecked(true);
    else
        Vertical->setChecked(true);
    ShowDefault->setChecked(ReadIniString(kSection, QStringLiteral("ShowDefault"),
                                          QStringLiteral("True")) == QLatin1String("True"));
    if (ReadIniString(kSection, QStringLiteral("Graph2"), QStringLiteral("Height")) ==
        QLatin1String("Height"))
        GraphHeight->setChecked(true);
    else
        GraphEdMax->setChecked(true);
}

void TMainForm::WriteSettings()
{
    // The configuration folder of an installed program may not exist yet.
    QDir().mkpath(QFileInfo(IniFileName).absolutePath());
    for (QLineEdit* edit :
         {TransHeight, SepDist, UpperLimit, LowerLimit, ScanStep, StartFreq, StopFreq, NumPoints})
        WriteIniString(kSection, edit->objectName(), edit->text());
    WriteIniString(kSection, QStringLiteral("Polarization"),
                   Horizontal->isChecked() ? QStringLiteral("Horizontal")
                                           : QStringLiteral("Vertical"));
    WriteIniString(kSection, QStringLiteral("ShowDefault"),
                   ShowDefault->isChecked() ? QStringLiteral("True") : QStringLiteral("False"));
    WriteIniString(kSection, QStringLiteral("Graph2"),
                   GraphHeight->isChecked() ? QStringLiteral("Height") : QStringLiteral("EdMax"));
}

void TMainForm::CreateParameterGroup()
{
    GroupBox1 = new QGroupBox(tr("NSA Calculation Parameters"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 8, 249, 237);

    struct Row {
        QLineEdit*& edit;
        const char* editName;
        QLabel*& label;
        const char* labelName;
        const char* caption;
        const char* text;
        int top;
    };
    const Row rows[] = {
        {TransHeight, "TransHeight", Label15, "Label15", "Transmit Height:  (m)", "1", 16},
        {SepDist, "SepDist", Label3, "Label3", "Separation Distance:  (m)", "10", 40},
        {UpperLimit, "UpperLimit", Label4, "Label4", "Upper Recevie Scan Limit:  (m)", "4", 64},
        {LowerLimit, "LowerLimit", Label11, "Label11", "Lower Receive Scan Limit:  (m)", "1", 88},
        {ScanStep, "ScanStep", Label1, "Label1", "Scan Step Size:  (m)  (0 = default)", "0", 112},
        {StartFreq, "StartFreq", Label5, "Label5", "Start Frequency:  (MHz)", "30", 136},
        {StopFreq, "StopFreq", Label2, "Label2", "Stop Frequency:  (MHz)", "1000", 160},
        {NumPoints, "NumPoints", Label6, "Label6", "Number of Frequency Points:", "971", 184},
    };
    for (const Row& row : rows) {
        row.edit = new QLineEdit(QString::fromLatin1(row.text), GroupBox1);
        row.edit->setObjectName(QLatin1String(row.editName));
        row.edit->setGeometry(176, row.top, 60, 21);
        row.label = MakeLabel(GroupBox1, row.labelName, tr(row.caption), 12, row.top + 4);
        row.label->setBuddy(row.edit);
        FitLabelWidth(row.label, 176 - 12 - 4);
    }

    Label16 = MakeLabel(GroupBox1, "Label16", tr("Polarization:"), 12, 216);
    Horizontal = new QRadioButton(tr("Horizontal"), GroupBox1);
    Horizontal->setObjectName(QStringLiteral("Horizontal"));
    Horizontal->setGeometry(96, 212, 76, 21);
    Horizontal->setChecked(true);
    Vertical = new QRadioButton(tr("Vertical"), GroupBox1);
    Vertical->setObjectName(QStringLiteral("Vertical"));
    Vertical->setGeometry(176, 212, 66, 21);
    PolarizationGroup = new QButtonGroup(this);
    PolarizationGroup->addButton(Horizontal);
    PolarizationGroup->addButton(Vertical);
    TabStopOnCheckedButton(PolarizationGroup);
}

void TMainForm::CreateActionGroup()
{
    GroupBox2 = new QGroupBox(tr("Actions"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setGeometry(8, 252, 249, 97);

    ShowDefault = new QCheckBox(tr("Show Default ANSI NSA for this Geometry"), GroupBox2);
    ShowDefault->setObjectName(QStringLiteral("ShowDefault"));
    ShowDefault->setGeometry(12, 16, 225, 17);
    ShowDefault->setChecked(true);

    Label7 = MakeLabel(GroupBox2, "Label7", tr("Second Graph:"), 12, 38);
    GraphHeight = new QRadioButton(tr("Height"), GroupBox2);
    GraphHeight->setObjectName(QStringLiteral("GraphHeight"));
    GraphHeight->setGeometry(108, 36, 64, 17);
    GraphHeight->setChecked(true);
    GraphEdMax = new QRadioButton(tr("EdMax"), GroupBox2);
    GraphEdMax->setObjectName(QStringLiteral("GraphEdMax"));
    GraphEdMax->setGeometry(176, 36, 64, 17);
    Graph2Group = new QButtonGroup(this);
    Graph2Group->addButton(GraphHeight);
    Graph2Group->addButton(GraphEdMax);
    TabStopOnCheckedButton(Graph2Group);
    // Fires once per change of choice, whether the user or the settings made it.
    connect(Graph2Group, &QButtonGroup::buttonToggled, this, [this](QAbstractButton*, bool on) {
        if (on)
            Graph2ChangeClick();
    });

    auto button = [this](const char* name, const QString& text, int left) {
        auto* b = new QPushButton(text, GroupBox2);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(left, 60, 50, 25);
        b->setAutoDefault(false); // Enter and Escape in a field trigger nothing
        return b;
    };
    AddButton = button("AddButton", tr("Add"), 12);
    SaveButton = button("SaveButton", tr("Save"), 70);
    ClearButton = button("ClearButton", tr("Clear"), 128);
    HelpButton = button("HelpButton", tr("Help"), 188);
    connect(AddButton, &QPushButton::clicked, this, &TMainForm::AddButtonClick);
    connect(ClearButton, &QPushButton::clicked, this, &TMainForm::ClearButtonClick);
    connect(SaveButton, &QPushButton::clicked, this, &TMainForm::SaveButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, &TMainForm::HelpButtonClick);
}

void TMainForm::CreateCharts()
{
    NSAChart = CreateCurveChart(this, QStringLiteral("NSAChart"),
                                QStringLiteral("Normalized Site Attenuation"),
                                tr("Frequency (MHz)"), tr("NSA (dB)"));
    NSAChart->setGeometry(kChartLeft, 4, 499, 238);
    Chart2 = CreateCurveChart(this, QStringLiteral("Chart2"), QString(), tr("Frequency (MHz)"),
                              tr("Height (m)"));
    Chart2->setGeometry(kChartLeft, 248, 499, 238);

    // Both charts show the same frequency band while zoomed.
    connect(NSAChart, &TCurveChartView::FrequencyRangeChanged, Chart2,
            &TCurveChartView::ShowFrequencyRange);
    connect(Chart2, &TCurveChartView::FrequencyRangeChanged, NSAChart,
            &TCurveChartView::ShowFrequencyRange);
    connect(NSAChart, &TCurveChartView::ZoomResetByUser, Chart2, &TCurveChartView::ResetZoom);
    connect(Chart2, &TCurveChartView::ZoomResetByUser, NSAChart, &TCurveChartView::ResetZoom);

    for (TCurveChartView* chart : {NSAChart, Chart2})
        for (const char* format : {"png", "svg"}) {
            auto* save = new QAction(
                tr("Save image as %1...").arg(QString::fromLatin1(format).toUpper()), chart);
            connect(save, &QAction::triggered, this,
                    [this, chart, format] { SaveChartImage(chart, QString::fromLatin1(format)); });
            chart->addAction(save);
        }
    auto* compare = new QAction(tr("Compare measured..."), NSAChart);
    compare->setObjectName(QStringLiteral("CompareMeasured"));
    connect(compare, &QAction::triggered, this, &TMainForm::CompareMeasuredClick);
    NSAChart->addAction(compare);
}

void TMainForm::CreateCreditsAndStatus()
{
    Label8 = MakeLabel(this, "Label8", tr("Two-ray NSA over a perfect ground plane"), 20, 352);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(20, 368, 225, 77);
    Image1->setPixmap(CreditsPicture());
    Label9 = MakeLabel(this, "Label9", tr("For open-area test sites and chambers"), 20, 448);
    Label10 = MakeLabel(this, "Label10", tr("Horizontal and vertical polarization"), 20, 462);
    Label12 = MakeLabel(this, "Label12", tr("Veldmark 1.0"), 20, 476);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    auto* panel = new QLabel(kCaption + tr(" - theoretical NSA by the two-ray method"));
    panel->setObjectName(QStringLiteral("StatusPanel"));
    panel->setFixedWidth(500);
    StatusBar1->addWidget(panel);
    StatusBar1->setGeometry(0, kClientHeight - kStatusBarHeight, kClientWidth, kStatusBarHeight);
}

void TMainForm::SetTabOrder()
{
    // The tab order: the group of parameters, the first chart, the
    // actions, the second chart. Inside the parameter group the polarization
    // comes after the lower limit and the last three edits go bottom to top.
    const QList<QWidget*> order = {
        TransHeight, SepDist,     UpperLimit, LowerLimit, Horizontal,  Vertical,  ScanStep,
        NumPoints,   StopFreq,    StartFreq,  NSAChart,   ShowDefault, AddButton, SaveButton,
        ClearButton, GraphHeight, GraphEdMax, HelpButton, Chart2,
    };
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TMainForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    StatusBar1->setGeometry(0, height() - kStatusBarHeight, width(), kStatusBarHeight);
    FormResize();
}

void TMainForm::FormResize()
{
    const TChartLayout layout =
        ComputeChartLayout(height(), StatusBar1->height(), frameGeometry().width(), kChartLeft);
    NSAChart->setGeometry(kChartLeft, 4, layout.width, layout.height);
    Chart2->setGeometry(kChartLeft, layout.chart2Top, layout.width, layout.height);
}

void TMainForm::ShowMessage(const QString& text, QMessageBox::Icon icon)
{
    if (MessagePresenter)
        MessagePresenter(this, text, icon);
}

void TMainForm::AddButtonClick()
{
    using nsa::ParameterField;
    auto edit = [this](ParameterField field) -> QLineEdit* {
        switch (field) {
        case ParameterField::TransHeight:
            return TransHeight;
        case ParameterField::SepDist:
            return SepDist;
        case ParameterField::LowerLimit:
            return LowerLimit;
        case ParameterField::UpperLimit:
            return UpperLimit;
        case ParameterField::ScanStep:
            return ScanStep;
        case ParameterField::StartFreq:
            return StartFreq;
        case ParameterField::StopFreq:
            return StopFreq;
        case ParameterField::NumPoints:
            return NumPoints;
        }
        return nullptr;
    };
    // The user's own number format, without thousands separators.
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    nsa::ParameterReader reader;
    reader.real = [&](ParameterField field) -> std::optional<double> {
        bool ok = false;
        const double value = locale.toDouble(edit(field)->text(), &ok);
        return ok ? std::optional<double>(value) : std::nullopt;
    };
    reader.integer = [&](ParameterField field) -> std::optional<long long> {
        bool ok = false;
        const qlonglong value = locale.toLongLong(edit(field)->text(), &ok);
        return ok ? std::optional<long long>(value) : std::nullopt;
    };

    const nsa::ParameterCheck check = nsa::CheckParameters(reader, !Horizontal->isChecked());
    if (check.failed) {
        ShowMessage(QString::fromUtf8(check.message), QMessageBox::Warning);
        // Ready to be typed over.
        QLineEdit* faulty = edit(*check.failed);
        faulty->setFocus(Qt::OtherFocusReason);
        faulty->selectAll();
        return;
    }
    std::vector<TNSAData> curves{check.data};
    if (ShowDefault->isChecked())
        curves.push_back(nsa::StandardAnsiCurve(check.data));
    CalculateNSA(curves);
}

void TMainForm::CalculateNSA(std::vector<TNSAData>& curves)
{
    switch (ComputeCurves(this, curves, ProgressThreshold)) {
    case ComputeOutcome::Done:
        PlotAndStore(curves);
        break;
    case ComputeOutcome::Cancelled:
        break;
    case ComputeOutcome::Refused:
        // Only a standard curve whose default step cannot serve the sweep gets here.
        ShowMessage(QString::fromUtf8(nsa::InvalidFieldMessage(nsa::ParameterField::ScanStep)),
                    QMessageBox::Warning);
        break;
    }
}

namespace
{

// Short enough for two legend entries side by side at the designed size:
// "User: H, Tx 1 m, Rx 1-4 m, d 10 m".
QString CurveName(const nsa::TNSAData& d)
{
    const QLocale locale;
    auto m = [&](double v) { return locale.toString(v, 'g', 6); };
    return QObject::tr("%1: %2, Tx %3 m, Rx %4-%5 m, d %6 m")
        .arg(d.AnsiDefault ? QObject::tr("ANSI") : QObject::tr("User"),
             d.Vertical ? QObject::tr("V") : QObject::tr("H"), m(d.TransHeight), m(d.LowerLimit),
             m(d.UpperLimit), m(d.SepDist));
}

} // namespace

TCurveStyle TMainForm::CurveStyle(std::size_t Index) const
{
    // One colour per Add: a standard curve shares it with its user curve, dashed.
    int add = -1;
    for (std::size_t i = 0; i <= Index && i < NSADataList.size(); ++i)
        add += !NSADataList[i].AnsiDefault;
    const TNSAData& d = NSADataList[Index];
    return {CurveColour(add), d.AnsiDefault, CurveName(d)};
}

void TMainForm::PlotAndStore(const std::vector<TNSAData>& Curves)
{
    // An Add shows all data again, zoomed or not.
    NSAChart->ResetZoom();
    Chart2->ResetZoom();
    TSeriesBatch nsa(NSAChart->chart()), second(Chart2->chart());
    for (const TNSAData& data : Curves) {
        NSADataList.push_back(data);
        const std::size_t index = NSADataList.size() - 1;
        AddCurveSeries(nsa, index, data.NSA);
        AddCurveSeries(second, index, GraphHeight->isChecked() ? data.Height : data.EdMax);
    }
    nsa.RangeAndFill();
    second.RangeAndFill();
}

void TMainForm::AddCurveSeries(TSeriesBatch& Chart, std::size_t Index, const std::vector<double>& Y)
{
    Chart.Add(NSADataList[Index].Freq, Y, CurveStyle(Index));
}

void TMainForm::ClearButtonClick()
{
    CloseComparison();
    for (TCurveChartView* view : {NSAChart, Chart2}) {
        DeleteAllSeries(view->chart());
        view->ResetZoom();
    }
    NSADataList.clear();
}

void TMainForm::Graph2ChangeClick()
{
    QChart* chart = Chart2->chart();
    DeleteAllSeries(chart);
    const bool height = GraphHeight->isChecked();
    LeftAxis(chart)->setTitleText(height ? tr("Height (m)") : tr("EdMax"));
    Chart2->ResetZoom();
    TSeriesBatch batch(chart);
    for (std::size_t i = 0; i < NSADataList.size(); ++i)
        AddCurveSeries(batch, i, height ? NSADataList[i].Height : NSADataList[i].EdMax);
    batch.RangeAndFill();
    if (NSAChart->IsZoomed()) {
        const QValueAxis* x = BottomAxis(NSAChart->chart());
        Chart2->ShowFrequencyRange(x->min(), x->max());
    }
}

void TMainForm::HelpButtonClick()
{
    TAboutBox AboutBox(this);
    AboutBox.exec();
}

QString TMainForm::SuggestedFileName() const
{
    const TNSAData& user = *nsa::FindLastCalculation(NSADataList).user;
    const QLocale locale;
    QStringList parts;
    for (double value : {user.TransHeight, user.SepDist, user.LowerLimit, user.UpperLimit,
                         user.ScanStep, user.StartFreq, user.StopFreq})
        parts << FloatToStr(value, locale);
    parts << QString::number(user.NumPoints);
    parts << (user.Vertical ? QStringLiteral("V") : QStringLiteral("H"));
    return parts.join(QLatin1Char(' ')) + QStringLiteral(".csv");
}

bool TMainForm::WriteCsvFile(const QString& Path)
{
    const nsa::FileWriteResult result = nsa::WriteCsvFile(FileNameFromString(Path).toStdString(),
                                                          nsa::FindLastCalculation(NSADataList));
    if (!result.ok)
        ShowMessage(tr("The file \"%1\" could not be written: %2.")
                        .arg(PathForDisplay(Path), QString::fromLocal8Bit(result.error)),
                    QMessageBox::Warning);
    return result.ok;
}

void TMainForm::SaveButtonClick()
{
    if (NSADataList.empty()) {
        ShowMessage(tr("No data to store."), QMessageBox::Information);
        return;
    }
    const QString path =
        AskSaveFileName(SuggestedFileName(),
                        FileTypesWithAllFiles(tr("CSV files (*.csv)"), QStringLiteral("*.csv")),
                        QStringLiteral("csv"));
    if (!path.isEmpty())
        WriteCsvFile(path);
}

QString TMainForm::AskSaveFileName(const QString& Suggested, const QString& Filter,
                                   const QString& DefaultExt)
{
    // The file type chosen last stays while the types are the same.
    if (SaveDlg.Filter() != Filter) {
        SaveDlg.SetFilter(Filter);
        SaveDlg.SetFilterIndex(1);
    }
    SaveDlg.DefaultExt = DefaultExt;
    SaveDlg.SetFilename(Suggested);
    // The folder last saved to; before the first save, where the program runs.
    const QString lastFolder = SaveDlg.InitialDir;
    if (lastFolder.isEmpty())
        SaveDlg.InitialDir = CurrentFolder();
    QString path;
    PTEventGuard([&] {
        if (SaveDlg.Execute())
            path = SaveDlg.GetFilename();
    });
    SaveDlg.InitialDir = path.isEmpty() ? lastFolder : QFileInfo(path).path();
    // Size, tree and splitter are the user's also after Cancel.
    WriteSaveDlgState(SaveDlg);
    return path;
}

void TMainForm::SaveChartImage(TCurveChartView* Chart, const QString& Format)
{
    const QString title = LeftAxis(Chart->chart())->titleText().section(QLatin1Char(' '), 0, 0);
    const QString pattern = QStringLiteral("*.") + Format;
    const QString path = AskSaveFileName(
        title + QLatin1Char('.') + Format,
        FileTypesWithAllFiles(tr("%1 images (%2)").arg(Format.toUpper(), pattern), pattern),
        Format);
    if (path.isEmpty())
        return;
    const QString error = WriteChartImage(Chart, path, Format);
    if (!error.isEmpty())
        ShowMessage(
            tr("The file \"%1\" could not be written: %2.").arg(PathForDisplay(path), error));
}

void TMainForm::CompareMeasuredClick()
{
    if (NSADataList.empty()) {
        ShowMessage(tr("No data to compare with. Add a curve first."));
        return;
    }
    // The last file compared is offered again, in its folder.
    QString path;
    PTEventGuard([&] {
        if (CompareDlg.Execute())
            path = CompareDlg.GetFilename();
    });
    if (!path.isEmpty())
        CompareMeasured(path);
}

bool TMainForm::CompareMeasured(const QString& Path)
{
    if (NSADataList.empty()) {
        ShowMessage(tr("No data to compare with. Add a curve first."));
        return false;
    }
    const nsa::MeasuredNsaFile measured =
        nsa::ReadMeasuredNsaFile(FileNameFromString(Path).toStdString());
    if (!measured.ok()) {
        ShowMessage(tr("The measured NSA file could not be read.\n%1")
                        .arg(QString::fromLocal8Bit(measured.error)));
        return false;
    }
    // The user curve of the last calculation: the geometry and scan of the site.
    const nsa::LastCalculation last = nsa::FindLastCalculation(NSADataList);
    const nsa::TSiteComparison comparison = nsa::CompareSite(*last.user, measured.points);
    if (comparison.compared == 0) {
        ShowMessage(tr("No measured frequency lies within the computed %1 to %2 MHz.")
                        .arg(QLocale().toString(last.user->StartFreq, 'g', 6),
                             QLocale().toString(last.user->StopFreq, 'g', 6)));
        return false;
    }
    CloseComparison();
    const std::size_t userIndex = std::size_t(last.user - NSADataList.data());
    const TCurveStyle theory = CurveStyle(userIndex);
    const QString fileName = PathForDisplay(QFileInfo(Path).fileName());

    QChart* chart = NSAChart->chart();
    auto* points = new QScatterSeries;
    points->setObjectName(QStringLiteral("MeasuredPoints"));
    points->setName(tr("Measured: %1").arg(fileName));
    points->setMarkerSize(7);
    points->setColor(Qt::white);
    points->setBorderColor(theory.colour);
    for (const nsa::TMeasuredPoint& p : measured.points)
        points->append(p.Freq, p.NSA);
    chart->addSeries(points);
    points->attachAxis(BottomAxis(chart));
    points->attachAxis(LeftAxis(chart));
    if (!NSAChart->IsZoomed())
        NSAChart->ResetZoom();

    ComparisonDialog = new TComparisonDialog(this, comparison, fileName, theory);
    connect(ComparisonDialog, &QObject::destroyed, this, [this] { ComparisonDialog = nullptr; });
    ComparisonDialog->show();
    return true;
}

void TMainForm::CloseComparison()
{
    // The measured points go with their comparison.
    QChart* chart = NSAChart->chart();
    for (QAbstractSeries* s : chart->series())
        if (s->objectName() == QLatin1String("MeasuredPoints")) {
            chart->removeSeries(s);
            delete s;
        }
    delete ComparisonDialog;
}
