// What the Images pane asks of a real view: which rectangles take a dropped
// picture, a dropped picture becoming an image object, and a clicked one
// becoming the background with an undo step.
#include "ObjectsTestSupport.h"

#include "imaging/ImageFixtures.h"
#include "shell/ImagePaneTarget.h"

namespace {

class ImagesPaneLink : public ObjectsOnLabelTest
{
protected:
    // A small square around a label point, in screen pixels.
    RECT ScreenSquareAt(int x, int y, int half = 4)
    {
        const POINT screen = m_view.DocToScreenPoint(POINT{x, y});
        return RECT{screen.x - half, screen.y - half, screen.x + half, screen.y + half};
    }
    IImagePaneTarget& Target() { return m_view; }
};

TEST_F(ImagesPaneLink, PicturesDropOnTheDiscRingOnly)
{
    MakeLabel("Single");
    Show("Disc 1");
    const DiscGeometry& disc = m_view.Model().Geometry().disc1;
    const int centreX = disc.left + disc.outerDiameter / 2;
    const int centreY = disc.top + disc.outerDiameter / 2;
    const int ringRadius = (disc.outerDiameter / 2 + disc.innerDiameter / 2) / 2;

    const struct {
        const char* where;
        int x, y;
        bool takes;
    } cases[] = {
        {"on the ring", centreX + ringRadius, centreY, true},
        {"in the hole", centreX, centreY, false},
        {"outside the disc, by the square's corner", disc.left + 40, disc.top + 40, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Target().IsImageDropTarget(ScreenSquareAt(c.x, c.y), RECT{}), c.takes) << c.where;
}

TEST_F(ImagesPaneLink, PicturesDropOnTheCoversOfThePageShown)
{
    MakeLabel("Single");
    Show("Front Cover");
    const FrontCoverGeometry& front = m_view.Model().Geometry().front;
    EXPECT_TRUE(Target().IsImageDropTarget(ScreenSquareAt(front.left + front.width / 2, front.top + front.height / 2), RECT{}));
    EXPECT_FALSE(Target().IsImageDropTarget(RECT{-20000, -20000, -19990, -19990}, RECT{}));
    // A place the caller leaves out (a floating pane over the label) takes nothing.
    const RECT middle = ScreenSquareAt(front.left + front.width / 2, front.top + front.height / 2);
    RECT around = middle;
    ::InflateRect(&around, 20, 20);
    EXPECT_FALSE(Target().IsImageDropTarget(middle, around));
}

TEST_F(ImagesPaneLink, ADroppedPictureBecomesAnImageObject)
{
    MakeLabel("Single");
    Show("Disc 1");
    const DiscGeometry& disc = m_view.Model().Geometry().disc1;
    const int objects = ObjectCount();
    const RECT dropped = ScreenSquareAt(disc.left + disc.outerDiameter / 2 + disc.outerDiameter / 3,
                                        disc.top + disc.outerDiameter / 2, 20);
    ASSERT_TRUE(Target().DropImageFile(ImageFixturePath("bmp24.bmp").c_str(), dropped));
    EXPECT_EQ(ObjectCount(), objects + 1);
    EXPECT_EQ(Value(m_view.m_strSelectedObject, "Item Type"), "Image");
    EXPECT_EQ(m_view.Model().ImageCount(), 1);
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(ImagesPaneLink, AClickedPictureBecomesTheBackgroundWithUndo)
{
    MakeLabel("Single");
    Show("Disc 1");
    m_view.m_strCurrentPart = "Inside";
    const int objects = ObjectCount();
    Target().ApplyBackgroundFile(ImageFixturePath("bmp24.bmp").c_str());
    const CString name = m_view.m_strSelectedObject;
    ASSERT_EQ(Choices(name, "Item Type"), "Background");
    EXPECT_EQ(ObjectCount(), objects + 1);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(ObjectCount(), objects);
    EXPECT_LT(m_view.FindObjectRow(name), 0);

    // "[No Background]" takes it away again.
    Target().ApplyBackgroundFile(ImageFixturePath("bmp24.bmp").c_str());
    EXPECT_EQ(ObjectCount(), objects + 1);
    Target().ClearShownBackground();
    EXPECT_EQ(ObjectCount(), objects);
    EXPECT_TRUE(m_errors.empty());
}

}  // namespace
