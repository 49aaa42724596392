#include "app/SettingsLocation.h"

#include "app/VeldmarkMain.h"

#include "QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(SettingsLocation, ExecutableFolderWhenTheFileIsThereOrCouldBe)
{
    TSettingsPlaces places;
    places.executableFolder = "/opt/veldmark";
    places.configHome = "/home/ann/.config";

    places.fileInExecutableFolder = true; // a portable copy, even on a read-only stick
    EXPECT_EQ(ChooseSettingsFile(places), "/opt/veldmark/VELDMARK.INI");

    places.fileInExecutableFolder = false;
    places.executableFolderWritable = true; // a first run from a folder of one's own
    EXPECT_EQ(ChooseSettingsFile(places), "/opt/veldmark/VELDMARK.INI");

    places.executableFolderWritable = false; // installed: the user's configuration
    EXPECT_EQ(ChooseSettingsFile(places), "/home/ann/.config/veldmark/VELDMARK.INI");
    places.configHome = "/home/ann/.config/";
    EXPECT_EQ(ChooseSettingsFile(places), "/home/ann/.config/veldmark/VELDMARK.INI");
}

namespace
{

// Sets an environment variable for one scope.
class ScopedEnv
{
  public:
    ScopedEnv(const char* name, const QByteArray& value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

  private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

} // namespace

TEST(SettingsLocation, FactsComeFromTheFolderAndTheEnvironment)
{
    QTemporaryDir dir;
    const QString config = dir.filePath("config");
    ScopedEnv configHome("XDG_CONFIG_HOME", config.toUtf8());

    EXPECT_EQ(SettingsFileFor(dir.path()), dir.filePath("VELDMARK.INI"));
    // A folder nobody can write (even root cannot write a missing one).
    const QString gone = dir.filePath("gone");
    EXPECT_EQ(SettingsFileFor(gone), config + "/veldmark/VELDMARK.INI");

    ScopedEnv home("HOME", dir.path().toUtf8());
    ScopedEnv relative("XDG_CONFIG_HOME", "relative/config"); // ignored, as XDG says
    EXPECT_EQ(SettingsFileFor(gone), dir.filePath(".config/veldmark/VELDMARK.INI"));
}

TEST(SettingsLocation, FirstCloseCreatesTheConfigurationFolder)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("config/veldmark/VELDMARK.INI");
    {
        TMainForm f(ini);
        f.SepDist->setText("3");
    }
    QFile file(ini);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("\nSepDist=3\n"));
}
