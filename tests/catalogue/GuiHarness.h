// In-process harness for the catalogue: a simulator folder made on disk, and a host window
// holding the controls the catalogue drives (tree 101, path line 102, button 2).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace cattest {

// A folder under Z:\tmp removed with everything in it at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// Creates the folders leading to path (a file's folders when isFile).
void MakeFolders(const std::string& path, bool isFile = false);
void WriteTextFile(const std::string& path, const std::string& text);
std::string ReadTextFile(const std::string& path);
// A 24-bit bitmap of width x height in one colour.
void WriteBitmapFile(const std::string& path, int width, int height);

// Borderless top-level window (no window manager wait under Xvfb) with the three controls; app::g_shell points at it while it lives, and the
// tree is subclassed with TreeClickProc. WM_NOTIFY from the tree runs the root rule.
class TestHost {
public:
    TestHost();
    ~TestHost();
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;
    HWND window() const { return window_; }
    HWND tree() const { return tree_; }
    std::string ControlText(int id) const;

private:
    HWND window_ = nullptr;
    HWND tree_ = nullptr;
};

// Tree reading helpers.
std::vector<HTREEITEM> Children(HWND tree, HTREEITEM parent);
HTREEITEM RootItem(HWND tree);
HTREEITEM FindChild(HWND tree, HTREEITEM parent, const std::string& text);
int StateImage(HTREEITEM item);
bool IsExpanded(HTREEITEM item);
void PumpMessages();

// Points to click, in tree client coordinates, and the hit flags the tree reports there.
POINT LabelPoint(HWND tree, HTREEITEM item);
POINT BesideLabelPoint(HWND tree, HTREEITEM item);
POINT ExpandButtonPoint(HWND tree, HTREEITEM item);
UINT HitFlags(HWND tree, POINT point);

// A real left click through the tree's window procedure (the subclass first).
void Click(HWND tree, POINT point);
void DoubleClick(HWND tree, POINT point);

}  // namespace cattest
