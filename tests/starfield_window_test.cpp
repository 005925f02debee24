// The star field on the program's real window: its surface, its message queue, and the events of
// the window running inside the frame loop's wait.

#include "app/Form1.h"
#include "fake_starfield_window.h"
#include "platform/message_queue_qt.h"
#include "starfield/Starfield.h"
#include "starfield/Stars.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using namespace starfield;

class StarfieldWindowTest : public testing::Test {
protected:
    StarfieldWindowTest()
        : form([] {})
        , window{form, form.Picture1, messages}
    {
        clearStarfield();
    }

    const QImage& surface() const { return *form.Picture1.backing(); }

    app::Form1 form;
    platform::WindowMessageQueue messages;
    StarfieldWindow window;
};

TEST_F(StarfieldWindowTest, SetUpShowsTheWindowAndMeasuresItsSurface)
{
    SetUpStarfield(window);

    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), "Skarnholm - Language Selector *Multi 2*") << "Load has run";
    EXPECT_EQ(CenterX, 159);
    EXPECT_EQ(CenterY, 48);
    EXPECT_EQ(MaxDist, 212);
}

TEST_F(StarfieldWindowTest, FramesMoveTheStarsOnTheScreen)
{
    SetUpStarfield(window);
    for (int frame = 0; frame < 200; ++frame)
        RunFrame(window);
    const QImage before = form.Picture1.grab().toImage();
    for (int frame = 0; frame < 20; ++frame)
        RunFrame(window);
    const QImage after = form.Picture1.grab().toImage();

    EXPECT_NE(before, after);
    EXPECT_EQ(after.copy(1, 1, 318, 95).convertToFormat(QImage::Format_RGB32), surface())
        << "the screen shows the backing bitmap after each frame";
}

TEST_F(StarfieldWindowTest, ErasedPlacesStayBlackOnASchemeWhoseWindowTextIsNot)
{
    const QPalette standard = QApplication::palette();
    QPalette navy = standard;
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    QApplication::setPalette(navy);
    app::Form1 navyForm([] {});
    QApplication::setPalette(standard);
    StarfieldWindow navyWindow{navyForm, navyForm.Picture1, messages};

    SetUpStarfield(navyWindow);
    for (int frame = 0; frame < 50; ++frame)
        DrawFrame(navyWindow);

    const QImage& bitmap = *navyForm.Picture1.backing();
    EXPECT_EQ(bitmap.pixel(0, 0), qRgb(0, 0, 0)) << "the first frame erased (0, 0)";
    EXPECT_EQ(bitmap.pixel(317, 0), qRgb(0, 0, 128)) << "where no star went, the background";
    int black = 0;
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x)
            black += bitmap.pixel(x, y) == qRgb(0, 0, 0);
    EXPECT_GT(black, 400) << "the stars leave black trails";
}

TEST_F(StarfieldWindowTest, WhileABoxIsOpenTheStarsStandStillAndAfterItTheyGoOn)
{
    SetUpStarfield(window);
    for (int frame = 0; frame < 50; ++frame)
        RunFrame(window);

    bool boxOpened = false;
    QImage whenOpened;
    QImage beforeClosing;
    QTimer::singleShot(0, &form, [&] {
        QDialog box(&form);
        QTimer::singleShot(0, &box, [&] {
            boxOpened = true;
            whenOpened = surface().copy();
            // The box's own loop runs for a while, as a user reads it.
            QTimer::singleShot(100, &box, [&] {
                beforeClosing = surface().copy();
                box.accept();
            });
        });
        box.exec();
    });
    RunFrame(window);
    ASSERT_TRUE(boxOpened) << "the box opened inside the frame's wait";
    EXPECT_EQ(beforeClosing, whenOpened);

    for (int frame = 0; frame < 20; ++frame)
        RunFrame(window);
    EXPECT_NE(surface(), beforeClosing);
}

TEST_F(StarfieldWindowTest, ClosingTheWindowInsideTheWaitEndsTheProcess)
{
    int ends = 0;
    app::Form1 closing([&] { ++ends; });
    StarfieldWindow closingWindow{closing, closing.Picture1, messages};
    SetUpStarfield(closingWindow);
    RunFrame(closingWindow);
    QTimer::singleShot(0, &closing, &QWidget::close);

    RunFrame(closingWindow);

    EXPECT_EQ(ends, 1);
}

} // namespace
