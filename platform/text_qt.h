#pragma once
// The program's wide text as Qt holds it.

#include <QString>

#include <string_view>

namespace platform {

inline QString toQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace platform
