#include "NamespaceFixture.h"

#include "platform/FileNameCodec.h"
#include "shell/UPTShellUtils.h"
#include "shell/menus/DesktopApplications.h"
#include "shell/menus/TShellContextMenu.h"
#include "shell/menus/TShellMenu.h"

#include <QFile>
#include <QTest>

#include <sys/stat.h>

namespace
{

// The test's own applications come first; the machine's folders stay in the
// search path, as the MIME database is found through them too.
class OpenWith : public NamespaceFixture
{
  protected:
    void SetUp() override
    {
        NamespaceFixture::SetUp();
        m_savedDataDirs = qgetenv("XDG_DATA_DIRS");
        m_savedConfigDirs = qgetenv("XDG_CONFIG_DIRS");
        const QByteArray system =
            m_savedDataDirs.isEmpty() ? "/usr/local/share:/usr/share" : m_savedDataDirs;
        qputenv("XDG_DATA_DIRS", work() + "/system:" + system);
        qputenv("XDG_CONFIG_DIRS", work() + "/system-config");
        makeDir(work() + "/system");
        makeDir(work() + "/system/applications");
        makeDir(dataHome() + "/applications");
        makeDir(dataHome() + "/applications/sub");
    }
    void TearDown() override
    {
        qputenv("XDG_DATA_DIRS", m_savedDataDirs);
        qputenv("XDG_CONFIG_DIRS", m_savedConfigDirs);
        NamespaceFixture::TearDown();
    }

    void entry(const QByteArray& relative, const QByteArray& name, const QByteArray& exec,
               const QByteArray& mimeTypes, const QByteArray& extra = {})
    {
        makeFile(dataHome() + "/applications/" + relative,
                 "[Desktop Entry]\nType=Application\nName=" + name + "\nExec=" + exec +
                     "\nMimeType=" + mimeTypes + "\n" + extra + "[Other Group]\nName=Wrong\n");
    }

    // The names of the test's own applications, in the order given.
    static QStringList names(const QList<TDesktopApplication>& apps)
    {
        static const QStringList ours{"Viewer",  "Editor",     "Hidden",       "Terminal Tool",
                                      "Removed", "Zed Chosen", "System Viewer"};
        QStringList out;
        for (const TDesktopApplication& app : apps)
            if (ours.contains(app.name))
                out << app.name;
        return out;
    }

  private:
    QByteArray m_savedDataDirs;
    QByteArray m_savedConfigDirs;
};

} // namespace

TEST_F(OpenWith, DefaultsFirstThenEveryEntryDeclaringTheTypeByName)
{
    entry("viewer.desktop", "Viewer", "viewer %f", "text/csv;");
    entry("sub/editor.desktop", "Editor", "editor %F", "text/plain;"); // csv inherits it
    entry("hidden.desktop", "Hidden", "hidden %f", "text/csv;", "Hidden=true\n");
    entry("term.desktop", "Terminal Tool", "tool %f", "text/csv;", "Terminal=true\n");
    entry("removed.desktop", "Removed", "removed %f", "text/csv;");
    entry("chosen.desktop", "Zed Chosen", "chosen %u", "image/png;");
    makeFile(home() + "/../config/mimeapps.list",
             "[Default Applications]\ntext/csv=missing.desktop;chosen.desktop;\n"
             "[Removed Associations]\ntext/csv=removed.desktop;\n");
    // A system entry with the ID of a user entry is hidden by it.
    makeFile(
        work() + "/system/applications/viewer.desktop",
        "[Desktop Entry]\nType=Application\nName=System Viewer\nExec=sv %f\nMimeType=text/csv;\n");

    const QList<TDesktopApplication> apps = ApplicationsForMimeType(QStringLiteral("text/csv"));
    EXPECT_EQ(names(apps), (QStringList{"Zed Chosen", "Editor", "Viewer"}));
    ASSERT_FALSE(apps.isEmpty());
    EXPECT_EQ(apps[0].name, QStringLiteral("Zed Chosen"));
    const auto editor = std::find_if(
        apps.begin(), apps.end(), [](const TDesktopApplication& a) { return a.name == "Editor"; });
    ASSERT_NE(editor, apps.end());
    EXPECT_EQ(editor->id, QStringLiteral("sub-editor.desktop"));
    EXPECT_EQ(editor->exec, QStringLiteral("editor %F"));
}

TEST_F(OpenWith, ExecLinesExpandTheirFieldCodes)
{
    TDesktopApplication app;
    app.name = QStringLiteral("Tool");
    app.icon = QStringLiteral("tool-icon");
    app.file = "/apps/tool.desktop";
    app.exec = QStringLiteral(R"(tool --name=%c "two words %f \"q\"" %F %i %k 100%% %d)");
    const QList<QByteArray> argv = ExecCommandLine(app, {"/a b", "/c\xff"});
    EXPECT_EQ(argv,
              (QList<QByteArray>{"tool", "--name=Tool", "two words %f \"q\"", "/a b", "/c\xff",
                                 "--icon", "tool-icon", "/apps/tool.desktop", "100%"}));
    EXPECT_EQ(ExecCommandLine(app, {}),
              (QList<QByteArray>{"tool", "--name=Tool", "two words %f \"q\"", "--icon", "tool-icon",
                                 "/apps/tool.desktop", "100%"}));
    app.exec = QStringLiteral("tool %u");
    EXPECT_EQ(ExecCommandLine(app, {"/a b"}), (QList<QByteArray>{"tool", "file:///a%20b"}));
    app.exec = QStringLiteral(R"(tool "unclosed %f)");
    EXPECT_TRUE(ExecCommandLine(app, {"/a"}).isEmpty());
}

TEST_F(OpenWith, TheMenuLaunchesTheChosenApplication)
{
    makeFile(work() + "/data.csv", "1,2\n");
    entry("copier.desktop", "Copier", "cp %f " + work() + "/copied.csv", "text/csv;");
    entry("nothing.desktop", "Nothing", "veldmark-no-such-program %f", "text/csv;");
    makeFile(home() + "/../config/mimeapps.list",
             "[Default Applications]\ntext/csv=copier.desktop;nothing.desktop;\n");

    TIdListPtr workList(parse(work()));
    TComPtr<IShellFolder> folder = bind(workList.get());
    PItemIDList item = nullptr;
    ASSERT_EQ(folder->ParseDisplayName(nullptr, nullptr, QStringLiteral("data.csv"), nullptr, &item,
                                       nullptr),
              S_OK);
    TIdListPtr owned(item);
    PCItemIDList items[] = {item};
    TComPtr<IContextMenu> menu;
    ASSERT_EQ(folder->GetUIObjectOf(nullptr, 1, items, IID_IContextMenu, nullptr, menu.putVoid()),
              S_OK);
    TShellMenu shellMenu;
    ASSERT_TRUE(Succeeded(menu->QueryContextMenu(&shellMenu, 0, 50, 0x7FFF, CMF_NORMAL)));
    const TShellMenuItem* copier = shellMenu.FindCommand(50 + TShellContextMenu::cmdOpenWithFirst);
    ASSERT_TRUE(copier);
    EXPECT_EQ(copier->text, QStringLiteral("Copier"));

    TCMInvokeCommandInfo info;
    info.commandOffset = TShellContextMenu::cmdOpenWithFirst;
    ASSERT_EQ(menu->InvokeCommand(info), S_OK);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return QFile::exists(FileNameToString(work() + "/copied.csv")); }, 5000));

    // A program that is not there fails with its error (the box goes to the log here).
    info.commandOffset = TShellContextMenu::cmdOpenWithFirst + 1;
    EXPECT_EQ(menu->InvokeCommand(info), HResultFromWin32(ERROR_FILE_NOT_FOUND));
}
