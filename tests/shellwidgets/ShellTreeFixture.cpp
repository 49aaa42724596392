#include "ShellTreeFixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

void ShellTreeFixture::SetUp()
{
    ASSERT_TRUE(dir.isValid());
    previousHandler = SetPTMessageBoxHandler([this](const TPTMessageBoxRequest&) {
        ++messageBoxes;
        return ptmbOk;
    });
}

void ShellTreeFixture::TearDown()
{
    tree.reset();
    SetPTMessageBoxHandler(previousHandler);
}

QString ShellTreeFixture::Path(const QString& relative) const
{
    return relative.isEmpty() ? dir.path() : dir.filePath(relative);
}

void ShellTreeFixture::MakeFolders(const QStringList& relatives) const
{
    for (const QString& relative : relatives)
        ASSERT_TRUE(QDir().mkpath(Path(relative))) << relative.toStdString();
}

void ShellTreeFixture::MakeFile(const QString& relative) const
{
    QFile file(Path(relative));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("x");
}

TPTShellTree* ShellTreeFixture::MakeTree(TPTShellTreeOptions options)
{
    tree = std::make_unique<TPTShellTree>();
    tree->resize(300, 400);
    tree->SetOptions(options);
    tree->BaseFolder().SetPathName(Path());
    // The deferred fill of a tree that has been filled already does nothing.
    QCoreApplication::processEvents();
    return tree.get();
}

TPTTreeNode* ShellTreeFixture::Root() const
{
    return tree->TopItem(0);
}

TPTTreeNode* ShellTreeFixture::Child(TPTTreeNode* node, const QString& caption)
{
    for (int i = 0; node && i < node->Count(); ++i)
        if (node->Item(i)->Text() == caption)
            return node->Item(i);
    return nullptr;
}

QStringList ShellTreeFixture::Captions(TPTTreeNode* node)
{
    QStringList captions;
    for (int i = 0; node && i < node->Count(); ++i)
        captions << node->Item(i)->Text();
    return captions;
}

bool ShellTreeFixture::WaitUntil(const std::function<bool()>& condition, int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > milliseconds)
            return false;
        QTest::qWait(10);
    }
    return true;
}
