// VireoBrowser: the folder-browser control. Its members are split over the files of control/ by concern;
// the dispatch table (Dispatch.h) lists the public ones with their identifiers.
#pragma once
#include "support/Folder.h"
#include "control/SolidBrush.h"
#include "control/VireoBrowserEvents.h"
#include "platform/Container.h"
#include "platform/Owners.h"
#include "platform/PropertyBag.h"
#include "platform/RefCounted.h"
#include "platform/StdFont.h"
#include "platform/Variant.h"
#include "platform/win32.h"
#include "shellview/FolderViewHost.h"
#include "support/KeyedImageList.h"
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vireo {

// The folder view's windows and the public fields m_hwndWB, m_hwndSV, m_hwndLV, m_hwndLV2 and m_OpenOneClick
// come from FolderViewHost, the face the control shows to shellview/.
class VireoBrowser : public FolderViewHost, private WebViewEvents, private FolderTreeEvents {
public:
    // Creates the control's window under the container's window with its child controls, and runs
    // UserControl_Initialize.
    explicit VireoBrowser(Container& container);
    ~VireoBrowser() override;

    // The timer of the selection notice (tmrStatus) on the control's window.
    static constexpr UINT_PTR kStatusTimer = 1;
    static constexpr UINT kStatusInterval = 200;

    void SetEvents(VireoBrowserEvents* events) { m_events = events; }
    HWND Window() const { return m_hWnd; }

    // Control core.
    Folder SelFolder() const override { return m_CurFolder; }
    bool GoToParent();
    bool GoToChild(std::string& sName) override;
    void ShellNotify();
    LONG_PTR ParentPidl();
    bool IsBusy();
    void OpenArchiveEx(const std::string& URL);
    void FireStatus() override;
    void ThisGotFocus();
    void ThisLostFocus();

    // Lifecycle and properties.
    void SetFontColor(const std::string& sFontName, LONG_PTR hFontLarge, LONG_PTR hFontSmall,
                      LONG BackColor = 0xFFFFFF, LONG ForeColor = 0);
    void SetTempDir(std::string& sTempDir);
    void Terminate(const Variant& bClearAll = Variant::Boolean(false));
    void Activate();
    LONG ForeColor() const override { return m_nForeColor; }
    void SetForeColor(LONG color);
    LONG BackColor() const override { return m_nBackColor; }
    void SetBackColor(LONG color);
    RefPtr<StdFont> Font() const { return m_Font; }
    void SetFont(RefPtr<StdFont> font) { m_Font = std::move(font); }
    LONG_PTR hFont() const override { return m_hFont; }
    LONG Style() const override { return m_nStyle; }
    void SetStyle(LONG style) override { m_nStyle = style; }
    void SetURL(const std::string& url);
    void SetOpenOneClick(LONG value) { m_OpenOneClick = value; }

    // Navigation.
    void NavigateWB(const Variant& URL);
    LONG_PTR NavigateTV(const Variant& URL, bool* bSuccess = nullptr) override;
    // What the dispatch table checks before it hands a host's location to NavigateTV or NavigateWB: a number
    // is read as an item-ID list only when it is 0, the current or pending list, or a whole list of the
    // shell allocator; anything else raises run-time error 5 naming the member.
    void RequireList(const Variant& URL, const char* member) const;
    void GoUp();
    void GoBack();
    void GoForward();
    void GoToDriveRoot();
    void GoToNextDrive();
    void Refresh() override;
    void Reload();
    void StopEx();
    // The up-one-level step; True when it started a navigation the caller need not repeat.
    bool UpOneLevel() override;

    // Folder view.
    void GetColWidth();
    void SetColWidth() override;
    LONG GetSelectedCount(std::string& sFile);
    LONG GetSelectedFileList(std::string& FileList);
    void SetSelectedFiles(const std::string& sFiles);
    void InvertSelection();
    void SwitchView(LONG nStyle);

    // Commands.
    void FileOperation(int16_t& Index, const std::string& TargetDir = "");
    void AddFavoriteEx();
    void OrgFavoriteEx();
    void PrintEx();
    void SaveAs();

    // Private operations shared across the control's files (public for the window procedures and tests).
    bool IsVirtualLocation() const;
    std::string LocationDisplayText() const;
    bool CanGoUp();
    void SetStatusText(const std::string& text);
    // The selection notice: NotifySelection to the host and the count or the item's details on the bar.
    void UpdateSelectionStatus();
    std::string StatusText() const;
    void RestoreAddressBox();
    // Lets go of the folder view's windows (list view 2, list view, document view, in that order); with
    // the embedding window too when the control goes.
    void ReleaseFolderViewWindows(bool andEmbedding);
    std::string AddressText() const;
    // The address box's list, in its order.
    std::vector<std::string> AddressHistory() const;
    void SetAddressText(const std::string& text);
    FolderTree* Tree() const { return m_TreeView.get(); }
    WebView* Browser() const { return m_WebBrowser1.get(); }

    // Makes a location current: the web view's completion handler calls it with the finished navigation.
    void SetCurrentFolder(const Folder& folder) { m_CurFolder = folder; }

    // The container's steps: a newly placed control, a stored one, saving, painting and going away.
    void UserControl_InitProperties();
    void UserControl_ReadProperties(PropertyBag& bag);
    void UserControl_WriteProperties(PropertyBag& bag);
    void UserControl_Paint();
    void UserControl_Terminate() { Terminate(); }
    void UnloadAllForms();

    // Layout: the five bands and the splitter's drag (button: 1 left, 2 right, 4 middle; y relative to the
    // grab bar's top).
    void UserControl_Resize();
    void InVisLine_MouseDown();
    void InVisLine_MouseMove(int button, int y);
    void InVisLine_MouseUp();
    float SplitPercent() const { return m_nSplitPercent; }

    // The pending location of the last NavigateWB.
    const std::string& PendingURL() const { return m_sPendingURL; }
    LONG_PTR PendingPidl() const { return m_nPendingPidl; }

    // Address box, location icon and focus (AddressBox.cpp, Focus.cpp).
    int16_t FindHistoryEntry(const std::string& text, LONG_PTR& nPidl);
    void AddLocationToHistory();
    void UpdateLocationIcon();
    void PreparePopupMenusOnce();
    // The address box's KeyDown: Enter in a box that is not empty navigates to what it holds.
    void AddressBoxKeyDown(int keyCode);
    // The address box's background colour (cmbURL.BackColor; system colours have the high bit set).
    LONG AddressBackColor() const { return m_nAddressBackColor; }
    void SetAddressBackColor(LONG color);
    // imlToolBar: the 16 x 16 pictures of the toolbars.
    KeyedImageList& ToolBarImages() { return *m_imlToolBar; }

    // The toolbars (Toolbar.cpp): tBar1's "Select Folder..." and tBar2's "Tree" button, each reached by
    // its command identifier; the control's window procedure calls the handlers on the toolbar's
    // WM_COMMAND.
    HWND ToolBar1() const { return m_tBar1; }
    HWND ToolBar2() const { return m_tBar2; }
    void tBar1_ButtonClick(int button);
    void tBar2_ButtonClick(int button);
    // imlPopMenu: the pictures of the drive and folder menu, refilled by each build.
    KeyedImageList& PopMenuImages() { return *m_imlPopMenu; }
    // The size text last taken from the web view's status text.
    const std::string& SizeText() const { return m_sSizeText; }

private:
    // WebViewEvents: the web view's events.
    void BeforeNavigate2(const Variant& url, bool& cancel) override;
    void NavigateComplete2(const Variant& url) override;
    void DocumentComplete(const Variant& url) override;
    void StatusTextChange(const std::string& text) override;
    void ProgressChange(int32_t progress, int32_t progressMax) override;
    void CommandStateChange(int32_t command, bool enable) override;
    void TitleChange(const std::string& text) override;
    // FolderTreeEvents: the tree's events.
    void FolderChanged() override;
    void MenusChanged() override;
    void GotFocus() override;

    void CreateChildControls();
    void AttachSplitter();
    void DetachSplitter();
    static LRESULT CALLBACK SplitterProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // The tick of tmrStatus: one tick, one selection notice.
    void tmrStatus_Timer();
    void UserControl_Initialize();
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // The three-button question for a text of no known form; True when a button was pressed.
    bool AskUrlType(const std::string& url);
    // Web view events' helpers: the unavailable message, and PanelProperty while m_hwndWB is set.
    void ShowUnavailable();
    void RaisePanelProperty();
    // The address box's edit field and the toolbars' image list, set up with the child controls.
    void SetUpAddressBox();
    // tBar2's button with its picture, and the menu's image list.
    void SetUpToolbars();
    // Builds the drive and folder menu again into a new menu object (PopupMenus.cpp).
    void CreatePopupMenus();
    // Carries out a chosen menu entry by its key: a CD tray, a drive, or a folder the tree selects.
    void OpenMenuEntry(const std::string& key);
    // The drop-down's top: the web view's top in twips.
    int32_t DropDownTop() const;
    // Answers WM_CTLCOLOREDIT and WM_CTLCOLORLISTBOX of the address box.
    LRESULT AddressBoxColor(HDC hdc);

    Container& m_container;
    VireoBrowserEvents* m_events = nullptr;
    HWND m_hWnd = nullptr;

    // Child controls.
    HWND m_tBar1 = nullptr;
    HWND m_cmbURL = nullptr;
    HWND m_InVisLine = nullptr;
    HWND m_DragLine = nullptr;
    HWND m_tBar2 = nullptr;
    HWND m_sBar1 = nullptr;
    HWND m_pBar1 = nullptr;
    RefPtr<WebView> m_WebBrowser1;
    RefPtr<FolderTree> m_TreeView;
    // The two components for a call; a container that gave none makes the call fail with run-time
    // error 91 (an object that is not set), which the statement-by-statement steps skip.
    WebView& WebBrowser1() const;
    FolderTree& TreeView() const;

    // State.
    Folder m_CurFolder;
    std::string m_sTitle;
    LONG_PTR m_hFont = 0;
    bool m_bCanBack = false;
    bool m_bCanForward = false;
    std::string m_sSizeText;
    LONG m_nStyle = 3;
    LONG m_nColWidth = 0; // width of the folder view's first column, remembered in details view
    LONG m_nForeColor = 0;
    LONG m_nBackColor = 0;
    RefPtr<StdFont> m_Font;
    float m_nSplitPercent = 50;
    std::string m_sPendingURL;
    LONG_PTR m_nPendingPidl = 0;
    bool m_bUnloadingForms = false; // UnloadAllForms's re-entry flag
    bool m_bPainted = false;        // UserControl_Paint's first-paint flag
    RefPtr<IconMenu> m_cP;          // the drive and folder menu, once built
    ComInitialization m_com;        // COM on the thread from Activate to Terminate

    // Address box, location icon and focus.
    std::unique_ptr<KeyedImageList> m_imlToolBar;
    std::unique_ptr<KeyedImageList> m_imlPopMenu;
    LONG m_nFolderIcon = 0; // cached image indexes of the location icon, 0 until computed
    LONG m_nWebIcon = 0;
    LONG m_nNetworkIcon = 0;
    LONG m_nAddressBackColor = LONG(0x80000005);
    SolidBrush m_addressBrush; // of m_nAddressBackColor
    bool m_bPopupMenusPrepared = false;
};

} // namespace vireo
