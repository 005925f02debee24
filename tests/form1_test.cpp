#include "app/Form1.h"

#include "temp_folder.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace {

using app::Form1;

// Sets or unsets ProgramFiles for one test and puts the old value back afterwards.
class ProgramFilesVariable {
public:
    explicit ProgramFilesVariable(const std::optional<std::string>& value)
    {
        if (const char* old = std::getenv("ProgramFiles"))
            m_old = old;
        value ? setenv("ProgramFiles", value->c_str(), 1) : unsetenv("ProgramFiles");
    }
    ~ProgramFilesVariable() { m_old ? setenv("ProgramFiles", m_old->c_str(), 1) : unsetenv("ProgramFiles"); }

private:
    std::optional<std::string> m_old;
};

class Form1Test : public testing::Test {
protected:
    // A base folder with blanks and letters beyond ASCII, as on many a machine.
    Form1Test()
        : m_programFilesFolder(m_base / "Program Files (x86) Ünïcødé")
        , m_programFiles(m_programFilesFolder.string())
        , form([this] { ++endProcessCalls; })
    {
        std::filesystem::create_directory(m_programFilesFolder);
    }

    TempFolder m_base;
    std::filesystem::path m_programFilesFolder;
    ProgramFilesVariable m_programFiles;
    int endProcessCalls = 0;
    Form1 form;
};

QRect placeIn(const QWidget& widget, const QWidget& ancestor)
{
    return {widget.mapTo(&ancestor, QPoint(0, 0)), widget.size()};
}

TEST_F(Form1Test, WindowIsFixedAt328By196WithACloseBoxOnly)
{
    form.Show(platform::FormShow::Modeless);

    EXPECT_EQ(form.size(), QSize(328, 196));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    const Qt::WindowFlags flags = form.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
}

TEST_F(Form1Test, ControlsStandWhereTheLayoutPutsThem)
{
    form.Show(platform::FormShow::Modeless);
    const QWidget& panel = *form.Picture2.inner();

    EXPECT_EQ(form.Picture1.geometry(), QRect(4, 4, 320, 97));
    EXPECT_EQ(QSize(form.Picture1.scaleWidth(), form.Picture1.scaleHeight()), QSize(318, 95));
    EXPECT_EQ(form.Picture2.geometry(), QRect(4, 104, 320, 88));
    EXPECT_EQ(QSize(form.Picture2.scaleWidth(), form.Picture2.scaleHeight()), QSize(318, 86));
    EXPECT_EQ(placeIn(form.Lang_Combo, panel), QRect(84, 40, 140, 20));
    EXPECT_EQ(placeIn(form.Command1, panel), QRect(234, 40, 80, 20));
    EXPECT_EQ(form.Path_Text.geometry(), QRect(16, 48, 257, 20));
    EXPECT_FALSE(form.Path_Text.isVisible());

    // A character of the window's font is 7 pixels wide and a line 12 pixels high.
    struct LabelPlace {
        const platform::AutoSizeLabel& label;
        QRect place;
    };
    for (const LabelPlace& row : {LabelPlace{form.Lang_label, {4, 16, 259, 12}}, LabelPlace{form.Label2, {4, 44, 70, 12}},
                                  LabelPlace{form.Name_Label, {4, 72, 91, 12}}}) {
        EXPECT_EQ(placeIn(row.label, panel), row.place) << row.label.text().toStdString();
    }
    EXPECT_EQ(form.Label2.text(), "Language :");
    EXPECT_EQ(form.Name_Label.text(), "Tobrek - 2013");
    EXPECT_FALSE(form.Name_Label.isEnabled());
    EXPECT_EQ(form.Command1.text(), "Save");
    EXPECT_FALSE(form.Command1.isDefault());
}

TEST_F(Form1Test, TheWindowFontIsMonospacedAt9Points)
{
    EXPECT_EQ(form.font().pointSizeF(), 9.0);
    const QFontMetrics metrics(form.Lang_label.font());
    EXPECT_EQ(metrics.horizontalAdvance("W"), metrics.horizontalAdvance("i"));
}

TEST_F(Form1Test, ALongCaptionGrowsPastThePanelAndIsCutOffThere)
{
    form.Show(platform::FormShow::Modeless);
    form.Lang_label.setCaption(u"Current Language : " + std::u16string(60, u'x'));

    EXPECT_GT(form.Lang_label.width(), form.Picture2.scaleWidth());
    EXPECT_EQ(form.Lang_label.visibleRegion().boundingRect().width(), form.Picture2.scaleWidth() - 4);
}

TEST_F(Form1Test, TabWalksPicture1Picture2ListButtonAndBack)
{
    form.Show(platform::FormShow::Modeless);
    form.activateWindow();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), &form.Picture1) << "focus starts on the first in the tab order";

    std::vector<QWidget*> visited;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget());
    }
    EXPECT_EQ(visited, (std::vector<QWidget*>{&form.Picture2, &form.Lang_Combo, &form.Command1, &form.Picture1}));
}

TEST_F(Form1Test, ListOffersEnglishAndRussianOnlyAndTakesNoTypedText)
{
    ASSERT_EQ(form.Lang_Combo.count(), 2);
    EXPECT_EQ(form.Lang_Combo.itemText(0), "English");
    EXPECT_EQ(form.Lang_Combo.itemText(1), "Russian");
    EXPECT_FALSE(form.Lang_Combo.isEditable());

    form.Lang_Combo.setText(u"Russian");
    EXPECT_EQ(form.Lang_Combo.text(), u"Russian");
    form.Lang_Combo.setText(u"russian");
    form.Lang_Combo.setText(u"French");
    EXPECT_EQ(form.Lang_Combo.text(), u"Russian") << "only an exact entry is selected";
}

TEST_F(Form1Test, LoadSetsCaptionGameFolderAndEnglishThenActivateShowsTheFile)
{
    std::filesystem::create_directory(m_programFilesFolder / "Skarnholm");
    writeBytes(m_programFilesFolder / "Skarnholm" / "steam_api.ini", "[Settings]\r\nLanguage=Russian\r\n");

    form.Show(platform::FormShow::Modeless);

    EXPECT_EQ(form.windowTitle(), "Skarnholm - Language Selector *Multi 2*");
    EXPECT_EQ(form.Path_Text.text(), m_programFilesFolder.u16string() + u"\\Skarnholm");
    EXPECT_EQ(form.Lang_Combo.text(), u"English");
    EXPECT_EQ(form.Lang_label.caption(), u"Current Language : Russian");
}

TEST_F(Form1Test, WithoutProgramFilesTheGameFolderIsSkarnholmAtTheRoot)
{
    ProgramFilesVariable unset(std::nullopt);
    form.Show(platform::FormShow::Modeless);

    EXPECT_EQ(form.Path_Text.text(), u"\\Skarnholm");
    EXPECT_EQ(form.Lang_label.caption(), language::kNotFoundCaption);
}

TEST_F(Form1Test, PickingALanguageWithoutSavingLeavesTheFileAlone)
{
    std::filesystem::create_directory(m_programFilesFolder / "Skarnholm");
    const std::string before = "[Settings]\r\nLanguage=English\r\n";
    writeBytes(m_programFilesFolder / "Skarnholm" / "steam_api.ini", before);
    form.Show(platform::FormShow::Modeless);

    form.Lang_Combo.setCurrentIndex(1);
    QApplication::processEvents();

    EXPECT_EQ(readBytes(m_programFilesFolder / "Skarnholm" / "steam_api.ini"), before);
}

TEST_F(Form1Test, ClosingTheWindowEndsTheProcess)
{
    form.Show(platform::FormShow::Modeless);
    form.close();

    EXPECT_EQ(endProcessCalls, 1);
}

TEST(Form1Surface, StartsInTheWindowTextColourOfTheScheme)
{
    const QPalette standard = QApplication::palette();
    for (const QColor windowText : {QColor(Qt::black), QColor(0, 0, 128)}) {
        QPalette scheme = standard;
        scheme.setColor(QPalette::WindowText, windowText);
        QApplication::setPalette(scheme);
        Form1 form([] {});
        ASSERT_NE(form.Picture1.backing(), nullptr);
        EXPECT_EQ(form.Picture1.backing()->size(), QSize(318, 95));
        EXPECT_EQ(form.Picture1.backing()->pixelColor(0, 0), windowText);
        EXPECT_EQ(form.Picture1.grab().toImage().pixelColor(160, 48), windowText);
    }
    QApplication::setPalette(standard);
}

} // namespace

namespace {

// The value comes from a file anyone can edit: markup in it is shown as it stands.
TEST_F(Form1Test, AValueThatLooksLikeMarkupIsShownAsItStands)
{
    std::filesystem::create_directory(m_programFilesFolder / "Skarnholm");
    writeBytes(m_programFilesFolder / "Skarnholm" / "steam_api.ini", "[Settings]\r\nLanguage=<b>Russian</b> &lt;\r\n");
    form.Show(platform::FormShow::Modeless);

    EXPECT_EQ(form.Lang_label.caption(), u"Current Language : <b>Russian</b> &lt;");
    // Drawn as markup, the text would need far less room than its characters take.
    EXPECT_GE(form.Lang_label.sizeHint().width(), form.Lang_label.width());
}

} // namespace
