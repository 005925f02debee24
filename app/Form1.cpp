#include "app/Form1.h"

#include "language/SaveCommand.h"
#include "platform/environment.h"
#include "platform/music.h"
#include "platform/message_queue_qt.h"
#include "platform/text_qt.h"
#include "starfield/Starfield.h"

#include <QCoreApplication>

#include <memory>

namespace app {
namespace {

constexpr int kClientWidth = 328;
constexpr int kClientHeight = 196;
constexpr int kLineHeight = 12;

constexpr std::u16string_view kCaption = u"Skarnholm - Language Selector *Multi 2*";
constexpr std::u16string_view kGameFolderBase = u"ProgramFiles";
constexpr std::u16string_view kSeparator = u"\\";
constexpr std::u16string_view kGameFolderName = u"Skarnholm";
constexpr std::u16string_view kStartLanguage = u"English";

// The layout's font where it is installed; elsewhere the same fallback on every machine (the
// install step brings DejaVu), hinted to whole pixels so that a character of the window's font is
// 7 pixels wide, as the layout was measured.
QFont fontNamed(const QString& family, qreal points, QFont::StyleHint fallback)
{
    QFont font;
    font.setFamilies({family, fallback == QFont::TypeWriter ? QStringLiteral("DejaVu Sans Mono")
                                                            : QStringLiteral("DejaVu Sans")});
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setPointSizeF(points);
    font.setWeight(QFont::Normal);
    font.setStyleHint(fallback);
    return font;
}

std::unique_ptr<Form1> s_form1;

} // namespace

Form1& Form1::instance()
{
    if (!s_form1) {
        s_form1 = std::make_unique<Form1>(platform::EndProcessNow);
        // The window must go before the application object does, should the program ever leave
        // through Main's last step.
        qAddPostRoutine([] { s_form1.reset(); });
        s_form1->raiseInitialize();
    }
    return *s_form1;
}

Form1::Form1(ProcessEnd endProcess)
    : FormBase(kClientWidth, kClientHeight, std::move(endProcess))
    , Picture1(this, {4, 4, 320, 97}, palette().color(QPalette::WindowText), platform::PictureBox::Backing::Persistent)
    , Picture2(this, {4, 104, 320, 88}, palette().color(QPalette::Button), platform::PictureBox::Backing::None)
    , Lang_Combo(Picture2.inner(), {84, 40, 140, 20}, {QStringLiteral("English"), QStringLiteral("Russian")})
    , Command1(QStringLiteral("Save"), Picture2.inner())
    , Lang_label(Picture2.inner(), {4, 16}, kLineHeight, language::kNotFoundCaption)
    , Label2(Picture2.inner(), {4, 44}, kLineHeight, u"Language :")
    , Path_Text(this, {16, 48, 257, 20})
    , Name_Label(Picture2.inner(), {4, 72}, kLineHeight, u"Tobrek - 2013")
    , m_dialogs(this)
{
    setFont(fontNamed(QStringLiteral("Lucida Console"), 9, QFont::TypeWriter));
    Picture1.setFont(fontNamed(QStringLiteral("MS Sans Serif"), 8.25, QFont::SansSerif));
    Path_Text.setFont(fontNamed(QStringLiteral("Tahoma"), 8.25, QFont::SansSerif));
    // The labels measured themselves in the default font; measure again in the window's.
    for (platform::AutoSizeLabel* label : {&Lang_label, &Label2, &Name_Label})
        label->setCaption(label->caption());

    Command1.setGeometry(234, 40, 80, 20);
    Command1.setAutoDefault(false);
    Command1.setFocusPolicy(Qt::StrongFocus);
    Name_Label.setEnabled(false);
    connect(&Command1, &QPushButton::clicked, this, &Form1::Command1_Click);

    setTabOrder(&Picture1, &Picture2);
    setTabOrder(&Picture2, &Lang_Combo);
    setTabOrder(&Lang_Combo, &Command1);
    Picture1.setFocus();
}

void Form1::Lit_ini()
{
    language::Lit_ini(languageControls());
}

std::int32_t Form1::Ecrit_ini()
{
    return language::Ecrit_ini(languageControls());
}

void Form1::Command1_Click()
{
    language::SaveCommand({Path_Text, Lang_Combo, Lang_label, m_dialogs});
}

language::LanguageControls Form1::languageControls()
{
    return {Path_Text, Lang_Combo, Lang_label};
}

void Form1::Form_Initialize()
{
    // From here on the star field's frame loop is the program's main loop: every later event of
    // the window runs inside its wait, and this call does not return.
    platform::WindowMessageQueue messages;
    starfield::StartStarfield({*this, Picture1, messages});
}

void Form1::Form_Load()
{
    setWindowTitle(platform::toQString(kCaption));
    Path_Text.setText(platform::Environ(kGameFolderBase) + std::u16string(kSeparator) + std::u16string(kGameFolderName));
    Lang_Combo.setText(kStartLanguage);
}

void Form1::Form_Activate()
{
    Lit_ini();
    platform::uFMOD_SetVolume(40);
    platform::uFMOD_PlaySong(1, 0, 0);
}

void Form1::Form_Unload(std::int16_t& cancel)
{
    (void)cancel;
    EndProcess();
}

} // namespace app
