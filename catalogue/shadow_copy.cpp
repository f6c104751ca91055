#include "catalogue/shadow_copy.h"

#include "panelcfg/panel_paths.h"
#include "platform/paths.h"

namespace catalogue {

void FindShadowCopy(const platform::VirtualStore& store, PanelRecord& panel, fileio::FileSystem& files) {
    panel.virtualized = platform::IsVirtualized(store, panel.folder);
    const std::string copy = platform::VirtualStoreCopy(store, panel.folder);
    if (copy.empty()) return;
    switch (files.Probe(panelcfg::PanelFilePath(copy))) {
        case fileio::PathKind::File:
        case fileio::PathKind::ReadOnlyFile:
        case fileio::PathKind::Folder: break;
        case fileio::PathKind::Missing:
        case fileio::PathKind::FolderMissing:
        case fileio::PathKind::Unknown: return;
    }
    panel.copyFolder = copy;
    panel.unusable = CheckPanelFolder(copy);
}

const std::string& EditFolder(const PanelRecord& panel) {
    return panel.copyFolder.empty() ? panel.folder : panel.copyFolder;
}

bool NeedsAdministrator(const PanelRecord& panel, const panelcfg::EditOutcome& outcome) {
    return panel.virtualized && panel.copyFolder.empty() && outcome.kind == panelcfg::EditKind::Failed &&
           outcome.error.code == fileio::ErrorCode::CannotCreateIn;  // the lock is the edit's first new file
}

}  // namespace catalogue
