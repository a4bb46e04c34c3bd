#pragma once

#include <QString>

#include "fileio/DesktopPort.h"

class QWidget;

namespace tessaro {

// The open dialog's request and answer, with the meaning of the Windows dialog: a title,
// a file name field, an initial folder, "description|pattern|..." filters, a default
// extension and the option flags. The chosen path comes back in fileName.
struct OpenDialogRequest {
    QString title;
    QString fileName;
    QString initialDirectory;
    QString filter;
    QString defaultExtension;
    unsigned flags = 0;
};

inline constexpr unsigned OFN_HIDEREADONLY = 0x00000004;
inline constexpr unsigned OFN_FILEMUSTEXIST = 0x00001000;
inline constexpr unsigned OFN_LONGNAMES = 0x00200000;

// What the window needs of the desktop beyond the core's needs: the open dialog, the
// question sound and the end of the program. Tests script all of it.
class FrontEndPort : public DesktopPort {
public:
    // Shows the open dialog; true when the user chose a file.
    virtual bool ShowOpenDialog(QWidget* owner, OpenDialogRequest& request) = 0;

    // The system's question sound.
    virtual void BeepQuestion() = 0;

    // Asks the event loop to end with this exit code.
    virtual void PostQuit(int exitCode) = 0;
};

}  // namespace tessaro
