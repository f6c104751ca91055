#include "catalogue/selection.h"

#include "panelcfg/gps_window_set.h"
#include "panelcfg/panel_inspection.h"
#include "platform/paths.h"
#include "platform/profile_file.h"
#include "platform/profile_value.h"

namespace catalogue {

namespace {

constexpr const char* kMainWindowSection = "Window00";
constexpr const char* kInstallCaption = "Install Aerolith";
constexpr const char* kRemoveCaption = "Remove Aerolith";

constexpr const char* kAliasTooLong =
    "Panelwright cannot show the panel this alias names: the alias in its panel.cfg gives a "
    "folder path that is too long for Windows.\n\nNothing was changed.";

Message Warning(std::string text) { return Message{std::move(text), kProgramCaption, Severity::Warning}; }

// Why the panel in folder cannot be opened, and what to do. detail: the system's reason, if any.
Message UnusableMessage(Unusable why, const std::string& folder, const std::string& detail) {
    const std::string start = "Panelwright cannot work on this panel: ";
    const std::string unspellable =
        " holds characters that this system's ANSI code page cannot spell. The simulator, an ANSI "
        "program, cannot load such a folder either.\n\n";
    switch (why) {
        case Unusable::NameUnspellable:
            return Warning(start + "the name of its folder" + unspellable + folder +
                           "\n\nNothing was changed. Rename the panel folder using only characters of this "
                           "system's code page, then start Panelwright again.");
        case Unusable::AircraftUnspellable:
            return Warning(start + "the name of its aircraft folder" + unspellable + folder +
                           "\n\nNothing was changed. Rename the aircraft folder using only characters of this "
                           "system's code page, then start Panelwright again.");
        case Unusable::AliasTooLong:
            return Warning(kAliasTooLong);
        case Unusable::PanelFileNotText:
            return Warning(start + "its panel.cfg is stored as UTF-16 (Unicode) text, which Panelwright cannot "
                                   "write back without damaging it.\n\n" + folder +
                           "panel.cfg\n\nNothing was changed. Save the file as ANSI text (in Notepad: Save As, "
                           "Encoding ANSI), then start Panelwright again.");
        case Unusable::PanelFileIsFolder:
            return Warning(start + "its panel.cfg is a folder, not a file.\n\n" + folder +
                           "panel.cfg\n\nNothing was changed.");
        case Unusable::PanelFileUnreadable:
            return Warning(start + "its panel.cfg cannot be read.\n\n" + detail +
                           "\n\nNothing was changed. Check the file's permissions, close any program that "
                           "locks it, then start Panelwright again.");
        case Unusable::PathTooLong:
        case Unusable::No:
            break;
    }
    return Warning(start + "the path of its folder is too long for Windows.\n\n" + folder +
                   "\n\nNothing was changed. Move or rename the folders to give this panel a shorter path.");
}

// The folder of a Plain or Foreign panel, and whether it may be opened.
Unusable ComposeFolder(const Catalogue& catalogue, const std::string& simulatorRoot, const PanelRecord& panel,
                       std::string& folder) {
    const AircraftRecord& aircraft = catalogue.aircraft[static_cast<std::size_t>(panel.aircraft)];
    folder = ComposePanelFolder(simulatorRoot, aircraft.folder, panel.name);
    return panel.unusable != Unusable::No ? panel.unusable : CheckPanelFolder(folder);
}

// Nothing of an earlier panel stays on screen for a panel that cannot be opened.
SelectionView SelectUnusable(Unusable why, const std::string& folder, const std::string& detail,
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

Message EditMessage(const panelcfg::EditOutcome& outcome) {
    return Message{outcome.message, kPanelCfgErrorCaption, Severity::Error};
}

}  // namespace

ButtonState RefreshInstallButton(const Selection& selection) {
    if (selection.installed) return {kRemoveCaption, MarkChange::Mark};
    if (selection.foreign) return {"", MarkChange::Mark};
    if (selection.alias) return {"", MarkChange::Unmark};
    return {kInstallCaption, MarkChange::Unmark};
}

SelectionView SelectPanel(Catalogue& catalogue, const std::string& simulatorRoot, int panelNumber,
                          Selection& selection) {
    PanelRecord& panel = catalogue.panels[static_cast<std::size_t>(panelNumber)];
    selection.installed = selection.foreign = selection.alias = false;
    selection.panel = panelNumber;

    if (panel.kind == PanelKind::Alias) {
        if (panel.unusable != Unusable::No) return SelectUnusable(panel.unusable, "", panel.unusableDetail, selection);
        selection.folderPath = panel.aliasPath;
    } else {
        std::string folder;
        const Unusable why = ComposeFolder(catalogue, simulatorRoot, panel, folder);
        if (why != Unusable::No) return SelectUnusable(why, folder, panel.unusableDetail, selection);
        selection.folderPath = folder;
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
    const profile::Document doc = profile::ReadDocument(selection.folderPath + "panel.cfg");
    std::optional<std::string> bitmapName = profile::ReadValue(doc, kMainWindowSection, "file_1024");
    if (!bitmapName) bitmapName = profile::ReadValue(doc, kMainWindowSection, "file");
    if (!bitmapName) {
        view.partial = true;  // the screen still shows the previous selection
        return view;
    }

    selection.mainWindowWidth = panelcfg::ReadMainWindowWidth(doc);

    view.pathLine = selection.folderPath;
    view.bitmapPath = selection.folderPath + *bitmapName;
    if (view.bitmapPath.size() > platform::kMaxPathChars) {
        // A cut path could name another picture: show none and say why.
        view.preview = PreviewChange::Clear;
        view.message = Warning(
            "The preview of this panel cannot be shown: the path of its main bitmap, as panel.cfg names it, is too "
            "long for Windows.\n\n" + view.bitmapPath);
    } else {
        view.preview = PreviewChange::PanelBitmap;
    }
    view.button = RefreshInstallButton(selection);
    ApplyMark(panel, view.button.mark);
    return view;
}

CommandView InstallRemoveCommand(Catalogue& catalogue, const std::string& simulatorRoot, int panelNumber,
                                 Selection& selection, profile::FileSystem& files) {
    PanelRecord& panel = catalogue.panels[static_cast<std::size_t>(panelNumber)];
    CommandView view;
    if (panel.kind == PanelKind::Alias) {
        if (panel.unusable != Unusable::No) return view;
        selection.folderPath = panel.aliasPath;
        view.redraw = true;
        return view;
    }
    std::string folder;
    const Unusable why = ComposeFolder(catalogue, simulatorRoot, panel, folder);
    if (why != Unusable::No) {
        view.message = UnusableMessage(why, folder, panel.unusableDetail);
        return view;
    }
    selection.folderPath = folder;
    if (panel.kind == PanelKind::Foreign) {
        view.redraw = true;
        return view;
    }

    const bool installing = !selection.installed;  // the state the panel is to reach
    const panelcfg::EditOutcome outcome =
        installing ? panelcfg::InstallGpsWindowSet(folder, panel.slotMask, selection.mainWindowWidth, files)
                   : panelcfg::RemoveGpsWindowSet(folder, files);
    if (outcome.inventoryKnown) panel.slotMask = outcome.slotMask;
    if (outcome.kind == panelcfg::EditKind::NoSet) {
        // The file holds no set, whatever the mark said: show the panel as it is, and say why.
        selection.installed = false;
        view.button = RefreshInstallButton(selection);
        ApplyMark(panel, view.button->mark);
        view.redraw = true;
        view.message = Warning(outcome.message);
        return view;
    }
    if (outcome.kind != panelcfg::EditKind::Done) {
        view.message = EditMessage(outcome);
        return view;
    }
    selection.installed = installing;
    view.button = RefreshInstallButton(selection);
    ApplyMark(panel, view.button->mark);
    view.redraw = true;
    view.clearStatusLine = !installing;
    if (!outcome.message.empty()) view.message = Warning(outcome.message);
    return view;
}

}  // namespace catalogue
