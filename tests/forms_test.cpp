#include "platform/forms_qt.h"

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

} // namespace
