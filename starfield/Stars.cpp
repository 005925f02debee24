#include "starfield/Stars.h"

#include <stdexcept>
#include <string>

namespace starfield {

void StarArray::throwOutOfRange(std::int32_t Index)
{
    throw std::out_of_range("star index " + std::to_string(Index) + " outside 0 to 9999");
}

} // namespace starfield
