#include "platform/dialogs_qt.h"

#include "platform/text_qt.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace platform {
namespace {

// On Linux the game lives in a Steam library: start there when there is one.
QString startFolder()
{
    const QString home = QDir::homePath();
    for (const QString& library : {home + QStringLiteral("/.local/share/Steam/steamapps/common"),
                                   home + QStringLiteral("/.steam/steam/steamapps/common")}) {
        if (QFileInfo(library).isDir())
            return library;
    }
    return home;
}

} // namespace

void QtDialogs::MsgBox(std::u16string_view prompt, MsgBoxStyle style, std::u16string_view title)
{
    const QMessageBox::Icon icon =
        style == MsgBoxStyle::Exclamation ? QMessageBox::Warning : QMessageBox::Information;
    QMessageBox box(icon, toQString(title), toQString(prompt), QMessageBox::Ok, m_owner);
    box.setWindowModality(Qt::ApplicationModal);
    // Paths and reasons are shown as they stand, never taken for markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

std::optional<std::u16string> QtDialogs::BrowseForFolder(std::u16string_view title)
{
    const QString folder = QFileDialog::getExistingDirectory(m_owner, toQString(title), startFolder(),
                                                             QFileDialog::ShowDirsOnly);
    if (folder.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(folder).toStdU16String();
}

} // namespace platform
