#include "app/AboutVeldmark.h"
#include "app/ChartLayout.h"
#include "app/CurveChart.h"
#include "app/VeldmarkMain.h"
#include "nsa/Parameters.h"

#include "ModalWatcher.h"
#include "QtPrinters.h"
#include "TestForm.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTextBrowser>
#include <QValueAxis>

#include <gtest/gtest.h>

#include <iostream>

namespace
{

using Form = TestForm;

// Few points keep the Adds of these tests quick.
void SmallSweep(Form& f)
{
    f.Set(f.NumPoints, "11");
}

const QString kUpper = "Invalid upper limit (must be greater than lower limit).";
const QString kStep = "Invalid scan step (must be between zero and receive height span).";
const QString kStop = "Invalid stop frequency (must be between start and 40 GHz).";
const QString kPoints = "Invalid number of frequency points (must be between 2 and 2001).";

struct Case {
    const char* what;
    std::vector<std::pair<const char*, const char*>> fields; // object name, text
    QString message;                                         // empty: the Add succeeds
};

} // namespace

TEST(MainForm, AddChecksTheFieldsInOrderAndStopsAtTheFirstBadOne)
{
    const std::vector<Case> cases = {
        {"defaults", {}, {}},
        {"zero height", {{"TransHeight", "0"}}, "Invalid transmit height."},
        {"letters", {{"SepDist", "ten"}}, "Invalid separation distance."},
        {"lower limit before upper",
         {{"LowerLimit", "0"}, {"UpperLimit", "0"}},
         "Invalid lower limit."},
        {"equal limits", {{"UpperLimit", "1"}}, kUpper},
        {"step equal to span", {{"ScanStep", "3"}}, {}},
        {"step above span", {{"ScanStep", "3.001"}}, kStep},
        {"negative step", {{"ScanStep", "-0.1"}}, kStep},
        {"step too small to move", {{"ScanStep", "1e-300"}}, kStep},
        {"start at 40 GHz", {{"StartFreq", "40000"}, {"StopFreq", "40000"}}, kStop},
        {"stop at 40 GHz", {{"StopFreq", "40000"}}, {}},
        {"stop below start", {{"StopFreq", "20"}}, kStop},
        {"2001 points", {{"NumPoints", "2001"}}, {}},
        {"2002 points", {{"NumPoints", "2002"}}, kPoints},
        {"one point", {{"NumPoints", "1"}}, kPoints},
        {"fraction of points", {{"NumPoints", "2.5"}}, kPoints},
        {"empty points", {{"NumPoints", ""}}, kPoints},
        {"infinite height", {{"TransHeight", "inf"}}, "Invalid transmit height."},
        {"overflowing distance", {{"SepDist", "1e400"}}, "Invalid separation distance."},
        {"not a number",
         {{"StartFreq", "nan"}},
         "Invalid start frequency (must be between 0 and 40 GHz)."},
        {"first of several",
         {{"ScanStep", "x"}, {"NumPoints", "0"}, {"UpperLimit", "0.5"}},
         kUpper},
        {"height above the scan", {{"TransHeight", "5"}}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Form f;
        f.ShowDefault->setChecked(false);
        SmallSweep(f);
        for (const auto& [name, text] : c.fields)
            f.findChild<QLineEdit*>(name)->setText(QString::fromUtf8(text));
        const QString before = f.TransHeight->text();
        f.ClickAdd();
        if (c.message.isEmpty()) {
            EXPECT_TRUE(f.messages.isEmpty()) << f.messages.join('|').toStdString();
            EXPECT_EQ(f.Curves().size(), 1u);
            EXPECT_EQ(f.Series(f.NSAChart), 1);
        } else {
            EXPECT_EQ(f.messages, QStringList{c.message});
            EXPECT_TRUE(f.Curves().empty());
            EXPECT_EQ(f.Series(f.NSAChart) + f.Series(f.Chart2), 0);
            EXPECT_EQ(f.TransHeight->text(), before);
        }
    }
}

TEST(MainForm, NumbersFollowTheUsersLocale)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    {
        Form f;
        f.ShowDefault->setChecked(false);
        SmallSweep(f);
        f.Set(f.TransHeight, "2,5");
        f.ClickAdd();
        EXPECT_TRUE(f.messages.isEmpty());
        ASSERT_EQ(f.Curves().size(), 1u);
        EXPECT_EQ(f.Curves()[0].TransHeight, 2.5);

        f.Set(f.TransHeight, "2.5"); // a thousands separator there, not a decimal point
        f.ClickAdd();
        EXPECT_EQ(f.messages, QStringList{"Invalid transmit height."});
    }
    QLocale::setDefault(QLocale::c());
}

TEST(MainForm, EachAddPlotsOneSeriesPerCurveOnBothChartsAndStoresACopy)
{
    Form f;
    SmallSweep(f);
    f.ShowDefault->setChecked(true);
    f.ClickAdd();
    ASSERT_EQ(f.Curves().size(), 2u);
    EXPECT_FALSE(f.Curves()[0].AnsiDefault);
    EXPECT_TRUE(f.Curves()[1].AnsiDefault);
    EXPECT_EQ(f.Series(f.NSAChart), 2);
    EXPECT_EQ(f.Series(f.Chart2), 2);

    f.ShowDefault->setChecked(false);
    f.Set(f.SepDist, "3");
    f.ClickAdd();
    ASSERT_EQ(f.Curves().size(), 3u);
    EXPECT_EQ(f.Series(f.NSAChart), 3);
    EXPECT_EQ(f.Series(f.Chart2), 3);

    // Series follow the computed order and carry (Freq, NSA) and (Freq, Height).
    for (int i = 0; i < 3; ++i) {
        const nsa::TNSAData& d = f.Curves()[i];
        const QList<QPointF> nsaPoints = f.Points(f.NSAChart, i);
        const QList<QPointF> heightPoints = f.Points(f.Chart2, i);
        ASSERT_EQ(nsaPoints.size(), 11);
        for (int p = 0; p < 11; ++p) {
            EXPECT_EQ(nsaPoints[p], QPointF(d.Freq[p], d.NSA[p]));
            EXPECT_EQ(heightPoints[p], QPointF(d.Freq[p], d.Height[p]));
        }
    }
    // The axes follow the data.
    EXPECT_LE(BottomAxis(f.NSAChart->chart())->min(), 30);
    EXPECT_GE(BottomAxis(f.NSAChart->chart())->max(), 1000);

    // A failed Add changes nothing.
    f.Set(f.NumPoints, "0");
    f.ClickAdd();
    EXPECT_EQ(f.Curves().size(), 3u);
    EXPECT_EQ(f.Series(f.NSAChart), 3);
}

TEST(MainForm, ClearEmptiesChartsAndListButKeepsTheInputs)
{
    Form f;
    SmallSweep(f);
    f.Set(f.SepDist, "3");
    f.Vertical->setChecked(true);
    f.GraphEdMax->setChecked(true);
    f.ClickAdd();
    ASSERT_EQ(f.Series(f.Chart2), 2);

    QTest::mouseClick(f.ClearButton, Qt::LeftButton);
    EXPECT_TRUE(f.Curves().empty());
    EXPECT_EQ(f.Series(f.NSAChart), 0);
    EXPECT_EQ(f.Series(f.Chart2), 0);
    EXPECT_EQ(f.SepDist->text(), "3");
    EXPECT_TRUE(f.Vertical->isChecked());
    EXPECT_TRUE(f.GraphEdMax->isChecked());
    EXPECT_TRUE(f.ShowDefault->isChecked());
    EXPECT_EQ(LeftAxis(f.Chart2->chart())->titleText(), "EdMax");
}

TEST(MainForm, SecondGraphSwitchRebuildsChart2FromTheList)
{
    Form f;
    SmallSweep(f);
    // Empty list: only the title changes.
    QTest::mouseClick(f.GraphEdMax, Qt::LeftButton);
    EXPECT_EQ(LeftAxis(f.Chart2->chart())->titleText(), "EdMax");
    EXPECT_EQ(f.Series(f.Chart2), 0);
    QTest::mouseClick(f.GraphHeight, Qt::LeftButton);
    EXPECT_EQ(LeftAxis(f.Chart2->chart())->titleText(), "Height (m)");

    f.ClickAdd();
    f.Set(f.TransHeight, "2");
    f.ClickAdd();
    ASSERT_EQ(f.Series(f.Chart2), 4);

    QTest::mouseClick(f.GraphEdMax, Qt::LeftButton);
    EXPECT_EQ(LeftAxis(f.Chart2->chart())->titleText(), "EdMax");
    ASSERT_EQ(f.Series(f.Chart2), 4);
    EXPECT_EQ(f.Series(f.NSAChart), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(f.Points(f.Chart2, i)[3].y(), f.Curves()[i].EdMax[3]);

    // New curves follow the current choice.
    f.ClickAdd();
    ASSERT_EQ(f.Series(f.Chart2), 6);
    EXPECT_EQ(f.Points(f.Chart2, 5)[0].y(), f.Curves()[5].EdMax[0]);
}

TEST(MainForm, ResizeArithmetic)
{
    struct Row {
        int clientHeight, statusHeight, outerWidth;
        TChartLayout expected;
    };
    const Row rows[] = {
        {513, 19, 775, {241, 249, 499}}, // the layout size
        {514, 19, 783, {241, 249, 507}}, // odd remainder truncated
        {800, 19, 1000, {384, 392, 724}},
        {20, 19, 200, {0, 8, 0}}, // too small: zero-sized, never negative
    };
    for (const Row& r : rows) {
        const TChartLayout l =
            ComputeChartLayout(r.clientHeight, r.statusHeight, r.outerWidth, 266);
        EXPECT_EQ(l.height, r.expected.height);
        EXPECT_EQ(l.chart2Top, r.expected.chart2Top);
        EXPECT_EQ(l.width, r.expected.width);
    }
    EXPECT_EQ(ScaleToDpi(783, 120), 978);
    EXPECT_EQ(ScaleToDpi(540, 144), 810);

    Form f;
    f.show(); // resize events reach a hidden window only when it is shown
    f.resize(775, 513);
    // The width follows the outer width, frame included.
    const int frame = f.frameGeometry().width() - f.width();
    EXPECT_EQ(f.NSAChart->geometry(), QRect(266, 4, 499 + frame, 241));
    EXPECT_EQ(f.Chart2->geometry(), QRect(266, 249, 499 + frame, 241));
    f.resize(900, 613);
    EXPECT_EQ(f.NSAChart->geometry(), QRect(266, 4, 900 + frame - 276, 291));
    EXPECT_EQ(f.Chart2->geometry(), QRect(266, 299, 900 + frame - 276, 291));
    EXPECT_EQ(f.GroupBox1->geometry(), QRect(8, 8, 249, 237));
    EXPECT_EQ(f.StatusBar1->geometry(), QRect(0, 613 - 19, 900, 19));
}

TEST(MainForm, LayoutAndTabOrder)
{
    Form f;
    EXPECT_EQ(f.windowTitle(), "ANSI C63.4/5 Theoretical Veldmark");
    EXPECT_EQ(f.size(), QSize(775, 513));
    EXPECT_EQ(f.UpperLimit->geometry(), QRect(176, 64, 60, 21));
    EXPECT_EQ(f.findChild<QLabel*>("Label4")->text(), "Upper Recevie Scan Limit:  (m)");
    EXPECT_EQ(f.HelpButton->geometry(), QRect(188, 60, 50, 25));
    EXPECT_EQ(f.Image1->size(), QSize(225, 77));
    EXPECT_TRUE(f.findChild<QLabel*>("StatusPanel")
                    ->text()
                    .startsWith("ANSI C63.4/5 Theoretical Veldmark"));
    // Every caption fits beside its edit.
    for (QLabel* label :
         {f.Label15, f.Label3, f.Label4, f.Label11, f.Label1, f.Label5, f.Label2, f.Label6})
        EXPECT_LE(label->geometry().right(), 175) << label->text().toStdString();

    QStringList order;
    QWidget* w = f.TransHeight;
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && !w->objectName().isEmpty())
            order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != f.TransHeight);
    // Of a radio group, only the checked button is a Tab stop.
    EXPECT_EQ(order,
              (QStringList{"TransHeight", "SepDist", "UpperLimit", "LowerLimit", "Horizontal",
                           "ScanStep", "NumPoints", "StopFreq", "StartFreq", "ShowDefault",
                           "AddButton", "SaveButton", "ClearButton", "GraphHeight", "HelpButton"}));

    // Enter in a field triggers no action.
    SmallSweep(f);
    QTest::keyClick(f.TransHeight, Qt::Key_Return);
    QTest::keyClick(f.TransHeight, Qt::Key_Escape);
    EXPECT_TRUE(f.Curves().empty());
}

TEST(MainForm, LongAddShowsProgressAndCancelStoresNothing)
{
    Form f;
    f.ProgressThreshold = 0;
    f.Set(f.NumPoints, "2001");
    f.Set(f.ScanStep, "0.00001"); // 300 001 heights per point
    bool sawProgress = false;
    OnNextModal([&](QWidget* modal) {
        auto* progress = qobject_cast<QProgressDialog*>(modal);
        sawProgress = progress != nullptr;
        if (progress)
            QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
    });
    f.ClickAdd();
    EXPECT_TRUE(sawProgress);
    EXPECT_TRUE(f.Curves().empty());
    EXPECT_EQ(f.Series(f.NSAChart) + f.Series(f.Chart2), 0);
    EXPECT_TRUE(f.messages.isEmpty());
}

TEST(MainForm, ProgressDialogClosesItselfWhenTheCurvesAreDone)
{
    Form f;
    f.ProgressThreshold = 0;
    SmallSweep(f);
    f.ClickAdd();
    EXPECT_EQ(f.Curves().size(), 2u);
    EXPECT_EQ(f.Series(f.NSAChart), 2);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// The picture of the window in the documentation comes from here:
// VELDMARK_SCREENSHOT=docs/main-window.png MainFormTest --gtest_filter=*Screenshot*
TEST(MainForm, ScreenshotAfterOneAddWithTheDefaults)
{
    Form f;
    f.show();
    f.ClickAdd();
    ASSERT_TRUE(f.messages.isEmpty());
    const QImage image = f.grab().toImage();
    EXPECT_EQ(image.size(), QSize(775, 513));
    const QString path = qEnvironmentVariable("VELDMARK_SCREENSHOT");
    if (!path.isEmpty())
        EXPECT_TRUE(image.save(path));
}

TEST(MainForm, HelpOpensANewAboutBoxEachTimeAndDestroysIt)
{
    Form f;
    f.show();
    QList<QPointer<TAboutBox>> seen;
    auto check = [&](bool closeWithOk) {
        OnNextModal([&seen, closeWithOk](QWidget* modal) {
            auto* box = qobject_cast<TAboutBox*>(modal);
            ASSERT_NE(box, nullptr);
            seen << box;
            EXPECT_EQ(box->windowTitle(), "About Veldmark");
            EXPECT_EQ(box->size(), QSize(429, 403));
            EXPECT_EQ(box->RichEdit1->verticalScrollBar()->value(), 0);
            EXPECT_TRUE(box->OKButton->isDefault());
            // Scrolled down now; the next box must still start at the top.
            box->RichEdit1->verticalScrollBar()->setValue(
                box->RichEdit1->verticalScrollBar()->maximum());
            if (closeWithOk)
                QTest::mouseClick(box->OKButton, Qt::LeftButton);
            else
                box->close(); // the window's close button
        });
        QTest::mouseClick(f.HelpButton, Qt::LeftButton);
    };
    check(true);
    check(false);
    ASSERT_EQ(seen.size(), 2);
    EXPECT_TRUE(seen[0].isNull()); // destroyed before Help returned
    EXPECT_TRUE(seen[1].isNull());
}

TEST(MainForm, InstructionsFollowTheControlsInOrder)
{
    const QString text = InstructionsText();
    EXPECT_TRUE(text.trimmed().startsWith("INSTRUCTIONS"));
    qsizetype at = 0;
    for (const char* heading :
         {"OVERVIEW", "PARAMETERS AND CONTROLS", "    Transmit Height:", "    Separation Distance:",
          "    Upper Receive Scan Limit:", "    Lower Receive Scan Limit:", "    Scan Step Size:",
          "    Start Frequency:", "    Stop Frequency:", "    Number of Frequency Points:",
          "    Polarization:", "    Show Default ANSI NSA for this Geometry:", "    Second Graph:",
          "    Add:", "    Save:", "    Clear:", "    Help:"}) {
        const qsizetype next = text.indexOf(QString::fromLatin1(heading), at);
        EXPECT_GT(next, at) << heading;
        at = std::max(at, next);
    }
}

TEST(MainForm, TabIntoARadioGroupLandsOnTheCheckedButton)
{
    Form f;
    f.Vertical->setChecked(true);
    f.GraphEdMax->setChecked(true);
    f.show();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        return QApplication::focusWidget();
    };

    f.ClearButton->setFocus();
    EXPECT_EQ(press(Qt::Key_Tab), f.GraphEdMax);
    press(Qt::Key_Space); // on the checked button: the graph stays
    EXPECT_TRUE(f.GraphEdMax->isChecked());
    EXPECT_EQ(press(Qt::Key_Tab), f.HelpButton);
    EXPECT_EQ(press(Qt::Key_Backtab, Qt::ShiftModifier), f.GraphEdMax);

    f.LowerLimit->setFocus();
    EXPECT_EQ(press(Qt::Key_Tab), f.Vertical);
    // The arrow keys still move within the group, and Tab follows the choice.
    EXPECT_EQ(press(Qt::Key_Left), f.Horizontal);
    EXPECT_TRUE(f.Horizontal->isChecked());
    EXPECT_EQ(press(Qt::Key_Tab), f.ScanStep);
    EXPECT_EQ(press(Qt::Key_Backtab, Qt::ShiftModifier), f.Horizontal);
}

TEST(MainForm, RefusedInputIsAWarningWithTheFaultyFieldReadyToRetype)
{
    Form f;
    QList<QMessageBox::Icon> icons;
    f.MessagePresenter = [&](QWidget*, const QString& text, QMessageBox::Icon icon) {
        f.messages << text;
        icons << icon;
    };
    f.show();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    f.Set(f.StopFreq, "20");
    f.AddButton->setFocus();
    f.ClickAdd();
    EXPECT_EQ(f.messages, QStringList{kStop});
    EXPECT_EQ(QApplication::focusWidget(), f.StopFreq);
    EXPECT_EQ(f.StopFreq->selectedText(), "20");

    // Our bound on heights names itself, not the step's range.
    f.Set(f.StopFreq, "1000");
    f.Set(f.ScanStep, "0.000003");
    f.ClickAdd();
    EXPECT_EQ(f.messages.value(1), QString::fromUtf8(nsa::kTooManyHeightsMessage));
    EXPECT_EQ(QApplication::focusWidget(), f.ScanStep);

    QTest::mouseClick(f.SaveButton, Qt::LeftButton);
    EXPECT_EQ(f.messages.value(2), "No data to store.");
    EXPECT_EQ(icons, (QList<QMessageBox::Icon>{QMessageBox::Warning, QMessageBox::Warning,
                                               QMessageBox::Information}));
}

TEST(MainForm, TheMessageBoxShowsItsIconAndIsWideEnoughForItsTitle)
{
    TestSettingsDir settings;
    TMainForm f(settings.IniPath()); // with the window's own message box
    f.show();
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int width = 0, titleWidth = 0;
    OnNextModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        icon = box->icon();
        width = box->width();
        titleWidth = box->fontMetrics().horizontalAdvance(box->windowTitle());
        box->accept();
    });
    QTest::mouseClick(f.SaveButton, Qt::LeftButton);
    EXPECT_EQ(icon, QMessageBox::Information);
    // The caption's buttons and icon need about 120 pixels beside the title.
    EXPECT_GE(width, titleWidth + 120);
}

TEST(MainForm, TheStatusBarNeverCoversTheButtons)
{
    Form f;
    f.show();
    f.resize(100, 100);
    EXPECT_GE(f.width(), 266);
    EXPECT_GT(f.StatusBar1->geometry().top(), f.GroupBox2->geometry().bottom());
    EXPECT_TRUE(f.GroupBox1->geometry().right() < f.width());
}

// At 120 pixels per inch the outer size 783 x 540 becomes 978 x 675; the frame
// of 8 x 27 pixels stays, so the client area is 970 x 648. The test runs
// itself again on an offscreen screen of 120 dpi.
TEST(MainForm, ConstructionScalesTheOuterSizeToTheScreensDpi)
{
    const int dpi = int(QGuiApplication::primaryScreen()->logicalDotsPerInch());
    const bool child = qEnvironmentVariableIsSet("VELDMARK_DPI_CHILD");
    ASSERT_FALSE(child && dpi == 96) << "the offscreen screen ignored its configuration";
    if (dpi == 96) {
        QTemporaryDir dir;
        QFile config(dir.filePath("screen.json"));
        ASSERT_TRUE(config.open(QIODevice::WriteOnly));
        config.write(R"({"screens": [{"name": "wide", "x": 0, "y": 0, "width": 1600,
                         "height": 1200, "logicalDpi": 120, "logicalBaseDpi": 96}]})");
        config.close();
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName());
        env.insert("QT_ENABLE_HIGHDPI_SCALING", "0"); // the window sees the 120 itself
        env.insert("VELDMARK_DPI_CHILD", "1");
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {"--gtest_filter=MainForm.ConstructionScalesTheOuterSizeToTheScreensDpi"});
        ASSERT_TRUE(child.waitForFinished(60000));
        const QByteArray output = child.readAll();
        EXPECT_EQ(child.exitCode(), 0) << output.constData();
        EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.constData();
        EXPECT_TRUE(output.contains("at 120 dpi")) << output.constData();
        return;
    }
    Form f;
    std::cout << "at " << dpi << " dpi\n";
    EXPECT_EQ(f.size(), QSize(ScaleToDpi(783, dpi) - 8, ScaleToDpi(540, dpi) - 27));
    if (dpi == 120)
        EXPECT_EQ(f.size(), QSize(970, 648));
}
