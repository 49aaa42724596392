#include "app/VeldmarkMain.h"

#include "app/CurveChart.h"
#include "app/TQuitOnSignal.h"
#include "platform/PrivateProfile.h"

#include "QtPrinters.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QValueAxis>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>

namespace
{

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

const QByteArray kDefaults = "[Settings]\nTransHeight=1\nSepDist=10\nUpperLimit=4\nLowerLimit=1\n"
                             "ScanStep=0\nStartFreq=30\nStopFreq=1000\nNumPoints=971\n"
                             "Polarization=Horizontal\nShowDefault=True\nGraph2=Height\n";

} // namespace

TEST(Settings, NoFileGivesTheDefaultsAndClosingWritesThemInOrder)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("VELDMARK.INI");
    {
        TMainForm f(ini);
        EXPECT_EQ(f.SettingsFile(), ini);
        EXPECT_EQ(f.TransHeight->text(), "1");
        EXPECT_EQ(f.NumPoints->text(), "971");
        EXPECT_TRUE(f.Horizontal->isChecked());
        EXPECT_TRUE(f.ShowDefault->isChecked());
        EXPECT_TRUE(f.GraphHeight->isChecked());
        EXPECT_FALSE(QFile::exists(ini)); // written at the end only
    }
    EXPECT_EQ(ReadAll(ini), kDefaults);
}

TEST(Settings, ValuesRoundTripAndOtherLinesStay)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("VELDMARK.INI");
    WriteAll(ini, "; mine\n[Other]\nKeep=yes\n\n[settings]\nscanstep=abc\nStopFreq=2000\n"
                  "Polarization=horizontal\nShowDefault=TRUE\nGraph2=EdMax\nExtra=1\n");
    {
        TMainForm f(ini);
        EXPECT_EQ(f.ScanStep->text(), "abc"); // text stays text until an Add
        EXPECT_EQ(f.StopFreq->text(), "2000");
        EXPECT_TRUE(f.Vertical->isChecked()); // other letter case is another value
        EXPECT_FALSE(f.ShowDefault->isChecked());
        EXPECT_TRUE(f.GraphEdMax->isChecked());
        EXPECT_EQ(LeftAxis(f.Chart2->chart())->titleText(), "EdMax");
        f.SepDist->setText("3,5");
    }
    EXPECT_EQ(ReadAll(ini),
              "; mine\n[Other]\nKeep=yes\n\n[settings]\nScanStep=abc\nStopFreq=2000\n"
              "Polarization=Vertical\nShowDefault=False\nGraph2=EdMax\nExtra=1\nTransHeight=1\n"
              "SepDist=3,5\nUpperLimit=4\nLowerLimit=1\nStartFreq=30\nNumPoints=971\n");
}

TEST(Settings, LettersInScanStepAreRefusedOnlyByAdd)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("VELDMARK.INI");
    WriteAll(ini, "[Settings]\nScanStep=abc\nNumPoints=5\nPolarization=\n");
    TMainForm f(ini);
    QStringList messages;
    f.MessagePresenter = [&](QWidget*, const QString& text, QMessageBox::Icon) {
        messages << text;
    };
    EXPECT_TRUE(f.Vertical->isChecked()); // an empty value is not "Horizontal"
    f.AddButtonClick();
    EXPECT_EQ(messages,
              QStringList{"Invalid scan step (must be between zero and receive height span)."});
}

TEST(Settings, LongValuesAreCutAndBadFilesAreTolerated)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("VELDMARK.INI");
    WriteAll(ini, "[Settings]\nTransHeight=" + QByteArray(2000, '9') + "\n");
    {
        TMainForm f(ini);
        EXPECT_EQ(f.TransHeight->text(), QString(1023, QLatin1Char('9')));
    }

    // A folder in the file's place: defaults, nothing saved, no crash.
    QTemporaryDir other;
    const QString blocked = other.filePath("VELDMARK.INI");
    ASSERT_TRUE(QDir(other.path()).mkdir("VELDMARK.INI"));
    {
        TMainForm f(blocked);
        EXPECT_EQ(f.SepDist->text(), "10");
    }
    EXPECT_TRUE(QFileInfo(blocked).isDir());

    // Binary rubbish reads like a file without our keys.
    QByteArray rubbish(100000, '\0');
    for (int i = 0; i < rubbish.size(); ++i)
        rubbish[i] = char((i * 7919) >> 3);
    WriteAll(ini, rubbish);
    {
        TMainForm f(ini);
        EXPECT_EQ(f.NumPoints->text(), "971");
    }
    EXPECT_TRUE(ReadAll(ini).startsWith(rubbish)); // kept, our section added after it
}

TEST(Settings, AFileJustWithinTheBoundTakesAllElevenKeysAndKeepsThem)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("VELDMARK.INI");
    // Another program's lines up to 100 bytes short of the bound.
    QByteArray other = "[Other]\n";
    while (other.size() < platform::kMaxProfileFileSize - 100)
        other += "; " + QByteArray(60, 'x') + "\n";
    WriteAll(ini, other);
    const QString longText(5000, QLatin1Char('7')); // cut to 1023 when written
    {
        TMainForm f(ini);
        for (QLineEdit* edit : {f.TransHeight, f.SepDist, f.UpperLimit, f.LowerLimit, f.ScanStep,
                                f.StartFreq, f.StopFreq, f.NumPoints})
            edit->setText(longText);
        f.Vertical->setChecked(true);
        f.ShowDefault->setChecked(false);
        f.GraphEdMax->setChecked(true);
    }
    const QByteArray written = ReadAll(ini);
    EXPECT_GT(written.size(), platform::kMaxProfileFileSize);
    for (const char* key : {"TransHeight", "SepDist", "UpperLimit", "LowerLimit", "ScanStep",
                            "StartFreq", "StopFreq", "NumPoints"})
        EXPECT_TRUE(written.contains("\n" + QByteArray(key) + "=" + QByteArray(1023, '7') + "\n"))
            << key;
    EXPECT_TRUE(written.endsWith("Polarization=Vertical\nShowDefault=False\nGraph2=EdMax\n"));

    // Read back, and saved again on the next close.
    {
        TMainForm f(ini);
        EXPECT_EQ(f.NumPoints->text(), QString(1023, QLatin1Char('7')));
        EXPECT_TRUE(f.GraphEdMax->isChecked());
        f.NumPoints->setText("11");
    }
    EXPECT_TRUE(ReadAll(ini).contains("\nNumPoints=11\n"));
}

namespace
{

// Whether the process has a handler for sig installed (SigCgt in its status).
bool Catches(qint64 pid, int sig)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (sig - 1)) & 1;
    return false;
}

} // namespace

// The program starts without a settings file and quits on SIGTERM and on
// SIGINT through its normal path, leaving the settings file behind.
TEST(Settings, ProgramQuitsCleanlyOnSignalsAndWritesItsSettings)
{
    const QString built = QCoreApplication::applicationDirPath() + "/../app/veldmark";
    if (!QFile::exists(built))
        GTEST_SKIP() << "veldmark is not built";
    for (int sig : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(sig);
        QTemporaryDir dir;
        const QString program = dir.filePath("veldmark");
        ASSERT_TRUE(QFile::copy(built, program));
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        process.setProcessEnvironment(env);
        process.start(program, {});
        ASSERT_TRUE(process.waitForStarted());
        const QDeadlineTimer deadline(30000);
        while (!Catches(process.processId(), sig) && !deadline.hasExpired() &&
               process.state() == QProcess::Running)
            QTest::qWait(20);
        ASSERT_TRUE(Catches(process.processId(), sig));
        ::kill(pid_t(process.processId()), sig);
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0);
        EXPECT_EQ(ReadAll(dir.filePath("VELDMARK.INI")), kDefaults);
    }
}

TEST(Settings, SignalsReachTheEventLoopAndDefaultsComeBack)
{
    int calls = 0;
    {
        TQuitOnSignal quit([&] { ++calls; });
        ASSERT_TRUE(quit.IsActive());
        TQuitOnSignal second([] {}); // one at a time
        EXPECT_FALSE(second.IsActive());
        ::raise(SIGINT);
        EXPECT_EQ(calls, 0); // not from inside the handler
        auto waitFor = [&](int n) {
            const QDeadlineTimer deadline(10000);
            while (calls < n && !deadline.hasExpired())
                QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            return calls;
        };
        EXPECT_EQ(waitFor(1), 1);
        ::raise(SIGTERM);
        EXPECT_EQ(waitFor(2), 2);
    }
    struct sigaction current = {};
    ::sigaction(SIGTERM, nullptr, &current);
    EXPECT_EQ(current.sa_handler, SIG_DFL);
}
