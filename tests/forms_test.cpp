#include "platform/forms_qt.h"
#include "platform/gdi.h"

#include <QComboBox>
#include <QDialog>
#include <QGuiApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A form that writes down each event it gets, and whether it was visible at the time.
class RecordingForm final : public platform::FormBase {
public:
    RecordingForm()
        : FormBase(200, 100, [this] { events.push_back("EndProcess"); })
    {
    }
    void create() { raiseInitialize(); }

    std::vector<std::string> events;
    std::int16_t cancelOnUnload = 0;

protected:
    void Form_Initialize() override { record("Initialize"); }
    void Form_Load() override { record("Load"); }
    void Form_Activate() override { record("Activate"); }
    void Form_Unload(std::int16_t& cancel) override
    {
        record("Unload");
        cancel = cancelOnUnload;
        if (!cancel)
            EndProcess();
    }

private:
    void record(const char* event) { events.push_back(std::string(event) + (isVisible() ? "/shown" : "/hidden")); }
};

void activate(QWidget& window)
{
    window.activateWindow();
    platform::DoEvents();
}

// Another program taking the focus leaves no window of ours focused.
void activateAnotherProgram()
{
    emit qGuiApp->focusWindowChanged(nullptr);
    platform::DoEvents();
}

using Events = std::vector<std::string>;

TEST(FormBase, ShowRaisesLoadWhileHiddenThenActivateOnceVisible)
{
    RecordingForm form;
    form.create();
    form.Show(platform::FormShow::Modeless);
    form.Show(platform::FormShow::Modeless);
    platform::DoEvents();

    EXPECT_EQ(form.events, (Events{"Initialize/hidden", "Load/hidden", "Activate/shown"}));
}

TEST(FormBase, ActivateComesBackWhenAnotherWindowOfTheProgramGivesUpItsPlace)
{
    RecordingForm form;
    form.Show(platform::FormShow::Modeless);
    activate(form);

    QDialog box;
    box.show();
    activate(box);
    box.hide();
    activate(form);

    EXPECT_EQ(form.events, (Events{"Load/hidden", "Activate/shown", "Activate/shown"}));
}

TEST(FormBase, SwitchingToAnotherProgramAndBackDoesNotActivate)
{
    RecordingForm form;
    form.Show(platform::FormShow::Modeless);
    activate(form);
    activateAnotherProgram();
    activate(form);

    EXPECT_EQ(form.events, (Events{"Load/hidden", "Activate/shown"}));
}

TEST(FormBase, OpeningAListDoesNotActivate)
{
    RecordingForm form;
    QComboBox list(&form);
    list.addItems({"English", "Russian"});
    form.Show(platform::FormShow::Modeless);
    activate(form);

    list.showPopup();
    platform::DoEvents();
    list.hidePopup();
    activate(form);

    EXPECT_EQ(form.events, (Events{"Load/hidden", "Activate/shown"}));
}

TEST(FormBase, ClosingRaisesUnloadAndModalShowReturnsOnceHidden)
{
    RecordingForm form;
    QTimer::singleShot(0, &form, &QWidget::close);
    form.Show(platform::FormShow::Modal);

    EXPECT_EQ(form.events, (Events{"Load/hidden", "Activate/shown", "Unload/shown", "EndProcess"}));
    EXPECT_FALSE(form.isVisible());
}

TEST(FormBase, UnloadCanKeepTheWindowOpen)
{
    RecordingForm form;
    form.cancelOnUnload = 1;
    form.Show(platform::FormShow::Modeless);
    form.close();

    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.events.back(), "Unload/shown");
}

// A window with the surface of the layout: 320 by 97 outside, a black bitmap inside.
struct SurfaceWindow {
    SurfaceWindow()
        : box(&window, {4, 4, 320, 97}, Qt::black, platform::PictureBox::Backing::Persistent)
    {
        window.resize(328, 105);
        window.show();
        platform::DoEvents();
    }
    QWidget window;
    platform::PictureBox box;
};

TEST(PictureBox, MeasuresInsideAndOutsideTheBorderForDrawingCode)
{
    SurfaceWindow surface;
    platform::Picture& picture = surface.box;
    platform::PictureBox plain(&surface.window, {0, 0, 50, 40}, Qt::gray, platform::PictureBox::Backing::None);

    EXPECT_EQ(picture.scaleWidth(), 318);
    EXPECT_EQ(picture.scaleHeight(), 95);
    EXPECT_EQ(picture.outerWidth(), 320);
    EXPECT_EQ(picture.outerHeight(), 97);
    EXPECT_NE(picture.hDC(), nullptr);
    EXPECT_EQ(plain.hDC(), nullptr) << "a box without a backing bitmap has nothing to draw into";
}

TEST(PictureBox, DrawsIntoTheBackingBitmapAndTheRefreshShowsIt)
{
    SurfaceWindow surface;
    platform::Picture& picture = surface.box;
    platform::SetPixelV(picture.hDC(), 10, 20, 0x0080FF);

    EXPECT_EQ(surface.box.backing()->pixel(10, 20), qRgb(255, 128, 0));
    picture.Refresh();
    const QImage shown = surface.box.grab().toImage();
    EXPECT_EQ(shown.pixel(11, 21), qRgb(255, 128, 0)) << "inside the one-pixel border";
    EXPECT_EQ(shown.pixel(12, 21), qRgb(0, 0, 0));
}

TEST(PictureBox, OnAHighDensityScreenAPixelBecomesACrispBlock)
{
    SurfaceWindow surface;
    platform::SetPixelV(surface.box.hDC(), 10, 10, 0xFFFFFF);
    QImage screen(surface.box.size() * 2, QImage::Format_RGB32);
    screen.setDevicePixelRatio(2);
    screen.fill(Qt::red);

    surface.box.render(&screen);

    // Bitmap pixel (10, 10) lies at (11, 11) of the box, device pixels 22 and 23 each way.
    for (const int y : {22, 23}) {
        EXPECT_EQ(screen.pixel(21, y), qRgb(0, 0, 0));
        EXPECT_EQ(screen.pixel(22, y), qRgb(255, 255, 255));
        EXPECT_EQ(screen.pixel(23, y), qRgb(255, 255, 255));
        EXPECT_EQ(screen.pixel(24, y), qRgb(0, 0, 0));
    }
    EXPECT_EQ(screen.pixel(22, 21), qRgb(0, 0, 0));
    EXPECT_EQ(screen.pixel(22, 24), qRgb(0, 0, 0));
}

} // namespace
