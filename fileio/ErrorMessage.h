#pragma once

#include <cstdint>

#include "DesktopPort.h"

namespace tessaro {

// The caption of every error box. It is a fixed text, not the program's title.
inline constexpr const char* kErrorCaption = "Morvane - Fehler";

// Shows the German box for an error number and returns the button pressed: Ok after a
// stop box, Retry or Cancel after a retry box, None when the number has no box (or the box
// could not be shown). The box has no owner window. It never ends the program.
BoxAnswer ShowErrorMessage(DesktopPort& desktop, std::int16_t errorNumber);

// The German message of an error number, without the closing line; null for a number that
// has none.
const char* ErrorMessageText(std::int16_t errorNumber);

}  // namespace tessaro
