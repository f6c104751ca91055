#include "catalogue/readiness.h"

#include "panelcfg/gps_window_set.h"

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

InstallCheck CheckInstall(const PanelRecord& panel) {
    InstallCheck check;
    if (panel.unusable != Unusable::No) {
        check.readiness = Readiness::Unusable;
    } else if (panel.kind == PanelKind::Alias) {
        check.readiness = Readiness::Alias;
    } else if (panel.kind == PanelKind::Foreign) {
        check.readiness = Readiness::Foreign;
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
        }
    }
    return check;
}

}  // namespace catalogue
