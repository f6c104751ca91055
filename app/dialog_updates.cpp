#include "app/dialog_updates.h"

#include "app/user_messages.h"
#include "catalogue/aircraft_tree.h"
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
        case catalogue::PreviewChange::PanelBitmap:
            preview::LoadPanelPreview(session.preview, view.bitmapPath);
            break;
    }
}

}  // namespace

preview::ScreenArea ScreenOf(const Session& session) {
    return {&session.preview, session.selection.installed, BadgeOf(session.trainer)};
}

void RedrawScreen(const Session& session) { preview::RedrawPreviewArea(session.dialog, ScreenOf(session)); }

void ApplyButton(Session& session, HTREEITEM item, const catalogue::ButtonState& button) {
    switch (button.mark) {
        case catalogue::MarkChange::Mark: catalogue::MarkItem(session.tree, item); break;
        case catalogue::MarkChange::Unmark: catalogue::UnmarkItem(session.tree, item); break;
        case catalogue::MarkChange::Keep: break;
    }
    SetDlgItemTextA(session.dialog, IDC_INSTALL_REMOVE, button.caption.c_str());
}

bool SelectItem(Session& session, HTREEITEM item, const catalogue::DecodedItem& decoded) {
    // The tree moves the caret itself on a label click, but not on every hit place; the command
    // relies on the caret being the selected panel.
    catalogue::MoveCaret(session.tree, item);
    const catalogue::SelectionView view =
        catalogue::SelectPanel(session.catalogue, decoded.panel, session.selection);
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
