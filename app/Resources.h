#pragma once

namespace tessaro {

// Makes the built-in pictures (":/res/...") available; safe to call more than once.
void LoadResources();

}  // namespace tessaro
