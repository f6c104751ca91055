#include "panelcfg/gps_window_set.h"

#include "app/shell_state.h"
#include "catalogue/catalogue_tables.h"
#include "catalogue/selection.h"
#include "panelcfg/gps_window_set_edit.h"
#include "panelcfg/panel_paths.h"
#include "resources/resource_ids.h"

#include <windows.h>

#include <utility>

namespace panelcfg {

namespace {

MessageSink g_messageSink;

// No owner, yet above the topmost main dialog, and task-modal so the dialog cannot start
// another edit while the message is up.
void Show(const std::string& text, const char* caption, unsigned int icon) {
    const unsigned int flags = icon | MB_OK | MB_TASKMODAL | MB_TOPMOST;
    if (g_messageSink) {
        g_messageSink(text, caption, flags);
        return;
    }
    MessageBoxA(nullptr, text.c_str(), caption, flags);
}

void ShowError(const std::string& text) { Show(text, kPanelCfgErrorCaption, MB_ICONERROR); }

}  // namespace

void SetMessageSink(MessageSink sink) { g_messageSink = std::move(sink); }

int InstallGpsWindowSet(const std::string& panelFolder, std::int32_t itemData) {
    const EditOutcome outcome = InstallIntoFile(panelFolder, catalogue::SlotMask(PanelNumberOf(itemData)),
                                                catalogue::g_selection.mainWindowWidth);
    if (outcome.kind != EditKind::Done) ShowError(outcome.message);
    return outcome.result;
}

int RemoveGpsWindowSet(const std::string& panelFolder, std::int32_t itemData) {
    const EditOutcome outcome = RemoveFromFile(panelFolder);
    if (outcome.inventoryKnown) catalogue::SetSlotMask(PanelNumberOf(itemData), outcome.slotMask);
    switch (outcome.kind) {
    case EditKind::Done:
        SetDlgItemTextA(app::g_shell.dialog, IDC_STATUS_LINE, "");
        if (!outcome.message.empty()) Show(outcome.message, "Panelwright", MB_ICONWARNING);
        return 1;
    case EditKind::NoSet:
        return 0;
    case EditKind::NotEnoughSlots:
    case EditKind::BelowGap:
    case EditKind::Failed:
    case EditKind::PathTooLong:
        break;
    }
    ShowError(outcome.message);
    return 0;
}

}  // namespace panelcfg
