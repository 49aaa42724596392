#include "controls/UPTTreeList.h"
#include "platform/FileNameCodec.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

// Renaming edits the lossless form of a name (the shell's editing name): a
// name that is not UTF-8 must come back from the in-place editor as the same
// bytes, with what the user typed, or the rename would reach another file.

namespace
{

const QByteArray kLatin1Name = "r\xe9sum\xe9 \xff.txt";

// Polls the event loop until the condition holds or five seconds pass.
bool WaitFor(const std::function<bool()>& condition)
{
    for (int i = 0; i < 500 && !condition(); ++i)
        QTest::qWait(10);
    return condition();
}

// Moves to the end of the editor's text, types a character and commits.
void AppendAndCommit(QLineEdit* editor)
{
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClick(editor, Qt::Key_2);
    QTest::keyClick(editor, Qt::Key_Return);
}

} // namespace

TEST(EditorText, ListCaptionThatIsNotUtf8SurvivesTheEditor)
{
    TPTListView list;
    list.resize(300, 200);
    list.SetViewStyle(vsReport);
    list.SetColumns({{QStringLiteral("Name"), 200, Qt::AlignLeft}});
    list.Item(list.AddItem()).Caption = FileNameToString(kLatin1Name);
    QString edited;
    list.OnEdited = [&](TPTCustomListView*, TPTListItem*, QString& text) { edited = text; };
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));

    list.EditCaption(0);
    auto* editor = list.ClientWidget()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(FileNameFromString(editor->text()), kLatin1Name);
    AppendAndCommit(editor);
    EXPECT_TRUE(WaitFor([&] { return !edited.isEmpty(); }));
    EXPECT_EQ(FileNameFromString(edited), kLatin1Name + "2");
}

TEST(EditorText, TreeCaptionThatIsNotUtf8SurvivesTheEditor)
{
    TPTTreeView tree;
    TPTTreeNode* node = tree.AddChild(nullptr, FileNameToString(kLatin1Name));
    QString edited;
    tree.OnEdited = [&](TPTCustomTreeView*, TPTTreeNode*, QString& text) { edited = text; };
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));

    tree.EditCaption(node);
    auto* editor = tree.viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(FileNameFromString(editor->text()), kLatin1Name);
    AppendAndCommit(editor);
    EXPECT_TRUE(WaitFor([&] { return !edited.isEmpty(); }));
    EXPECT_EQ(FileNameFromString(edited), kLatin1Name + "2");
}
