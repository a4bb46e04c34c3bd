#include "WindowState.h"

#include "table/TextConversion.h"

namespace tessaro {

namespace {

constexpr std::size_t kStatusTextMax = 254;

}  // namespace

void WindowState::SetStatusText(std::string_view text) {
    statusText = CutToCharacters(text, kStatusTextMax);
    window.SetStatusText(statusText);
}

}  // namespace tessaro
