#include "shellwidgets/images/TPTSystemImageList.h"

#include "controls/UPTTreeList.h"
#include "shell/icons/SystemIcons.h"

#include <QImage>

#include <gtest/gtest.h>

// The controls see the shell's system image lists through the adapter: the
// same indexes, the same pictures, the same overlay numbers.

TEST(SystemImageList, ServesTheShellsImagesAndOverlaysAtTheirIndexes)
{
    for (TPTShellIconSize size : {ptsizSmall, ptsizLarge}) {
        TShellImageList* shell = ShellGetSystemImageList(size);
        TPTSystemImageList* images = TPTSystemImageList::Get(size);
        EXPECT_EQ(TPTSystemImageList::Get(size), images) << "one adapter per size";
        EXPECT_EQ(images->ImageSize(), shell->IconSize());

        const int folder = SystemIconIndex(QStringLiteral("folder"));
        EXPECT_EQ(images->Count(), shell->Count()) << "an index added by the shell is seen at once";
        EXPECT_EQ(images->Image(folder).toImage(), shell->Pixmap(folder).toImage());
        for (int overlay : {1, 2})
            EXPECT_EQ(images->OverlayImage(overlay), shell->OverlayImage(overlay));
    }
    EXPECT_NE(TPTSystemImageList::Get(ptsizSmall), TPTSystemImageList::Get(ptsizLarge));
}

TEST(SystemImageList, ALinkOverlayLeavesMostOfTheIconVisible)
{
    // GIVEN a tree item with the link overlay (overlay index 1, number 2)
    TPTTreeView tree;
    tree.SetImages(TPTSystemImageList::Get(ptsizSmall));
    TPTTreeNode* node = tree.AddChild(nullptr, QStringLiteral("link"));
    node->SetImageIndex(SystemIconIndex(QStringLiteral("folder")));
    const QModelIndex index = tree.Model()->index(0, 0);
    const QImage plain =
        tree.Model()->data(index, Qt::DecorationRole).value<QIcon>().pixmap(16, 16).toImage();
    node->SetOverlayIndex(1);
    const QImage linked =
        tree.Model()->data(index, Qt::DecorationRole).value<QIcon>().pixmap(16, 16).toImage();

    // THEN the emblem changes the lower-left quarter and nothing else
    ASSERT_FALSE(plain.isNull());
    int changedInCorner = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            // The emblem's antialiased edge may reach one pixel further.
            const bool corner = x <= 8 && y >= 7;
            if (plain.pixel(x, y) == linked.pixel(x, y))
                continue;
            EXPECT_TRUE(corner) << "changed outside the corner at " << x << "," << y;
            ++changedInCorner;
        }
    EXPECT_GT(changedInCorner, 0);
}
