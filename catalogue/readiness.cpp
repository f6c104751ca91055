#include "catalogue/readiness.h"

#include "panelcfg/gps_window_set.h"
#include "platform/virtual_store.h"

namespace catalogue {

namespace {

panelcfg::PanelSlots SlotsOf(const PanelRecord& panel) {
    panelcfg::PanelSlots slots;
    slots.inventory.slotMask = panel.slotMask;
    slots.inventory.setMask = panel.setMask;
    slots.inventory.setFound = panel.setMask != 0;
    slots.sections = panel.sections;
    return slots;
}

}  // namespace

std::uint32_t FreeSlots(const PanelRecord& panel) {
    if (panel.unusable != Unusable::No || panel.kind == PanelKind::Alias) return 0;
    return SlotsOf(panel).FreeMask();
}

Readiness MayEdit(const PanelRecord& panel) {
    if (panel.unusable != Unusable::No) return Readiness::Unusable;
    if (panel.kind == PanelKind::Alias) return Readiness::Alias;
    if (panel.kind == PanelKind::Foreign) return Readiness::Foreign;
    // Under a folder Windows protects, with no per-user copy, the user may add no file there.
    if (panel.virtualized && panel.copyFolder.empty() && platform::RefusesNewFiles(panel.folder))
        return Readiness::NeedsAdministrator;
    return Readiness::Installable;
}

InstallCheck CheckInstall(const PanelRecord& panel) {
    InstallCheck check;
    const Readiness may = MayEdit(panel);
    if (may != Readiness::Installable && may != Readiness::NeedsAdministrator) {
        check.readiness = may;  // not to be edited at all: the file's answers do not matter
    } else if (!panel.hasPanelFile) {
        check.readiness = panel.leftovers.Any() ? Readiness::Interrupted : Readiness::NoPanelFile;
    } else if (panel.setMask != 0) {
        check.readiness = Readiness::HasSet;
    } else {
        const panelcfg::SlotPlan plan = panelcfg::PlanSlots(SlotsOf(panel));
        if (!plan.enough) {
            check.readiness = Readiness::NotEnoughSlots;
        } else if (!plan.gapsBelow.empty()) {
            check.readiness = Readiness::TitleGap;
            check.gaps = plan.gapsBelow;
        } else {
            check.readiness = may;
        }
    }
    return check;
}

}  // namespace catalogue
