#include "catalogue/selection.h"

#include "catalogue/fleet_check.h"
#include "catalogue/messages.h"
#include "catalogue/shadow_copy.h"
#include "catalogue/readiness.h"
#include "panelcfg/gps_window_set.h"
#include "panelcfg/panel_keys.h"
#include "panelcfg/panel_inspection.h"
#include "panelcfg/panel_paths.h"
#include "platform/paths.h"
#include "platform/profile_file.h"
#include "resources/button_captions.h"

namespace catalogue {

namespace {

constexpr const char* kInstallCaption = PW_INSTALL_CAPTION;
constexpr const char* kRemoveCaption = PW_REMOVE_CAPTION;

// Nothing of an earlier panel stays on screen for a panel that cannot be opened.
SelectionView SelectUnusable(Unusable why, const std::string& folder, const fileio::Error& detail,
                             Selection& selection) {
    selection.folderPath = folder;
    SelectionView view;
    view.usable = false;
    view.pathLine = folder;
    view.preview = PreviewChange::Clear;
    view.button = {"", MarkChange::Keep};
    view.message = UnusableMessage(why, folder, detail);
    return view;
}

void ApplyMark(PanelRecord& panel, MarkChange mark) {
    if (mark != MarkChange::Keep) panel.marked = mark == MarkChange::Mark;
}

// The catalogue's copy of the panel, as the edit left the file (or found it).
void Refresh(PanelRecord& panel, const panelcfg::EditOutcome& outcome) {
    if (!outcome.stateKnown) return;
    panel.slotMask = outcome.state.inventory.slotMask;
    panel.setMask = outcome.state.inventory.setMask;
    panel.sections = outcome.state.sections;
}

}  // namespace

ButtonState RefreshInstallButton(const Selection& selection) {
    if (selection.installed) return {kRemoveCaption, MarkChange::Mark};
    if (selection.foreign) return {"", MarkChange::Mark};
    if (selection.alias) return {"", MarkChange::Unmark};
    return {kInstallCaption, MarkChange::Unmark};
}

namespace {

SelectionView ViewOf(PanelRecord& panel, int panelNumber, Selection& selection) {
    selection.installed = selection.foreign = selection.alias = false;
    selection.panel = panelNumber;

    if (panel.kind == PanelKind::Alias) {
        if (panel.unusable != Unusable::No) return SelectUnusable(panel.unusable, "", panel.unusableDetail, selection);
        selection.folderPath = panel.aliasPath;
    } else {
        if (panel.unusable != Unusable::No) {
            return SelectUnusable(panel.unusable, EditFolder(panel), panel.unusableDetail, selection);
        }
        selection.folderPath = panel.folder;
    }

    SelectionView view;
    if (panel.kind != PanelKind::Plain) {
        const bool foreign = panel.kind == PanelKind::Foreign;
        (foreign ? selection.foreign : selection.alias) = true;
        view.preview = foreign ? PreviewChange::ForeignNotice : PreviewChange::AliasNotice;
        view.pathLine = selection.folderPath;
        view.button = RefreshInstallButton(selection);
        ApplyMark(panel, view.button.mark);
        return view;
    }

    // The panel's own mark, the program's only record of whether it carries the set.
    selection.installed = panel.marked;
    const std::optional<std::string> bitmapName =
        panelcfg::ReadMainWindowBitmap(profile::ReadDocument(panelcfg::PanelFilePath(EditFolder(panel))));
    if (!bitmapName) {
        view.partial = true;  // the screen still shows the previous selection
        return view;
    }

    view.pathLine = panel.copyFolder.empty() ? selection.folderPath : panelcfg::PanelFilePath(panel.copyFolder);
    view.bitmapPath = selection.folderPath + *bitmapName;
    if (view.bitmapPath.size() > platform::kMaxPathChars) {
        // A cut path could name another picture: show none and say why.
        view.preview = PreviewChange::Clear;
        view.message = PreviewPathTooLongMessage(view.bitmapPath);
    } else {
        view.preview = PreviewChange::PanelBitmap;
    }
    view.button = RefreshInstallButton(selection);
    ApplyMark(panel, view.button.mark);
    return view;
}

}  // namespace

SelectionView SelectPanel(Catalogue& catalogue, int panelNumber, Selection& selection) {
    PanelRecord& panel = catalogue.panels[static_cast<std::size_t>(panelNumber)];
    SelectionView view = ViewOf(panel, panelNumber, selection);
    // The simulator reads the per-user copy: said once a run, where nothing else is to be said.
    if (view.usable && !view.message && !panel.copyFolder.empty() && !panel.copySaid) {
        view.message = ShadowCopyMessage(panel);
        panel.copySaid = true;
    }
    return view;
}

CommandView InstallRemoveCommand(Catalogue& catalogue, int panelNumber, Selection& selection,
                                 fileio::FileSystem& files) {
    PanelRecord& panel = catalogue.panels[static_cast<std::size_t>(panelNumber)];
    CommandView view;
    const bool installing = !selection.installed;  // the state the panel is to reach
    const panelcfg::EditAction action = installing ? panelcfg::EditAction::Install : panelcfg::EditAction::Remove;
    switch (MayEdit(panel)) {
        case Readiness::Unusable:
            // An alias that cannot be followed has no folder to name; selecting it said why.
            if (panel.kind != PanelKind::Alias) {
                view.message = UnusableMessage(panel.unusable, EditFolder(panel), panel.unusableDetail);
            }
            return view;
        case Readiness::Alias:  // the command shows the panel it names
            selection.folderPath = panel.aliasPath;
            view.redraw = true;
            return view;
        case Readiness::Foreign:
            selection.folderPath = panel.folder;
            view.redraw = true;
            return view;
        case Readiness::NeedsAdministrator:
            view.message = AdministratorOffer(action, panelcfg::PanelFilePath(panel.folder));
            view.offerAdministrator = true;
            return view;
        default: break;
    }
    selection.folderPath = panel.folder;

    const std::string& folder = EditFolder(panel);
    const panelcfg::EditOutcome outcome =
        installing ? panelcfg::InstallGpsWindowSet(folder, files) : panelcfg::RemoveGpsWindowSet(folder, files);
    Refresh(panel, outcome);
    // Installed without its gauge module, the set's windows stay empty: the message says so.
    const bool moduleMissing = installing && outcome.kind == panelcfg::EditKind::Done &&
                               !catalogue.simulatorRoot.empty() &&
                               !GaugeModuleInstalled(catalogue.simulatorRoot, panelcfg::kModuleMarker);
    view.message = EditMessage(outcome, moduleMissing);
    if (NeedsAdministrator(panel, outcome)) {
        view.message = AdministratorOffer(action, outcome.file);
        view.offerAdministrator = true;
    }
    switch (outcome.kind) {
        case panelcfg::EditKind::Done:
            selection.installed = installing;
            view.clearStatusLine = !installing;
            break;
        case panelcfg::EditKind::AlreadyDone:
        case panelcfg::EditKind::NoSet:
            // The file is already as asked, whatever the mark said: show the panel as it is.
            selection.installed = outcome.kind == panelcfg::EditKind::AlreadyDone;
            break;
        default: return view;  // a refusal or failure changes nothing but says why
    }
    view.button = RefreshInstallButton(selection);
    ApplyMark(panel, view.button->mark);
    view.redraw = true;
    return view;
}

}  // namespace catalogue
