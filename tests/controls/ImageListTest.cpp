#include "controls/UPTImageCombo.h"
#include "controls/UPTTreeList.h"

#include <QImage>
#include <QPainter>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>

namespace
{

QPixmap Solid(const QColor& aColor)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(aColor);
    return pixmap;
}

// A 16-pixel image list: image 0 red, image 1 the overlay, a green corner in
// the lower left that is transparent elsewhere.
class ImageList : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        images->Add(Solid(Qt::red));
        QPixmap overlay(16, 16);
        overlay.fill(Qt::transparent);
        QPainter(&overlay).fillRect(0, 12, 4, 4, Qt::green);
        overlayImage = images->Add(overlay);
    }

    static QImage Pixels(const QVariant& decoration)
    {
        return decoration.value<QIcon>().pixmap(16, 16).toImage();
    }

    std::unique_ptr<TPTImageList> images = std::make_unique<TPTImageList>(QSize(16, 16));
    int overlayImage = -1;
};

} // namespace

TEST_F(ImageList, TreeListAndComboShowTheSameImageAndOverlay)
{
    images->SetOverlayImage(overlayImage, 1);

    TPTTreeView tree;
    tree.SetImages(images.get());
    TPTTreeNode* node = tree.AddChild(nullptr, QStringLiteral("n"));
    node->SetImageIndex(0);
    node->SetOverlayIndex(0);

    TPTListView list;
    list.SetViewStyle(vsSmallIcon);
    list.SetSmallImages(images.get());
    TPTListItem& item = list.Item(list.AddItem());
    item.ImageIndex = 0;
    item.OverlayIndex = 0;

    TPTImageCombo combo;
    combo.SetImageList(images.get());
    combo.AddItem(QStringLiteral("c"), 0, 0)->SetOverlayIndex(0);
    QImage comboImage(40, 16, QImage::Format_ARGB32_Premultiplied);
    {
        QPainter painter(&comboImage);
        combo.PaintItem(painter, 0, QRect(0, 0, 40, 16), 0);
    }

    const QImage treeIcon =
        Pixels(tree.Model()->data(tree.Model()->index(0, 0), Qt::DecorationRole));
    const QImage listIcon =
        Pixels(list.Model()->data(list.Model()->index(0, 0), Qt::DecorationRole));
    // Overlay index 0 shows overlay number 1 at full size over the image.
    for (const QImage& icon : {treeIcon, listIcon, comboImage.copy(2, 0, 16, 16)}) {
        EXPECT_EQ(icon.pixelColor(1, 14), QColor(Qt::green));
        EXPECT_EQ(icon.pixelColor(8, 8), QColor(Qt::red));
        EXPECT_EQ(icon.pixelColor(5, 14), QColor(Qt::red));
    }

    node->SetOverlayIndex(-1);
    EXPECT_EQ(
        Pixels(tree.Model()->data(tree.Model()->index(0, 0), Qt::DecorationRole)).pixelColor(1, 14),
        QColor(Qt::red));
}

TEST_F(ImageList, AnOverlayRegisteredLaterReplacesTheComposedIcon)
{
    EXPECT_EQ(images->Icon(0, 1).pixmap(16, 16).toImage().pixelColor(1, 14), QColor(Qt::red))
        << "overlay number 1 is not registered yet";
    images->SetOverlayImage(overlayImage, 1);
    EXPECT_EQ(images->Icon(0, 1).pixmap(16, 16).toImage().pixelColor(1, 14), QColor(Qt::green));
    EXPECT_TRUE(images->Icon(5).isNull()) << "no image at that index";
}

TEST_F(ImageList, ControlsRefreshOnChangesAndForgetADestroyedList)
{
    TPTListView list;
    list.SetSmallImages(images.get());
    list.SetViewStyle(vsList);
    list.Item(list.AddItem()).ImageIndex = 2;
    const QModelIndex index = list.Model()->index(0, 0);
    EXPECT_TRUE(list.Model()->data(index, Qt::DecorationRole).value<QIcon>().isNull());

    // GIVEN the image the item names arrives later
    QSignalSpy refreshed(list.Model(), &QAbstractItemModel::dataChanged);
    images->Add(Solid(Qt::blue));
    EXPECT_EQ(refreshed.count(), 1) << "the views are told to ask again";
    EXPECT_EQ(Pixels(list.Model()->data(index, Qt::DecorationRole)).pixelColor(8, 8),
              QColor(Qt::blue));

    TPTTreeView tree;
    tree.SetImages(images.get());
    tree.AddChild(nullptr, QStringLiteral("n"))->SetImageIndex(2);
    images.reset();
    EXPECT_EQ(list.SmallImages(), nullptr);
    EXPECT_EQ(tree.Images(), nullptr);
    EXPECT_EQ(refreshed.count(), 2);
    EXPECT_TRUE(list.Model()->data(index, Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_TRUE(
        tree.Model()->data(tree.Model()->index(0, 0), Qt::DecorationRole).value<QIcon>().isNull());
}
