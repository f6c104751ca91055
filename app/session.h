// Everything the main dialog knows, in one value the dialog owns: made in WM_INITDIALOG, reached
// through the dialog's DWLP_USER, destroyed with the dialog. Handlers pass the lower layers what
// they need from it and apply what they return.
#pragma once

#include <windows.h>

#include "app/aircraft_tree.h"
#include "catalogue/catalogue.h"
#include "catalogue/messages.h"
#include "catalogue/selection.h"
#include "host/trainer.h"
#include "platform/registry.h"
#include "platform/unique_handle.h"
#include "preview/preview_renderer.h"

#include <optional>
#include <string>

namespace app {

// Where the dialog finds the simulator and the trainer: the machine's registry and the INI file
// in the Windows directory for the program, places of its own for a test.
struct Environment {
    platform::RegistryRoot registry;             // the machine's keys
    std::string trainerIni = host::kTrainerIni;  // the trainer's INI file; no folder: the Windows directory
};

struct Session {
    explicit Session(const Environment& environment) : env(environment) {}

    Environment env;
    HWND dialog = nullptr;            // the main dialog
    HWND tree = nullptr;              // control 101
    WNDPROC savedTreeProc = nullptr;  // the tree's own procedure; TreeClickProc forwards to it
    bool dragging = false;            // a left-button drag of the window is in progress
    POINT anchor{};                   // client point of the button-down that started the drag
    bool scanPending = true;          // the one-time scan has not been asked for yet

    std::string simulatorRoot;       // "EXE Path" of the simulator's key; empty when missing
    host::TrainerStatus trainer;     // shown by button 104's caption and the badge
    catalogue::Catalogue catalogue;  // what the scan found; the tree shows it
    catalogue::Selection selection;  // the panel of the last selecting click

    preview::PreviewImage preview;         // long-lived: the selected panel's picture and mask
    StateImageList stateImages;            // long-lived: the tree's badge pictures
    platform::OwnedGdiObject statusSkin;   // long-lived: the skin the status line stands on,
    platform::OwnedGdiObject statusBrush;  // and the brush made of it

    std::optional<catalogue::Message> pendingMessage;  // raised during a click, shown after it
    bool quietRepeat = false;                          // a double-click is repeating its button-down's selection
};

// The session of the main dialog, or nullptr before WM_INITDIALOG and after the dialog's end.
Session* SessionOf(HWND dialog);

}  // namespace app
