#include "controls/UPTImageCombo.h"

#include <QAbstractItemView>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace
{

// Records the notifications of a combo in the order they arrive.
struct Recorder {
    std::vector<std::string> events;
    std::vector<void*> deleted;

    void Attach(TPTCustomCombobox& aCombo)
    {
        aCombo.OnCloseUp = [this](QObject*) { events.push_back("closeup"); };
        aCombo.OnSelEndOk = [this](QObject*) { events.push_back("ok"); };
        aCombo.OnSelEndCancel = [this](QObject*) { events.push_back("cancel"); };
        aCombo.OnDeleteItem = [this](QObject*, void* item) { deleted.push_back(item); };
    }
};

void OpenPopup(TPTCustomCombobox& aCombo)
{
    aCombo.showPopup();
    ASSERT_TRUE(QTest::qWaitFor([&] { return aCombo.DroppedDown(); }));
}

QPixmap Solid(const QColor& aColor, int aSize = 16)
{
    QPixmap pixmap(aSize, aSize);
    pixmap.fill(aColor);
    return pixmap;
}

} // namespace

TEST(Combobox, ConfirmedAndDismissedDropDownsAreReportedBeforeCloseUp)
{
    TPTCombobox combo;
    EXPECT_TRUE(combo.isEditable()) << "the form default is a drop-down with an edit field";
    combo.setEditable(false);
    combo.addItems({QStringLiteral("Text"), QStringLiteral("CSV"), QStringLiteral("All")});
    Recorder rec;
    rec.Attach(combo);
    combo.show();

    // WHEN an entry is chosen in the drop-down
    OpenPopup(combo);
    QTest::keyClick(combo.view(), Qt::Key_Down);
    QTest::keyClick(combo.view(), Qt::Key_Return);
    // THEN the choice is confirmed, then the drop-down reports closing
    ASSERT_TRUE(QTest::qWaitFor([&] { return rec.events.size() == 2; }));
    EXPECT_EQ(rec.events, (std::vector<std::string>{"ok", "closeup"}));
    EXPECT_EQ(combo.currentIndex(), 1);

    // WHEN the drop-down is dismissed THEN it is a cancel
    rec.events.clear();
    OpenPopup(combo);
    QTest::keyClick(combo.view(), Qt::Key_Down);
    QTest::keyClick(combo.view(), Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return rec.events.size() == 2; }));
    EXPECT_EQ(rec.events, (std::vector<std::string>{"cancel", "closeup"}));
    EXPECT_EQ(combo.currentIndex(), 1);

    // A click on an entry confirms it too.
    rec.events.clear();
    OpenPopup(combo);
    const QRect row = combo.view()->visualRect(combo.model()->index(2, 0));
    QTest::mouseClick(combo.view()->viewport(), Qt::LeftButton, {}, row.center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return rec.events.size() == 2; }));
    EXPECT_EQ(rec.events, (std::vector<std::string>{"ok", "closeup"}));
    EXPECT_EQ(combo.currentIndex(), 2);
}

TEST(Combobox, CloseDropDownReportsAtOnce)
{
    TPTCombobox combo;
    combo.setEditable(false);
    combo.addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    Recorder rec;
    rec.Attach(combo);
    combo.show();

    // WHEN a form closes the drop-down confirming the highlighted entry
    OpenPopup(combo);
    QTest::keyClick(combo.view(), Qt::Key_Down);
    combo.CloseDropDown(true);
    // THEN the entry is chosen and both notifications have fired, once
    EXPECT_FALSE(combo.DroppedDown());
    EXPECT_EQ(combo.currentIndex(), 1);
    EXPECT_EQ(rec.events, (std::vector<std::string>{"ok", "closeup"}));

    OpenPopup(combo);
    QTest::keyClick(combo.view(), Qt::Key_Down);
    combo.CloseDropDown(false);
    EXPECT_EQ(combo.currentIndex(), 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(rec.events, (std::vector<std::string>{"ok", "closeup", "cancel", "closeup"}));
}

TEST(Combobox, KeyboardChoiceOnAClosedComboIsConfirmedAtOnce)
{
    TPTCombobox combo;
    combo.setEditable(false);
    combo.addItems({QStringLiteral("a"), QStringLiteral("b")});
    Recorder rec;
    rec.Attach(combo);
    combo.show();
    QTest::keyClick(&combo, Qt::Key_Down);
    EXPECT_EQ(rec.events, std::vector<std::string>{"ok"});
    EXPECT_EQ(combo.currentIndex(), 1);

    // With the extended keyboard interface Down opens the drop-down instead.
    rec.events.clear();
    combo.SetExtendedUI(true);
    QTest::keyClick(&combo, Qt::Key_Up);
    rec.events.clear();
    QTest::keyClick(&combo, Qt::Key_Down);
    EXPECT_TRUE(combo.DroppedDown());
    EXPECT_EQ(combo.currentIndex(), 0);
    EXPECT_TRUE(rec.events.empty());
    combo.hidePopup();
    ASSERT_TRUE(QTest::qWaitFor([&] { return rec.events.size() == 2; }));
}

TEST(Combobox, RemovingItemsReportsTheirObjects)
{
    int a = 0, b = 0, c = 0;
    Recorder rec;
    {
        TPTCombobox combo;
        rec.Attach(combo);
        combo.AddObject(QStringLiteral("a"), &a);
        combo.addItem(QStringLiteral("no object"));
        combo.AddObject(QStringLiteral("b"), &b);
        combo.AddObject(QStringLiteral("c"), &c);
        EXPECT_EQ(combo.ItemObject(2), &b);

        combo.removeItem(0);
        EXPECT_EQ(rec.deleted, std::vector<void*>{&a});
        combo.removeItem(0); // the item without an object is not reported
        EXPECT_EQ(rec.deleted.size(), 1u);
        combo.clear();
        EXPECT_EQ(rec.deleted, (std::vector<void*>{&a, &b, &c}));

        combo.AddObject(QStringLiteral("a"), &a);
    }
    // Destroying the combo reports what is left.
    EXPECT_EQ(rec.deleted, (std::vector<void*>{&a, &b, &c, &a}));
}

TEST(ImageCombo, ItemsAreAddedWithTheirIndexAndFreedWithAnEvent)
{
    std::vector<TPTImageComboItem*> deleted;
    int data = 7;
    const int liveAtStart = TPTImageComboItem::LiveCount();
    {
        TPTImageCombo combo;
        EXPECT_EQ(combo.IndentPixels(), 12);
        EXPECT_TRUE(combo.AutoSizeHeight());
        EXPECT_FALSE(combo.isEditable());
        combo.OnDeleteItem = [&](QObject* sender, TPTImageComboItem* item) {
            EXPECT_EQ(sender, &combo);
            deleted.push_back(item);
        };
        TPTImageComboItem* first = combo.AddItem(QStringLiteral("Desktop"), 3, 0);
        TPTImageComboItem* second = combo.AddItem(QStringLiteral("Home"), 4, 1);
        second->SetData(&data);
        EXPECT_EQ(first->Index(), 0);
        EXPECT_EQ(second->Index(), 1);
        EXPECT_EQ(second->Combo(), &combo);
        EXPECT_EQ(second->OverlayIndex(), -1);
        EXPECT_EQ(combo.GetImageComboItem(1), second);
        EXPECT_TRUE(combo.itemText(1).isEmpty());

        EXPECT_EQ(TPTImageComboItem::LiveCount(), liveAtStart + 2);
        combo.removeItem(0);
        EXPECT_EQ(deleted, std::vector<TPTImageComboItem*>{first});
        EXPECT_EQ(TPTImageComboItem::LiveCount(), liveAtStart + 1) << "a removed item is freed";
        EXPECT_EQ(combo.GetImageComboItem(0), second);
        deleted.clear();

        // An object that is not one of the combo's items is only reported, not freed.
        int foreign = 0;
        void* reported = nullptr;
        combo.TPTCustomCombobox::OnDeleteItem = [&](QObject*, void* obj) { reported = obj; };
        combo.AddObject(QStringLiteral("foreign"), &foreign);
        EXPECT_EQ(combo.GetImageComboItem(1), nullptr);
        combo.removeItem(1);
        EXPECT_EQ(reported, &foreign);
        EXPECT_TRUE(deleted.empty());
    }
    // The combo frees its remaining items; the user's data stays untouched.
    EXPECT_EQ(deleted.size(), 1u);
    EXPECT_EQ(TPTImageComboItem::LiveCount(), liveAtStart);
    EXPECT_EQ(data, 7);
}

TEST(ImageCombo, ItemHeightFollowsTheFontAndTheImages)
{
    TPTImageCombo combo;
    EXPECT_EQ(combo.ItemHeight(), QFontMetrics(combo.font()).height() + 2);

    TPTImageList large(QSize(40, 40));
    combo.AddItem(QStringLiteral("kept"), 0, 0);
    combo.SetImageList(&large);
    EXPECT_EQ(combo.ItemHeight(), 40);

    QFont font = combo.font();
    font.setPixelSize(60);
    combo.setFont(font);
    EXPECT_EQ(combo.ItemHeight(), QFontMetrics(font).height() + 2);
    EXPECT_EQ(combo.count(), 1) << "a new height keeps the entries";

    combo.SetAutoSizeHeight(false);
    combo.setFont(QFont());
    EXPECT_EQ(combo.ItemHeight(), QFontMetrics(font).height() + 2);
}

class ImageComboDrawing : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        QPalette pal = combo.palette();
        pal.setColor(QPalette::Base, Qt::white);
        pal.setColor(QPalette::Highlight, QColor(0, 0, 200));
        combo.setPalette(pal);
        images.Add(Solid(Qt::red));
        QPixmap overlay(16, 16);
        overlay.fill(Qt::transparent);
        QPainter(&overlay).fillRect(0, 12, 4, 4, Qt::green);
        images.SetOverlayImage(images.Add(overlay), 1);
        combo.SetImageList(&images);
        item = combo.AddItem(QStringLiteral("Docs"), 0, 2);
    }

    QImage Draw(TPTCustomImageCombo::TPTOwnerDrawState aState)
    {
        QImage image(200, 20, QImage::Format_RGB32);
        image.fill(Qt::gray);
        QPainter painter(&image);
        combo.PaintItem(painter, 0, QRect(0, 0, 200, 20), aState);
        return image;
    }

    TPTImageCombo combo;
    TPTImageList images{QSize(16, 16)};
    TPTImageComboItem* item = nullptr;
};

TEST_F(ImageComboDrawing, DropDownEntryIsIndentedAndEditPartIsNot)
{
    // In the drop-down: image at indent 2 x 12 + 2, centred in the 20-pixel row.
    QImage image = Draw(0);
    EXPECT_EQ(image.pixelColor(25, 2), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(26, 2), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(41, 17), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(42, 17), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(26, 1), QColor(Qt::white));

    // In the edit part the same entry starts at the left edge.
    image = Draw(TPTCustomImageCombo::odComboBoxEdit);
    EXPECT_EQ(image.pixelColor(1, 2), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(18, 2), QColor(Qt::white));
}

TEST_F(ImageComboDrawing, SelectedCaptionBoxIsHighlightedAndImageBlended)
{
    const int textWidth = QFontMetrics(combo.font()).horizontalAdvance(QStringLiteral("Docs"));
    // Caption box: image width + 4 + indent + 1 = 45, text width + 3 wide.
    QImage image = Draw(TPTCustomImageCombo::odSelected);
    const QColor highlight(0, 0, 200);
    EXPECT_EQ(image.pixelColor(44, 0), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(45, 0), highlight);
    EXPECT_EQ(image.pixelColor(45 + textWidth + 2, 19), highlight);
    EXPECT_EQ(image.pixelColor(45 + textWidth + 3, 19), QColor(Qt::white));
    const QColor blended = image.pixelColor(30, 10);
    EXPECT_NE(blended, QColor(Qt::red));
    EXPECT_GT(blended.red(), 0);
    EXPECT_GT(blended.blue(), 0);

    // Not selected: the caption box has the entry's background.
    image = Draw(0);
    EXPECT_EQ(image.pixelColor(45, 0), QColor(Qt::white));
}

TEST_F(ImageComboDrawing, OverlayIsDrawnOnlyWithAnOverlayIndex)
{
    EXPECT_EQ(Draw(0).pixelColor(26, 14), QColor(Qt::red));
    item->SetOverlayIndex(0);
    EXPECT_EQ(Draw(0).pixelColor(26, 14), QColor(Qt::green));
    EXPECT_EQ(Draw(0).pixelColor(30, 14), QColor(Qt::red));
}

TEST_F(ImageComboDrawing, ItemDataIsAskedBeforeDrawing)
{
    item->SetCaption(QString());
    item->SetImageIndex(-1);
    int asked = 0;
    combo.OnGetItemData = [&](QObject*, TPTImageComboItem* aItem) {
        ++asked;
        aItem->SetImageIndex(0);
        aItem->SetCaption(QStringLiteral("Filled"));
    };
    const QImage image = Draw(0);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(image.pixelColor(26, 2), QColor(Qt::red));
    const int textWidth = QFontMetrics(combo.font()).horizontalAdvance(QStringLiteral("Filled"));
    int inked = 0;
    for (int y = 1; y < 20; ++y)
        for (int x = 46; x < 46 + textWidth; ++x)
            inked += image.pixelColor(x, y) != QColor(Qt::white);
    EXPECT_GT(inked, 0) << "the caption given on demand is drawn";
}

TEST_F(ImageComboDrawing, NoEntryOnlyFillsTheBackground)
{
    QImage image(50, 20, QImage::Format_RGB32);
    image.fill(Qt::gray);
    {
        QPainter painter(&image);
        combo.PaintItem(painter, -1, QRect(0, 0, 50, 20), TPTCustomImageCombo::odSelected);
    }
    EXPECT_EQ(image.pixelColor(25, 10), QColor(Qt::white));
}

TEST_F(ImageComboDrawing, DropDownAndEditPartUseTheOwnerDrawing)
{
    combo.resize(200, 30);
    combo.show();
    combo.setCurrentIndex(0);
    const QImage edit = combo.grab().toImage();
    bool red = false;
    for (int y = 0; y < edit.height() && !red; ++y)
        for (int x = 0; x < 40 && !red; ++x)
            red = edit.pixelColor(x, y) == QColor(Qt::red);
    EXPECT_TRUE(red) << "the edit part shows the entry's image near its left edge";

    OpenPopup(combo);
    const QRect row = combo.view()->visualRect(combo.model()->index(0, 0));
    EXPECT_EQ(row.height(), combo.ItemHeight());
    combo.hidePopup();
}

TEST(ImageCombo, ImageListCanServeImagesOnDemand)
{
    // GIVEN a list that produces its images when asked, as a forwarding list does
    struct OnDemand : TPTImageList {
        OnDemand() : TPTImageList(QSize(16, 16)) {}
        int Count() const override { return 100; }
        QPixmap Image(int aIndex) const override
        {
            return Solid(aIndex == 42 ? Qt::magenta : Qt::cyan);
        }
        int OverlayImage(int) const override { return -1; }
    } images;
    TPTImageCombo combo;
    combo.SetImageList(&images);
    combo.AddItem(QStringLiteral("x"), 42, 0)->SetOverlayIndex(0);

    QImage image(100, 20, QImage::Format_RGB32);
    QPainter painter(&image);
    combo.PaintItem(painter, 0, QRect(0, 0, 100, 20), 0);
    EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::magenta));
}
