// Something the user is to be told, as data: the layers below the dialog return these, and the
// dialog alone shows them.
#pragma once

#include <string>

namespace catalogue {

enum class Severity {
    Error,    // an edit failed or was refused; nothing was changed
    Warning,  // something the user should know and act on
};

struct Message {
    std::string text;
    std::string caption;
    Severity severity = Severity::Warning;
};

// Caption of the messages about one panel.cfg edit that did not happen.
constexpr const char* kPanelCfgErrorCaption = "Panel.cfg error";
// Caption of every other message.
constexpr const char* kProgramCaption = "Panelwright";

}  // namespace catalogue
