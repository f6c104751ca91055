// What an edit changed, as a unified diff (the form `diff -u` prints, three lines of context),
// built from the edited document itself: its lines know which source line each one is, so no
// comparison of texts is needed.
#pragma once

#include "platform/profile_document.h"

#include <string>

namespace profile {

// The change from the bytes edited was parsed from (edited.Source()) to edited as it would be
// saved, with fromName and toName in the header lines; empty when nothing changed. Each line
// keeps its own line end (the header and hunk lines end in "\n"); a last line without one is
// marked as diff marks it.
std::string UnifiedDiff(const Document& edited, const std::string& fromName, const std::string& toName);

}  // namespace profile
