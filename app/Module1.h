#pragma once

namespace app {

/// The program's start: starts the graphics library and shows Form1 modally.
void Main();

} // namespace app
