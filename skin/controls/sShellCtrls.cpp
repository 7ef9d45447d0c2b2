#include "skin/controls/sShellCtrls.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <cwchar>
#include <utility>
#include <vector>

#include "framework/Exception.h"
#include "framework/Handles.h"
#include "skin/controls/sToolEditRules.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinSend.h"

namespace {

// Posted to the tree itself once a rename is over: the parent's children are listed anew then,
// not inside the notice of the node being edited. lParam: the renamed folder's node.
constexpr UINT kRefreshAfterRename = WM_APP + 0x2B1;


TComPtr<IShellFolder> Desktop() {
  TComPtr<IShellFolder> desktop;
  SHGetDesktopFolder(desktop.put());
  return desktop;
}

// The folder object of an absolute item id list (the desktop for the empty one).
TComPtr<IShellFolder> FolderOf(PCIDLIST_ABSOLUTE pidl) {
  TComPtr<IShellFolder> desktop = Desktop();
  if (!desktop || !pidl || ILIsEmpty(pidl)) return desktop;
  TComPtr<IShellFolder> folder;
  desktop->BindToObject(pidl, nullptr, IID_IShellFolder, folder.put_void());
  return folder;
}

std::wstring StrRetText(STRRET& sr, PCUITEMID_CHILD child) {
  TCoTaskMem<wchar_t> text;
  if (FAILED(StrRetToStrW(&sr, child, text.put())) || !text.get()) return {};
  return text.get();
}

// A parsing name that is a path of the file system: "X:\…" or "\\server\share…".
bool IsFileSystemPath(const std::wstring& s) {
  if (s.size() >= 3 && s[1] == L':' && (s[2] == L'\\' || s[2] == L'/')) return true;
  return s.size() > 2 && s[0] == L'\\' && s[1] == L'\\' && s[2] != L'?';
}

// Errors of a drive without media or an unreachable share come back as results, never as the
// system's message box; the pointer shows the wait meanwhile.
class TQuietWait {
 public:
  TQuietWait() : cursor_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) { SetThreadErrorMode(SEM_FAILCRITICALERRORS, &mode_); }
  ~TQuietWait() {
    SetThreadErrorMode(mode_, nullptr);
    SetCursor(cursor_);
  }
  TQuietWait(const TQuietWait&) = delete;
  TQuietWait& operator=(const TQuietWait&) = delete;

 private:
  HCURSOR cursor_;
  DWORD mode_ = 0;
};


}  // namespace


// One node's folder: its absolute item id list, owned; freed with the node.
struct TsCustomShellTreeView::TNode {
  TCoTaskMem<ITEMIDLIST> Folder;
  bool Listed = false;
  int Image = kUnknown, OpenImage = kUnknown;  // the system's icon indexes, once asked for
  int Children = kUnknown;                     // 1 with subfolders, 0 without, once asked for
};


TsCustomShellTreeView::TsCustomShellTreeView(TComponent* owner) : TsSkinnedControl(owner, 7), boundLabel_(*this) {
  SetBoundsFields(0, 0, 145, 289);
  skinData_.SetSkinSection(L"EDIT");
  SetReadOnly(false);
  SetShowLines(false);
  SetHideSelection(false);
  ShowError = [this](const std::wstring& text) {
    MessageBoxW(HandleAllocated() ? GetAncestor(Handle(), GA_ROOT) : nullptr, text.c_str(), L"Error", MB_OK | MB_ICONERROR);
  };
}

TsCustomShellTreeView::~TsCustomShellTreeView() {
  FreeScrolls(ListSW_);
  // The nodes' folders are freed by the deletion notices, which need the window bound to us.
  if (HandleAllocated()) SendMessageW(Handle(), TVM_DELETEITEM, 0, LPARAM(TVI_ROOT));
}

void TsCustomShellTreeView::CreateParams(TCreateParams& params) {
  TsSkinnedControl::CreateParams(params);
  params.Style |= TVS_HASBUTTONS;
}

void TsCustomShellTreeView::CreateWindowHandle(const TCreateParams& params) {
  TsSkinnedControl::CreateWindowHandle(params);
  // The system's own image list: shared by every program, never to be destroyed.
  SHFILEINFOW info{};
  const auto images = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  if (images) SendMessageW(Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
  Rebuild();
  if (!pendingPath_.empty()) SetPath(std::exchange(pendingPath_, std::wstring()));
  RefreshScrolls();
}

void TsCustomShellTreeView::DestroyWnd() {
  FreeScrolls(ListSW_);
  if (HandleAllocated()) SendMessageW(Handle(), TVM_DELETEITEM, 0, LPARAM(TVI_ROOT));
  TsSkinnedControl::DestroyWnd();
}

void TsCustomShellTreeView::Loaded() {
  TsSkinnedControl::Loaded();
  RefreshScrolls();
}

void TsCustomShellTreeView::RefreshScrolls() { RefreshEditScrolls(skinData_, ListSW_); }

bool TsCustomShellTreeView::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name.rfind("BoundLabel.", 0) == 0) return boundLabel_.SetProperty(name.substr(11), v);
  if (name == "Root") {
    root_ = v.AsString();
  } else if (name == "ObjectTypes" || name == "ShowExt" || name == "AutoRefresh" || name == "UseShellImages") {
    // The tree always lists folders (hidden ones too) with the system's icons and names.
  } else {
    return TsSkinnedControl::SetProperty(name, v, ctx);
  }
  return true;
}

// ---- Nodes --------------------------------------------------------------------------------------

TsCustomShellTreeView::TNode* TsCustomShellTreeView::NodeOf(HTREEITEM node) const {
  if (!node || !HandleAllocated()) return nullptr;
  TVITEMW it{};
  it.mask = TVIF_PARAM;
  it.hItem = node;
  if (!SendMessageW(const_cast<TsCustomShellTreeView*>(this)->Handle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it)))
    return nullptr;
  return reinterpret_cast<TNode*>(it.lParam);
}

PCIDLIST_ABSOLUTE TsCustomShellTreeView::NodeFolder(HTREEITEM node) const {
  const TNode* n = NodeOf(node);
  return n ? n->Folder.get() : nullptr;
}

HTREEITEM TsCustomShellTreeView::AddNode(HTREEITEM parent, PIDLIST_ABSOLUTE folder, const std::wstring& name) {
  auto node = std::make_unique<TNode>();
  *node->Folder.put() = folder;
  TVINSERTSTRUCTW ins{};
  ins.hParent = parent;
  ins.hInsertAfter = TVI_LAST;
  // Icons and expand buttons are asked for when the node first shows: a folder of thousands is
  // listed without reading each one's icon and looking into each one.
  ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM;
  std::wstring text = name;
  ins.item.pszText = text.data();
  ins.item.iImage = I_IMAGECALLBACK;
  ins.item.iSelectedImage = I_IMAGECALLBACK;
  ins.item.cChildren = I_CHILDRENCALLBACK;
  ins.item.lParam = reinterpret_cast<LPARAM>(node.get());
  const auto item = reinterpret_cast<HTREEITEM>(SendMessageW(Handle(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
  if (item) node.release();  // the node's deletion notice frees it
  return item;
}

void TsCustomShellTreeView::NodeLook(NMTVDISPINFOW& info) {
  TNode* n = reinterpret_cast<TNode*>(info.item.lParam);
  if (!n || !n->Folder.get()) return;
  const auto pidl = reinterpret_cast<LPCWSTR>(n->Folder.get());
  if ((info.item.mask & (TVIF_IMAGE | TVIF_SELECTEDIMAGE)) && n->Image == kUnknown) {
    SHFILEINFOW icon{}, open{};
    SHGetFileInfoW(pidl, 0, &icon, sizeof(icon), SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    SHGetFileInfoW(pidl, 0, &open, sizeof(open), SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_OPENICON);
    n->Image = icon.iIcon;
    n->OpenImage = open.iIcon;
  }
  if (info.item.mask & TVIF_IMAGE) info.item.iImage = n->Image;
  if (info.item.mask & TVIF_SELECTEDIMAGE) info.item.iSelectedImage = n->OpenImage;
  if (info.item.mask & TVIF_CHILDREN) {
    if (n->Children == kUnknown) {
      TQuietWait wait;
      TComPtr<IShellFolder> parent;
      PCUITEMID_CHILD last = nullptr;
      SFGAOF attributes = SFGAO_HASSUBFOLDER;
      const bool root = ILIsEmpty(n->Folder.get());
      n->Children = root || (SUCCEEDED(SHBindToParent(n->Folder.get(), IID_IShellFolder, parent.put_void(), &last)) &&
                             SUCCEEDED(parent->GetAttributesOf(1, &last, &attributes)) && (attributes & SFGAO_HASSUBFOLDER))
                        ? 1
                        : 0;
    }
    info.item.cChildren = n->Children;
  }
}

void TsCustomShellTreeView::Rebuild() {
  if (!HandleAllocated()) return;
  SendMessageW(Handle(), TVM_DELETEITEM, 0, LPARAM(TVI_ROOT));
  PIDLIST_ABSOLUTE root = nullptr;
  const std::optional<int> csidl = RootFolderCsidl(root_);
  if (csidl) {
    SHGetSpecialFolderLocation(Handle(), *csidl, &root);
  } else if (TComPtr<IShellFolder> desktop = Desktop()) {
    std::wstring path = root_;
    desktop->ParseDisplayName(Handle(), nullptr, path.data(), nullptr, &root, nullptr);
  }
  // A name the shell does not know roots the tree at the desktop.
  if (!root) SHGetSpecialFolderLocation(Handle(), CSIDL_DESKTOP, &root);
  if (root) {
    SHFILEINFOW info{};
    SHGetFileInfoW(reinterpret_cast<LPCWSTR>(root), 0, &info, sizeof(info), SHGFI_PIDL | SHGFI_DISPLAYNAME);
    if (HTREEITEM top = AddNode(TVI_ROOT, root, info.szDisplayName))
      SendMessageW(Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(top));
  }
}

bool TsCustomShellTreeView::Enumerate(HTREEITEM node) {
  TNode* n = NodeOf(node);
  if (!n) return false;
  if (n->Listed) return true;
  n->Listed = true;
  TQuietWait wait;
  TComPtr<IShellFolder> folder = FolderOf(n->Folder.get());
  TComPtr<IEnumIDList> items;
  bool any = false;
  if (folder && folder->EnumObjects(Handle(), SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN, items.put()) == S_OK && items) {
    struct TFound {
      std::wstring Name;
      PIDLIST_ABSOLUTE Folder;
    };
    std::vector<TFound> found;
    PITEMID_CHILD child = nullptr;
    while (items->Next(1, &child, nullptr) == S_OK) {
      TCoTaskMem<ITEMID_CHILD> owned(child);
      STRRET sr{};
      std::wstring name;
      if (SUCCEEDED(folder->GetDisplayNameOf(child, SHGDN_INFOLDER, &sr))) name = StrRetText(sr, child);
      if (PIDLIST_ABSOLUTE absolute = ILCombine(n->Folder.get(), child)) found.push_back({std::move(name), absolute});
    }
    // In the order the user's file windows show names: numbers by value, letter case ignored.
    std::sort(found.begin(), found.end(),
              [](const TFound& a, const TFound& b) { return StrCmpLogicalW(a.Name.c_str(), b.Name.c_str()) < 0; });
    SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
    for (TFound& f : found) {
      if (AddNode(node, f.Folder, f.Name)) any = true;
      else CoTaskMemFree(f.Folder);
    }
    SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
  }
  if (!any) {
    // Nothing to open (or the folder could not be listed): the node loses its button.
    TVITEMW it{};
    it.mask = TVIF_CHILDREN;
    it.hItem = node;
    it.cChildren = 0;
    SendMessageW(Handle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
  }
  return any;
}

void TsCustomShellTreeView::Refresh(HTREEITEM node) {
  if (!HandleAllocated()) return;
  if (!node) node = reinterpret_cast<HTREEITEM>(SendMessageW(Handle(), TVM_GETNEXTITEM, TVGN_ROOT, 0));
  TNode* n = NodeOf(node);
  if (!n) return;
  const bool expanded = SendMessageW(Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(node), TVIS_EXPANDED) & TVIS_EXPANDED;
  while (HTREEITEM child = reinterpret_cast<HTREEITEM>(
             SendMessageW(Handle(), TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(node))))
    SendMessageW(Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(child));
  n->Listed = false;
  TVITEMW it{};
  it.mask = TVIF_CHILDREN;
  it.hItem = node;
  it.cChildren = 1;
  SendMessageW(Handle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
  Enumerate(node);
  if (expanded) SendMessageW(Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node));
}

HTREEITEM TsCustomShellTreeView::FindNode(PCIDLIST_ABSOLUTE folder) const {
  if (!folder || !HandleAllocated()) return nullptr;
  HWND wnd = const_cast<TsCustomShellTreeView*>(this)->Handle();
  auto next = [wnd](UINT how, HTREEITEM from) {
    return reinterpret_cast<HTREEITEM>(SendMessageW(wnd, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(from)));
  };
  HTREEITEM node = next(TVGN_ROOT, nullptr);
  while (node) {
    PCIDLIST_ABSOLUTE here = NodeFolder(node);
    if (here && ILIsEqual(here, folder)) return node;
    if (here && ILIsParent(here, folder, FALSE)) {
      node = next(TVGN_CHILD, node);  // down towards the folder
      continue;
    }
    node = next(TVGN_NEXT, node);
  }
  return nullptr;
}

// ---- Path ---------------------------------------------------------------------------------------

std::wstring TsCustomShellTreeView::Path() const {
  PCIDLIST_ABSOLUTE folder = NodeFolder(Selected());
  TComPtr<IShellFolder> desktop = Desktop();
  if (!folder || !desktop) return {};
  STRRET sr{};
  if (FAILED(desktop->GetDisplayNameOf(folder, SHGDN_FORPARSING, &sr))) return {};
  std::wstring path = StrRetText(sr, folder);
  return IsFileSystemPath(path) ? path : std::wstring();
}

HTREEITEM TsCustomShellTreeView::WalkTo(PCIDLIST_ABSOLUTE target) {
  HTREEITEM node = reinterpret_cast<HTREEITEM>(SendMessageW(Handle(), TVM_GETNEXTITEM, TVGN_ROOT, 0));
  // Down from the root, opening each node on the way; outside the root there is no node.
  while (node) {
    PCIDLIST_ABSOLUTE here = NodeFolder(node);
    if (!here) return nullptr;
    if (ILIsEqual(here, target)) return node;
    if (!ILIsParent(here, target, FALSE)) return nullptr;
    Enumerate(node);
    SendMessageW(Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node));
    HTREEITEM child = reinterpret_cast<HTREEITEM>(SendMessageW(Handle(), TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(node)));
    while (child) {
      PCIDLIST_ABSOLUTE c = NodeFolder(child);
      if (c && (ILIsEqual(c, target) || ILIsParent(c, target, FALSE))) break;
      child = reinterpret_cast<HTREEITEM>(SendMessageW(Handle(), TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)));
    }
    node = child;
  }
  return nullptr;
}

void TsCustomShellTreeView::SetPath(const std::wstring& value) {
  if (!HandleAllocated()) {
    pendingPath_ = value;
    return;
  }
  const DWORD size = GetFullPathNameW(value.c_str(), 0, nullptr, nullptr);
  std::wstring full(size ? size : 1, L'\0');
  const DWORD got = size ? GetFullPathNameW(value.c_str(), size, full.data(), nullptr) : 0;
  full.resize(got && got < size ? got : 0);
  // The shell parses paths of the old length only (some shells overrun their buffers on longer
  // ones): the longest leading part below it is parsed, the folders below it are found by name.
  std::wstring head = full;
  std::vector<std::wstring> rest;
  while (head.size() >= MAX_PATH - 1) {
    const std::size_t cut = head.find_last_of(L'\\', head.size() - 2);
    if (cut == std::wstring::npos || cut < 3) break;
    std::wstring part = head.substr(cut + 1);
    if (!part.empty() && part.back() == L'\\') part.pop_back();
    if (!part.empty()) rest.insert(rest.begin(), part);
    head.resize(cut + 1);
  }
  TComPtr<IShellFolder> desktop = Desktop();
  PIDLIST_ABSOLUTE parsed = nullptr;
  if (head.empty() || head.size() >= MAX_PATH || !desktop ||
      FAILED(desktop->ParseDisplayName(Handle(), nullptr, head.data(), nullptr, &parsed, nullptr)) || !parsed)
    throw Exception(L"Error Setting Path");
  TCoTaskMem<ITEMIDLIST> target(parsed);
  HTREEITEM node = WalkTo(target.get());
  for (const std::wstring& name : rest) {
    if (!node) break;
    Enumerate(node);
    SendMessageW(Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node));
    HTREEITEM child = reinterpret_cast<HTREEITEM>(SendMessageW(Handle(), TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(node)));
    while (child && _wcsicmp(ItemText(child).c_str(), name.c_str()) != 0)
      child = reinterpret_cast<HTREEITEM>(SendMessageW(Handle(), TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)));
    if (!child) throw Exception(L"Error Setting Path");
    node = child;
  }
  SelectNode(node);
  if (node) SendMessageW(Handle(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(node));
}

void TsCustomShellTreeView::SelectNode(HTREEITEM node) {
  const bool outer = std::exchange(ownSelect_, true);
  Select(node);
  ownSelect_ = outer;
}

void TsCustomShellTreeView::SetRoot(const std::wstring& value) {
  if (_wcsicmp(value.c_str(), root_.c_str()) == 0) return;
  root_ = value;
  Rebuild();
}

// ---- Notices ------------------------------------------------------------------------------------

void TsCustomShellTreeView::Expanding(const NMTREEVIEWW& info, TMessage& m) {
  if (info.action & TVE_EXPAND) Enumerate(info.itemNew.hItem);
  m.Result = FALSE;
}

void TsCustomShellTreeView::EndEdit(const NMTVDISPINFOW& info, TMessage& m) {
  m.Result = FALSE;
  // One end per edit: some trees report the end again as their edit box goes.
  if (!std::exchange(editing_, false)) return;
  if (!info.item.pszText) return;  // the edit was cancelled
  TNode* node = NodeOf(info.item.hItem);
  if (!node || !node->Folder.get()) return;
  const std::wstring newName = info.item.pszText;
  TComPtr<IShellFolder> parent;
  PCUITEMID_CHILD last = nullptr;
  HRESULT hr = SHBindToParent(node->Folder.get(), IID_IShellFolder, parent.put_void(), &last);
  PITEMID_CHILD renamed = nullptr;
  if (SUCCEEDED(hr)) hr = parent->SetNameOf(Handle(), last, newName.c_str(), SHGDN_INFOLDER, &renamed);
  if (FAILED(hr) || !renamed) {
    std::wstring reason;
    wchar_t* text = nullptr;
    if (FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                       DWORD(hr), 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr) && text) {
      reason = text;
      LocalFree(text);
    }
    if (ShowError) ShowError(L"The folder can`t be renamed to " + newName + L"!" + (reason.empty() ? L"" : L"\n" + reason));
    return;
  }
  TCoTaskMem<ITEMID_CHILD> renamedOwned(renamed);
  TCoTaskMem<ITEMIDLIST> parentFolder(ILClone(node->Folder.get()));
  ILRemoveLastID(parentFolder.get());
  if (PIDLIST_ABSOLUTE now = ILCombine(parentFolder.get(), renamed)) *node->Folder.put() = now;
  m.Result = TRUE;
  PostMessageW(Handle(), kRefreshAfterRename, 0, 0);
}

void TsCustomShellTreeView::CustomDraw(NMTVCUSTOMDRAW& draw, TMessage& m) {
  m.Result = CDRF_DODEFAULT;
  if (!Skinned()) return;
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
    m.Result = CDRF_NOTIFYITEMDRAW;
  } else if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && (draw.nmcd.uItemState & CDIS_SELECTED)) {
    // The skin's selection colours, brighter while the tree has the focus.
    const bool focused = GetFocus() == Handle();
    draw.clrTextBk = ToColorRef(skinData_.SkinManager()->GetHighLightColor(focused));
    draw.clrText = ToColorRef(skinData_.SkinManager()->GetHighLightFontColor(focused));
  }
}

void TsCustomShellTreeView::Notify(const NMHDR& header, TMessage& m) {
  switch (header.code) {
    case TVN_ITEMEXPANDINGW:
      Expanding(reinterpret_cast<const NMTREEVIEWW&>(header), m);
      return;
    case TVN_SELCHANGINGW: {
      // The tree picks its first node by itself when it gets the focus with nothing selected;
      // a dialog started on no folder keeps showing none until the user or the program picks.
      const auto& info = reinterpret_cast<const NMTREEVIEWW&>(header);
      m.Result = (info.action == TVC_UNKNOWN && !ownSelect_ && !info.itemOld.hItem) ? TRUE : FALSE;
      return;
    }
    case TVN_GETDISPINFOW:
      NodeLook(const_cast<NMTVDISPINFOW&>(reinterpret_cast<const NMTVDISPINFOW&>(header)));
      m.Result = 0;
      return;
    case TVN_DELETEITEMW:
      delete reinterpret_cast<TNode*>(reinterpret_cast<const NMTREEVIEWW&>(header).itemOld.lParam);
      m.Result = 0;
      return;
    case TVN_BEGINLABELEDITW: {
      // The root and folders the shell will not rename are not edited.
      const auto& info = reinterpret_cast<const NMTVDISPINFOW&>(header);
      const TNode* node = NodeOf(info.item.hItem);
      TComPtr<IShellFolder> parent;
      PCUITEMID_CHILD last = nullptr;
      SFGAOF attributes = SFGAO_CANRENAME;
      const bool can = node && !ILIsEmpty(node->Folder.get()) &&
                       SendMessageW(Handle(), TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(info.item.hItem)) &&
                       SUCCEEDED(SHBindToParent(node->Folder.get(), IID_IShellFolder, parent.put_void(), &last)) &&
                       SUCCEEDED(parent->GetAttributesOf(1, &last, &attributes)) && (attributes & SFGAO_CANRENAME);
      editing_ = can;
      m.Result = can ? FALSE : TRUE;
      return;
    }
    case TVN_ENDLABELEDITW:
      EndEdit(reinterpret_cast<const NMTVDISPINFOW&>(header), m);
      return;
    case NM_CUSTOMDRAW:
      CustomDraw(const_cast<NMTVCUSTOMDRAW&>(reinterpret_cast<const NMTVCUSTOMDRAW&>(header)), m);
      return;
    default:
      TsSkinnedControl::Notify(header, m);
      return;
  }
}

// ---- Messages -----------------------------------------------------------------------------------

void TsCustomShellTreeView::WndProc(TMessage& m) {
  switch (m.Msg) {
    case kRefreshAfterRename:
      // Only our own post is acted on: a rename ended here just before.
      if (HandleAllocated()) {
        TCoTaskMem<ITEMIDLIST> keep(NodeFolder(Selected()) ? ILClone(NodeFolder(Selected())) : nullptr);
        HTREEITEM parent = reinterpret_cast<HTREEITEM>(
            SendMessageW(Handle(), TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(Selected())));
        if (parent) Refresh(parent);
        if (keep.get()) {
          if (HTREEITEM again = FindNode(keep.get())) SelectNode(again);
        }
      }
      m.Result = 0;
      return;
    case WM_KEYDOWN:
      // Nothing selected yet (the dialog opened on no folder): the first move of the keyboard
      // starts at the top node, which the tree itself would not do.
      if (!Selected() && (m.WParam == VK_DOWN || m.WParam == VK_UP || m.WParam == VK_HOME || m.WParam == VK_END ||
                          m.WParam == VK_NEXT || m.WParam == VK_PRIOR || m.WParam == VK_LEFT || m.WParam == VK_RIGHT)) {
        SelectNode(reinterpret_cast<HTREEITEM>(SendMessageW(Handle(), TVM_GETNEXTITEM, TVGN_ROOT, 0)));
        m.Result = 0;
        return;
      }
      if (m.WParam == VK_F2 && !ReadOnly() && Selected()) {
        SendMessageW(Handle(), TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(Selected()));
        m.Result = 0;
        return;
      }
      break;
    case WM_PAINT:
      if (HandleAllocated() && Skinned()) skinData_.SyncStateColors(Focused());
      break;
    case SM_SKINCOMMAND:
      if (IsOwnSkinSend(m.WParam, m.LParam)) {
        const std::uint16_t code = SkinCommandCode(m.WParam);
        if (code == SKIN_UNLOADED) FreeScrolls(ListSW_);
        TsSkinnedControl::WndProc(m);
        if (code == SKIN_LOADED || code == SKIN_REFRESH) RefreshScrolls();
        if (code == SKIN_UNLOADED && !skinData_.CustomColor()) SetColor(clWindow);
        boundLabel_.OwnerMessage(m);
        return;
      }
      break;
    default:
      break;
  }
  TsSkinnedControl::WndProc(m);
  if (m.Msg == FN_SHOWINGCHANGED) RefreshScrolls();
  boundLabel_.OwnerMessage(m);
}

TRootFolderLook RootFolderLook(const std::wstring& rootName, int iconSize) {
  TRootFolderLook look;
  TCoTaskMem<ITEMIDLIST> folder;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, RootFolderCsidlOrDesktop(rootName), folder.put())) || !folder.get())
    return look;
  SHFILEINFOW info{};
  const UINT size = iconSize > GetSystemMetrics(SM_CXSMICON) ? SHGFI_LARGEICON : SHGFI_SMALLICON;
  if (!SHGetFileInfoW(reinterpret_cast<LPCWSTR>(folder.get()), 0, &info, sizeof(info),
                      SHGFI_PIDL | SHGFI_DISPLAYNAME | SHGFI_ICON | size))
    return look;
  look.Name = info.szDisplayName;
  if (info.hIcon) {
    look.Icon = IconPicture(info.hIcon, iconSize, iconSize);
    DestroyIcon(info.hIcon);
  }
  return look;
}
