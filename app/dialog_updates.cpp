#include "app/dialog_updates.h"

#include "app/user_messages.h"
#include "app/aircraft_tree.h"
#include "resources/resource_ids.h"

namespace app {

namespace {

preview::Badge BadgeOf(const host::TrainerStatus& trainer) {
    if (trainer.state != host::TrainerState::Ready) return preview::Badge::None;
    return trainer.database == host::Database::Americas ? preview::Badge::Americas : preview::Badge::International;
}

void ApplyPreview(Session& session, const catalogue::SelectionView& view) {
    switch (view.preview) {
        case catalogue::PreviewChange::Keep: break;
        case catalogue::PreviewChange::Clear: preview::ReleasePreview(session.preview); break;
        case catalogue::PreviewChange::AliasNotice:
            preview::SetPreviewFromResource(session.preview, IDB_NOTICE_ALIAS);
            break;
        case catalogue::PreviewChange::ForeignNotice:
            preview::SetPreviewFromResource(session.preview, IDB_NOTICE_FOREIGN);
            break;
        case catalogue::PreviewChange::PanelBitmap: preview::LoadPanelPreview(session.preview, view.bitmapPath); break;
    }
}

}  // namespace

preview::ScreenArea ScreenOf(const Session& session) {
    return {&session.preview, session.selection.installed, BadgeOf(session.trainer)};
}

// The quick redraw: the dialog's surface borrowed, the screen area composed onto it.
void RedrawScreen(const Session& session) {
    if (session.dialog == nullptr) return;  // without a window GetDC would hand out the whole screen
    const platform::WindowDc surface(session.dialog);
    preview::ComposeScreenArea(surface.get(), ScreenOf(session));
}

void ApplyButton(Session& session, HTREEITEM item, const catalogue::ButtonState& button) {
    switch (button.mark) {
        case catalogue::MarkChange::Mark: MarkItem(session.tree, item); break;
        case catalogue::MarkChange::Unmark: UnmarkItem(session.tree, item); break;
        case catalogue::MarkChange::Keep: break;
    }
    SetDlgItemTextA(session.dialog, IDC_INSTALL_REMOVE, button.caption.c_str());
}

bool SelectItem(Session& session, HTREEITEM item, const catalogue::DecodedItem& decoded) {
    // The tree moves the caret itself on a label click, but not on every hit place; the command
    // relies on the caret being the selected panel.
    MoveCaret(session.tree, item);
    const catalogue::SelectionView view = catalogue::SelectPanel(session.catalogue, decoded.panel, session.selection);
    if (view.message) session.pendingMessage = view.message;
    if (view.partial) return true;
    SetDlgItemTextA(session.dialog, IDC_PATH_LINE, view.pathLine.c_str());
    ApplyPreview(session, view);
    ApplyButton(session, item, view.button);
    RedrawScreen(session);
    return view.usable;
}

void ShowPendingMessage(Session& session) {
    if (!session.pendingMessage) return;
    const catalogue::Message message = std::move(*session.pendingMessage);
    session.pendingMessage.reset();
    ShowMessage(session.dialog, message);
}

}  // namespace app
