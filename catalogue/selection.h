// The selected panel, what selecting one shows, and the install/remove command, as portable
// decisions: the dialog passes the catalogue, the selection and a panel number, and applies
// what comes back to its controls, its tree and its preview.
#pragma once

#include "catalogue/catalogue.h"
#include "catalogue/messages.h"
#include "platform/file_system.h"
#include "platform/profile_document.h"

#include <optional>
#include <string>

namespace catalogue {

struct Selection {
    std::string folderPath;  // selected panel folder, ending in "\"; empty at start
    bool installed = false;  // the selected Plain panel holds the GPS window set
    bool foreign = false;
    bool alias = false;
    int panel = -1;  // panel number of the last selection; -1 before the first
};

enum class MarkChange { Keep, Mark, Unmark };

// Caption of control 2 and the mark of the panel's item.
struct ButtonState {
    std::string caption;
    MarkChange mark = MarkChange::Keep;
};

// The button's state for the selection's flags (the table of captions and marks).
ButtonState RefreshInstallButton(const Selection& selection);

enum class PreviewChange { Keep, Clear, AliasNotice, ForeignNotice, PanelBitmap };

// What the dialog shows after a selection.
struct SelectionView {
    bool partial = false;  // no bitmap name: path line, preview and caption stay as they were
    bool usable = true;    // false: the panel cannot be opened; the message says why
    std::string pathLine;
    PreviewChange preview = PreviewChange::Keep;
    std::string bitmapPath;  // PanelBitmap: the file to show
    ButtonState button;      // the mark is also the catalogue's, already updated
    std::optional<Message> message;
};

// Makes panel the selection, as a click on its item does. A Plain panel whose panel.cfg names no
// bitmap in [Window00] is partial: the flags, the folder and the panel number are the new
// panel's, the screen still the earlier selection's.
SelectionView SelectPanel(Catalogue& catalogue, int panel, Selection& selection);

// What the install/remove command did.
struct CommandView {
    bool redraw = false;                // draw the screen area again
    std::optional<ButtonState> button;  // set the caption and the item's mark
    bool clearStatusLine = false;       // a removal ran
    std::optional<Message> message;
    bool offerAdministrator = false;  // the message asks whether to restart Panelwright as administrator
};

// Command 2 on panel, which must be the selection (the dialog selects the caret's panel first
// when it is another). Plain: installs or removes by the selection's installed flag, and on
// success flips it; a file found as asked already (changed since it was read) is shown as it
// is, and said; a refusal or failure changes nothing but says why. Either way the panel's slots
// in the catalogue follow what the edit read. Foreign and Alias: the folder is refreshed,
// nothing is written.
CommandView InstallRemoveCommand(Catalogue& catalogue, int panel, Selection& selection,
                                 fileio::FileSystem& files = fileio::SystemFiles());

}  // namespace catalogue
