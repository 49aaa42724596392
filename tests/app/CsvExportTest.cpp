#include "app/FloatToStr.h"
#include "app/SaveDlgState.h"
#include "app/VeldmarkMain.h"

#include "FileDialogAnswer.h"
#include "QtPrinters.h"
#include "TestForm.h"

#include "nsa/CalcCommand.h"
#include "platform/FileNameCodec.h"
#include "platform/Registry.h"
#include "shell/PTMessageBox.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace
{

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Sets the current directory for one test and puts the old one back.
struct InFolder {
    QString old = QDir::currentPath();
    explicit InFolder(const QString& path) { QDir::setCurrent(path); }
    ~InFolder() { QDir::setCurrent(old); }
};

// The bytes veldmark-calc writes for these options.
QByteArray CalcOutput(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    EXPECT_EQ(nsa::RunCalcCommand(args, out, err), 0) << err.str();
    return QByteArray::fromStdString(out.str());
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Records the text of every question and message of the dialog and gives
// the answers in turn (Yes when none is left).
struct DialogMessages {
    QStringList texts;
    QList<TPTMsgButton> answers;
    DialogMessages()
    {
        SetPTMessageBoxHandler([this](const TPTMessageBoxRequest& request) {
            texts << request.text;
            return answers.isEmpty() ? ptmbYes : answers.takeFirst();
        });
    }
    ~DialogMessages() { SetPTMessageBoxHandler({}); }
};

} // namespace

TEST(FloatToStr, GeneralFormatWithTheLocalesSeparator)
{
    const QLocale c = QLocale::c();
    const QLocale german(QLocale::German);
    const struct {
        double value;
        const char* text;
    } rows[] = {
        {0, "0"},
        {1, "1"},
        {30, "30"},
        {1000, "1000"},
        {2.5, "2.5"},
        {0.1, "0.1"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {0.0001, "0.0001"},
        {0.00001, "1E-5"},
        {1.5e-7, "1.5E-7"},
        {123456789012345, "123456789012345"},
        {1e15, "1E15"},
        {-12.25, "-12.25"},
        {40000, "40000"},
        {1234567.5, "1234567.5"},
        {0.1 + 0.2, "0.3"},                            // 15 digits hide the binary error
        {123456789012345678.0, "1.23456789012346E17"}, // more digits than 15
        {999999999999999.9, "1E15"},                   // rounding carries into the exponent
        {0.00009999999999999999, "0.0001"},            // and back out of exponent form
    };
    for (const auto& r : rows)
        EXPECT_EQ(FloatToStr(r.value, c), QString::fromLatin1(r.text)) << r.value;
    EXPECT_EQ(FloatToStr(2.5, german), "2,5");
    EXPECT_EQ(FloatToStr(1234567.5, german), "1234567,5"); // no thousands separator
}

TEST(FloatToStr, IgnoresTheCLibrarysLocaleEvenWithAMultiBytePoint)
{
    // ps_AF's decimal point is two bytes of UTF-8; build it into a private
    // folder, since the machine may have no locales installed.
    QTemporaryDir dir;
    const QByteArray command = "localedef -i ps_AF -f UTF-8 " +
                               QFile::encodeName(dir.filePath("ps_AF.utf8")) + " >/dev/null 2>&1";
    if (std::system(command.constData()) != 0)
        GTEST_SKIP() << "localedef cannot build ps_AF here";
    qputenv("LOCPATH", QFile::encodeName(dir.path()));
    const bool loaded = std::setlocale(LC_NUMERIC, "ps_AF.UTF-8") != nullptr;
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 2.5);
    const QString text = FloatToStr(2.5, QLocale::c());
    const QString small = FloatToStr(1.5e-7, QLocale::c());
    std::setlocale(LC_NUMERIC, "C");
    qunsetenv("LOCPATH");
    if (!loaded)
        GTEST_SKIP() << "ps_AF locale not loadable";
    EXPECT_GT(std::strlen(probe), 3u) << "the multi-byte point is in force";
    EXPECT_EQ(text, "2.5");
    EXPECT_EQ(small, "1.5E-7");
}

TEST(CsvExport, SuggestedNameAndFileFollowTheLastCalculation)
{
    QTemporaryDir out;
    TestForm f;
    f.Set(f.NumPoints, "971");
    f.ClickAdd(); // with the standard curve: the paired layout
    ASSERT_EQ(f.Curves().size(), 2u);
    EXPECT_EQ(f.SuggestedFileName(), "1 10 1 4 0 30 1000 971 H.csv");

    const QString path = out.filePath("paired.csv");
    ASSERT_TRUE(f.WriteCsvFile(path));
    QList<QByteArray> lines = ReadAll(path).split('\n');
    EXPECT_EQ(lines.takeLast(), ""); // the last line ends too
    ASSERT_EQ(lines.size(), 12 + 971);
    for (const QByteArray& line : lines)
        EXPECT_TRUE(line.endsWith('\r'));
    EXPECT_EQ(lines[0], "User Defined NSA,,,,ANSI C63.4/5 Default NSA\r");
    EXPECT_EQ(lines[9], "Polarization:,,Horizontal,,Polarization:,,Horizontal\r");
    EXPECT_EQ(lines[12].split(',').size(), 7);
    EXPECT_TRUE(lines[12].startsWith("30,"));

    // A later Add without the standard curve: the single layout, its own name.
    f.ShowDefault->setChecked(false);
    f.Vertical->setChecked(true);
    f.Set(f.SepDist, "3");
    f.Set(f.ScanStep, "0.0005");
    f.Set(f.NumPoints, "5");
    f.ClickAdd();
    EXPECT_EQ(f.SuggestedFileName(), "1 3 1 4 0.0005 30 1000 5 V.csv");
    ASSERT_TRUE(f.WriteCsvFile(path)); // replaces the file without a question
    lines = ReadAll(path).split('\n');
    lines.removeLast();
    ASSERT_EQ(lines.size(), 12 + 5);
    EXPECT_EQ(lines[0], "User Defined NSA\r");
    EXPECT_EQ(lines[5], "Scan Step Size:,,0.0005\r");
    EXPECT_EQ(lines[9], "Polarization:,,Vertical\r");
    EXPECT_EQ(lines[11], "Frequency,NSA,EdMax,Height\r");
    EXPECT_EQ(lines[12].split(',').size(), 4);
    EXPECT_TRUE(f.messages.isEmpty());
}

TEST(CsvExport, SuggestedNameUsesTheUsersDecimalSeparator)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    {
        TestForm f;
        f.ShowDefault->setChecked(false);
        f.Set(f.TransHeight, "1,5");
        f.Set(f.NumPoints, "3");
        f.ClickAdd();
        ASSERT_EQ(f.Curves().size(), 1u);
        EXPECT_EQ(f.SuggestedFileName(), "1,5 10 1 4 0 30 1000 3 H.csv");
    }
    QLocale::setDefault(QLocale::c());
}

TEST(CsvExport, AFailedWriteKeepsTheOldFileAndTellsWhy)
{
    QTemporaryDir out;
    TestForm f;
    f.Set(f.NumPoints, "3");
    f.ClickAdd();

    const QString missing = out.filePath("no such folder/x.csv");
    EXPECT_FALSE(f.WriteCsvFile(missing));
    ASSERT_EQ(f.messages.size(), 1);
    EXPECT_TRUE(f.messages[0].contains(QDir::toNativeSeparators(missing)));
    EXPECT_TRUE(f.messages[0].contains("No such file or directory"));

    // A name near the file system's limit still gets a temporary file
    // beside it, so the old contents are replaced whole.
    const QString longName = out.filePath(QString(250, QLatin1Char('n')));
    {
        QFile old(longName);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old contents");
    }
    EXPECT_TRUE(f.WriteCsvFile(longName));
    EXPECT_TRUE(ReadAll(longName).startsWith("User Defined NSA"));
    EXPECT_EQ(f.messages.size(), 1);
}

TEST(CsvExport, AWriteCutShortLeavesTheOldFileWhole)
{
    QTemporaryDir out;
    TestForm f;
    f.ClickAdd(); // 971 points: far more than the file-size limit below
    ASSERT_EQ(f.Curves().size(), 2u);
    const QString path = out.filePath("kept.csv");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old contents\r\n");
    }

    // A file-size limit makes the write fail part-way, as a full disk would.
    struct rlimit saved;
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = f.WriteCsvFile(path);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(ReadAll(path), "old contents\r\n");
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kept.csv"});
    ASSERT_EQ(f.messages.size(), 1);
    EXPECT_TRUE(f.messages[0].contains(QDir::toNativeSeparators(path)));
    EXPECT_TRUE(f.messages[0].contains(QString::fromLocal8Bit(std::strerror(EFBIG))));
}

TEST(CsvExport, SaveOffersTheSuggestedNameInTheCurrentFolder)
{
    QTemporaryDir out;
    InFolder here(out.path());
    TestForm f;
    f.show();

    QTest::mouseClick(f.SaveButton, Qt::LeftButton);
    EXPECT_EQ(f.messages, QStringList{"No data to store."});

    f.Set(f.NumPoints, "971");
    f.ClickAdd();
    TFileDialogSeen seen;
    AnswerFileDialog(&seen, QString()); // cancelled: nothing written
    QTest::mouseClick(f.SaveButton, Qt::LeftButton);
    EXPECT_EQ(seen.title, "Save As");
    EXPECT_EQ(seen.name, "1 10 1 4 0 30 1000 971 H.csv");
    EXPECT_EQ(seen.folder, out.path());
    EXPECT_EQ(seen.types, (QStringList{"CSV files (*.csv)", "All files (*)"}));
    EXPECT_TRUE(QDir(out.path()).entryList(QDir::Files).isEmpty());

    QTest::mouseClick(f.ClearButton, Qt::LeftButton);
    QTest::mouseClick(f.SaveButton, Qt::LeftButton);
    EXPECT_EQ(f.messages, (QStringList{"No data to store.", "No data to store."}));
}

TEST(CsvExport, SaveWritesWhatTheCommandLineWritesAndAsksBeforeReplacing)
{
    QTemporaryDir out;
    InFolder here(out.path());
    DialogMessages questions;
    TestForm f;
    f.show();
    f.ClickAdd(); // the defaults, with the standard curve
    const QString path = out.filePath("1 10 1 4 0 30 1000 971 H.csv");

    TFileDialogSeen seen;
    AnswerFileDialog(&seen, "1 10 1 4 0 30 1000 971 H.csv"); // Save as offered
    QTest::mouseClick(f.SaveButton, Qt::LeftButton);
    EXPECT_EQ(seen.folder, out.path());
    EXPECT_EQ(ReadAll(path), CalcOutput({"--show-default"}));
    EXPECT_TRUE(questions.texts.isEmpty());

    // Over an existing file: No keeps it and the dialog open, Yes replaces it.
    WriteFile(path, "kept\r\n");
    questions.answers = {ptmbNo};
    AnswerFileDialog(&seen, seen.name);
    QTest::mouseClick(f.SaveButton, Qt::LeftButton);
    ASSERT_EQ(questions.texts.size(), 1);
    EXPECT_TRUE(questions.texts[0].contains("already exists")) << questions.texts[0].toStdString();
    EXPECT_EQ(ReadAll(path), "kept\r\n");

    questions.answers = {ptmbYes};
    AnswerFileDialog(&seen, seen.name);
    QTest::mouseClick(f.SaveButton, Qt::LeftButton);
    EXPECT_EQ(questions.texts.size(), 2);
    EXPECT_EQ(ReadAll(path), CalcOutput({"--show-default"}));

    // A name typed without an extension is saved as CSV.
    AnswerFileDialog(&seen, "plain");
    QTest::mouseClick(f.SaveButton, Qt::LeftButton);
    EXPECT_EQ(ReadAll(out.filePath("plain.csv")), CalcOutput({"--show-default"}));
    EXPECT_TRUE(f.messages.isEmpty()) << f.messages.join(' ').toStdString();
}

TEST(CsvExport, TheSaveDialogKeepsItsStateAndFolderForTheNextRun)
{
    QTemporaryDir out;
    ASSERT_TRUE(QDir(out.path()).mkdir("results"));
    DialogMessages questions;
    TestSettingsDir settings;
    const auto quiet = [](QWidget*, const QString&, QMessageBox::Icon) {};
    {
        InFolder here(out.path());
        TMainForm first(settings.IniPath());
        first.MessagePresenter = quiet;
        first.NumPoints->setText("5");
        QTest::mouseClick(first.AddButton, Qt::LeftButton);
        // The user widens the dialog, shows the tree and saves into a subfolder.
        TFileDialogSeen seen;
        AnswerFileDialog(&seen, "results/site", [](QDialog& dialog) {
            dialog.resize(620, 410);
            dialog.findChild<QAbstractButton*>("ShowTreeBtn")->click();
        });
        QTest::mouseClick(first.SaveButton, Qt::LeftButton);
        EXPECT_FALSE(seen.treeShown);
        EXPECT_TRUE(QFile::exists(out.filePath("results/site.csv")));
    }

    // The next run opens the dialog as it was left, in the folder saved to,
    // wherever the program was started.
    InFolder elsewhere(QDir::rootPath());
    TMainForm next(settings.IniPath());
    next.MessagePresenter = quiet;
    QTest::mouseClick(next.AddButton, Qt::LeftButton);
    TFileDialogSeen seen;
    AnswerFileDialog(&seen, QString()); // Cancel
    QTest::mouseClick(next.SaveButton, Qt::LeftButton);
    EXPECT_EQ(seen.size, QSize(620, 410));
    EXPECT_TRUE(seen.treeShown);
    EXPECT_EQ(seen.folder, out.filePath("results"));
    EXPECT_EQ(seen.name, "1 10 1 4 0 30 1000 5 H.csv");
    EXPECT_TRUE(questions.texts.isEmpty()) << questions.texts.join(' ').toStdString();

    // The settings file keeps only the form's entries.
    QFile ini(settings.IniPath());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_EQ(ini.readAll().count('='), 11);
}

TEST(CsvExport, AStoredSaveDialogStateIsTakenOnlyWhenSound)
{
    TestSettingsDir settings;
    std::optional<TRegistryKey> key =
        TRegistryKey::Open(TRegistryRoot::CurrentUser, kSaveDlgRegistryKey, true);
    ASSERT_TRUE(key);
    key->WriteBinary("State", QByteArray("\x6c\x02\x00", 3)); // cut short
    key->WriteString("LastFolder", "results");                // relative
    {
        TMainForm f(settings.IniPath());
        EXPECT_EQ(f.SaveDlg.FormWidth, -1);
        EXPECT_EQ(f.SaveDlg.InitialDir, QString());
    }
    QByteArray state;
    for (std::int32_t value : {620, 410})
        state.append(reinterpret_cast<const char*>(&value), 4); // little-endian here
    state.append(QByteArray("\x00\x01\xff\xff\xff\xff", 6));
    key->WriteBinary("State", state);
    key->WriteString("LastFolder", "/gone/results");
    TMainForm f(settings.IniPath());
    EXPECT_EQ(f.SaveDlg.FormWidth, 620);
    EXPECT_EQ(f.SaveDlg.FormHeight, 410);
    EXPECT_TRUE(f.SaveDlg.Options().Contains(ptofShowTree));
    EXPECT_EQ(f.SaveDlg.InitialDir, "/gone/results");
}

TEST(CsvExport, SaveReachesAFolderWhoseNameIsNotUtf8)
{
    QTemporaryDir out;
    const QByteArray folder = QFile::encodeName(out.path()) + "/caf\xe9";
    ASSERT_EQ(::mkdir(folder.constData(), 0700), 0);
    // QTemporaryDir reaches only names that are UTF-8.
    const auto removeFolder = qScopeGuard([&] {
        ::unlink((folder + "/site.csv").constData());
        ::rmdir(folder.constData());
    });
    InFolder restore(QDir::currentPath());
    ASSERT_EQ(::chdir(folder.constData()), 0);
    DialogMessages questions;
    TestForm f;
    f.Set(f.NumPoints, "5");
    f.ClickAdd();

    TFileDialogSeen seen;
    AnswerFileDialog(&seen, "site");
    QTest::mouseClick(f.SaveButton, Qt::LeftButton);
    EXPECT_EQ(seen.folder, FileNameToString(folder.toStdString()));
    EXPECT_EQ(::access((folder + "/site.csv").constData(), F_OK), 0);
    EXPECT_TRUE(f.messages.isEmpty()) << f.messages.join(' ').toStdString();
    EXPECT_TRUE(questions.texts.isEmpty()) << questions.texts.join(' ').toStdString();
}
