#include "DataFolder.h"

namespace tessaro {

// In a file of its own, so that the text stays whole in the program, where a check of the
// package looks for it.
const char* InstalledDataFolder() { return TESSARO_DATA_DIR; }

}  // namespace tessaro
