// The per-user copy of a panel's panel.cfg that Windows keeps in the user's VirtualStore when an
// old program changed the file under a folder only administrators may change. The simulator,
// such an old program, reads that copy when it exists, so the panel is read, shown and edited
// through it; the file under the protected folder is then never touched, and no copy is ever
// merged, moved or deleted.
#pragma once

#include "catalogue/catalogue.h"
#include "panelcfg/gps_window_set.h"
#include "platform/file_system.h"
#include "platform/virtual_store.h"

#include <string>

namespace catalogue {

// Says whether panel's folder lies under a folder store virtualizes, and finds its copy there:
// the copy's folder when its panel.cfg exists (and the copy's path is unusable when it is too long).
void FindShadowCopy(const platform::VirtualStore& store, PanelRecord& panel,
                    fileio::FileSystem& files = fileio::SystemFiles());

// The folder whose panel.cfg is read and edited: the copy's, else the panel's own (ANSI, ending
// in the separator).
const std::string& EditFolder(const PanelRecord& panel);

// Whether an edit of panel failed because Windows lets only administrators change files there:
// access refused under a virtualized folder, with no per-user copy to edit instead (where the
// system would not tell beforehand, as MayEdit asks it).
bool NeedsAdministrator(const PanelRecord& panel, const panelcfg::EditOutcome& outcome);

}  // namespace catalogue
