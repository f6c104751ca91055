// In-process harness for the catalogue: a simulator folder made on disk, and a host window
// holding the controls the catalogue drives (tree 101, path line 102, button 2).
#pragma once

#include "support/GuiSupport.h"

#include "app/shell_state.h"
#include "catalogue/aircraft_scan.h"
#include "catalogue/aircraft_tree.h"
#include "catalogue/catalogue_tables.h"
#include "catalogue/item_data.h"
#include "catalogue/selection.h"
#include "host/host_state.h"
#include "resources/resource_ids.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace cattest {

// The host window runs the root rule on the tree's notifications, as the dialog does.
inline LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->idFrom == IDC_TREE) {
        catalogue::ApplyRootRule(reinterpret_cast<const NMHDR*>(lParam));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A simulator folder under a fresh temporary folder, and the three controls with app::g_shell
// pointing at them and the tree subclassed with TreeClickProc.
class CatalogueGuiTest : public ::testing::Test {
protected:
    CatalogueGuiTest() {
        window_ = pwtest::MakeTestWindow("PwCatalogueTestHost", HostProc, 700, 900);
        const auto child = [&](const char* cls, const char* text, DWORD style, int y, int height, int id) {
            return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, 0, y, 600, height, window_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        };
        tree_ = child(WC_TREEVIEWA, "", WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_DISABLEDRAGDROP, 40, 800,
                      IDC_TREE);
        child("EDIT", "", ES_AUTOHSCROLL, 0, 18, IDC_PATH_LINE);
        child("BUTTON", "Install Aerolith", 0, 18, 20, IDC_INSTALL_REMOVE);
        app::g_shell.dialog = window_;
        app::g_shell.tree = tree_;
        catalogue::AttachStateImageList(tree_);
        app::g_shell.savedTreeProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(tree_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(catalogue::TreeClickProc)));
        ShowWindow(window_, SW_SHOWNOACTIVATE);
        pwtest::PumpMessages();
        catalogue::ResetCatalogue();
        host::g_host.simulatorRoot = simulator_.Folder();
    }
    ~CatalogueGuiTest() override {
        DestroyWindow(window_);
        pwtest::PumpMessages();
        app::g_shell = app::ShellState{};
        catalogue::ResetCatalogue();
        catalogue::g_scanner.maxAircraft = catalogue::kMaxAircraft;
        catalogue::g_scanner.maxPanels = catalogue::kMaxPanels;
        host::g_host.simulatorRoot.clear();
    }

    // Paths under the simulator's aircraft folder.
    std::string Aircraft(const std::string& path) const { return simulator_.Path("aircraft\\" + path); }
    void Write(const std::string& path, const std::string& text) const {
        pwtest::WriteCreatingFolders(Aircraft(path), text);
    }
    void Folder(const std::string& path) const { std::filesystem::create_directories(Aircraft(path)); }
    void Title(const std::string& folder, const std::string& title) const {
        Write(folder + "\\aircraft.cfg", "[fltsim.0]\r\ntitle=" + title + "\r\nsim=x\r\n");
    }
    void Rescan() const {
        SendMessageA(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
        catalogue::ResetCatalogue();
        catalogue::ScanAircraft();
    }

    HWND Tree() const { return tree_; }
    HTREEITEM Root() const { return pwtest::NextItem(tree_, TVGN_ROOT); }
    std::vector<HTREEITEM> Children(HTREEITEM parent) const { return pwtest::Children(tree_, parent); }
    HTREEITEM Find(HTREEITEM parent, const std::string& text) const {
        for (HTREEITEM item : Children(parent))
            if (catalogue::GetItemText(item) == text) return item;
        return nullptr;
    }
    static int StateImage(HTREEITEM item) {
        return static_cast<int>((catalogue::GetItemState(item) & TVIS_STATEIMAGEMASK) >> 12);
    }
    static bool IsExpanded(HTREEITEM item) { return (catalogue::GetItemState(item) & TVIS_EXPANDED) != 0; }
    std::string Text(int id) const { return pwtest::ControlText(window_, id); }

    pwtest::TempFolder simulator_;

private:
    HWND window_ = nullptr;
    HWND tree_ = nullptr;
};

}  // namespace cattest
