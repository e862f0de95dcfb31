// Applying the unit's data to the live control. Each step stands alone so
// that the live property setters can repeat it on an existing control.
#include "ui/listview/listview_apply.h"

#include <commctrl.h>

#include <utility>
#include <vector>

#include "runtime/gbk_boundary.h"
#include "runtime/runtime.h"
#include "ui/framework/border_style.h"
#include "ui/framework/display_scale.h"
#include "ui/listview/image_list_block.h"
#include "ui/listview/listview_text.h"

static_assert(sizeof(LOGFONTA) == 60, "the font block is a LOGFONTA with a GBK face name");

namespace {

constexpr COLORREF kButtonFace = 0xFF000000;

HIMAGELIST SetControlImageList(HWND hwnd, int which, HIMAGELIST list) {
  return reinterpret_cast<HIMAGELIST>(
      SendMessageW(hwnd, LVM_SETIMAGELIST, which, reinterpret_cast<LPARAM>(list)));
}
HIMAGELIST ControlImageList(HWND hwnd, int which) {
  return reinterpret_cast<HIMAGELIST>(SendMessageW(hwnd, LVM_GETIMAGELIST, which, 0));
}

bool OwnedBy(const ListViewUnit* unit, HIMAGELIST list) {
  return list && (list == unit->images || list == unit->stateImages || list == unit->headerImages);
}

// Puts `fresh` into the control's slot in place of the unit's list `*mine`.
// The control hands back what the slot held: the unit's old list, or one the
// control made itself (the check-box images), which is now ours to destroy.
void ReplaceImageList(ListViewUnit* unit, int which, HIMAGELIST* mine, HIMAGELIST fresh) {
  HIMAGELIST old = *mine;
  HIMAGELIST previous = SetControlImageList(unit->hwnd, which, fresh);
  *mine = fresh;
  if (previous && previous != old && !OwnedBy(unit, previous)) ImageList_Destroy(previous);
  if (old && !OwnedBy(unit, old)) ImageList_Destroy(old);
}

void SetItemState(HWND hwnd, int item, UINT state, UINT mask) {
  LVITEMW it{};
  it.state = state;
  it.stateMask = mask;
  SendMessageW(hwnd, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&it));
}

}  // namespace

ListViewStyles ComputeListViewStyles(const ListViewData& d, DWORD given) {
  DWORD style = given | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  DWORD ex = LVS_EX_SUBITEMIMAGES | LVS_EX_INFOTIP;
  switch (d.view) {
    case 1: style |= LVS_SMALLICON; break;
    case 2: style |= LVS_LIST; break;
    case 3: style |= LVS_REPORT; break;
    default: style |= LVS_ICON; break;
  }
  if (d.view == 0 || d.view == 1) {
    if (d.iconAlign == 1) style |= LVS_ALIGNLEFT;
    if (d.autoArrange) style |= LVS_AUTOARRANGE;
    if (!d.wrapLabels) style |= LVS_NOLABELWRAP;
  }
  if (d.view == 3) {
    if (d.hideHeader) {
      style |= LVS_NOCOLUMNHEADER;
    } else {
      if (!d.sortableHeader) style |= LVS_NOSORTHEADER;
      if (d.headerDragDrop) ex |= LVS_EX_HEADERDRAGDROP;
    }
    if (d.fullRowSelect) ex |= LVS_EX_FULLROWSELECT;
    if (d.gridLines) ex |= LVS_EX_GRIDLINES;
  }
  if (d.editLabels) style |= LVS_EDITLABELS;
  if (d.sortOrder == 1) style |= LVS_SORTASCENDING;
  if (d.sortOrder == 2) style |= LVS_SORTDESCENDING;
  if (d.singleSelection) style |= LVS_SINGLESEL;
  if (d.alwaysShowSelection) style |= LVS_SHOWSELALWAYS;

  if (d.hotTrack) {
    ex |= LVS_EX_TRACKSELECT | LVS_EX_ONECLICKACTIVATE;
    if (d.underlineCold) ex |= LVS_EX_UNDERLINECOLD;
    if (d.underlineHot) ex |= LVS_EX_UNDERLINEHOT;
  }
  if (d.checkBoxes) ex |= LVS_EX_CHECKBOXES;
  if (d.flatScrollBars) ex |= LVS_EX_FLATSB;
  return {style, ex};
}

COLORREF ResolveColor(COLORREF c) { return c == kButtonFace ? GetSysColor(COLOR_BTNFACE) : c; }

void ApplyFont(ListViewUnit* unit) { ApplyFontAtDpi(unit, WindowDpi(unit->hwnd), TRUE); }

void ApplyFontAtDpi(ListViewUnit* unit, int dpi, BOOL redraw) {
  HFONT fresh = nullptr;
  if (unit->data.font.size() == sizeof(LOGFONTA)) {
    LOGFONTA lf;
    memcpy(&lf, unit->data.font.data(), sizeof lf);
    lf = LogFontAtDpi(lf, dpi);
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = 0;
    lf.lfClipPrecision = 0;
    lf.lfQuality = PROOF_QUALITY;
    lf.lfPitchAndFamily = 0;
    fresh = CreateFontGbk(lf);
  }
  HGDIOBJ shown = fresh ? static_cast<HGDIOBJ>(fresh) : GuiFontAtDpi(dpi);
  SendMessageW(unit->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(shown), redraw);
  if (unit->font) DeleteObject(unit->font);
  unit->font = fresh;
}

void ApplyImageList(ListViewUnit* unit) {
  HIMAGELIST fresh = ReadImageListBlock(unit->data.images);
  if (!fresh && !unit->images) return;
  int which = unit->data.view == 0 ? LVSIL_NORMAL : LVSIL_SMALL;
  ReplaceImageList(unit, which, &unit->images, fresh);
}

void ApplyStateImageList(ListViewUnit* unit) {
  HIMAGELIST fresh = ReadImageListBlock(unit->data.stateImages);
  if (!fresh && !unit->stateImages) return;
  ReplaceImageList(unit, LVSIL_STATE, &unit->stateImages, fresh);
}

void ApplyHeaderImageList(ListViewUnit* unit) {
  HIMAGELIST fresh = ReadImageListBlock(unit->data.headerImages);
  if (!fresh && !unit->headerImages) return;
  if (fresh) ImageList_SetBkColor(fresh, GetSysColor(COLOR_BTNFACE));
  auto header = reinterpret_cast<HWND>(SendMessageW(unit->hwnd, LVM_GETHEADER, 0, 0));
  if (header) SendMessageW(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(fresh));
  if (unit->headerImages) ImageList_Destroy(unit->headerImages);
  unit->headerImages = fresh;
}

void ApplyColors(ListViewUnit* unit) {
  SendMessageW(unit->hwnd, LVM_SETTEXTCOLOR, 0, unit->data.textColor);
  SendMessageW(unit->hwnd, LVM_SETTEXTBKCOLOR, 0, ResolveColor(unit->data.textBkColor));
  SendMessageW(unit->hwnd, LVM_SETBKCOLOR, 0, ResolveColor(unit->data.bkColor));
}

void ApplyBorderStyle(HWND hwnd, int borderStyle) {
  DWORD ex = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)) & ~kBorderExStyles;
  DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)) & ~kBorderStyles;
  AddBorderStyle(static_cast<uint32_t>(borderStyle), style, ex);
  SetWindowLongPtrW(hwnd, GWL_EXSTYLE, ex);
  SetWindowLongPtrW(hwnd, GWL_STYLE, style);
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ApplyHotCursor(ListViewUnit* unit) {
  if (!unit->data.hotTrack) return;
  HCURSOR cursor = nullptr;
  if (unit->data.handCursor) {
    cursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32649));  // IDC_HAND
    if (!cursor) cursor = LoadCursorW(RtInstance(), MAKEINTRESOURCEW(2008));
  }
  if (!cursor) cursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  // System and resource cursors are shared: nobody destroys them.
  SendMessageW(unit->hwnd, LVM_SETHOTCURSOR, 0, reinterpret_cast<LPARAM>(cursor));
}

void InsertColumns(ListViewUnit* unit) {
  if (!unit->reportView()) return;
  const int dpi = WindowDpi(unit->hwnd);
  auto columns = DecodeColumnList(unit->data.columns);
  for (size_t i = 0; i < columns.size(); i++) {
    const ListViewColumn& c = columns[i];
    LVCOLUMNW col{};
    col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    col.fmt = c.align == 1 ? LVCFMT_CENTER : c.align == 2 ? LVCFMT_RIGHT : LVCFMT_LEFT;
    if (c.imageOnRight) col.fmt |= LVCFMT_BITMAP_ON_RIGHT;
    if (c.image != -1) {
      col.mask |= LVCF_IMAGE;
      col.fmt |= LVCFMT_IMAGE;
      col.iImage = c.image;
    }
    col.cx = ToPixels(c.width, dpi);
    col.iSubItem = static_cast<int>(i);
    ListViewInsertColumnGbk(unit->hwnd, static_cast<int>(i), col, c.title.c_str());
  }
}

namespace {

// The top rows of the lists whose window is changing its DPI, from before
// anything moved until each list is refitted.
std::vector<std::pair<const ListViewUnit*, int>>& TopRowsBeforeRescale() {
  static std::vector<std::pair<const ListViewUnit*, int>> tops;
  return tops;
}

}  // namespace

void NoteTopRowBeforeRescale(const ListViewUnit* unit) {
  TopRowsBeforeRescale().emplace_back(unit, static_cast<int>(SendMessageW(unit->hwnd, LVM_GETTOPINDEX, 0, 0)));
}

void ApplyDisplayScale(ListViewUnit* unit, int dpi, int oldDpi) {
  const HWND hwnd = unit->hwnd;
  int top = static_cast<int>(SendMessageW(hwnd, LVM_GETTOPINDEX, 0, 0));
  auto& tops = TopRowsBeforeRescale();
  for (auto it = tops.begin(); it != tops.end(); ++it)
    if (it->first == unit) {
      top = it->second;
      tops.erase(it);
      break;
    }
  ApplyFontAtDpi(unit, dpi, FALSE);
  if (unit->reportView() && oldDpi > 0) {
    auto header = reinterpret_cast<HWND>(SendMessageW(hwnd, LVM_GETHEADER, 0, 0));
    const int n = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    // The widths as they are now (the user may have dragged them), scaled.
    for (int i = 0; i < n; i++) {
      const int width = static_cast<int>(SendMessageW(hwnd, LVM_GETCOLUMNWIDTH, i, 0));
      SendMessageW(hwnd, LVM_SETCOLUMNWIDTH, i, MAKELPARAM(MulDiv(width, dpi, oldDpi), 0));
    }
  }
  // Rows are taller or shorter now: the same row goes back to the top.
  const int now = static_cast<int>(SendMessageW(hwnd, LVM_GETTOPINDEX, 0, 0));
  if (now != top && unit->reportView()) {
    RECT row{LVIR_BOUNDS};
    if (SendMessageW(hwnd, LVM_GETITEMRECT, now, reinterpret_cast<LPARAM>(&row)))
      SendMessageW(hwnd, LVM_SCROLL, 0, (top - now) * (row.bottom - row.top));
  }
}

void BuildInitialItems(ListViewUnit* unit) {
  HWND hwnd = unit->hwnd;
  SendMessageW(hwnd, LVM_DELETEALLITEMS, 0, 0);
  // Indices are checked against the lists the control really shows: with
  // check boxes on, the state list is the control's own.
  int images = ImageCount(ControlImageList(hwnd, unit->data.view == 0 ? LVSIL_NORMAL : LVSIL_SMALL));
  int states = ImageCount(ControlImageList(hwnd, LVSIL_STATE));
  int next = 0, last = -1, column = 1;
  for (const ListViewItemEntry& e : DecodeItemList(unit->data.items)) {
    int image = e.image >= 0 && e.image < images ? e.image : -1;
    int state = e.stateImage >= 0 && e.stateImage < states ? e.stateImage : -1;
    LVITEMW it{};
    it.iImage = image;
    if (e.kind == 0) {
      it.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
      if (state >= 0) {
        it.mask |= LVIF_STATE;
        it.state = INDEXTOSTATEIMAGEMASK(state + 1);
        it.stateMask = LVIS_STATEIMAGEMASK;
      }
      if (unit->reportView()) {
        it.mask |= LVIF_INDENT;
        it.iIndent = e.indent;
      }
      it.iItem = next;
      it.lParam = e.data;
      last = ListViewInsertItemGbk(hwnd, it, e.text.c_str());
      if (last >= 0) next++;
      column = 1;
    } else if (last >= 0) {
      it.mask = LVIF_TEXT | LVIF_IMAGE;
      it.iItem = last;
      it.iSubItem = column++;
      ListViewSetItemGbk(hwnd, it, e.text.c_str());
    }
  }
}

void ApplyCurrentItem(ListViewUnit* unit) {
  if (!unit->data.singleSelection) return;
  const UINT bits = LVIS_SELECTED | LVIS_FOCUSED;
  if (unit->data.currentItem >= 0) {
    SetItemState(unit->hwnd, unit->data.currentItem, bits, bits);
    return;
  }
  int first = static_cast<int>(SendMessageW(unit->hwnd, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
  if (first >= 0) SetItemState(unit->hwnd, first, 0, bits);
}

void DetachImageLists(ListViewUnit* unit) {
  for (int which : {LVSIL_NORMAL, LVSIL_SMALL, LVSIL_STATE}) {
    HIMAGELIST shown = ControlImageList(unit->hwnd, which);
    if (OwnedBy(unit, shown)) SetControlImageList(unit->hwnd, which, nullptr);
  }
}
