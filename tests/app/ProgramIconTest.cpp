#include <gtest/gtest.h>

#include <QImage>

#include "GuiTestSupport.h"
#include "app/ProgramIcon.h"

namespace kyr {
namespace {

TEST(ProgramIcon, DrawnAtEverySizeAWindowSystemAsks) {
    test::guiApp();
    const QIcon icon = programIcon();
    const QList<QSize> sizes = icon.availableSizes();
    for (const int size : {16, 32, 48, 64}) EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;

    const QImage image = icon.pixmap(64, 64).toImage();
    ASSERT_EQ(image.size(), QSize(64, 64));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);  // the corners stay transparent
    const QColor display = image.pixelColor(50, 30);
    EXPECT_GT(display.green(), display.red());
    EXPECT_GT(display.green(), display.blue());
    const QColor body = image.pixelColor(5, 40);
    EXPECT_EQ(body.alpha(), 255);
    EXPECT_LT(body.lightness(), 128);
}

}  // namespace
}  // namespace kyr
