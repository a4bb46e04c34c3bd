#pragma once

#include <optional>
#include <string>

#include "fileio/DesktopPort.h"
#include "viewer/WindowPort.h"

class QWidget;

namespace tessaro {

// What the Qt window needs of the desktop beyond drawing: the boxes and the editor of the
// core, the open dialog, the question sound and the end of the event loop. The real one
// uses Qt; tests and benchmarks script it.
class FrontEndPort : public DesktopPort {
public:
    // Shows the open dialog; the chosen path (the bytes of the file name), or none.
    virtual std::optional<std::string> ShowOpenDialog(QWidget* owner,
                                                      const OpenDialogRequest& request) = 0;

    // The system's question sound.
    virtual void BeepQuestion() = 0;

    // Asks the event loop to end with this exit code.
    virtual void PostQuit(int exitCode) = 0;
};

}  // namespace tessaro
