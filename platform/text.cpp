#include "platform/text.h"

#include "platform/text_qt.h"

namespace platform {

std::string ToAnsi(std::u16string_view wide)
{
    return toQString(wide).toLocal8Bit().toStdString();
}

std::u16string FromAnsi(std::string_view ansi)
{
    return QString::fromLocal8Bit(ansi.data(), static_cast<qsizetype>(ansi.size())).toStdU16String();
}

} // namespace platform
