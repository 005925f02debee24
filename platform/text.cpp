#include "platform/text.h"

#include <QString>

namespace platform {

std::string ToAnsi(std::u16string_view wide)
{
    const QString text = QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size()));
    return text.toLocal8Bit().toStdString();
}

std::u16string FromAnsi(std::string_view ansi)
{
    return QString::fromLocal8Bit(ansi.data(), static_cast<qsizetype>(ansi.size())).toStdU16String();
}

} // namespace platform
