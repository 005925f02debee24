#include "app/Form1.h"
#include "platform/dialogs_qt.h"

#include "temp_folder.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <functional>

namespace {

// Answers the modal windows of the program as they come, one answer each, in order, and writes
// down what each showed.
class ModalAnswerer : public QObject {
public:
    using Answer = std::function<void(QWidget& modal)>;

    explicit ModalAnswerer(std::deque<Answer> answers)
        : m_answers(std::move(answers))
    {
        connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::poll);
        m_timer.start(10);
    }
    ~ModalAnswerer() override { EXPECT_TRUE(m_answers.empty()) << m_answers.size() << " windows never came"; }

    std::vector<std::string> seen;

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == m_lastAnswered || m_answers.empty())
            return;
        m_lastAnswered = modal;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            seen.push_back("box " + box->windowTitle().toStdString() + " " + box->text().toStdString() + " icon "
                           + std::to_string(box->icon()) + (box->standardButtons() == QMessageBox::Ok ? " ok" : " ?")
                           + (box->windowModality() == Qt::ApplicationModal ? " modal" : ""));
        } else if (auto* chooser = qobject_cast<QFileDialog*>(modal)) {
            seen.push_back("chooser " + chooser->windowTitle().toStdString()
                           + (chooser->fileMode() == QFileDialog::Directory ? " folders" : " files")
                           + (chooser->testOption(QFileDialog::ShowDirsOnly) ? " only" : ""));
        }
        const Answer answer = std::move(m_answers.front());
        m_answers.pop_front();
        answer(*modal);
    }

    QTimer m_timer;
    std::deque<Answer> m_answers;
    QPointer<QWidget> m_lastAnswered; // cleared when that window goes, even if a new one takes its address
};

void pressOk(QWidget& box)
{
    qobject_cast<QMessageBox*>(&box)->button(QMessageBox::Ok)->click();
}

ModalAnswerer::Answer pickFolder(const std::filesystem::path& folder)
{
    return [folder](QWidget& modal) {
        auto& chooser = *qobject_cast<QFileDialog*>(&modal);
        // With nothing selected, a folder chooser gives the folder it shows.
        chooser.setDirectory(QString::fromStdString(folder.string()));
        QMetaObject::invokeMethod(&chooser, "accept");
    };
}

void cancel(QWidget& modal)
{
    qobject_cast<QDialog*>(&modal)->reject();
}

const std::string kPrompt = "Select the game folder (Skarnholm) in the list below, then click OK.";

TEST(QtDialogs, BoxesShowTextTitleIconAndOnlyOk)
{
    QWidget owner;
    platform::QtDialogs dialogs(&owner);
    ModalAnswerer answerer({pressOk, pressOk});

    dialogs.MsgBox(u"File not found!", platform::MsgBoxStyle::Exclamation, u"Error!!!");
    dialogs.MsgBox(u"Sucess!", platform::MsgBoxStyle::Information, u"Sucess!!!");

    EXPECT_EQ(answerer.seen, (std::vector<std::string>{
                                 "box Error!!! File not found! icon " + std::to_string(QMessageBox::Warning) + " ok modal",
                                 "box Sucess!!! Sucess! icon " + std::to_string(QMessageBox::Information) + " ok modal"}));
}

TEST(QtDialogs, ChooserAdmitsFoldersOnlyAndGivesThePathOrNothing)
{
    TempFolder base;
    std::filesystem::create_directory(base / "Skarnholm");
    QWidget owner;
    platform::QtDialogs dialogs(&owner);
    ModalAnswerer answerer({pickFolder(base / "Skarnholm"), cancel});

    EXPECT_EQ(dialogs.BrowseForFolder(u"Pick"), (base / "Skarnholm").u16string());
    EXPECT_EQ(dialogs.BrowseForFolder(u"Pick"), std::nullopt);
    EXPECT_EQ(answerer.seen, (std::vector<std::string>{"chooser Pick folders only", "chooser Pick folders only"}));
}

TEST(Form1Save, MissingFileThenTheRightFolderWritesAndShowsSuccess)
{
    TempFolder base;
    std::filesystem::create_directory(base / "game");
    const std::string before = "[Settings]\r\nLanguage=English\r\n; keep\r\n";
    writeBytes(base / "game" / "steam_api.ini", before);
    setenv("ProgramFiles", (base / "nowhere").c_str(), 1);
    app::Form1 form([] {});
    form.Show(platform::FormShow::Modeless);
    form.Lang_Combo.setText(u"Russian");
    ModalAnswerer answerer({pressOk, pickFolder(base / "game"), pressOk});

    form.Command1.click();

    EXPECT_EQ(answerer.seen,
              (std::vector<std::string>{
                  "box Error!!! File not found! icon " + std::to_string(QMessageBox::Warning) + " ok modal",
                  "chooser " + kPrompt + " folders only",
                  "box Sucess!!! Sucess! icon " + std::to_string(QMessageBox::Information) + " ok modal"}));
    EXPECT_EQ(readBytes(base / "game" / "steam_api.ini"), "[Settings]\r\nLanguage=Russian\r\n; keep\r\n");
    EXPECT_EQ(form.Lang_label.caption(), u"Current Language : Russian");
    EXPECT_EQ(form.Path_Text.text(), (base / "game").u16string());
    unsetenv("ProgramFiles");
}

} // namespace
