#pragma once

namespace tessaro {

// The folder of the program's data (its help) where it was installed, as it was built for.
const char* InstalledDataFolder();

}  // namespace tessaro
