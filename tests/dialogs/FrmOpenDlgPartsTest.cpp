#include "dialogs/form/FileNameCompletion.h"
#include "dialogs/form/FileTypeFilter.h"
#include "dialogs/form/FrmOpenDlgLayout.h"
#include "dialogs/form/OpenOptionMapping.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace FrmOpenDlgLayout;

namespace
{

TEST(FileTypeFilterTest, SplitsDescriptionsAndPatterns)
{
    struct Case {
        QString filter;
        QList<TPTFileTypeEntry> expected;
    };
    const Case cases[] = {
        {u""_s, {}},
        {u"CSV files (*.csv)|*.csv|All files (*)|*"_s,
         {{u"CSV files (*.csv)"_s, u"*.csv"_s}, {u"All files (*)"_s, u"*"_s}}},
        // A trailing bar ends the last pattern; it starts no new type.
        {u"Text|*.txt|"_s, {{u"Text"_s, u"*.txt"_s}}},
        // A text that ends after a description gives it an empty pattern.
        {u"Text|*.txt|Orphan"_s, {{u"Text"_s, u"*.txt"_s}, {u"Orphan"_s, u""_s}}},
        {u"Orphan|"_s, {{u"Orphan"_s, u""_s}}},
        {u"|*.x"_s, {{u""_s, u"*.x"_s}}},
        {u"Data|*.csv;*.dat"_s, {{u"Data"_s, u"*.csv;*.dat"_s}}},
        // Characters beyond one byte are copied whole.
        {u"Mesures é€|*.mé"_s, {{u"Mesures é€"_s, u"*.mé"_s}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseFileTypeFilter(c.filter), c.expected) << c.filter.toStdString();
}

TEST(OpenOptionMappingTest, SetsAndClearsOnlyTheMappedMembers)
{
    const TPTShellListOptions listStart =
        TPTShellListOptions().With(ptsloAutoFill).With(ptsloOleDrag).With(ptsloContextMenus);
    struct Case {
        TPTOpenOptions dialog;
        TPTShellListOptions list;
        TPTShellTreeOptions tree;
    };
    const Case cases[] = {
        // Nothing in the dialog: the mapped members go, the others stay.
        {{}, TPTShellListOptions().With(ptsloAutoFill).With(ptsloContextMenus), ptstoAutoFill},
        {{ptofOleDrag, ptofOleDrop},
         listStart.With(ptsloOleDrop),
         ptstoAutoFill | ptstoOleDrag | ptstoOleDrop},
        {{ptofShowHidden},
         TPTShellListOptions().With(ptsloAutoFill).With(ptsloContextMenus).With(ptsloShowHidden),
         ptstoAutoFill | ptstoShowHidden},
        // The tree has no counterpart of the folders option.
        {{ptofHideFoldersInListWhenTreeVisible},
         TPTShellListOptions()
             .With(ptsloAutoFill)
             .With(ptsloContextMenus)
             .With(ptsloHideFoldersWhenLinkedToTree),
         ptstoAutoFill},
        // Options the controls do not know change nothing there.
        {{ptofAllowMultiselect, ptofAllowTree, ptofShowTree},
         TPTShellListOptions().With(ptsloAutoFill).With(ptsloContextMenus),
         ptstoAutoFill},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MapOpenOptionsToList(c.dialog, listStart).Bits(), c.list.Bits())
            << c.dialog.Value();
        EXPECT_EQ(MapOpenOptionsToTree(c.dialog, ptstoAutoFill | ptstoOleDrag), c.tree)
            << c.dialog.Value();
    }
}

TEST(FrmOpenDlgLayoutTest, ScalesWithTheFontAndKeepsNeighboursTouching)
{
    EXPECT_DOUBLE_EQ(DesignScale(13), 1.0);
    EXPECT_DOUBLE_EQ(DesignScale(10), 1.0); // never smaller than the design
    EXPECT_DOUBLE_EQ(DesignScale(26), 2.0);
    EXPECT_EQ(ScaleBounds(kShellCombo, 1.0), kShellCombo);
    EXPECT_EQ(ScaleBounds(kListBtn, 2.0), QRect(800, 8, 46, 44));
    // ListBtn ends where DetailsBtn begins, at any scale.
    for (double scale : {1.0, 1.23, 1.5, 2.0}) {
        const QRect list = ScaleBounds(kListBtn, scale);
        const QRect details = ScaleBounds(kDetailsBtn, scale);
        EXPECT_EQ(list.right() + 1, details.left()) << scale;
    }
}

TEST(FrmOpenDlgLayoutTest, ResizeKeepsTheMarginsOfTheDesign)
{
    // The designed form: buttons 16 from the right edge, edits 8 before them.
    TFormResize r = ResizeLayout(kDesignClient, 26, 181, 75, 88, 13, 1.0);
    EXPECT_EQ(r.buttonLeft, 451 - 75 - 16);
    EXPECT_EQ(r.editWidth, r.buttonLeft - 88 - 8);
    EXPECT_EQ(r.splitterContainer, QRect(4, 30, 443, 151));
    EXPECT_EQ(r.sizeGrip, QPoint(451 - 13, 265 - 13));

    r = ResizeLayout(QSize(900, 600), 26, 500, 75, 88, 13, 1.0);
    EXPECT_EQ(r.buttonLeft, 900 - 75 - 16);
    EXPECT_EQ(r.splitterContainer, QRect(4, 30, 892, 470));

    // Doubled, the margins double.
    r = ResizeLayout(QSize(902, 530), 52, 362, 150, 176, 26, 2.0);
    EXPECT_EQ(r.buttonLeft, 902 - 150 - 32);
    EXPECT_EQ(r.editWidth, r.buttonLeft - 176 - 16);
    EXPECT_EQ(r.splitterContainer.topLeft(), QPoint(8, 60));

    // A panel taller than the room leaves no negative sizes.
    r = ResizeLayout(QSize(100, 40), 26, 20, 75, 88, 13, 1.0);
    EXPECT_GE(r.editWidth, 0);
    EXPECT_GE(r.splitterContainer.height(), 0);
}

} // namespace

namespace
{

TEST(FileNameCompletionTest, TypedTextAndCandidatesMapBothWays)
{
    using namespace FileNameCompletion;
    const QString folder = u"/data/site"_s, home = u"/home/eve"_s;
    EXPECT_EQ(AbsoluteTyped(u"Doc"_s, folder, home), u"/data/site/Doc"_s);
    EXPECT_EQ(AbsoluteTyped(u""_s, folder, home), u"/data/site/"_s);
    EXPECT_EQ(AbsoluteTyped(u"/etc/ho"_s, folder, home), u"/etc/ho"_s);
    EXPECT_EQ(AbsoluteTyped(u"~/Do"_s, folder, home), u"/home/eve/Do"_s);
    EXPECT_EQ(AbsoluteTyped(u"~"_s, folder, home), u"/home/eve/"_s);
    // "~x" is a name, as in the path rules of the box.
    EXPECT_EQ(AbsoluteTyped(u"~x"_s, u"/"_s, home), u"/~x"_s);

    EXPECT_EQ(TextForCandidate(u"Doc"_s, u"/data/site/Documents"_s, true, folder, home),
              u"Documents/"_s);
    EXPECT_EQ(TextForCandidate(u"sub/a"_s, u"/data/site/sub/a.csv"_s, false, folder, home),
              u"sub/a.csv"_s);
    EXPECT_EQ(TextForCandidate(u"~/Do"_s, u"/home/eve/Downloads"_s, true, folder, home),
              u"~/Downloads/"_s);
    EXPECT_EQ(TextForCandidate(u"/et"_s, u"/etc"_s, true, folder, home), u"/etc/"_s);
    // The root of the file system as the shown folder.
    EXPECT_EQ(TextForCandidate(u"us"_s, u"/usr"_s, true, u"/"_s, home), u"usr/"_s);
}

} // namespace
