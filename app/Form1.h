#pragma once
// Form1: the program's one window, its controls in tab order, and its event handlers.

#include "language/LanguageFile.h"
#include "platform/dialogs_qt.h"
#include "platform/forms_qt.h"

#include <QPushButton>

#include <cstdint>

namespace app {

class Form1 final : public platform::FormBase {
    Q_OBJECT

public:
    /// The one instance of the program, created on first use; its Initialize event is raised once
    /// the instance is reachable under this name.
    static Form1& instance();

    /// A form of its own, for tests: `endProcess` replaces the end of the process at Unload.
    explicit Form1(ProcessEnd endProcess);

    platform::PictureBox Picture1;
    platform::PictureBox Picture2;
    platform::DropDownList Lang_Combo;
    QPushButton Command1;
    platform::AutoSizeLabel Lang_label;
    platform::AutoSizeLabel Label2;
    platform::HiddenTextBox Path_Text;
    platform::AutoSizeLabel Name_Label;

    void Lit_ini();
    std::int32_t Ecrit_ini();
    void Command1_Click();

protected:
    void Form_Initialize() override;
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(std::int16_t& cancel) override;

private:
    language::LanguageControls languageControls();

    platform::QtDialogs m_dialogs;
};

} // namespace app
